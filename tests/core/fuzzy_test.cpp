#include "core/predict/fuzzy.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::core::fuzzy;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

// A data file whose draw k (keyed 20020100 + k) holds the k-th value of every column.
std::string columnsFile(const std::vector<std::vector<int>>& columns)
{
    std::string text;
    for (std::size_t k = 0; k < columns.front().size(); ++k) {
        text += std::to_string(20020101 + k);
        for (const auto& column : columns)
            text += ' ' + std::to_string(column[k]);
        text += '\n';
    }
    return text;
}

std::vector<int> upTo(int n, int from = 1)
{
    std::vector<int> values;
    for (int v = from; v <= n; ++v)
        values.push_back(v);
    return values;
}

struct Run
{
    RecordingUi ui;
    std::unique_ptr<fuzzy> method = std::make_unique<fuzzy>();
    std::string numbers() const
    {
        const std::string& text = ui.results.at(0).text;
        return text.substr(text.rfind("\r\n\r\n   ") + 7);
    }
};

std::unique_ptr<Run> predict(const std::string& path)
{
    auto run = std::make_unique<Run>();
    run->method->dofuzzy(path, run->ui);
    return run;
}

struct ColumnCase
{
    const char* name;
    std::vector<int> values;
    std::string shown;
};

TEST(Fuzzy, predictsTheValueThatFollowedTheLatestPatternMostOften)
{
    std::vector<int> unchangedAtTheEnd = upTo(15);
    unchangedAtTheEnd.push_back(15);
    const ColumnCase cases[] = {
        {"pairRepeatedTiesGoToTheFirst", {3, 8, 3, 8, 5, 3, 8, 9, 1, 2, 4, 6, 7, 10, 3, 8}, "3  "},
        {"latestValueAlone", {5, 9, 2, 7, 3, 1, 4, 6, 8, 10, 12, 11, 13, 2, 14, 9}, "2  "},
        {"directionOfTheLatestChange", upTo(16), "3  "},
        {"mostOftenWins", {1, 2, 5, 1, 2, 5, 1, 2, 7, 1, 2, 7, 1, 2, 7, 1, 2}, "7  "},
        {"nothingToGoOn", unchangedAtTheEnd, "?  "},
        {"fallingLikeTheLatest", {9, 7, 8, 6, 5, 9, 4, 3, 8, 7, 6, 5, 4, 3, 2, 1}, "8  "},
    };
    for (const ColumnCase& c : cases) {
        TempDir dir;
        const auto run = predict(dir.write("x.txt", columnsFile({c.values})));
        ASSERT_EQ(run->ui.results.size(), 1u) << c.name;
        EXPECT_EQ(run->numbers(), c.shown) << c.name;
    }
}

TEST(Fuzzy, theReportNamesTheLotteryAndSeparatesNumbersByTwoSpaces)
{
    TempDir dir;
    const std::string path = dir.write("au645.txt",
        columnsFile({{3, 8, 3, 8, 5, 3, 8, 9, 1, 2, 4, 6, 7, 10, 3, 8}, upTo(16), upTo(16, 1)}));
    const auto run = predict(path);
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->ui.results[0].title, "Tattslotto--Corvane For Windows");
    EXPECT_EQ(run->ui.results[0].text,
        "   The 'Tattslotto' Lottery \r\n   After 20020116 Could Be:\r\n"
        "   (Fuzzy Period Method)\r\n\r\n   3  3  3  ");
    const auto& numbers = run->method->prediction().numbers;
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0], 3);
}

TEST(Fuzzy, aLongFileIsSearchedOnlyInItsLast490Draws)
{
    // Only the first 310 draws hold the latest pair (40, 41), each time followed by 42.
    std::vector<int> values;
    for (int k = 0; k < 310; ++k)
        values.push_back(k % 3 == 0 ? 40 : k % 3 == 1 ? 41 : 42);
    for (int k = 0; k < 488; ++k)
        values.push_back(k % 30 + 1);
    values.push_back(40);
    values.push_back(41);
    TempDir dir;
    const auto run = predict(dir.write("long.txt", columnsFile({values})));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->method->reg.rowsplus1, 491);
    EXPECT_EQ(run->method->reg.table[0][0], 20020101.0 + 310);
    EXPECT_NE(run->numbers(), "42  ");
    EXPECT_NE(run->ui.results[0].text.find("After 20020900 Could Be:"), std::string::npos);
}

TEST(Fuzzy, fortyNineNumbersADrawFitTheTables)
{
    std::vector<std::vector<int>> columns;
    for (int c = 1; c <= 49; ++c) {
        std::vector<int> column;
        for (int k = 0; k < 500; ++k)
            column.push_back((k * c + k / 7) % 49 + 1);
        columns.push_back(column);
    }
    TempDir dir;
    const auto run = predict(dir.write("wide.txt", columnsFile(columns)));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->method->prediction().numbers.size(), 49u);
    EXPECT_EQ(run->method->reg.numcols, 49);
}

TEST(Fuzzy, refusedFilesShowTheirMessageAndNoResult)
{
    TempDir dir;
    for (const std::string& path : {dir.path(), dir.write("short.txt", columnsFile({upTo(15)}))}) {
        const auto run = predict(path);
        EXPECT_EQ(run->ui.messages.size(), 1u) << path;
        EXPECT_TRUE(run->ui.results.empty()) << path;
    }
}

TEST(Fuzzy, theShippedHistoryGivesItsKnownPrediction)
{
    // Worked out independently of this code.
    const auto run = predict(corvane::test::shippedData("ca649.txt"));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->numbers(), "3  17  8  29  37  46  23  ");
}

} // namespace
