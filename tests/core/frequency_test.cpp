#include "core/stats/frequency.h"

#include "core/predict/history.h"
#include "recording_ui.h"
#include "stats_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::core::FreqList;
using corvane::core::frequency;
using corvane::test::Draw;
using corvane::test::drawsFile;
using corvane::test::plainDraws;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

std::vector<Draw> keyed(const std::vector<std::string>& keys)
{
    std::vector<Draw> draws;
    for (std::size_t r = 0; r < keys.size(); ++r)
        draws.push_back({keys[r], {"1", std::to_string(r + 10), "49"}});
    return draws;
}

struct Loaded
{
    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<frequency> engine = std::make_unique<frequency>();
    std::int32_t span = 0;
};

std::unique_ptr<Loaded> load(
    const std::string& text, const std::string& from, const std::string& to, bool showAll = false)
{
    auto run = std::make_unique<Loaded>();
    run->engine->m_path = run->dir.write("draws.txt", text);
    run->engine->m_showall = showAll ? 1 : 0;
    run->span = run->engine->loadperiod(from, to, run->ui);
    if (run->span > 0)
        run->engine->countnumbers(run->span);
    return run;
}

// --- datekey ------------------------------------------------------------------------------

struct KeyCase
{
    const char* text;
    const char* key;
    double value;
};

TEST(Datekey, turnsPickerTextsIntoKeysOfCentury20)
{
    const std::vector<KeyCase> cases = {
        {"02-1-5", "20020105", 20020105},
        {"02-12-25", "20021225", 20021225},
        {"99-12-31", "20991231", 20991231},
        {"02-01-05", "20020105", 20020105},
        {"00-1-1", "20000101", 20000101},
        // Texts of other forms still give a key, never a failure.
        {"02-13-45", "20021345", 20021345},
        {"1-1-1", "201-001", 201},
        {"abc", "20ab00", 20},
        {"", "2000", 2000},
        {"0", "20000", 20000},
        {"02-5", "20020505", 20020505},
        {"02-1-5-7", "20020107", 20020107},
        {"02--5", "2002005", 2002005},
        {"02-1-", "2002010", 2002010},
        {"2002-1-5", "20200205", 20200205},
        {"1e-1-1", "201e0101", 201e101},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(frequency::datekey(c.text), c.key) << '"' << c.text << '"';
        EXPECT_EQ(frequency::pickerkey(c.text), c.value) << '"' << c.text << '"';
    }
}

// --- the period's rows ----------------------------------------------------------------------

struct PeriodCase
{
    const char* name;
    const char* from;
    const char* to;
    std::int32_t fromrow;
    std::int32_t torow;
};

// Draws on 20020102, 20020105, 20020109, … 20020302: rows 0 to 17.
const std::vector<std::string> kKeys = {"20020102", "20020105", "20020109", "20020112", "20020116",
    "20020119", "20020123", "20020126", "20020130", "20020202", "20020206", "20020209", "20020213",
    "20020216", "20020220", "20020223", "20020227", "20020302"};

TEST(Period, datesFindTheRowsOfTheDrawsOnOrBeforeThem)
{
    const std::vector<PeriodCase> cases = {
        {"dates between draws take the earlier draw", "02-1-3", "02-1-10", 0, 2},
        {"a date before the first draw gives row 0", "01-12-31", "02-1-5", 0, 1},
        {"a date after the last draw gives the last", "02-2-28", "03-1-1", 16, 17},
        {"dates equal to draws give those draws", "02-1-5", "02-3-2", 1, 17},
        {"FROM after TO is exchanged", "02-2-6", "02-1-5", 1, 10},
        {"both at today's date: the latest draw alone", "25-6-1", "25-6-1", 17, 17},
        {"99-12-31 is 2099, after every draw", "02-1-2", "99-12-31", 0, 17},
        {"two-digit months and days", "02-01-09", "02-02-06", 2, 10},
        {"month 13 lies after the year's draws", "02-13-45", "02-1-2", 0, 17},
        {"texts of no date form", "abc", "", 0, 0},
        {"a one-digit year", "1-1-1", "02-1-12", 0, 3},
    };
    for (const PeriodCase& c : cases) {
        const auto run = load(drawsFile(keyed(kKeys)), c.from, c.to);
        EXPECT_TRUE(run->ui.messages.empty()) << c.name;
        EXPECT_EQ(run->engine->m_fromrow, c.fromrow) << c.name;
        EXPECT_EQ(run->engine->m_torow, c.torow) << c.name;
        EXPECT_EQ(run->span, c.torow - c.fromrow + 1) << c.name;
        const FreqList list = run->engine->listtexts();
        ASSERT_EQ(list.rows.size(), 1u) << c.name;
        EXPECT_EQ(list.rows[0][0], kKeys[c.torow]) << c.name;
    }
}

TEST(Period, exchangedDatesGiveTheSameList)
{
    const std::string text = drawsFile(keyed(kKeys));
    for (bool all : {false, true}) {
        const auto forward = load(text, "02-1-9", "02-2-13", all);
        const auto backward = load(text, "02-2-13", "02-1-9", all);
        const FreqList a = forward->engine->listtexts();
        const FreqList b = backward->engine->listtexts();
        EXPECT_EQ(a.header, b.header);
        EXPECT_EQ(a.rows, b.rows);
        EXPECT_EQ(a.rows.size(), all ? 11u : 1u);
    }
}

TEST(Period, repeatedKeysGiveTheLaterDraw)
{
    std::vector<std::string> keys = {"20020101", "20020105", "20020105", "20020105", "20020110"};
    for (int k = 11; k <= 21; ++k)
        keys.push_back("200201" + std::to_string(k));
    const auto run = load(drawsFile(keyed(keys)), "02-1-4", "02-1-5");
    EXPECT_EQ(run->engine->m_fromrow, 0);
    EXPECT_EQ(run->engine->m_torow, 3);
}

TEST(Period, keysOutOfOrderTakeTheHighestRowNotAboveTheDate)
{
    std::vector<std::string> keys = {"20020110", "20020101", "20020120", "20020105"};
    for (int k = 10; k <= 21; ++k)
        keys.push_back("200202" + std::to_string(k));
    const std::vector<PeriodCase> cases = {
        {"a later row below the date wins over row 0", "02-1-1", "02-1-6", 1, 3},
        {"exchanged", "02-1-6", "02-1-1", 1, 3},
        {"no key at or below the date gives row 0", "01-1-1", "02-1-25", 0, 3},
        {"above every key gives the last row", "02-1-2", "03-1-1", 1, 15},
    };
    for (const PeriodCase& c : cases) {
        const auto run = load(drawsFile(keyed(keys)), c.from, c.to, true);
        EXPECT_EQ(run->engine->m_fromrow, c.fromrow) << c.name;
        EXPECT_EQ(run->engine->m_torow, c.torow) << c.name;
        EXPECT_EQ(
            run->engine->listtexts().rows.size(), static_cast<std::size_t>(c.torow - c.fromrow + 1))
            << c.name;
    }
}

TEST(Period, presetKeysAreUsedAsTheyStand)
{
    TempDir dir;
    RecordingUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = dir.write("draws.txt", drawsFile(keyed(kKeys)));
    engine->m_presetkeys = 1;
    engine->m_fromkey = 20020112;
    engine->m_tokey = 20020119;
    EXPECT_EQ(engine->loadperiod("abc", "abc", ui), 3);
    EXPECT_EQ(engine->m_fromrow, 3);
    EXPECT_EQ(engine->loadperiod(20020301.0, 20020105.0, ui), 16);
    EXPECT_EQ(engine->m_fromkey, 20020301.0);
    EXPECT_EQ(engine->m_fromrow, 1);
    EXPECT_EQ(engine->m_torow, 16);
}

// --- the long-file rule and refused files --------------------------------------------------

struct LongCase
{
    int lines;
    std::int32_t rows;
    std::string firstKey;
    std::string firstCount;
};

TEST(Period, longFilesLoadTheirLast490Lines)
{
    const std::vector<LongCase> cases = {
        {16, 16, "20000001", "  16"},
        {500, 500, "20000001", " 500"},
        {501, 490, "20000012", " 490"},
        {600, 490, "20000111", " 490"},
    };
    for (const LongCase& c : cases) {
        const std::string text = "# history\r\n\r\n" + drawsFile(plainDraws(c.lines, 20000001));
        const auto run = load(text, "abc", "99-12-31", true);
        EXPECT_EQ(run->engine->m_history.rowsplus1, c.rows + 1) << c.lines;
        EXPECT_EQ(run->span, c.rows) << c.lines;
        const FreqList list = run->engine->listtexts();
        ASSERT_EQ(list.rows.size(), static_cast<std::size_t>(c.rows)) << c.lines;
        EXPECT_EQ(list.rows.front()[0], std::to_string(20000000 + c.lines)) << c.lines;
        EXPECT_EQ(list.rows.back()[0], c.firstKey) << c.lines;
        EXPECT_EQ(list.rows.front()[1], c.firstCount) << c.lines;
    }
}

TEST(Period, aRefusedFileGivesItsMessageAndChangesNothingElse)
{
    const std::vector<std::pair<std::string, std::string>> files = {
        {"", corvane::core::kNoDataMessage},
        {drawsFile(plainDraws(15)), corvane::core::kTooFewLinesMessage},
    };
    for (const auto& [text, message] : files) {
        auto run = load(drawsFile(keyed(kKeys)), "02-1-9", "02-1-16");
        const FreqList before = run->engine->listtexts();
        run->engine->m_path
            = text.empty() ? run->dir.file("missing.txt") : run->dir.write("few.txt", text);
        EXPECT_EQ(run->engine->loadperiod("02-1-2", "02-3-2", run->ui), 0);
        EXPECT_EQ(run->ui.messages, std::vector<std::string> {message});
        EXPECT_EQ(run->engine->m_fromrow, 2);
        EXPECT_EQ(run->engine->m_torow, 4);
        EXPECT_EQ(run->engine->m_fromkey, 20020109.0);
        EXPECT_EQ(run->engine->listtexts().rows, before.rows);
        EXPECT_FALSE(run->engine->show("02-1-2", "02-3-2", true, run->ui).has_value());
    }
}

TEST(Period, aSecondLoadLeavesNoNumberOfTheFirst)
{
    TempDir dir;
    RecordingUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = dir.write("a.txt", drawsFile(plainDraws(20)));
    ASSERT_TRUE(engine->show("00-1-1", "99-1-1", false, ui).has_value());
    // The same object, a file whose later lines are shorter: their cells must not keep the
    // first file's 2 to 6.
    std::vector<Draw> draws = plainDraws(1);
    for (int k = 1; k < 18; ++k)
        draws.push_back({std::to_string(20020101 + k), {"7"}});
    engine->m_path = dir.write("b.txt", drawsFile(draws));
    const auto list = engine->show("00-1-1", "99-1-1", false, ui);
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->header.size(), 1u + 7u);
    EXPECT_EQ(list->rows[0],
        (std::vector<std::string> {
            "20020118", "   1", "   1", "   1", "   1", "   1", "   1", "  17"}));
}

// --- counting ------------------------------------------------------------------------------

TEST(Counting, allLinesRowsRunFromTheTotalsDownToTheFirstDraw)
{
    std::vector<Draw> draws;
    unsigned seed = 99;
    for (int k = 0; k < 40; ++k) {
        Draw draw {std::to_string(20020101 + k), {}};
        for (int c = 0; c < 7; ++c) {
            seed = seed * 1103515245u + 12345u;
            // Small numbers, so draws repeat numbers within themselves.
            draw.numbers.push_back(std::to_string((seed >> 16) % 12 + 1));
        }
        draws.push_back(draw);
    }
    const auto total = load(drawsFile(draws), "02-1-5", "02-1-30");
    const auto all = load(drawsFile(draws), "02-1-5", "02-1-30", true);
    const FreqList sum = total->engine->listtexts();
    const FreqList rows = all->engine->listtexts();
    ASSERT_EQ(rows.rows.size(), 26u);
    EXPECT_EQ(rows.header, sum.header);
    EXPECT_EQ(rows.rows.front(), sum.rows.front());
    for (std::size_t j = 0; j < rows.rows.size(); ++j) {
        EXPECT_EQ(rows.rows[j][0], std::to_string(20020130 - j));
        if (j + 1 == rows.rows.size())
            break;
        for (std::size_t i = 1; i < rows.header.size(); ++i)
            EXPECT_GE(std::stoi(rows.rows[j][i]), std::stoi(rows.rows[j + 1][i])) << j << ' ' << i;
    }
    // The last row: the first draw of the period alone, each repeat counted again.
    std::vector<int> first(13, 0);
    for (const std::string& n : draws[4].numbers)
        ++first[std::stoi(n)];
    for (std::size_t i = 1; i < rows.header.size(); ++i)
        EXPECT_EQ(std::stoi(rows.rows.back()[i]), first[std::stoi(rows.header[i])]) << i;
}

struct NumbersCase
{
    const char* name;
    std::vector<std::string> firstDraw;
    std::vector<std::string> header;
    std::vector<std::string> counts;
};

std::vector<std::string> upTo(int low, int high)
{
    std::vector<std::string> texts = {"Day\\Lott"};
    for (int n = low; n <= high; ++n)
        texts.push_back(std::to_string(n));
    return texts;
}

TEST(Counting, onlyWholeNumbersFrom0To49HaveColumnsAndCount)
{
    const std::vector<NumbersCase> cases = {
        {"0 gets a column; 50 none; 12.5 counts nowhere; 07 and 1e1 count",
            {"0", "50", "12.5", "07", "1e1", "49"}, upTo(0, 49),
            {"   1", "  15", "  15", "  15", "  15", "  15", "  15", "   1", "   0", "   0", "   1",
                "   0", "   0"}},
        {"numbers 5 to 9: columns 1 to 9", {"5", "6", "7", "8", "9", "9"}, upTo(1, 9),
            {"  15", "  15", "  15", "  15", "  16", "  16", "   1", "   1", "   2"}},
        {"12.9 raises the highest column to 12 and is not counted",
            {"2", "12.9", "3", "4", "5", "6"}, upTo(1, 12),
            {"  15", "  16", "  16", "  16", "  16", "  16", "   0", "   0", "   0", "   0", "   0",
                "   0"}},
        // A huge last maximum truncates out of range: the list keeps only its key column.
        {"1e10 as the last maximum leaves no number column", {"1", "2", "3", "4", "5", "1e10"},
            {"Day\\Lott"}, {}},
        {"7.0 equals 7", {"7.0", "7.000", "1", "2", "3", "4"}, upTo(1, 7),
            {"  16", "  16", "  16", "  16", "  15", "  15", "   2"}},
    };
    for (const NumbersCase& c : cases) {
        std::vector<Draw> draws = plainDraws(15);
        // The odd draw comes last, so it sets the last maximum.
        draws.push_back({"20020201", c.firstDraw});
        const auto run = load(drawsFile(draws), "00-1-1", "99-1-1");
        const FreqList list = run->engine->listtexts();
        EXPECT_EQ(list.header, c.header) << c.name;
        ASSERT_EQ(list.rows.size(), 1u) << c.name;
        std::vector<std::string> counts(list.rows[0].begin() + 1, list.rows[0].end());
        counts.resize(c.counts.size());
        EXPECT_EQ(counts, c.counts) << c.name;
        EXPECT_EQ(list.rows[0][0], "20020201") << c.name;
    }
}

TEST(Counting, showingTwiceGivesTheSameList)
{
    TempDir dir;
    RecordingUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = dir.write("draws.txt", drawsFile(keyed(kKeys)));
    for (bool all : {false, true}) {
        const auto first = engine->show("02-1-5", "02-2-20", all, ui);
        const auto second = engine->show("02-1-5", "02-2-20", all, ui);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->rows, second->rows);
        EXPECT_EQ(first->rows.size(), all ? 14u : 1u);
        EXPECT_EQ(first->rows.front()[1], "  14");
    }
}

} // namespace
