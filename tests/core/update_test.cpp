#include "core/update/update.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    EXPECT_EQ(storeDownload(path, "new\nlines\n"), StoreResult::Stored);
    EXPECT_EQ(readFile(path), "new\r\nlines\r\n");

    EXPECT_EQ(storeDownload(path, ""), StoreResult::Empty);
    EXPECT_EQ(storeDownload(path, std::string("\0rest", 5)), StoreResult::Empty);
    EXPECT_EQ(readFile(path), "new\r\nlines\r\n") << "an empty download never empties the file";

    EXPECT_EQ(storeDownload(dir.file("fresh.txt"), "1\n"), StoreResult::Stored);
    EXPECT_EQ(readFile(dir.file("fresh.txt")), "1\r\n");

    EXPECT_EQ(storeDownload(dir.file("no/such/folder.txt"), "1\n"), StoreResult::CouldNotBeCreated);
    EXPECT_EQ(storeDownload(dir.path(), "1\n"), StoreResult::CouldNotBeCreated);
}

TEST(Update, aReadOnlyLocalFileIsNeverReplaced)
{
    TempDir dir;
    const std::string path = dir.write("pb545.txt", "kept\r\n");
    fs::permissions(fs::u8path(path), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(storeDownload(path, "new\n"), StoreResult::CouldNotBeCreated);
    EXPECT_EQ(readFile(path), "kept\r\n");
}

TEST(Update, theStoredFileKeepsItsPermissions)
{
    TempDir dir;
    const std::string path = dir.write("ca649.txt", "old\r\n");
    const fs::perms mine = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(fs::u8path(path), mine);
    ASSERT_EQ(storeDownload(path, "new\n"), StoreResult::Stored);
#ifndef _WIN32
    EXPECT_EQ(fs::status(fs::u8path(path)).permissions(), mine);
#endif
}

TEST(Update, theCouldNotBeCreatedMessageNamesTheFile)
{
    EXPECT_EQ(couldNotBeCreatedMessage("au645.txt"), "The File au645.txt could not be created");
}

} // namespace
