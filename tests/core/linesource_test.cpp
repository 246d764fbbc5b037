#include "core/io/linesource.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvane::core::openLineFile;
using corvane::test::TempDir;

std::vector<std::string> readAll(corvane::core::LineSource& source)
{
    std::vector<std::string> lines;
    std::string_view line;
    while (source.next(line))
        lines.emplace_back(line);
    return lines;
}

struct SplitCase
{
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

class LineSplitting : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(LineSplitting, fileAndMemoryAgree)
{
    const SplitCase& c = GetParam();
    TempDir dir;
    auto file = openLineFile(dir.write("lines.txt", c.bytes));
    ASSERT_TRUE(file);
    EXPECT_EQ(readAll(*file), c.lines);
    ASSERT_TRUE(file->rewind());
    EXPECT_EQ(readAll(*file), c.lines) << "after rewind";
    EXPECT_FALSE(file->failed());

    std::vector<std::string> split;
    for (std::string_view line : corvane::core::splitLines(c.bytes))
        split.emplace_back(line);
    EXPECT_EQ(split, c.lines);
}

const std::string kLong(100000, '7');
const std::string kAcrossBuffer = std::string(65535, 'a') + "\r\n" + "b";

INSTANTIATE_TEST_SUITE_P(Bytes, LineSplitting,
    ::testing::Values(SplitCase {"empty", "", {}}, SplitCase {"lf", "1 2\n3 4\n", {"1 2", "3 4"}},
        SplitCase {"crlf", "1 2\r\n3 4\r\n", {"1 2", "3 4"}},
        SplitCase {"mixed", "1\r\n2\n3\r\n", {"1", "2", "3"}},
        SplitCase {"crcrlf", "1\r\r\n2\r\r\n", {"1\r", "2\r"}},
        SplitCase {"noFinalLf", "1\n2", {"1", "2"}},
        SplitCase {"finalCrWithoutLf", "1\n2\r", {"1", "2\r"}},
        SplitCase {"loneCr", "1\r2\n", {"1\r2"}},
        SplitCase {"emptyLines", "\n\r\n\n", {"", "", ""}},
        SplitCase {"nul",
            std::string("1\0"
                        "2\n\0\n",
                6),
            {std::string("1\0"
                         "2",
                 3),
                std::string("\0", 1)}},
        SplitCase {"longLine", kLong + "\n" + kLong, {kLong, kLong}},
        SplitCase {"crlfAcrossBuffer", kAcrossBuffer, {std::string(65535, 'a'), "b"}},
        // A Windows editor's UTF-8 mark is no part of the first draw; anywhere else it stays.
        SplitCase {"byteOrderMark",
            "\xEF\xBB\xBF"
            "1 2\r\n3\r\n",
            {"1 2", "3"}},
        SplitCase {"byteOrderMarkAlone", "\xEF\xBB\xBF", {""}},
        SplitCase {"byteOrderMarkLater",
            "1\n\xEF\xBB\xBF"
            "2\n",
            {"1",
                "\xEF\xBB\xBF"
                "2"}},
        SplitCase {"halfAMark",
            "\xEF\xBB"
            "1\n",
            {"\xEF\xBB"
             "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OpenLineFile, refusesWhatIsNotARegularFile)
{
    TempDir dir;
    EXPECT_FALSE(openLineFile(""));
    EXPECT_FALSE(openLineFile(dir.file("missing.txt")));
    EXPECT_FALSE(openLineFile(dir.path()));
#ifndef _WIN32
    EXPECT_FALSE(openLineFile("/dev/null"));
#endif
    EXPECT_TRUE(openLineFile(dir.write("empty.txt", "")));
}

TEST(MemoryLines, givesOnlyTheFirstLines)
{
    const std::vector<std::string_view> lines = {"a", "b", "c"};
    corvane::core::MemoryLines source(lines, 2);
    EXPECT_EQ(readAll(source), (std::vector<std::string> {"a", "b"}));
    source.rewind();
    EXPECT_EQ(readAll(source).size(), 2u);
    corvane::core::MemoryLines all(lines, 99);
    EXPECT_EQ(readAll(all).size(), 3u);
}

} // namespace
