#include "core/update/update.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace {

using namespace corvane::core;
using corvane::test::readFile;
using corvane::test::TempDir;
namespace fs = std::filesystem;

TEST(Update, theBodyIsStoredWithCrLfLineEndsUpToItsFirstZeroByte)
{
    const struct
    {
        std::string body;
        std::string stored;
    } cases[] = {
        {"20020101 1 2\n20020102 3 4\n", "20020101 1 2\r\n20020102 3 4\r\n"},
        {"20020101 1 2\r\n20020102 3 4\r\n", "20020101 1 2\r\n20020102 3 4\r\n"},
        {"a\r\nb\nc", "a\r\nb\r\nc"},
        {"\n\n", "\r\n\r\n"},
        {"a\r\r\n", "a\r\r\n"},
        {"lone\rcr\n", "lone\rcr\r\n"},
        {std::string("a\nb\0c\n", 6), "a\r\nb"},
        {std::string("\0a\n", 3), ""},
        {"", ""},
        {"\xa0\xff\n", "\xa0\xff\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storedDataFile(c.body), c.stored);
}

TEST(Update, contentLengthIsReadAsADecimalNumber)
{
    const struct
    {
        const char* text;
        std::optional<std::uint64_t> value;
    } cases[] = {
        {"123", 123},
        {"  42", 42},
        {"\t7", 7},
        {"12abc", 12},
        {"0", 0},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {"18446744073709551615", 18446744073709551615ULL},
        {"18446744073709551616", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseContentLength(c.text), c.value) << '"' << c.text << '"';
}

TEST(Update, storingReplacesTheFileWholeOrNotAtAll)
{
    TempDir dir;
    const std::string path = dir.write("au645.txt", "old\r\n");
    EXPECT_EQ(storeDownload(path, "new\n20020101 1 2\n"), StoreResult::Stored);
    EXPECT_EQ(readFile(path), "new\r\n20020101 1 2\r\n");

    EXPECT_EQ(storeDownload(path, ""), StoreResult::Empty);
    EXPECT_EQ(readFile(path), "new\r\n20020101 1 2\r\n")
        << "an empty download never empties the file";

    EXPECT_EQ(storeDownload(dir.file("fresh.txt"), "1\n"), StoreResult::Stored);
    EXPECT_EQ(readFile(dir.file("fresh.txt")), "1\r\n");

    EXPECT_EQ(storeDownload(dir.file("no/such/folder.txt"), "1\n"), StoreResult::CouldNotBeCreated);
    EXPECT_EQ(storeDownload(dir.path(), "1\n"), StoreResult::CouldNotBeCreated);
}

// count draw lines of 25 bytes each with LF ends, 26 once stored.
std::string lfDraws(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += "20020105 1 2 3 4 5 6 7 8\n";
    return text;
}

TEST(Update, onlyADrawHistoryTheProgramCanOpenReplacesTheFile)
{
    const std::string longestCrLf = std::string(kMaxDownloadBytes - 2, '7') + "\r\n";
    const struct
    {
        const char* what;
        std::string body;
        StoreResult result;
    } cases[] = {
        // Nothing, or not text.
        {"no bytes", "", StoreResult::Empty},
        {"zero byte first",
            std::string("\0"
                        "20020101 1 2\n",
                14),
            StoreResult::Binary},
        {"zero byte after a draw", std::string("20020101 1 2\n\0", 14), StoreResult::Binary},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), StoreResult::Binary},
        // Pages: a sign-in page of the network, an error page sent as 200, other markup.
        {"doctype", "<!DOCTYPE html>\n<html><body>Sign in</body></html>\n", StoreResult::WebPage},
        {"page after a BOM and blank lines", "\xEF\xBB\xBF \r\n\t\n<html>\n20020101 1 2\n",
            StoreResult::WebPage},
        {"XML", "<?xml version=\"1.0\"?>\n<error>20020101</error>\n", StoreResult::WebPage},
        {"tags in capitals after text", "Please log in\n<HTML><BODY>20020101 1 2</BODY>",
            StoreResult::WebPage},
        {"script after draws", "20020101 1 2 3\n<script>location='/login'</script>\n",
            StoreResult::WebPage},
        // Text without a data line.
        {"error text", "Not Found", StoreResult::NoDraws},
        {"only comments and blanks", "# history\r\n\r\n   \n", StoreResult::NoDraws},
        {"draws behind tabs", "\t20020101 1 2\n\t20020102 3 4\n", StoreResult::NoDraws},
        {"only line ends", "\n\n", StoreResult::NoDraws},
        // Too large to open once its line ends are CR LF.
        {"one byte too many", std::string(kMaxDownloadBytes + 1, '1'), StoreResult::TooLarge},
        {"grows past the limit with CR", lfDraws(kMaxDownloadBytes / 26 + 1),
            StoreResult::TooLarge},
        // Draw histories.
        {"one draw", "20020101 1 2 3\n", StoreResult::Stored},
        {"one draw after a BOM",
            "\xEF\xBB\xBF"
            "20020101 1 2 3\n",
            StoreResult::Stored},
        {"title, comment, indented draw", "Lotto\n# note\n   20020101 1 2\n", StoreResult::Stored},
        {"a '<' that is no tag", "# 1 < 2\n20020101 1 2 # <b> bonus\n", StoreResult::Stored},
        {"exactly the largest file", longestCrLf, StoreResult::Stored},
        {"largest once CR is added", lfDraws(kMaxDownloadBytes / 26), StoreResult::Stored},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.write("ca649.txt", "old\r\n");
        const StoreResult result = storeDownload(path, c.body);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(
            readFile(path), result == StoreResult::Stored ? storedDataFile(c.body) : "old\r\n")
            << c.what;
        if (result == StoreResult::Stored)
            EXPECT_EQ(downloadFault(c.body), std::nullopt) << c.what;
        else
            EXPECT_EQ(downloadFault(c.body), c.result) << c.what;
        int files = 0;
        for (const auto& entry : fs::directory_iterator(fs::u8path(dir.path()))) {
            (void)entry;
            ++files;
        }
        EXPECT_EQ(files, 1) << c.what << ": nothing left beside the file";
    }
}

TEST(Update, storedSizeCountsTheAddedCarriageReturns)
{
    const struct
    {
        std::string body;
    } cases[] = {{""}, {"a\nb\n"}, {"a\r\nb\r\n"}, {"\n\n\r\n"}, {"a\r\r\n"},
        {std::string("a\nb\0c\n", 6)}, {lfDraws(100)}};
    for (const auto& c : cases)
        EXPECT_EQ(storedSize(c.body), storedDataFile(c.body).size());
}

TEST(Update, aReadOnlyLocalFileIsNeverReplaced)
{
    TempDir dir;
    const std::string path = dir.write("pb545.txt", "kept\r\n");
    fs::permissions(fs::u8path(path), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(storeDownload(path, "20020101 1 2\n"), StoreResult::CouldNotBeCreated);
    EXPECT_EQ(readFile(path), "kept\r\n");
}

TEST(Update, theStoredFileKeepsItsPermissions)
{
    TempDir dir;
    const std::string path = dir.write("ca649.txt", "old\r\n");
    const fs::perms mine = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(fs::u8path(path), mine);
    ASSERT_EQ(storeDownload(path, "20020101 1 2\n"), StoreResult::Stored);
#ifndef _WIN32
    EXPECT_EQ(fs::status(fs::u8path(path)).permissions(), mine);
#endif
}

TEST(Update, aLinkedDataFileStaysALinkAndItsTargetIsReplaced)
{
    TempDir dir;
    const std::string target = dir.write("ca649-real.txt", "old\r\n");
    const fs::path link = fs::u8path(dir.file("ca649.txt"));
    std::error_code error;
    fs::create_symlink("ca649-real.txt", link, error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    ASSERT_EQ(storeDownload(link.u8string(), "20020101 1 2\n"), StoreResult::Stored);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(readFile(target), "20020101 1 2\r\n");
}

TEST(Update, theCouldNotBeCreatedMessageNamesTheFile)
{
    EXPECT_EQ(couldNotBeCreatedMessage("au645.txt"), "The File au645.txt could not be created");
}

} // namespace
