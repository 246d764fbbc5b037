#include "core/io/files.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
