#include "cli_run.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using corvane::test::TempDir;
using Output = corvane::test::CliOutput;

Output run(const std::vector<std::string>& args)
{
    return corvane::test::runCli(args);
}

std::string sixteenDraws()
{
    std::string text;
    for (int k = 1; k <= 16; ++k)
        text += std::to_string(20020100 + k) + " 7 " + std::to_string(k) + "\r\n";
    return text;
}

TEST(Cli, aWrongCommandLinePrintsTheUsageAndExitsWith2)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"predict"},
        {"predict", "regress"},
        {"predict", "linear", "x.txt"},
        {"predict", "fuzzy", "x.txt", "extra"},
        {"name"},
        {"name", "a", "b"},
        {"catalogue", "extra"},
        {"freq"},
        {"freq", "x.txt", "02-1-5"},
        {"freq", "x.txt", "02-1-5", "02-1-9", "--al"},
        {"freq", "x.txt", "02-1-5", "02-1-9", "--all", "--all"},
        {"freq", "--all", "x.txt", "02-1-5", "02-1-9"},
    };
    for (const auto& args : wrong) {
        const Output o = run(args);
        EXPECT_EQ(o.status, 2) << args.size();
        EXPECT_TRUE(o.out.empty());
        EXPECT_EQ(o.err.rfind("usage: corvane-cli", 0), 0u);
    }
}

TEST(Cli, predictPrintsTheReportWithLfLineEnds)
{
    TempDir dir;
    const std::string path = dir.write("pb545.txt", sixteenDraws());
    const Output regress = run({"predict", "regress", path});
    EXPECT_EQ(regress.status, 0);
    EXPECT_EQ(regress.err, "");
    EXPECT_EQ(regress.out,
        "   The 'Powerball' Lottery \n   After 20020116 Could Be:\n"
        "   (Nonlinear Regress Method)\n\n   7   17   \n");
    const Output fuzzy = run({"predict", "fuzzy", path});
    EXPECT_EQ(fuzzy.status, 0);
    EXPECT_EQ(fuzzy.out,
        "   The 'Powerball' Lottery \n   After 20020116 Could Be:\n"
        "   (Fuzzy Period Method)\n\n   7  3  \n");
}

TEST(Cli, aRefusedFilePrintsItsMessageOnStderrAndExitsWith1)
{
    TempDir dir;
    const struct
    {
        std::string path;
        std::string err;
    } cases[] = {
        {dir.file("missing.txt"), "Data File Must Has Data!\n"},
        {dir.write("few.txt", "20020101 1\n"),
            "Data File Must Has At Least 16 Lines Numbers\nEach Data Line Must Similar To The "
            "Format Described \nIn Help File, Press F1 To See Help\n"},
    };
    for (const auto& c : cases) {
        for (const char* method : {"regress", "fuzzy"}) {
            const Output o = run({"predict", method, c.path});
            EXPECT_EQ(o.status, 1);
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(o.err, c.err);
        }
    }
}

// A list line: the key, then "%4d" of each count of the numbers 1 to 16.
std::string freqLine(const std::string& key, const std::vector<int>& counts)
{
    std::string line = key;
    for (int n = 1; n <= 16; ++n) {
        const int count = n <= static_cast<int>(counts.size()) ? counts[n - 1] : 0;
        line += "\t   " + std::to_string(count);
    }
    return line + "\n";
}

TEST(Cli, freqPrintsTheListTabSeparated)
{
    TempDir dir;
    const std::string path = dir.write("draws.txt", sixteenDraws());
    std::string header = "Day\\Lott";
    for (int n = 1; n <= 16; ++n)
        header += "\t" + std::to_string(n);
    header += "\n";

    const Output totals = run({"freq", path, "02-1-4", "02-1-3"});
    EXPECT_EQ(totals.status, 0);
    EXPECT_EQ(totals.err, "");
    EXPECT_EQ(totals.out, header + freqLine("20020104", {0, 0, 1, 1, 0, 0, 2}));

    const Output all = run({"freq", path, "02-1-3", "02-1-4", "--all"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out,
        header + freqLine("20020104", {0, 0, 1, 1, 0, 0, 2})
            + freqLine("20020103", {0, 0, 1, 0, 0, 0, 1}));

    // The dates may have leading zeros, and a date after every draw ends with the last one.
    const Output zeros = run({"freq", path, "02-01-04", "99-12-31"});
    EXPECT_EQ(zeros.status, 0);
    EXPECT_EQ(zeros.out.substr(0, header.size()), header);
    EXPECT_EQ(zeros.out.substr(header.size(), 9), "20020116\t");

    const Output missing = run({"freq", dir.file("missing.txt"), "02-1-3", "02-1-4"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Data File Must Has Data!\n");
}

TEST(Cli, freqRefusesADateNotWrittenYyMD)
{
    TempDir dir;
    const std::string path = dir.write("draws.txt", sixteenDraws());
    const struct
    {
        std::string from;
        std::string to;
        std::string refused;
    } cases[] = {
        {"2025-01-01", "25-12-31", "2025-01-01"},
        {"02-1-5", "2002-1-9", "2002-1-9"},
        {"abc", "02-1-9", "abc"},
        {"02-1-5", "--all", "--all"},
        {"", "02-1-9", ""},
        {"2-1-5", "02-1-9", "2-1-5"},
        {"02-1-5", "02-1-5x", "02-1-5x"},
        {"02-1-5 ", "02-1-9", "02-1-5 "},
        {"02/1/5", "02-1-9", "02/1/5"},
        {"02-13-1", "02-1-9", "02-13-1"},
        {"02-0-1", "02-1-9", "02-0-1"},
        {"02-2-29", "02-1-9", "02-2-29"},
        {"02-4-31", "02-1-9", "02-4-31"},
        {"02-1-0", "02-1-9", "02-1-0"},
        {"02-001-5", "02-1-9", "02-001-5"},
        {"02-1-5-7", "02-1-9", "02-1-5-7"},
        {"+2-1-5", "02-1-9", "+2-1-5"},
    };
    for (const auto& c : cases) {
        for (const bool all : {false, true}) {
            std::vector<std::string> args {"freq", path, c.from, c.to};
            if (all)
                args.push_back("--all");
            const Output o = run(args);
            EXPECT_EQ(o.status, 2) << c.from << ' ' << c.to;
            EXPECT_EQ(o.out, "");
            EXPECT_EQ(o.err.rfind("corvane-cli freq: \"" + c.refused
                              + "\" is not a date written yy-M-d, such as 02-1-5\n\n",
                          0),
                0u)
                << o.err;
            EXPECT_NE(o.err.find("usage: corvane-cli"), std::string::npos);
        }
    }
    // The dates are checked before the file is read: a missing file changes nothing.
    const Output missing = run({"freq", dir.file("missing.txt"), "2025-01-01", "02-1-9"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.find("Data File Must Has Data!"), std::string::npos);

    // Real dates of every shape are taken, the 29th of February in a leap year among them.
    for (const char* date : {"02-1-5", "02-01-05", "24-2-29", "00-2-29", "99-12-31", "02-10-1"}) {
        const Output o = run({"freq", path, date, "02-1-9"});
        EXPECT_EQ(o.status, 0) << date;
        EXPECT_EQ(o.err, "") << date;
    }
}

TEST(Cli, nameAndCatalogue)
{
    EXPECT_EQ(run({"name", "PB545.txt"}).out, "Powerball\n");
    EXPECT_EQ(run({"name", "mydraws.txt"}).out, "mydraws.txt\n");
    EXPECT_EQ(run({"name", ""}).out, "\n");

    const TempDir dir;
    const Output o = corvane::test::runCli({"catalogue"}, dir.path());
    EXPECT_EQ(o.status, 0);
    std::vector<std::string> lines;
    std::istringstream in(o.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 208u + 12u + 40u + 1u);
    EXPECT_EQ(lines.front(), "United States\tAlabama\t\t\t");
    EXPECT_EQ(lines[2], "United States\tArizona\tPowerball\tpb545.txt\tno history");
    EXPECT_EQ(lines[220], "Other States\tAustralia\tTattslotto\tau645.txt\tno history");
    EXPECT_EQ(lines.back(), "Other States\tTaiwan\tTaiwan Lotto\ttwl.txt\tno history");
    EXPECT_NE(o.out.find("\nOther States\tSpain\t\t\t\n"), std::string::npos);
    EXPECT_NE(o.out.find("\nUnited States\tGeorgia\tLotto South \tls649.txt\tno history\n"),
        std::string::npos);
}

// The last column tells what the data file beside the program holds, for every region that
// names it.
TEST(Cli, catalogueSaysWhichLotteriesHaveAHistory)
{
    const TempDir dir;
    dir.write("pb545.txt", "# Powerball\r\n20240101 1 2 3 4 5 6\r\n  20240104 7 8 9 10 11 12\r\n");
    dir.write("ls649.txt", "# Lotto South: no history ships, type the draws below\r\n");
    dir.write("twl.txt", "20240101 1 2 3 4 5 6\n");
    dir.write("au645.txt", "");

    const Output o = corvane::test::runCli({"catalogue"}, dir.path());
    ASSERT_EQ(o.status, 0);
    std::map<std::string, std::set<std::string>> history;
    std::istringstream in(o.out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        if (line.back() == '\t')
            fields.emplace_back();
        ASSERT_EQ(fields.size(), 5u) << line;
        if (!fields[3].empty())
            history[fields[3]].insert(fields[4]);
        else
            EXPECT_EQ(fields[4], "") << line;
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"pb545.txt", "2 draws"},
        {"twl.txt", "1 draw"},
        {"ls649.txt", "no history"},
        {"au645.txt", "no history"},
        {"ca649.txt", "no history"},
    };
    for (const auto& [file, column] : cases)
        EXPECT_EQ(history[file], std::set<std::string> {column}) << file;
    EXPECT_EQ(history.size(), 198u);
}

} // namespace
