#include "cli_run.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using corvane::test::TempDir;
using Output = corvane::test::CliOutput;

Output run(const std::vector<std::string>& args)
{
    return corvane::test::runCli(args);
}

std::string history(int count)
{
    std::string text;
    for (int k = 0; k < count; ++k)
        text += std::to_string(20010101 + k) + " " + std::to_string(k % 9 + 1) + " "
            + std::to_string(k % 7 + 10) + " " + std::to_string(k % 5 + 20) + " 30\r\n";
    return text;
}

const char* const kFano = "1 2 3\n1 4 5\n1 6 7\n2 4 6\n2 5 7\n3 4 7\n3 5 6\n";

TEST(TicketsCli, aWrongCommandLineSaysWhyThenPrintsTheUsageAndExitsWith2)
{
    TempDir dir;
    const std::string f = dir.write("h.txt", history(20));
    const std::string t = dir.write("t.txt", "1 2 3\n");
    const struct
    {
        std::vector<std::string> args;
        const char* why;
    } cases[] = {
        {{"check"}, "give a data file and a tickets file"},
        {{"check", f}, "give a data file and a tickets file"},
        {{"check", f, t, t}, "give a data file and a tickets file"},
        {{"check", f, t, "--numbers"}, "--numbers needs a whole number from 1 to 49, not ''"},
        {{"check", f, t, "--numbers", "50"}, "not '50'"},
        {{"check", f, t, "--numbers", "0"}, "not '0'"},
        {{"check", f, t, "--numbers", "3", "--numbers", "3"}, "--numbers is given twice"},
        {{"check", f, t, "--from", "2001-1-5"}, "--from needs a date yyyy-mm-dd or yyyymmdd"},
        {{"check", f, t, "--to", "200101"}, "--to needs a date yyyy-mm-dd or yyyymmdd"},
        {{"check", f, t, "--from", "20201301"}, "--from needs a date yyyy-mm-dd or yyyymmdd"},
        {{"check", f, t, "--to", "2021-02-29"}, "--to needs a date yyyy-mm-dd or yyyymmdd"},
        {{"check", f, t, "--to", "05.01.2001"}, "--to needs a date yyyy-mm-dd or yyyymmdd"},
        {{"check", f, t, "--from", "20010110", "--to", "20010105"}, "is after --to"},
        {{"check", f, t, "--json", "--json"}, "--json is given twice"},
        {{"check", f, t, "--bonus", "--bonus"}, "--bonus is given twice"},
        {{"check", f, t, "--all"}, "unknown option --all"},
        {{"wheel"}, "give verify or make"},
        {{"wheel", "check"}, "give verify or make"},
        {{"wheel", "verify", t, "--pool", "7", "--guarantee", "2"}, "wheel verify needs --if"},
        {{"wheel", "verify", "--pool", "7", "--guarantee", "2", "--if", "2"},
            "wheel verify needs one tickets file"},
        {{"wheel", "verify", t, "--pool", "0", "--guarantee", "2", "--if", "2"},
            "--pool needs a whole number from 1 to 999, not '0'"},
        {{"wheel", "verify", t, "--pool", "7", "--guarantee", "x", "--if", "2"}, "not 'x'"},
        {{"wheel", "verify", t, "--pool", "7", "--pool", "8", "--guarantee", "2", "--if", "2"},
            "--pool is given twice"},
        {{"wheel", "verify", t, "--ticket", "3", "--pool", "7", "--guarantee", "2", "--if", "2"},
            "unknown option --ticket"},
        {{"wheel", "make", "--pool", "7", "--ticket", "3", "--guarantee", "2"},
            "wheel make needs --if"},
        {{"wheel", "make", "--pool", "7", "--ticket", "3", "--guarantee", "2", "--if", "2",
             "--seconds", "0"},
            "--seconds needs a number above 0"},
        {{"wheel", "make", "--pool", "7", "--ticket", "3", "--guarantee", "2", "--if", "2",
             "--seconds", "1e3"},
            "not '1e3'"},
        {{"wheel", "make", "--pool", "7", "--ticket", "3", "--guarantee", "2", "--if", "2",
             "--seed", "-1"},
            "--seed needs a whole number, not '-1'"},
        {{"wheel", "make", t, "--pool", "7", "--ticket", "3", "--guarantee", "2", "--if", "2"},
            "wheel make takes no file"},
    };
    for (const auto& c : cases) {
        const Output o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.why;
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("corvane-cli " + c.args[0] + ": ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.why), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("usage: corvane-cli"), std::string::npos);
        EXPECT_NE(o.err.find("wheel make --pool V --ticket K"), std::string::npos);
    }
}

TEST(TicketsCli, badInputPrintsWhatAndWhere_checkExits1_wheelExits2)
{
    TempDir dir;
    const std::string f = dir.write("h.txt", history(20));
    const std::string bad = dir.write("bad.txt", "1 2 3\n4 5 5\n");
    const std::string mixed = dir.write("mixed.txt", "1 2 3\n4 5\n");
    const std::string wheel = dir.write("wheel.txt", "1 2 3\n4 5 6\n");
    const struct
    {
        std::vector<std::string> args;
        const char* says;
        int status;
    } cases[] = {
        {{"check", f, bad}, "bad.txt, line 2: the number 5 is twice on the ticket.", 1},
        {{"check", dir.file("none.txt"), bad}, "bad.txt, line 2", 1},
        {{"check", f, dir.file("none.txt")}, "Cannot read the tickets file", 1},
        {{"check", dir.file("none.txt"), mixed}, "Data File Must Has Data!", 1},
        // A wheel that cannot be checked exits 2: 1 says that its guarantee fails.
        {{"wheel", "verify", mixed, "--pool", "7", "--guarantee", "2", "--if", "2"},
            "mixed.txt, line 2: a ticket of 2 numbers", 2},
        {{"wheel", "verify", bad, "--pool", "7", "--guarantee", "2", "--if", "2"},
            "bad.txt, line 2: the number 5 is twice", 2},
        {{"wheel", "verify", dir.file("none.txt"), "--pool", "7", "--guarantee", "2", "--if", "2"},
            "Cannot read the tickets file", 2},
        {{"wheel", "verify", wheel, "--pool", "7", "--guarantee", "2", "--if", "8"},
            "--if 8 is more than the 7 numbers", 2},
        {{"wheel", "make", "--pool", "70", "--ticket", "6", "--guarantee", "3", "--if", "3"},
            "at most 64 numbers", 2},
        {{"wheel", "make", "--pool", "7", "--ticket", "3", "--guarantee", "4", "--if", "4"},
            "--guarantee 4 is more than a ticket's 3 numbers.", 2},
    };
    for (const auto& c : cases) {
        const Output o = run(c.args);
        EXPECT_EQ(o.status, c.status) << c.says;
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find("usage:"), std::string::npos);
    }
}

TEST(TicketsCli, checkPrintsTheTableOrJson)
{
    TempDir dir;
    const std::string f = dir.write("h.txt", history(20));
    const std::string t = dir.write("t.txt", "# mine\n1, 10, 20\n");
    const Output text = run({"check", f, t, "--numbers", "3", "--bonus", "--from", "20010102"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_NE(text.out.find("Draws: 19, the draws from 20010102 to the last (20010102 to "
                            "20010120)."),
        std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Ticket 1 (line 2): 1 10 20\n  matched      draws   fair draw   "
                            "and bonus   fair draw\n"),
        std::string::npos)
        << text.out;
    // The period written with dashes is the same period.
    const Output dashed = run({"check", f, t, "--numbers", "3", "--bonus", "--from", "2001-01-02"});
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(dashed.out, text.out);
    const Output json = run({"check", f, t, "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"file\": \"h.txt\", ", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"numbers\": 4, \"bonus\": false"), std::string::npos);
}

TEST(TicketsCli, verifyExitsWith0WhenTheGuaranteeHoldsAnd1WhenNot)
{
    TempDir dir;
    const std::string fano = dir.write("fano.txt", kFano);
    const std::string six = dir.write("six.txt", std::string(kFano).substr(0, 36));
    const Output holds
        = run({"wheel", "verify", fano, "--pool", "7", "--guarantee", "2", "--if", "2"});
    EXPECT_EQ(holds.status, 0) << holds.err;
    EXPECT_NE(holds.out.find("Guarantee \"2 if 2\": holds."), std::string::npos);
    EXPECT_NE(holds.out.find("What a wheel buys"), std::string::npos);
    const Output fails
        = run({"wheel", "verify", six, "--pool", "7", "--guarantee", "2", "--if", "2"});
    EXPECT_EQ(fails.status, 1);
    EXPECT_EQ(fails.err, "");
    EXPECT_NE(fails.out.find("does not hold. 3 of the 21 sets"), std::string::npos) << fails.out;
    EXPECT_NE(fails.out.find("the first is 3 5."), std::string::npos) << fails.out;
}

TEST(TicketsCli, makePrintsTicketsThatVerifyAndItsFiguresOnStandardError)
{
    TempDir dir;
    const Output made = run({"wheel", "make", "--pool", "8", "--ticket", "4", "--guarantee", "3",
        "--if", "3", "--seed", "3", "--seconds", "0.5"});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(std::count(made.out.begin(), made.out.end(), '\n'), 14);
    EXPECT_NE(made.err.find("Made a wheel of 14 tickets of 4 numbers from 1 to 8, guarantee \"3 "
                            "if 3\" (seed 3, budget 0.5 s;"),
        std::string::npos)
        << made.err;
    EXPECT_NE(made.err.find("Lower bound: 14 tickets (Schoenheim's bound). The wheel meets it"),
        std::string::npos)
        << made.err;
    EXPECT_NE(made.err.find("Guarantee \"3 if 3\": holds."), std::string::npos);
    const std::string wheel = dir.write("w.txt", made.out);
    EXPECT_EQ(
        run({"wheel", "verify", wheel, "--pool", "8", "--guarantee", "3", "--if", "3"}).status, 0);
}

} // namespace
