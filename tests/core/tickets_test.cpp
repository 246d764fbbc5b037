// Ticket files, the counting helpers and checking tickets against every draw of a history.
#include "core/tickets/check.h"
#include "core/tickets/check_report.h"
#include "core/tickets/combinatorics.h"
#include "core/tickets/ticketfile.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace corvane::core;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

// ---- ticket files

TEST(TicketFile, readsEverySeparatorAndSkipsBlankAndCommentLines)
{
    RecordingUi ui;
    const auto tickets = parseTickets("\xEF\xBB\xBF# my numbers\r\n"
                                      "3 11 12\r\n"
                                      "\r\n"
                                      "  \t \n"
                                      "  # spaced comment\n"
                                      "1,2;3\t4  ,, 5\n"
                                      "007 0 49\r",
        "t.txt", ui);
    ASSERT_TRUE(tickets) << (ui.messages.empty() ? "" : ui.messages[0]);
    ASSERT_EQ(tickets->size(), 3u);
    EXPECT_EQ((*tickets)[0].numbers, (std::vector<int> {3, 11, 12}));
    EXPECT_EQ((*tickets)[0].line, 2);
    EXPECT_EQ((*tickets)[1].numbers, (std::vector<int> {1, 2, 3, 4, 5}));
    EXPECT_EQ((*tickets)[1].line, 6);
    EXPECT_EQ((*tickets)[2].numbers, (std::vector<int> {7, 0, 49}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(TicketFile, aLineThatIsNoTicketRefusesTheFileNamingTheLine)
{
    const struct
    {
        const char* text;
        const char* says;
    } cases[] = {
        {"1 2 3\n4 x 6\n", "t.txt, line 2: 'x' is not a whole number"},
        {"1 2 3\n\n-4 5 6\n", "t.txt, line 3: '-4' is not a whole number"},
        {"1.5 2\n", "t.txt, line 1: '1.5' is not a whole number"},
        {"1 2 3 2\n", "t.txt, line 1: the number 2 is twice on the ticket"},
        {"1 02 2\n", "t.txt, line 1: the number 2 is twice on the ticket"},
        {"1 2 1000\n", "t.txt, line 1: the number '1000' is above 999"},
        {"1 2 99999999999999999999\n", "line 1: the number '99999999999999999999' is above"},
        {"1 2\n,,;\n", "t.txt, line 2: no numbers on the line"},
        {"", "t.txt holds no ticket"},
        {"# only a comment\n\n", "t.txt holds no ticket"},
        {"1 2 3 # note\n", "t.txt, line 1: '#' is not a whole number"},
        {"1 2\x01 3\n", "t.txt, line 1: '2?' is not a whole number"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        EXPECT_FALSE(parseTickets(c.text, "t.txt", ui)) << c.text;
        ASSERT_EQ(ui.messages.size(), 1u) << c.text;
        EXPECT_NE(ui.messages[0].find(c.says), std::string::npos) << ui.messages[0];
    }
}

TEST(TicketFile, aMissingFileIsRefusedWithItsPath)
{
    TempDir dir;
    RecordingUi ui;
    EXPECT_FALSE(readTickets(dir.file("none.txt"), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("Cannot read the tickets file"), std::string::npos);
    EXPECT_NE(ui.messages[0].find("none.txt"), std::string::npos);
}

// ---- counting helpers

TEST(Combinatorics, binomialsAreExactAndSaturate)
{
    const struct
    {
        int n, k;
        std::uint64_t value;
    } cases[] = {
        {0, 0, 1},
        {5, -1, 0},
        {5, 6, 0},
        {49, 6, 13983816},
        {49, 43, 13983816},
        {64, 32, 1832624140942590534ULL},
        {67, 33, 14226520737620288370ULL},
        {68, 34, kTooMany},
        {1000, 500, kTooMany},
    };
    for (const auto& c : cases)
        EXPECT_EQ(binomial(c.n, c.k), c.value) << c.n << " " << c.k;
}

TEST(Combinatorics, lowerBoundsOfKnownDesigns)
{
    const struct
    {
        int V, K, T, M;
        std::uint64_t bound;
    } cases[] = {
        {7, 3, 2, 2, 7}, // Fano plane
        {9, 3, 2, 2, 12},
        {8, 4, 3, 3, 14}, // S(3,4,8)
        {13, 3, 2, 2, 26},
        {12, 6, 5, 5, 132}, // S(5,6,12)
        {12, 6, 3, 3, 14}, // Schoenheim: 2 ceil(11/5 ceil(10/4)); the true size is 15
        // "3 if 6" of 49: the counting bound, ceil(13983816 / 260624)
        {49, 6, 3, 6, 54},
        // One ticket of all the numbers.
        {6, 6, 3, 6, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheelLowerBound(c.V, c.K, c.T, c.M), c.bound) << c.V << " " << c.K;
    EXPECT_EQ(setsCoveredByOneTicket(49, 6, 3, 6), 260624u);
}

TEST(Combinatorics, matchesOverAllSetsCountEveryPairOfSetAndTicket)
{
    // Any tickets: every ticket meets the C(V, M) sets in 0..min(K, M) numbers.
    const std::vector<std::uint64_t> levels = matchesOverAllSets(163, 49, 6, 6);
    std::uint64_t total = 0;
    for (const std::uint64_t n : levels)
        total += n;
    EXPECT_EQ(total, 163u * 13983816u);
    EXPECT_EQ(levels[6], 163u);
    EXPECT_EQ(levels[3], 163u * 20u * 12341u);
}

// ---- check

// The first K numbers and the one after them of every data line of a file, as plain integers
// read independently of the data-file reader (the shipped files are clean).
struct PlainDraw
{
    std::int32_t key;
    std::vector<int> numbers;
};

std::vector<PlainDraw> plainDraws(const std::string& text, int count)
{
    std::vector<PlainDraw> draws;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        PlainDraw draw {};
        if (!(fields >> draw.key))
            continue;
        int n = 0;
        while (static_cast<int>(draw.numbers.size()) < count && fields >> n)
            draw.numbers.push_back(n);
        draws.push_back(draw);
    }
    return draws;
}

TEST(Check, countsAgreeWithABruteForceCountOnTheShippedHistory)
{
    const std::string path = corvane::test::shippedData("ca649.txt");
    const std::string text = corvane::test::readFile(path);
    const std::vector<PlainDraw> draws = plainDraws(text, 7);
    ASSERT_GT(draws.size(), 4000u);

    RecordingUi ui;
    const auto tickets = parseTickets("3 11 12 14 41 43\n1 2 3 4 5 6 7 8\n49\n0 1 50 60\n"
                                      "5 16 17 30 35 46\n",
        "t.txt", ui);
    ASSERT_TRUE(tickets);
    CheckOptions options;
    options.bonus = true;
    const auto run = checkTickets(path, *tickets, options, ui);
    ASSERT_TRUE(run) << ui.messages.at(0);
    EXPECT_EQ(run->numbers, 6);
    EXPECT_EQ(run->draws, draws.size());
    EXPECT_EQ(run->poolLow, 1);
    EXPECT_EQ(run->poolHigh, 49);
    EXPECT_EQ(run->firstKey, draws.front().key);
    EXPECT_EQ(run->lastKey, draws.back().key);

    for (std::size_t t = 0; t < tickets->size(); ++t) {
        const std::vector<int>& ticket = (*tickets)[t].numbers;
        std::vector<std::uint64_t> matches(7, 0), withBonus(7, 0);
        int best = 0;
        std::vector<std::int32_t> bestKeys;
        for (const PlainDraw& draw : draws) {
            int m = 0;
            for (int c = 0; c < 6; ++c)
                m += std::count(ticket.begin(), ticket.end(), draw.numbers[c]) ? 1 : 0;
            ++matches[m];
            if (std::count(ticket.begin(), ticket.end(), draw.numbers[6]))
                ++withBonus[m];
            if (m > best)
                bestKeys.clear();
            best = std::max(best, m);
            if (m == best)
                bestKeys.push_back(draw.key);
        }
        const TicketCheck& got = run->tickets[t];
        EXPECT_EQ(got.matches, matches) << t;
        EXPECT_EQ(got.withBonus, withBonus) << t;
        EXPECT_EQ(got.best, best) << t;
        EXPECT_EQ(got.bestCount, bestKeys.size()) << t;
        ASSERT_EQ(got.bestDraws.size(), std::min<std::size_t>(bestKeys.size(), kBestDrawsKept));
        for (std::size_t i = 0; i < got.bestDraws.size(); ++i)
            EXPECT_EQ(got.bestDraws[i].key, bestKeys[bestKeys.size() - 1 - i]) << t;
    }
    // The last draw of the file is the ticket on line 5.
    EXPECT_EQ(run->tickets[4].best, 6);
    EXPECT_EQ(run->tickets[4].bestDraws.at(0).key, 20251105);
}

TEST(Check, theFairDrawIsTheHypergeometricCountOfEachLevel)
{
    const std::string path = corvane::test::shippedData("ca649.txt");
    RecordingUi ui;
    const auto tickets = parseTickets("1 2 3 4 5 6\n1 2 3 4 5 6 7 8 9 10\n", "t.txt", ui);
    CheckOptions options;
    options.numbers = 6;
    options.bonus = true;
    const auto run = checkTickets(path, *tickets, options, ui);
    ASSERT_TRUE(run);
    const double draws = static_cast<double>(run->draws);
    const double all = 13983816.0;
    // Ticket of 6: C(6,k) C(43,6-k) / C(49,6).
    const double six[] = {6096454, 5775588, 1851150, 246820, 13545, 258, 1};
    for (int k = 0; k <= 6; ++k)
        EXPECT_NEAR(run->tickets[0].expected[k], draws * six[k] / all, 1e-6 * draws) << k;
    double total = 0, bonusTotal = 0;
    for (int k = 0; k <= 6; ++k) {
        total += run->tickets[1].expected[k];
        bonusTotal += run->tickets[1].expectedWithBonus[k];
    }
    EXPECT_NEAR(total, draws, 1e-6 * draws);
    // A ticket of 10 holds the bonus with chance 10/49 in all.
    EXPECT_NEAR(bonusTotal, draws * 10.0 / 49.0, 1e-6 * draws);
    // 5 of 6 and the bonus: 6 ways for the five, the bonus the sixth of the ticket's numbers.
    EXPECT_NEAR(run->tickets[0].expectedWithBonus[5], draws * 6.0 / all, 1e-9 * draws);
}

std::string history(int count, const std::string& tail = "")
{
    std::string text = "# test history\n";
    for (int i = 0; i < count; ++i) {
        text += std::to_string(20010101 + i) + " " + std::to_string(i % 9 + 1) + " "
            + std::to_string(i % 7 + 10) + " " + std::to_string(i % 5 + 20) + tail + "\n";
    }
    return text;
}

TEST(Check, thePeriodTheNumbersAndShortLinesAreHonoured)
{
    TempDir dir;
    std::string text = history(20, " 30");
    // A line cut short by a comment matches nothing where it stops; 0 is a number of its own.
    text += "20010200 1 # note\n20010201 0 10 20 30\n";
    const std::string path = dir.write("h.txt", text);
    RecordingUi ui;
    const auto tickets = parseTickets("1 10 20\n0 30\n", "t.txt", ui);

    CheckOptions whole;
    const auto all = checkTickets(path, *tickets, whole, ui);
    ASSERT_TRUE(all) << ui.messages.at(0);
    EXPECT_EQ(all->numbers, 4);
    EXPECT_EQ(all->draws, 22u);
    EXPECT_EQ(all->poolLow, 0);
    EXPECT_EQ(all->poolHigh, 30);
    // "0 30" matches twice on the last line and once (30) on each of the first 20 lines.
    EXPECT_EQ(all->tickets[1].matches, (std::vector<std::uint64_t> {1, 20, 1, 0, 0}));
    EXPECT_EQ(all->tickets[1].bestDraws.at(0).key, 20010201);

    CheckOptions period;
    period.from = 20010105;
    period.to = 20010110;
    period.numbers = 1;
    const auto some = checkTickets(path, *tickets, period, ui);
    ASSERT_TRUE(some);
    EXPECT_EQ(some->draws, 6u);
    EXPECT_EQ(some->firstKey, 20010105);
    EXPECT_EQ(some->lastKey, 20010110);
    // First numbers 5..9 and 1 of those days: "1 10 20" matches once.
    EXPECT_EQ(some->tickets[0].matches, (std::vector<std::uint64_t> {5, 1}));
}

TEST(Check, aBonusAboveEveryTicketNumberMatchesNothing)
{
    TempDir dir;
    // Bonus numbers up to 700, tickets up to 20: the bonus lies beyond the tickets' numbers.
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += std::to_string(20010101 + i) + " 1 2 3 " + std::to_string(i * 35 + 20) + "\n";
    const std::string path = dir.write("h.txt", text);
    RecordingUi ui;
    const auto tickets = parseTickets("1 2 20\n", "t.txt", ui);
    CheckOptions options;
    options.bonus = true;
    const auto run = checkTickets(path, *tickets, options, ui);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->numbers, 3);
    EXPECT_EQ(run->tickets[0].matches, (std::vector<std::uint64_t> {0, 0, 20, 0}));
    // Only the first draw's bonus, 20, is on the ticket.
    EXPECT_EQ(run->tickets[0].withBonus, (std::vector<std::uint64_t> {0, 0, 1, 0}));
}

TEST(Check, refusesWhatTheFileCannotAnswer)
{
    TempDir dir;
    const std::string three = dir.write("three.txt", history(20));
    const std::string shortFile = dir.write("short.txt", history(10));
    const std::string cut = dir.write("cut.txt", "20010101 1 2 #\n" + history(20, " #"));
    const struct
    {
        std::string path;
        CheckOptions options;
        const char* says;
    } cases[] = {
        {dir.file("missing.txt"), {}, "Data File Must Has Data!"},
        {shortFile, {}, "Data File Must Has At Least 16 Lines"},
        {three, {4, false, {}, {}}, "too few for --numbers 4"},
        {three, {3, true, {}, {}}, "too few for 3 main numbers and a bonus"},
        {three, {{}, false, 20300101, {}}, "No draw of three.txt lies in the period 20300101"},
        {cut, {}, "can tell how many numbers a draw has"},
    };
    RecordingUi parseUi;
    const auto tickets = parseTickets("1 2 3\n", "t.txt", parseUi);
    for (const auto& c : cases) {
        RecordingUi ui;
        EXPECT_FALSE(checkTickets(c.path, *tickets, c.options, ui)) << c.says;
        ASSERT_EQ(ui.messages.size(), 1u) << c.says;
        EXPECT_NE(ui.messages[0].find(c.says), std::string::npos) << ui.messages[0];
    }
}

TEST(Check, theReportAndTheJsonCarryTheCounts)
{
    TempDir dir;
#ifdef _WIN32
    // Windows refuses a quote in a file name; the escape is still checked below.
    const char* const name = "h'q.txt";
    const char* const quoted = "{\"file\": \"h'q.txt\", ";
#else
    const char* const name = "h\"q.txt";
    const char* const quoted = "{\"file\": \"h\\\"q.txt\", ";
#endif
    const std::string path = dir.write(name, history(20, " 30"));
    RecordingUi ui;
    const auto tickets = parseTickets("1 10 20\n", "t.txt", ui);
    CheckOptions options;
    options.numbers = 3;
    options.bonus = true;
    const auto run = checkTickets(path, *tickets, options, ui);
    ASSERT_TRUE(run);
    const std::string json = checkJson(*run);
    EXPECT_EQ(json.rfind(quoted, 0), 0u) << json;
    EXPECT_NE(json.find("\"numbers\": [1, 10, 20], \"matches\": {\"0\": "), std::string::npos);
    EXPECT_NE(json.find("\"withBonus\": {"), std::string::npos);
    EXPECT_NE(json.find("\"best\": [{\"date\": "), std::string::npos);
    EXPECT_EQ(json.back(), '\n');
    const std::string report = checkReport(*run);
    EXPECT_NE(report.find("Ticket 1 (line 1): 1 10 20"), std::string::npos);
    EXPECT_NE(report.find("fair draw"), std::string::npos);
    EXPECT_NE(report.find("Past matches say nothing about the next draw"), std::string::npos);
}

#ifndef _WIN32
// A file name is bytes on Linux; the JSON must stay valid UTF-8 whatever they are.
TEST(Check, theJsonStaysValidForAFileNameThatIsNotUtf8)
{
    TempDir dir;
    const std::string path = dir.write("caf\xE9\x01.txt", history(20, ""));
    RecordingUi ui;
    const auto tickets = parseTickets("1 10 20\n", "t.txt", ui);
    CheckOptions options;
    options.numbers = 3;
    const auto run = checkTickets(path, *tickets, options, ui);
    ASSERT_TRUE(run);
    const std::string json = checkJson(*run);
    EXPECT_EQ(json.rfind("{\"file\": \"caf\xEF\xBF\xBD\\u0001.txt\", ", 0), 0u) << json;
}
#endif

} // namespace
