#include "cli_run.h"

#include "temp_dir.h"

#include "core/catalogue/blank_history.h"
#include "core/catalogue/catalogue.h"
#include "core/io/linesource.h"
#include "core/predict/regress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using corvane::test::readFile;
using corvane::test::runCli;
using corvane::test::TempDir;

// How many data lines the format's reader finds in a text.
int dataLines(const std::string& text)
{
    const std::vector<std::string_view> lines = corvane::core::splitLines(text);
    auto table = std::make_unique<corvane::core::regress>();
    EXPECT_TRUE(
        table->countlines(std::make_unique<corvane::core::MemoryLines>(lines, lines.size())));
    return table->datalines;
}

TEST(BlankHistory, theCatalogueNamesEveryDataFileOnce)
{
    const std::vector<std::string> names = corvane::core::catalogueFileNames();
    EXPECT_EQ(names.size(), 198u);
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size());
    EXPECT_EQ(names.front(), "pb545.txt");
    EXPECT_EQ(names.back(), "twl.txt");
}

TEST(BlankHistory, everyTextIsCommentsThatNameTheLotteryAndSayHowToFillIt)
{
    for (const std::string& name : corvane::core::catalogueFileNames()) {
        SCOPED_TRACE(name);
        const std::string text = corvane::core::blankHistoryText(name);
        EXPECT_EQ(dataLines(text), 0);
        const std::vector<std::string_view> lines = corvane::core::splitLines(text);
        EXPECT_LT(lines.size(), 12u);
        for (std::string_view line : lines) {
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.front(), '#');
            EXPECT_EQ(line.find('\r'), std::string_view::npos);
        }
        // Every line ends in CR LF, the text is plain ASCII.
        EXPECT_EQ(
            std::count(text.begin(), text.end(), '\n'), static_cast<std::ptrdiff_t>(lines.size()));
        EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);
        EXPECT_TRUE(std::all_of(text.begin(), text.end(),
            [](char c) { return c == '\r' || c == '\n' || (c >= 32 && c < 127); }));
        EXPECT_NE(
            text.find(corvane::core::getlottoname(name) + " (" + name + ")"), std::string::npos);
        EXPECT_NE(text.find("--into " + name + "\r\n"), std::string::npos);
        EXPECT_NE(text.find("at least 16 draws"), std::string::npos);
        EXPECT_NE(text.find("\"Update Online\""), std::string::npos);
    }
}

TEST(BlankHistory, theExampleDrawBecomesADataLineWithoutItsHash)
{
    const std::string text = corvane::core::blankHistoryText("ca539.txt");
    const std::size_t at = text.find("#   2");
    ASSERT_NE(at, std::string::npos);
    const std::string example = text.substr(at + 1, text.find("  (", at) - at - 1);
    EXPECT_EQ(dataLines(example), 1);
}

TEST(BlankHistoryCommand, printsTheTextOfACatalogueFile)
{
    const auto o = runCli({"blank", "NY659.txt"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, corvane::core::blankHistoryText("NY659.txt"));
    EXPECT_EQ(o.err, "");
}

TEST(BlankHistoryCommand, refusesWhatItCannotDo)
{
    TempDir dir;
    const std::string kept = "20020101 1 2 3\r\n";
    dir.write("fl653.txt", kept);
    const struct
    {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"blank", "mydraws.txt"}, 1, "\"mydraws.txt\" is no data-file name of the catalogue.\n"},
        {{"blank", "--into", dir.path(), "fl536.txt", "fl653.txt"}, 1,
            dir.file("fl653.txt")
                + " is there already; it was left as it is, and no other file was written.\n"},
        {{"blank", "--into", dir.path(), "fl653.txt"}, 1,
            dir.file("fl653.txt") + " is there already; it was left as it is.\n"},
        {{"blank", "fl653.txt", "fl536.txt"}, 2, ""},
        {{"blank", "--into", dir.path()}, 2, ""},
        {{"blank", "fl653.txt", "--into"}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto o = runCli(c.args);
        EXPECT_EQ(o.status, c.status) << c.args.back();
        if (c.status == 1) {
            EXPECT_EQ(o.err, c.err);
        }
    }
    // The refused run wrote nothing, not even the file that was free.
    EXPECT_EQ(readFile(dir.file("fl653.txt")), kept);
    EXPECT_EQ(readFile(dir.file("fl536.txt")), "<missing>");
}

TEST(BlankHistoryCommand, writesEachFileIntoTheFolder)
{
    TempDir dir;
    const auto o = runCli({"blank", "--into", dir.path(), "fl653.txt", "twl.txt"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(readFile(dir.file("fl653.txt")), corvane::core::blankHistoryText("fl653.txt"));
    EXPECT_EQ(readFile(dir.file("twl.txt")), corvane::core::blankHistoryText("twl.txt"));
}

} // namespace
