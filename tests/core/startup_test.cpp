#include "core/io/files.h"
#include "core/startup/startup.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using corvane::core::mainCaption;
using corvane::core::readStartupPath;
using corvane::core::startupChoice;
using corvane::core::writeStartupFile;
using corvane::test::readFile;
using corvane::test::TempDir;

struct ReadCase
{
    const char* name;
    std::optional<std::string> content; // nothing: no start-up file at all
    std::string path;
};

class ReadStartupPath : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadStartupPath, givesTextAfterFirst18Characters)
{
    TempDir dir;
    const std::string file = dir.file("startlotto.txt");
    if (GetParam().content)
        dir.write("startlotto.txt", *GetParam().content);
    EXPECT_EQ(readStartupPath(file), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadStartupPath,
    ::testing::Values(
        // Everything that falls back to the default lottery.
        ReadCase {"missingFile", std::nullopt, ""}, ReadCase {"emptyFile", std::string(), ""},
        ReadCase {"markerOnly", std::string("Startup-Open-File:"), ""},
        ReadCase {"markerThenLineEnd", std::string("Startup-Open-File:\r\n/x/au645.txt"), ""},
        ReadCase {"shortLine", std::string("Startup\n/x/au645.txt"), ""},
        ReadCase {"emptyFirstLine", std::string("\nStartup-Open-File:/x/au645.txt"), ""},
        // A path.
        ReadCase {"asWritten", std::string("Startup-Open-File:/d/au645.txt"), "/d/au645.txt"},
        ReadCase {"oneCharacter", std::string("Startup-Open-File:x"), "x"},
        ReadCase {"markerNotCompared", std::string("ABCDEFGHIJKLMNOPQR/d/my.txt"), "/d/my.txt"},
        ReadCase {"onlyFirstLine", std::string("Startup-Open-File:/a.txt\n/b.txt"), "/a.txt"},
        ReadCase {"crLfDropped", std::string("Startup-Open-File:/a.txt\r\nmore"), "/a.txt"},
        ReadCase {"notTrimmed", std::string("Startup-Open-File: /a b.txt \t"), " /a b.txt \t"},
        ReadCase {"loneCrKept", std::string("Startup-Open-File:/a.txt\r"), "/a.txt\r"},
        ReadCase {"bytesKept", std::string("Startup-Open-File:/d/\xe9t\xc3\xa9.txt"),
            "/d/\xe9t\xc3\xa9.txt"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ReadStartupPath, folderInsteadOfFile_givesDefault)
{
    TempDir dir;
    EXPECT_EQ(readStartupPath(dir.path()), "");
}

TEST(WriteStartupFile, writesMarkerAndPathWithoutLineEnd_andReadsBack)
{
    TempDir dir;
    const std::string file = dir.file("startlotto.txt");
    dir.write("startlotto.txt", "old content that is longer than the new one\r\n");
    ASSERT_TRUE(writeStartupFile(file, "/opt/corvane/au645.txt"));
    EXPECT_EQ(readFile(file), "Startup-Open-File:/opt/corvane/au645.txt");
    EXPECT_EQ(readStartupPath(file), "/opt/corvane/au645.txt");
}

TEST(WriteStartupFile, missingFolder_failsAndWritesNothing)
{
    TempDir dir;
    const std::string file = dir.file("no-such-folder/startlotto.txt");
    EXPECT_FALSE(writeStartupFile(file, "/x.txt"));
    EXPECT_EQ(readFile(file), "<missing>");
}

TEST(WriteStartupFile, readOnlyFile_failsAndStaysAsItWas)
{
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string file = dir.write("startlotto.txt", "Startup-Open-File:/d/ca649.txt");
    const fs::perms readOnly
        = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    EXPECT_FALSE(writeStartupFile(file, "/d/au645.txt"));
    EXPECT_EQ(readFile(file), "Startup-Open-File:/d/ca649.txt");
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    // Writable again, it is replaced.
    fs::permissions(file, readOnly | fs::perms::owner_write);
    EXPECT_TRUE(writeStartupFile(file, "/d/au645.txt"));
    EXPECT_EQ(readFile(file), "Startup-Open-File:/d/au645.txt");
}

// What start-up opens and the caption it gives the window.
TEST(StartupChoice, captionsOfTheStartupCases)
{
    struct Case
    {
        std::optional<std::string> fileName; // the start-up file names dir/fileName
        std::string path;
        std::string caption;
        bool fromStartupFile = true;
    };
    TempDir dir;
    const std::string d = dir.path();
    const std::vector<Case> cases {
        {std::nullopt, d + "/ca649.txt", "Canada 6/49--Corvane For Windows", false},
        {std::string("au645.txt"), d + "/au645.txt", "Tattslotto--Corvane For Windows"},
        {std::string("ca649.txt"), d + "/ca649.txt", "Canadian 6/49--Corvane For Windows"},
        {std::string("mydraws.txt"), d + "/mydraws.txt", "mydraws.txt--Corvane For Windows"},
        {std::string("PB545.TXT"), d + "/PB545.TXT", "Powerball--Corvane For Windows"},
    };
    for (const Case& c : cases) {
        std::remove(dir.file("startlotto.txt").c_str());
        if (c.fileName) {
            ASSERT_TRUE(writeStartupFile(dir.file("startlotto.txt"), d + "/" + *c.fileName));
        }
        const auto choice = startupChoice(d);
        EXPECT_EQ(choice.path, c.path);
        EXPECT_EQ(mainCaption(choice.displayName), c.caption) << c.path;
        EXPECT_EQ(choice.fromStartupFile, c.fromStartupFile) << c.path;
    }
    // What start-up falls back on whatever the start-up file says.
    const auto fallback = corvane::core::defaultStartupChoice(d);
    EXPECT_EQ(fallback.path, d + "/ca649.txt");
    EXPECT_EQ(mainCaption(fallback.displayName), "Canada 6/49--Corvane For Windows");
    EXPECT_FALSE(fallback.fromStartupFile);
}

TEST(StartupChoice, pathWithoutSeparator_isNamedWhole)
{
    TempDir dir;
    dir.write("startlotto.txt", "Startup-Open-File:au645.txt");
    const auto choice = startupChoice(dir.path());
    EXPECT_EQ(choice.path, "au645.txt");
    EXPECT_EQ(choice.displayName, "Tattslotto");
}

} // namespace
