// Merging imported draws into a data file, and the import command line.
#include "core/importer/merge.h"
#include "core/text/textcodec.h"

#include "cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace corvane::core::importer;
using corvane::test::readFile;
using corvane::test::runCli;
using corvane::test::TempDir;
using corvane::test::testData;
namespace fs = std::filesystem;

std::vector<Draw> draws(const std::string& history)
{
    ImportOptions o;
    o.today = 20261209;
    const ImportResult result = importText(history, o);
    EXPECT_TRUE(result.ok()) << result.error;
    return result.draws;
}

const std::string kFile = "# Lotto, main numbers then the bonus\r\n"
                          "\r\n"
                          "20200101 1 2 3\r\n"
                          "20200104 4 5 6\n"
                          "   20200108 07 8 9.0\r\n"
                          "note: the machine was changed\r\n";

TEST(ImportMerge, newDrawsAreAppendedAndTheFileKeepsItsBytes)
{
    const MergePlan plan = planMerge(kFile,
        draws("2020-01-04,4,5,6\n2020-01-08,7,8,9\n2020-01-11,10,11,12\n2020-01-15,1,2,3\n"),
        "lotto.txt");
    ASSERT_EQ(plan.error, "");
    EXPECT_EQ(plan.text, kFile + "20200111 10 11 12\r\n20200115 1 2 3\r\n");
    EXPECT_EQ(plan.appended, 2u);
    EXPECT_EQ(plan.agreeing, 2u);
    EXPECT_EQ(plan.firstAppended, 20200111);
    EXPECT_EQ(plan.lastAppended, 20200115);
}

TEST(ImportMerge, theMergePlanFollowsTheRules)
{
    const struct
    {
        const char* what;
        std::string file;
        std::string source;
        std::string text;
        const char* error;
        std::size_t notInFile;
    } cases[] = {
        {"a last line without its line end gets one", "20200101 1 2", "2020-01-02,3,4\n",
            "20200101 1 2\r\n20200102 3 4\r\n", "", 0},
        {"an empty file takes every draw", "", "2020-01-02,3,4\n2020-01-01,1,2\n",
            "20200101 1 2\r\n20200102 3 4\r\n", "", 0},
        {"a file of comments only takes every draw", "# nothing yet\n", "2020-01-02,3,4\n",
            "# nothing yet\n20200102 3 4\r\n", "", 0},
        {"nothing new writes nothing", kFile, "2020-01-08,7,8,9\n", "", "", 0},
        {"draws before the last one that the file lacks are not added", kFile,
            "2020-01-02,9,9,9\n2020-01-08,7,8,9\n2020-01-09,1,1,1\n", kFile + "20200109 1 1 1\r\n",
            "", 1},
        {"two draws of a date agree in their order", "20200101 1 2\r\n20200101 3 4\r\n",
            "2020-01-01,1,2\n2020-01-01,3,4\n2020-01-02,5,6\n",
            "20200101 1 2\r\n20200101 3 4\r\n20200102 5 6\r\n", "", 0},
        {"other numbers on a date the file has", kFile, "2020-01-04,4,5,7\n2020-01-09,1,1,1\n", "",
            "the draws of 2020-01-04 differ: the source has \"4 5 7\"", 0},
        {"the first date that disagrees is named", kFile, "2020-01-08,1,1,1\n2020-01-04,1,1,1\n",
            "", "the draws of 2020-01-04 differ", 0},
        {"two draws of a date in another order", "20200101 1 2\r\n20200101 3 4\r\n",
            "2020-01-01,3,4\n2020-01-01,1,2\n", "", "the draws of 2020-01-01 differ", 0},
        {"one draw of a date the file has twice", "20200101 1 2\r\n20200101 3 4\r\n",
            "2020-01-01,1,2\n2020-01-02,3,4\n", "", "the draws of 2020-01-01 differ", 0},
        {"another count of numbers is another lottery", kFile, "2020-01-11,1,2,3,4\n", "",
            "the source has 4 numbers a draw and lotto.txt has 3", 0},
        {"another lottery drawn on other days", kFile,
            "2020-01-02,1,2,3\n2020-01-06,1,2,3\n2020-01-09,1,2,3\n", "",
            "none of the 2 draws of the source up to the last draw of lotto.txt falls on a date",
            2},
        {"an appended draw of another count", kFile, "2020-01-11,1,2\n2020-01-12,3,4,5\n", "",
            "the draw of 2020-01-11 has 2 numbers and lotto.txt has 3 a draw", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MergePlan plan = planMerge(c.file, draws(c.source), "lotto.txt");
        EXPECT_EQ(plan.text, c.text);
        if (*c.error == '\0')
            EXPECT_EQ(plan.error, "");
        else
            EXPECT_NE(plan.error.find(c.error), std::string::npos) << plan.error;
        EXPECT_EQ(plan.notInFile, c.notInFile);
    }
}

TEST(ImportMerge, aFileTheProgramCouldNotOpenIsRefused)
{
    const std::size_t limit = corvane::core::TextCodec::kMaxBytes;
    const std::size_t line = std::string("20200102 1\r\n").size();
    std::string full(limit - line - 2, '#');
    full += "\r\n";
    const MergePlan exact = planMerge(full, draws("2020-01-02,1\n"), "f");
    EXPECT_EQ(exact.error, "");
    EXPECT_EQ(exact.text.size(), limit);
    const MergePlan over = planMerge(full, draws("2020-01-02,1\n2020-01-03,1\n"), "f");
    EXPECT_NE(over.error.find("f would grow to 1,048,587 characters, more than the 1,048,575"),
        std::string::npos)
        << over.error;
    EXPECT_EQ(over.text, "");

    // LF lines count as CR LF, as the window would have them: these fit in bytes, not so.
    std::string lf;
    for (std::size_t i = 0; i < (limit - line) / 10; ++i)
        lf += "# padding\n";
    ASSERT_LE(lf.size() + line, limit);
    EXPECT_NE(
        planMerge(lf, draws("2020-01-02,1\n"), "f").error.find("would grow"), std::string::npos);
    EXPECT_EQ(sizeWithCrLf("a\nb\r\nc\n"), 9u);
}

TEST(ImportMerge, theFileOnDiskIsWrittenOnlyWhenADrawIsNew)
{
    TempDir dir;
    const std::string path = dir.write("lotto.txt", kFile);
    const std::vector<Draw> source = draws("2020-01-08,7,8,9\n2020-01-11,10,11,12\n");
    const MergeOutcome first = mergeIntoFile(path, source);
    ASSERT_EQ(first.error, "");
    EXPECT_TRUE(first.written);
    EXPECT_EQ(readFile(path), kFile + "20200111 10 11 12\r\n");
    // The same download again changes nothing.
    const auto stamp = fs::last_write_time(fs::u8path(path));
    const MergeOutcome second = mergeIntoFile(path, source);
    EXPECT_EQ(second.error, "");
    EXPECT_FALSE(second.written);
    EXPECT_EQ(readFile(path), kFile + "20200111 10 11 12\r\n");
    EXPECT_EQ(fs::last_write_time(fs::u8path(path)), stamp);
    // A missing file is made.
    const MergeOutcome made = mergeIntoFile(dir.file("new.txt"), source);
    EXPECT_TRUE(made.written);
    EXPECT_EQ(readFile(dir.file("new.txt")), "20200108 7 8 9\r\n20200111 10 11 12\r\n");
    for (const auto& entry : fs::directory_iterator(fs::u8path(dir.path())))
        EXPECT_EQ(entry.path().filename().u8string().find(".tmp"), std::string::npos);
}

TEST(ImportMerge, refusedFilesAreLeftAsTheyWere)
{
    TempDir dir;
    const std::string readOnly = dir.write("ro.txt", kFile);
    fs::permissions(fs::u8path(readOnly), fs::perms::owner_read);
    const std::string tooBig
        = dir.write("big.txt", std::string(corvane::core::TextCodec::kMaxBytes + 1, '#'));
    const std::string disagrees = dir.write("other.txt", kFile);
    const std::vector<Draw> source = draws("2020-01-08,1,1,1\n2020-01-11,10,11,12\n");
    const struct
    {
        std::string path;
        const char* error;
    } cases[] = {
        {readOnly, "is read-only"},
        {tooBig, "is already larger than the 1,048,575 characters"},
        {disagrees, "the draws of 2020-01-08 differ"},
        {dir.path(), "is not a data file"},
    };
    for (const auto& c : cases) {
        const std::string before = readFile(c.path);
        const MergeOutcome outcome = mergeIntoFile(c.path, source);
        EXPECT_NE(outcome.error.find(c.error), std::string::npos) << outcome.error;
        EXPECT_NE(outcome.error.find("nothing was written"), std::string::npos);
        EXPECT_FALSE(outcome.written);
        EXPECT_EQ(readFile(c.path), before);
    }
}

// --- The command line ---

TEST(ImportCli, theHistoryGoesToStandardOutputAndTheSummaryToStandardError)
{
    const auto o = runCli({"import", testData("importer/hungary-keno.csv")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, readFile(testData("importer/expected/hungary-keno.txt")));
    EXPECT_EQ(o.err.rfind("Skipped 5 of 23 rows that could not be read:\n", 0), 0u) << o.err;

    const auto chosen = runCli({"import", "--draw", "Midday Win 4",
        testData("importer/ny-numbers-win4.csv"), "--from", "2001-12-21", "--to", "20011231"});
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.out.substr(0, 20), "20011221 0 6 2 0\r\n20");
    EXPECT_NE(chosen.err.find("Left out"), std::string::npos);
}

TEST(ImportCli, intoMergesAndSaysWhatItDid)
{
    TempDir dir;
    const std::string lotto = testData("importer/ny-open-data-lotto.csv");
    const std::string expected = readFile(testData("importer/expected/ny-open-data-lotto.txt"));
    const std::string head = expected.substr(0, expected.find("20201031"));
    const std::string path = dir.write("ny659.txt", "# New York Lotto\r\n" + head);

    const auto added = runCli({"import", lotto, "--into", path});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out,
        "Added 14 draws to " + path + " (2020-10-31 .. 2020-12-16); 10 were there already.\n");
    EXPECT_EQ(readFile(path), "# New York Lotto\r\n" + expected);

    const auto again = runCli({"import", lotto, "--into", path});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, path + " has every draw of " + lotto + " already: nothing was written.\n");
    EXPECT_EQ(readFile(path), "# New York Lotto\r\n" + expected);

    const auto other
        = runCli({"import", testData("importer/ny-open-data-powerball.csv"), "--into", path});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.out, "");
    EXPECT_NE(
        other.err.find("the source has 6 numbers a draw and " + path + " has 7"), std::string::npos)
        << other.err;
    EXPECT_EQ(readFile(path), "# New York Lotto\r\n" + expected);
}

TEST(ImportCli, refusalsExitWith1AndWrongCommandLinesWith2)
{
    TempDir dir;
    const std::string page = dir.write("page.csv", "<html>Not found</html>\n");
    const std::string into = dir.write("data.txt", "20200101 1 2\r\n");
    const auto refused = runCli({"import", page, "--into", into});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find(page + ": the file is a web page"), std::string::npos);
    EXPECT_EQ(readFile(into), "20200101 1 2\r\n");

    const std::string good = testData("importer/texas-lotto.csv");
    const std::vector<std::vector<std::string>> wrong = {
        {"import"},
        {"import", good, good},
        {"import", good, "--into"},
        {"import", good, "--into", into, "--into", into},
        {"import", good, "--draw"},
        {"import", good, "--draw", ""},
        {"import", good, "--from", "2020-13-01"},
        {"import", good, "--to", "yesterday"},
        {"import", good, "--reverse"},
        {"import", "--into", into},
    };
    for (const auto& args : wrong) {
        const auto o = runCli(args);
        EXPECT_EQ(o.status, 2) << args.size();
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find("usage: corvane-cli"), std::string::npos);
    }
}

} // namespace
