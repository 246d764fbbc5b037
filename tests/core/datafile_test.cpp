#include "core/predict/history.h"
#include "core/predict/regress.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::core::kNoDataMessage;
using corvane::core::kTooFewLinesMessage;
using corvane::core::loadHistory;
using corvane::core::regress;
using corvane::core::SkipRule;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

// n data lines "yyyymmdd a b c d e f" with keys counting up from 20020101 + first.
std::string drawLines(int n, int first = 1, const char* end = "\r\n")
{
    std::string text;
    for (int i = first; i < first + n; ++i) {
        text += std::to_string(20020100 + i);
        for (int c = 1; c <= 6; ++c)
            text += ' ' + std::to_string((i + c * 7) % 49 + 1);
        text += end;
    }
    return text;
}

std::string repeat(const std::string& line, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line + "\n";
    return text;
}

struct Loaded
{
    std::unique_ptr<regress> table = std::make_unique<regress>();
    RecordingUi ui;
    bool ok = false;
};

std::unique_ptr<Loaded> load(const std::string& bytes, SkipRule rule = SkipRule::LongFile)
{
    TempDir dir;
    auto loaded = std::make_unique<Loaded>();
    loaded->ok = loadHistory(
        *loaded->table, corvane::core::openLineFile(dir.write("d.txt", bytes)), rule, loaded->ui);
    return loaded;
}

// ---- the reading of one line ----------------------------------------------------------------

struct LineCase
{
    const char* name;
    std::string line;
    std::vector<double> cells; // row 0 from column 0
    int numcols;
    double minnum;
    double maxnum;
};

class LineReading : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineReading, storesTheTokensUpToTheFirstThatIsNoNumber)
{
    const LineCase& c = GetParam();
    const auto loaded = load(repeat(c.line, 16));
    ASSERT_TRUE(loaded->ok) << (loaded->ui.messages.empty() ? "" : loaded->ui.messages[0]);
    const regress& t = *loaded->table;
    EXPECT_EQ(t.rowsplus1, 17);
    for (std::size_t i = 0; i < c.cells.size(); ++i)
        EXPECT_EQ(t.table[0][i], c.cells[i]) << "column " << i;
    for (std::size_t i = c.cells.size(); i < regress::kColumns; ++i)
        EXPECT_EQ(t.table[0][i], 0.0) << "column " << i;
    EXPECT_EQ(t.numcols, c.numcols);
    EXPECT_EQ(t.minnum, c.minnum);
    EXPECT_EQ(t.maxnum, c.maxnum);
}

std::string tokens(int n)
{
    std::string line = "20020105";
    for (int i = 1; i < n; ++i)
        line += ' ' + std::to_string(i);
    return line;
}

std::vector<double> cellsUpTo(int n)
{
    std::vector<double> cells = {20020105};
    for (int i = 1; i < n; ++i)
        cells.push_back(i);
    return cells;
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Lines, LineReading,
    ::testing::Values(LineCase {"plain", "20020102 5 12 19 33 41 47",
                          {20020102, 5, 12, 19, 33, 41, 47}, 6, 1, 47},
        LineCase {"leadingSpaces", "   20020102 5 12", {20020102, 5, 12}, 2, 1, 12},
        LineCase {"doubleAndTrailingSpaces", "20020105  3   17  ", {20020105, 3, 17}, 2, 1, 17},
        LineCase {"tabsMakeOneToken", "20020105\t1\t2\t3", {20020105}, 0, 1, 0},
        LineCase {"negativeStopsTheLine", "20020105 3 -4 5", {20020105, 3}, 0, 1, 3},
        LineCase {
            "commentStopsTheLine", "20020105 3 17 22 # bonus 9", {20020105, 3, 17, 22}, 0, 1, 22},
        LineCase {"keyOnly", "20020105", {20020105}, 0, 1, 0},
        LineCase {"keyWithTrailingSpace", "20020105 ", {20020105}, 0, 1, 0},
        LineCase {"fractions", "20020105 1.5 12.9", {20020105, 1.5, 12.9}, 2, 1, 12},
        LineCase {"zeroToNine", "20020105 0 9 4", {20020105, 0, 9, 4}, 3, 0, 9},
        LineCase {"atofForms", "20020105 07 12abc 1e1 0x1A", {20020105, 7, 12, 10, 0}, 4, 0, 12},
        LineCase {"commaInsideAToken", "20020105 5,6 7", {20020105, 5, 7}, 2, 1, 7},
        LineCase {"hugeValue", "20020105 1e400 3", {20020105, kInf, 3}, 2, 1, 3},
        LineCase {"hugeValueLast", "20020105 3 1e400", {20020105, 3, kInf}, 2, 1, kIntMin},
        LineCase {"beyondIntRange", "20020105 5e9", {20020105, 5e9}, 1, 1, kIntMin},
        LineCase {"crBeforeCrLf", "20020105 3 17\r\r", {20020105, 3, 17}, 2, 1, 17},
        LineCase {"spaceAndCrAtTheEnd", "20020105 3 17 \r\r", {20020105, 3, 17}, 0, 1, 17},
        LineCase {"nulInsideAToken",
            std::string("20020105 4\0"
                        "9 8",
                14),
            {20020105, 4, 8}, 2, 1, 8},
        LineCase {"fiftyTokens", tokens(50), cellsUpTo(50), 49, 1, 49},
        LineCase {"sixtyTokensKeepFifty", tokens(60), cellsUpTo(50), 49, 1, 49},
        LineCase {"fiftyTokensThenComment", tokens(50) + " # x", cellsUpTo(50), 49, 1, 49}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataFile, theFirstLineReadToItsEndSetsTheNumbersPerDraw)
{
    const auto loaded = load(
        "20020101 1 2 # cut\n20020102 1 2 3 4 5\n20020103 1 2 3 4 5 6 7\n" + drawLines(14, 10));
    ASSERT_TRUE(loaded->ok);
    EXPECT_EQ(loaded->table->numcols, 5);
    EXPECT_EQ(loaded->table->table[2][7], 7.0) << "a longer line is stored whole";
}

TEST(DataFile, onlyLinesBeginningWithADigitAreDataLines)
{
    const std::string text = "# history\n\n   \ttab line 1 2\nTitle 2002\n\t20020101 1 2\n"
                             "   20020102 5 12 19 33 41 47\n"
        + drawLines(15, 10);
    const auto loaded = load(text);
    ASSERT_TRUE(loaded->ok);
    const regress& t = *loaded->table;
    EXPECT_EQ(t.datalines, 16);
    EXPECT_EQ(t.rowsplus1, 17);
    EXPECT_EQ(t.numcols, 6);
    EXPECT_EQ(t.table[0][0], 20020102.0);
    EXPECT_EQ(t.table[0][6], 47.0);
}

TEST(DataFile, binaryJunkIsReadWithoutHarm)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    const auto loaded = load(junk + "\n" + drawLines(16) + std::string(300, '\0') + "\n" + junk);
    EXPECT_TRUE(loaded->ok);
    EXPECT_GE(loaded->table->datalines, 16);
}

TEST(DataFile, aLineOf100000CharactersIsOneDrawOfFiftyTokens)
{
    std::string line = "20020105";
    while (line.size() < 100000)
        line += " 12";
    const auto loaded = load(repeat(line, 16));
    ASSERT_TRUE(loaded->ok);
    EXPECT_EQ(loaded->table->numcols, 49);
    EXPECT_EQ(loaded->table->table[15][49], 12.0);
}

// ---- which lines are loaded -----------------------------------------------------------------

struct SkipCase
{
    int datalines;
    SkipRule rule;
    int skiplines;
    int rowsplus1;
};

class Skipping : public ::testing::TestWithParam<SkipCase>
{
};

TEST_P(Skipping, loadsTheMostRecentLines)
{
    const SkipCase& c = GetParam();
    const auto loaded = load(drawLines(c.datalines), c.rule);
    ASSERT_TRUE(loaded->ok);
    const regress& t = *loaded->table;
    EXPECT_EQ(t.skiplines, c.skiplines);
    EXPECT_EQ(t.rowsplus1, c.rowsplus1);
    EXPECT_EQ(t.table[0][0], 20020100.0 + c.skiplines + 1) << "first loaded line";
    EXPECT_EQ(t.table[t.rowsplus1 - 2][0], 20020100.0 + c.datalines) << "most recent line";
    if (t.rowsplus1 - 1 < regress::kRows) {
        EXPECT_EQ(t.table[t.rowsplus1 - 1][0], 0.0) << "the row after the last is empty";
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, Skipping,
    ::testing::Values(SkipCase {16, SkipRule::Latest16, 0, 17},
        SkipCase {17, SkipRule::Latest16, 1, 17}, SkipCase {40, SkipRule::Latest16, 24, 17},
        SkipCase {16, SkipRule::LongFile, 0, 17}, SkipCase {500, SkipRule::LongFile, 0, 501},
        SkipCase {501, SkipRule::LongFile, 11, 491}, SkipCase {600, SkipRule::LongFile, 110, 491},
        SkipCase {5000, SkipRule::LongFile, 4510, 491}),
    [](const auto& info) {
        return std::string(info.param.rule == SkipRule::Latest16 ? "latest16_" : "longFile_")
            + std::to_string(info.param.datalines);
    });

TEST(DataFile, aSecondLoadLeavesNothingOfTheFirst)
{
    regress table;
    RecordingUi ui;
    TempDir dir;
    ASSERT_TRUE(
        loadHistory(table, corvane::core::openLineFile(dir.write("a.txt", repeat(tokens(30), 20))),
            SkipRule::LongFile, ui));
    ASSERT_TRUE(loadHistory(table,
        corvane::core::openLineFile(dir.write("b.txt", repeat("20020105 3 4", 16))),
        SkipRule::LongFile, ui));
    EXPECT_EQ(table.numcols, 2);
    EXPECT_EQ(table.table[0][3], 0.0);
    EXPECT_EQ(table.table[15][29], 0.0);
    EXPECT_EQ(table.maxnum, 4.0);
}

// ---- refused files --------------------------------------------------------------------------

TEST(DataFile, refusedFilesGetTheirMessage)
{
    TempDir dir;
    const struct
    {
        const char* name;
        std::string path;
        const char* message;
    } cases[] = {
        {"missing", dir.file("missing.txt"), kNoDataMessage},
        {"directory", dir.path(), kNoDataMessage},
        {"emptyPath", "", kNoDataMessage},
        {"empty", dir.write("empty.txt", ""), kTooFewLinesMessage},
        {"onlyComments", dir.write("comments.txt", "# a\n# b\n\n   \n\tx\n"), kTooFewLinesMessage},
        {"fifteenLines", dir.write("fifteen.txt", drawLines(15)), kTooFewLinesMessage},
        {"fifteenLinesAndText", dir.write("text.txt", drawLines(15) + "x 1 2\n#20020101 1\n"),
            kTooFewLinesMessage},
    };
    for (const auto& c : cases) {
        regress table;
        RecordingUi ui;
        EXPECT_FALSE(
            loadHistory(table, corvane::core::openLineFile(c.path), SkipRule::Latest16, ui))
            << c.name;
        ASSERT_EQ(ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(ui.messages[0], c.message) << c.name;
    }
}

TEST(DataFile, theTooFewLinesMessageIsExact)
{
    EXPECT_STREQ(kTooFewLinesMessage,
        "Data File Must Has At Least 16 Lines Numbers\r\nEach Data Line Must Similar To "
        "The Format Described \r\nIn Help File, Press F1 To See Help");
    EXPECT_STREQ(kNoDataMessage, "Data File Must Has Data!");
}

// A source whose reads fail after a number of lines, in the first or the second pass.
class FailingLines : public corvane::core::LineSource
{
public:
    FailingLines(int failInPass, int afterLines)
        : m_failInPass(failInPass)
        , m_after(afterLines)
        , m_text(drawLines(40))
        , m_lines(corvane::core::splitLines(m_text))
    { }
    bool rewind() override
    {
        ++m_pass;
        m_next = 0;
        return true;
    }
    bool next(std::string_view& line) override
    {
        if (m_pass == m_failInPass && m_next == m_after) {
            m_failed = true;
            return false;
        }
        if (m_next >= m_lines.size())
            return false;
        line = m_lines[m_next++];
        return true;
    }
    bool failed() const override { return m_failed; }

private:
    int m_failInPass;
    std::size_t m_after;
    std::string m_text;
    std::vector<std::string_view> m_lines;
    int m_pass = 0;
    std::size_t m_next = 0;
    bool m_failed = false;
};

TEST(DataFile, aReadErrorInEitherPassGivesTheNoDataMessage)
{
    for (const int pass : {1, 2}) {
        regress table;
        RecordingUi ui;
        EXPECT_FALSE(
            loadHistory(table, std::make_unique<FailingLines>(pass, 20), SkipRule::LongFile, ui));
        ASSERT_EQ(ui.messages.size(), 1u) << "pass " << pass;
        EXPECT_EQ(ui.messages[0], kNoDataMessage);
        EXPECT_FALSE(table.file) << "the file is closed";
    }
}

TEST(DataFile, readdataNeverStoresMoreRowsThanTheTableHolds)
{
    regress table;
    TempDir dir;
    ASSERT_TRUE(table.countlines(dir.write("long.txt", drawLines(700))));
    table.skiplines = 0; // a caller that ignores the skip rules
    EXPECT_TRUE(table.readdata());
    EXPECT_EQ(table.rowsplus1, regress::kRows + 1);
    EXPECT_FALSE(table.file);
}

} // namespace
