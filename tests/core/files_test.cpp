#include "core/io/files.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

using namespace corvane::core;
using corvane::test::readFile;
using corvane::test::TempDir;

TEST(Paths, theFileNameIsThePartAfterTheLastSeparator)
{
    const struct
    {
        const char* path;
        const char* name;
    } cases[] = {
        {"/home/me/ca649.txt", "ca649.txt"},
        {"ca649.txt", "ca649.txt"},
        {"dir/", ""},
        {"", ""},
        {"a/b/c", "c"},
#ifdef _WIN32
        {"C:\\data\\fl432.txt", "fl432.txt"},
        {"C:\\data/mixed\\pb545.txt", "pb545.txt"},
#else
        {"C:\\data\\fl432.txt", "C:\\data\\fl432.txt"},
        {"back\\slash/pb545.txt", "pb545.txt"},
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(joinPath("/opt/corvane", "ca649.txt"), "/opt/corvane/ca649.txt");
}

TEST(AtomicWrite, replacesTheWholeFileAndLeavesNothingBehind)
{
    TempDir dir;
    const std::string path = dir.write("data.txt", "old content\r\n");
    const std::string bytes("new\r\ncontent\0with nul\n", 23);
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    EXPECT_EQ(readFile(path), bytes);
    ASSERT_TRUE(writeFileAtomically(dir.file("fresh.txt"), ""));
    EXPECT_EQ(readFile(dir.file("fresh.txt")), "");
    int files = 0;
    for (const auto& entry :
        std::filesystem::directory_iterator(std::filesystem::u8path(dir.path()))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2) << "no temporary file is left";
}

TEST(AtomicWrite, aFailureLeavesTheOldFile)
{
    TempDir dir;
    const std::string path = dir.write("data.txt", "old");
    EXPECT_FALSE(writeFileAtomically(dir.file("missing-folder/data.txt"), "new"));
    // A directory in the way of the file cannot be replaced by it.
    std::filesystem::create_directory(std::filesystem::u8path(dir.file("taken")));
    EXPECT_FALSE(writeFileAtomically(dir.file("taken"), "new"));
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(dir.file("taken"))));
    EXPECT_EQ(readFile(path), "old");
}

int entriesIn(const std::string& dir)
{
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(dir))) {
        (void)entry;
        ++entries;
    }
    return entries;
}

// A symbolic link keeps pointing where the user pointed it; the file it leads to is replaced,
// atomically, in that file's own folder.
TEST(AtomicWrite, aLinkStaysALinkAndItsTargetIsReplaced)
{
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directory(fs::u8path(dir.file("shared")));
    fs::create_directory(fs::u8path(dir.file("links")));
    const std::string target = dir.write("shared/ca649.txt", "old\r\n");
    const struct
    {
        const char* what;
        const char* link;
        std::string pointsTo;
    } cases[] = {
        {"relative link", "rel.txt", "shared/ca649.txt"},
        {"absolute link", "abs.txt", target},
        {"link to a link", "chain.txt", "rel.txt"},
        {"link in another folder", "links/ca649.txt", "../shared/ca649.txt"},
    };
    std::error_code error;
    fs::create_symlink(fs::u8path(cases[0].pointsTo), fs::u8path(dir.file(cases[0].link)), error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    for (const auto& c : cases) {
        const fs::path link = fs::u8path(dir.file(c.link));
        if (!fs::is_symlink(fs::symlink_status(link)))
            fs::create_symlink(fs::u8path(c.pointsTo), link);
        const std::string bytes = std::string("new content through ") + c.what + "\r\n";
        ASSERT_TRUE(writeFileAtomically(link.u8string(), bytes)) << c.what;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link))) << c.what;
        EXPECT_EQ(fs::read_symlink(link), fs::u8path(c.pointsTo)) << c.what;
        EXPECT_EQ(readFile(target), bytes) << c.what;
    }
    EXPECT_EQ(entriesIn(dir.file("shared")), 1) << "no temporary file is left beside the target";
    EXPECT_EQ(entriesIn(dir.file("links")), 1);
    EXPECT_EQ(entriesIn(dir.path()), 5) << "two folders, three links and nothing else";
}

TEST(AtomicWrite, aLinkToAMissingFileCreatesThatFile)
{
    namespace fs = std::filesystem;
    TempDir dir;
    std::error_code error;
    fs::create_symlink("later.txt", fs::u8path(dir.file("link.txt")), error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    ASSERT_TRUE(writeFileAtomically(dir.file("link.txt"), "1\r\n"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(fs::u8path(dir.file("link.txt")))));
    EXPECT_EQ(readFile(dir.file("later.txt")), "1\r\n");
}

TEST(AtomicWrite, aLoopOfLinksIsRefusedAndLeftAsItWas)
{
    namespace fs = std::filesystem;
    TempDir dir;
    std::error_code error;
    fs::create_symlink("b.txt", fs::u8path(dir.file("a.txt")), error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    fs::create_symlink("a.txt", fs::u8path(dir.file("b.txt")));
    EXPECT_FALSE(writeFileAtomically(dir.file("a.txt"), "new"));
    EXPECT_EQ(fs::read_symlink(fs::u8path(dir.file("a.txt"))), fs::path("b.txt"));
    EXPECT_EQ(fs::read_symlink(fs::u8path(dir.file("b.txt"))), fs::path("a.txt"));
    EXPECT_EQ(entriesIn(dir.path()), 2);
}

TEST(ReadWholeFile, readsBytesAndRefusesWhatIsNoFile)
{
    TempDir dir;
    const std::string bytes("a\r\r\nb\0\xff", 7);
    EXPECT_EQ(readWholeFile(dir.write("x.bin", bytes)), bytes);
    EXPECT_FALSE(readWholeFile(dir.path()));
    EXPECT_FALSE(readWholeFile(dir.file("missing")));
    EXPECT_FALSE(readWholeFile(""));
}

} // namespace
