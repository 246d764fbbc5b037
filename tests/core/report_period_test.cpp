#include "core/analysis/period.h"
#include "core/io/linesource.h"

#include "recording_ui.h"
#include "report_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace corvane::core;
using corvane::test::RecordingUi;

// --- one data line as the format reads it ---

TEST(ReportDrawLine, readsAsTheDataFileFormatSays)
{
    const struct
    {
        const char* line;
        bool data;
        double key;
        std::vector<double> numbers;
    } cases[] = {
        {"   20020102 5 12 19 33 41 47", true, 20020102, {5, 12, 19, 33, 41, 47}},
        {"20020105  3   17 22  ", true, 20020105, {3, 17, 22}},
        {"20020105 3 17 22 # bonus 9", true, 20020105, {3, 17, 22}},
        {"20020105 3 -4 5", true, 20020105, {3}},
        {"20020105 07 12abc 1.5", true, 20020105, {7, 12, 1.5}},
        {"20020105\t1\t2\t3", true, 20020105, {}},
        {"20020105", true, 20020105, {}},
        {"\t20020105 1 2", false, 0, {}},
        {"# history", false, 0, {}},
        {"", false, 0, {}},
        {"Lotto 6/49", false, 0, {}},
    };
    for (const auto& c : cases) {
        const std::optional<DrawLine> draw = readDrawLine(c.line);
        ASSERT_EQ(draw.has_value(), c.data) << c.line;
        if (!draw)
            continue;
        EXPECT_EQ(draw->key, c.key) << c.line;
        EXPECT_EQ(draw->numbers, c.numbers) << c.line;
    }
}

TEST(ReportDrawLine, keepsAtMost49Numbers)
{
    std::string line = "20020105";
    for (int n = 1; n <= 60; ++n)
        line += ' ' + std::to_string(n);
    EXPECT_EQ(readDrawLine(line)->numbers.size(), 49u);
}

// --- dates ---

TEST(ReportDates, parsesRealCalendarDatesOnly)
{
    const struct
    {
        const char* text;
        std::optional<std::int32_t> key;
    } cases[] = {
        {"2015-10-10", 20151010},
        {"20151010", 20151010},
        {"2016-02-29", 20160229},
        {"2000-02-29", 20000229},
        {"1900-02-29", std::nullopt},
        {"2015-02-29", std::nullopt},
        {"2015-13-01", std::nullopt},
        {"2015-04-31", std::nullopt},
        {"2015-00-10", std::nullopt},
        {"2015-1-01", std::nullopt},
        {"2015/10/10", std::nullopt},
        {"201510101", std::nullopt},
        {"15-10-10", std::nullopt},
        {"2015-10-1x", std::nullopt},
        {"+2015101", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDrawDate(c.text), c.key) << c.text;
}

TEST(ReportDates, showsEightDigitKeysAsDates)
{
    EXPECT_EQ(showDrawKey(20151010), "2015-10-10");
    EXPECT_EQ(showDrawKey(12345), "12345");
    EXPECT_EQ(showDrawKey(20151010.5), "20151010.5");
}

// --- eras ---

std::vector<int> maximaOf(const std::vector<std::vector<int>>& draws)
{
    std::vector<int> maxima;
    for (const auto& draw : draws)
        maxima.push_back(*std::max_element(draw.begin(), draw.end()));
    return maxima;
}

std::vector<std::vector<int>> concat(
    std::vector<std::vector<int>> a, const std::vector<std::vector<int>>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ReportEra, findsTheLatestChangeOfThePool)
{
    std::mt19937 random(59);
    using corvane::test::fairDraws;
    const auto old649 = fairDraws(random, 600, 6, 49);
    const auto new659 = fairDraws(random, 300, 6, 59);
    const auto grew = concat(old649, new659);
    int firstAbove49 = 600;
    while (maximaOf({grew[firstAbove49]})[0] <= 49)
        ++firstAbove49;

    const auto old575 = fairDraws(random, 400, 5, 75);
    const auto shrank = concat(old575, fairDraws(random, 200, 5, 70));
    int lastAbove70 = 399;
    while (maximaOf({shrank[lastAbove70]})[0] <= 70)
        --lastAbove70;

    // A typo of 94 in one draw is no era; nor is a 49 that stays away for the last 40 draws.
    auto typo = fairDraws(random, 800, 6, 49);
    typo[500][2] = 94;
    auto quietEnd = fairDraws(random, 800, 6, 49);
    for (int i = 760; i < 800; ++i)
        for (int& n : quietEnd[i])
            n = n == 49 ? 1 : n;
    const auto twice = concat(concat(fairDraws(random, 300, 5, 45), fairDraws(random, 300, 5, 49)),
        fairDraws(random, 200, 5, 59));
    int firstAbove49InThird = 600;
    while (maximaOf({twice[firstAbove49InThird]})[0] <= 49)
        ++firstAbove49InThird;

    const struct
    {
        const char* name;
        std::vector<std::vector<int>> draws;
        int K, lowest;
        bool replacement;
        int start;
    } cases[] = {
        {"one pool", fairDraws(random, 3000, 6, 49), 6, 1, false, 0},
        {"keno", fairDraws(random, 2000, 20, 80), 20, 1, false, 0},
        {"digits", fairDraws(random, 3000, 3, 10, true), 3, 0, true, 0},
        {"6/49 to 6/59", grew, 6, 1, false, firstAbove49},
        {"5/75 to 5/70", shrank, 5, 1, false, lastAbove70 + 1},
        {"45, 49, then 59", twice, 5, 1, false, firstAbove49InThird},
        {"a typo", typo, 6, 1, false, 0},
        {"a quiet end", quietEnd, 6, 1, false, 0},
        {"one draw", {{1, 2, 3}}, 3, 1, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findEraStart(maximaOf(c.draws), c.K, c.lowest, c.replacement), c.start) << c.name;
}

// --- choosing the period from a file ---

struct Chosen
{
    std::optional<Period> period;
    std::vector<std::string> messages;
};

Chosen choose(const std::string& text, const ReportOptions& options = {})
{
    static std::vector<std::string> keep;
    keep.push_back(text);
    RecordingUi ui;
    Chosen chosen;
    chosen.period = choosePeriod(splitLines(keep.back()), "x.txt", options, ui);
    chosen.messages = ui.messages;
    return chosen;
}

std::string fair649(int count, unsigned seed = 1)
{
    std::mt19937 random(seed);
    return corvane::test::historyText(corvane::test::fairDraws(random, count, 6, 49));
}

TEST(ReportPeriod, refusesWhatItCannotAnalyseNamingTheDraw)
{
    std::string fraction = fair649(30);
    const std::size_t line11 = fraction.find("19900111");
    fraction.replace(fraction.find(' ', line11), 0, " 7.5");
    std::string short20 = fair649(30);
    short20 += "19900201 1 2 3\r\n";
    ReportOptions from;
    from.from = 19900101;
    ReportOptions pool40;
    pool40.pool = 40;
    ReportOptions numbers6pool6;
    numbers6pool6.numbers = 6;
    numbers6pool6.pool = 6;
    ReportOptions tiny;
    tiny.from = 19900105;
    tiny.to = 19900110;
    const struct
    {
        const char* name;
        std::string text;
        ReportOptions options;
        const char* says;
    } cases[] = {
        {"a single draw", "20020102 1 2 3 4 5 6\r\n", {}, "At Least 16 Lines"},
        {"an empty file", "", {}, "At Least 16 Lines"},
        {"no count of numbers",
            std::string(20, '\n') +
                [] {
                    std::string t;
                    for (int i = 0; i < 20; ++i)
                        t += "2002010" + std::to_string(i % 9 + 1) + " 1 2 # note\r\n";
                    return t;
                }(),
            {}, "can tell how many numbers"},
        {"a fraction", fraction, {}, "no whole number"},
        {"a short draw in the period", short20, from, "has 3 numbers; the report reads"},
        {"a number above --pool", fair649(30), pool40, "outside the pool 1 to 40"},
        {"a pool no larger than K",
            [] {
                std::string t;
                for (int i = 0; i < 20; ++i)
                    t += std::to_string(19900101 + i) + " 1 2 3 4 5 6\r\n";
                return t;
            }(),
            numbers6pool6, "leaves nothing to chance"},
        {"a huge number", fair649(30) + "19900301 1 2 3 4 5 5000\r\n", {}, "not a lottery's"},
        {"a period of 6 draws", fair649(30), tiny, "holds 6 draws: a report needs at least 16"},
    };
    for (const auto& c : cases) {
        const Chosen chosen = choose(c.text, c.options);
        EXPECT_FALSE(chosen.period) << c.name;
        ASSERT_EQ(chosen.messages.size(), 1u) << c.name;
        EXPECT_NE(chosen.messages[0].find(c.says), std::string::npos)
            << c.name << ": " << chosen.messages[0];
    }
    EXPECT_NE(
        choose(fraction).messages[0].find("Draw 1990-01-11 (line 11) of x.txt has the number 7.5"),
        std::string::npos)
        << choose(fraction).messages[0];
    EXPECT_NE(
        choose(short20, from).messages[0].find("Draw 1990-02-01 (line 31)"), std::string::npos);
}

TEST(ReportPeriod, takesTheDatesGivenAndTheFileOtherwise)
{
    const std::string text = "# a comment\r\n" + fair649(100);
    ReportOptions window;
    window.from = 19900111;
    window.to = 19900210;
    const struct
    {
        const char* name;
        ReportOptions options;
        int draws;
        double first, last;
    } cases[] = {
        {"everything", {}, 100, 19900101, 19900410},
        {"a window", window, 31, 19900111, 19900210},
    };
    for (const auto& c : cases) {
        const Chosen chosen = choose(text, c.options);
        ASSERT_TRUE(chosen.period) << c.name;
        EXPECT_EQ(chosen.period->draws(), c.draws) << c.name;
        EXPECT_EQ(chosen.period->keys.front(), c.first) << c.name;
        EXPECT_EQ(chosen.period->keys.back(), c.last) << c.name;
        EXPECT_EQ(chosen.period->dataLines, 100) << c.name;
        EXPECT_EQ(chosen.period->numbers, 6) << c.name;
        EXPECT_EQ(chosen.period->pool, 49) << c.name;
        EXPECT_FALSE(chosen.period->replacement) << c.name;
        EXPECT_EQ(chosen.period->lines.size(), static_cast<std::size_t>(c.draws)) << c.name;
    }
}

TEST(ReportPeriod, aHistoryWithZeroIsADigitGame)
{
    std::mt19937 random(3);
    const Chosen chosen
        = choose(corvane::test::historyText(corvane::test::fairDraws(random, 50, 3, 10, true)));
    ASSERT_TRUE(chosen.period);
    EXPECT_TRUE(chosen.period->replacement);
    EXPECT_EQ(chosen.period->lowest, 0);
    EXPECT_EQ(chosen.period->pool, 10);
    EXPECT_EQ(chosen.period->repeatingDraws, 0);
}

TEST(ReportPeriod, countsDrawsThatRepeatANumberOfAnotherDrum)
{
    // Five of 1..69 and a last ball of 1..26 that may equal one of them.
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += std::to_string(19900101 + i) + " 3 15 27 44 " + std::to_string(50 + i % 20)
            + (i % 10 == 0 ? " 15" : " 1") + "\r\n";
    const Chosen six = choose(text);
    ASSERT_TRUE(six.period);
    EXPECT_EQ(six.period->repeatingDraws, 4);
    EXPECT_EQ(six.period->firstRepeatKey, 19900101);
    ReportOptions five;
    five.numbers = 5;
    EXPECT_EQ(choose(text, five).period->repeatingDraws, 0);
}

TEST(ReportPeriod, startsAfterTheDrawsOfFewerNumbersOrAtTheLatestEra)
{
    std::mt19937 random(7);
    using corvane::test::fairDraws;
    const std::string fewer = corvane::test::historyText(fairDraws(random, 40, 5, 49))
        + corvane::test::historyText(fairDraws(random, 60, 6, 49), 40);
    // The file's numbers per draw are those of its first line (of its last 490 in a longer
    // file), so --numbers 6 asks for the later draws.
    EXPECT_EQ(choose(fewer).period->numbers, 5);
    ReportOptions six;
    six.numbers = 6;
    const Chosen a = choose(fewer, six);
    ASSERT_TRUE(a.period);
    EXPECT_EQ(a.period->draws(), 60);
    EXPECT_EQ(a.period->era.kind, EraKind::FewerNumbers);
    EXPECT_EQ(a.period->era.draws, 40);

    const auto old = fairDraws(random, 700, 6, 49);
    auto later = fairDraws(random, 200, 6, 59);
    later[0] = {50, 1, 2, 3, 4, 5};
    const std::string grew
        = corvane::test::historyText(old) + corvane::test::historyText(later, 700);
    const Chosen b = choose(grew);
    ASSERT_TRUE(b.period);
    EXPECT_EQ(b.period->draws(), 200);
    EXPECT_EQ(b.period->pool, 59);
    EXPECT_EQ(b.period->era.kind, EraKind::Grew);
    EXPECT_EQ(b.period->era.earlierMax, 49);
    EXPECT_EQ(b.period->era.draws, 700);

    // Draws of fewer numbers, then a change of the pool: both are left out and told apart.
    ReportOptions sixNumbers;
    sixNumbers.numbers = 6;
    const Chosen both
        = choose(corvane::test::historyText(fairDraws(random, 40, 5, 45)) + grew, sixNumbers);
    ASSERT_TRUE(both.period);
    EXPECT_EQ(both.period->draws(), 200);
    EXPECT_EQ(both.period->era.kind, EraKind::Grew);
    EXPECT_EQ(both.period->era.draws, 700);
    EXPECT_EQ(both.period->era.shorterDraws, 40);

    // A pool or a first date given: no era is looked for.
    ReportOptions pool;
    pool.pool = 59;
    EXPECT_EQ(choose(grew, pool).period->draws(), 900);
    ReportOptions from;
    from.from = 19900101;
    EXPECT_EQ(choose(grew, from).period->draws(), 900);
    EXPECT_EQ(choose(grew, from).period->pool, 59);

    // An era of fewer than 16 draws is told, not analysed.
    const std::string young = corvane::test::historyText(old)
        + corvane::test::historyText(fairDraws(random, 10, 6, 59), 700);
    const Chosen c = choose(young);
    EXPECT_FALSE(c.period);
    ASSERT_EQ(c.messages.size(), 1u);
    EXPECT_NE(c.messages[0].find("The latest era"), std::string::npos) << c.messages[0];
}

} // namespace
