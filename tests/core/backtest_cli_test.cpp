#include "cli_run.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvane::test::TempDir;
using Output = corvane::test::CliOutput;

Output run(const std::vector<std::string>& args)
{
    return corvane::test::runCli(args);
}

// count draws of 3 numbers each, cycling through 1..top.
std::string draws(int count, int top = 30, int numbers = 3)
{
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += std::to_string(20010101 + k);
        for (int c = 0; c < numbers; ++c)
            text += ' ' + std::to_string((k * 7 + c * 11) % top + 1);
        text += '\n';
    }
    return text;
}

TEST(BacktestCli, aWrongCommandLineSaysWhyThenPrintsTheUsageAndExitsWith2)
{
    TempDir dir;
    const std::string f = dir.write("x.txt", draws(40));
    const struct
    {
        std::vector<std::string> args;
        const char* why;
    } cases[] = {
        {{"backtest"}, "give a method"},
        {{"backtest", "regress"}, "give a method"},
        {{"backtest", "regress", f, "extra"}, "give a method"},
        {{"backtest", "linear", f}, "not 'linear'"},
        {{"backtest", "fuzzy", f, "--draws"}, "--draws needs"},
        {{"backtest", "fuzzy", f, "--draws", "0"}, "not '0'"},
        {{"backtest", "fuzzy", f, "--draws", "-5"}, "not '-5'"},
        {{"backtest", "fuzzy", f, "--draws", "1.5"}, "not '1.5'"},
        {{"backtest", "fuzzy", f, "--draws", "9999999999"}, "not '9999999999'"},
        {{"backtest", "fuzzy", f, "--numbers", "0"}, "from 1 to 49"},
        {{"backtest", "fuzzy", f, "--numbers", "50"}, "from 1 to 49"},
        {{"backtest", "fuzzy", f, "--pool", "1"}, "from 2 to 1000"},
        {{"backtest", "fuzzy", f, "--pool", "1001"}, "from 2 to 1000"},
        {{"backtest", "fuzzy", f, "--numbers", "6", "--pool", "6"}, "larger than --numbers"},
        {{"backtest", "fuzzy", f, "--draws", "5", "--draws", "6"}, "given twice"},
        {{"backtest", "fuzzy", f, "--csv", "--csv"}, "given twice"},
        {{"backtest", "fuzzy", f, "--frob"}, "unknown option --frob"},
    };
    for (const auto& c : cases) {
        const Output o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.why;
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("corvane-cli backtest: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.why), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("usage: corvane-cli"), std::string::npos);
        EXPECT_NE(o.err.find("backtest regress|fuzzy FILE"), std::string::npos);
    }
}

TEST(BacktestCli, aFileThatCannotBeBacktestedPrintsItsMessageAndExitsWith1)
{
    TempDir dir;
    const std::string big = [] {
        std::string text = draws(30);
        text += "20300101 1 2 5000\n";
        return text;
    }();
    const struct
    {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{dir.file("missing.txt")}, "Data File Must Has Data!\n"},
        {{dir.write("ten.txt", draws(10))},
            "Data File Must Has At Least 16 Lines Numbers\nEach Data Line Must Similar To The "
            "Format Described \nIn Help File, Press F1 To See Help\n"},
        {{dir.write("sixteen.txt", draws(16))},
            "sixteen.txt has 16 draws: a backtest needs at least 17, 16 to predict from and 1 "
            "to test.\n"},
        {{dir.write("three.txt", draws(40)), "--numbers", "4"},
            "--numbers 4 is more than the 3 numbers per draw of three.txt.\n"},
        {{dir.write("small.txt", draws(40, 3)), "--numbers", "3"},
            "A ticket of 3 numbers out of a pool of 3 leaves nothing to chance: the pool must be "
            "larger than the ticket (give it with --pool).\n"},
        {{dir.write("pool.txt", draws(40)), "--pool", "20"},
            "Draw 20010117 of pool.txt has the number 23, outside the pool 1..20 of --pool.\n"},
        {{dir.write("big.txt", big)},
            "The largest number of big.txt is 5000: pools of more than 1000 numbers are not a "
            "lottery's. Give the pool with --pool.\n"},
        {{dir.write("inf.txt", draws(30) + "20300101 1 2 1e400\n")},
            "The largest number of inf.txt is inf: pools of more than 1000 numbers are not a "
            "lottery's. Give the pool with --pool.\n"},
        {{dir.write("comment.txt",
             [] {
                 std::string text;
                 for (int k = 0; k < 20; ++k)
                     text += std::to_string(20010101 + k) + " 1 2 # note\n";
                 return text;
             }())},
            "No draw of comment.txt can tell how many numbers a draw has: the line ends in "
            "something that is not a number.\n"},
    };
    for (const auto& c : cases) {
        for (const char* method : {"regress", "fuzzy"}) {
            std::vector<std::string> args = {"backtest", method};
            args.insert(args.end(), c.args.begin(), c.args.end());
            const Output o = run(args);
            EXPECT_EQ(o.status, 1) << c.err;
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(o.err, c.err);
        }
    }
    // The refused files are left as they were.
    EXPECT_EQ(corvane::test::readFile(dir.file("big.txt")), big);
}

TEST(BacktestCli, printsOnlyTheBacktestOrItsCsv)
{
    TempDir dir;
    const std::string f = dir.write("x.txt", draws(40));
    for (const char* method : {"regress", "fuzzy"}) {
        const Output report = run({"backtest", method, f, "--draws", "10"});
        EXPECT_EQ(report.status, 0);
        EXPECT_EQ(report.err, "");
        EXPECT_EQ(report.out.rfind("Backtest of the ", 0), 0u);
        // Not one of the method's own reports reaches the terminal.
        EXPECT_EQ(report.out.find("Could Be:"), std::string::npos);

        const Output csv = run({"backtest", "--csv", method, "--pool", "40", f});
        EXPECT_EQ(csv.status, 0);
        EXPECT_EQ(csv.out.rfind("key,n1,n2,n3,hits,exact\n", 0), 0u);
        EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 24);
    }
}

} // namespace
