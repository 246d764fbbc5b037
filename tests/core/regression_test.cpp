#include "core/predict/regress.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::core::regress;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

// A data file of n draws keyed 20020101.., whose column c (from 1) holds column(c, draw).
std::string columnsFile(int n, int columns, const std::function<std::string(int, int)>& column)
{
    std::string text;
    for (int draw = 1; draw <= n; ++draw) {
        text += std::to_string(20020100 + draw);
        for (int c = 1; c <= columns; ++c)
            text += ' ' + column(c, draw);
        text += "\r\n";
    }
    return text;
}

struct Run
{
    RecordingUi ui;
    std::unique_ptr<regress> method = std::make_unique<regress>();
};

std::unique_ptr<Run> predict(const std::string& path)
{
    auto run = std::make_unique<Run>();
    run->method->dojob(path, run->ui);
    return run;
}

std::string heading(const std::string& name, const std::string& key)
{
    return "   The '" + name + "' Lottery \r\n   After " + key
        + " Could Be:\r\n   (Nonlinear Regress Method)\r\n\r\n   ";
}

TEST(Regression, aConstantColumnAndARisingColumnArePredictedExactly)
{
    TempDir dir;
    const std::string path = dir.write("ca649.txt", columnsFile(16, 2, [](int c, int draw) {
        return c == 1 ? std::string("7") : std::to_string(draw);
    }));
    const auto run = predict(path);
    ASSERT_TRUE(run->ui.messages.empty());
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->ui.results[0].title, "Canadian 6/49--Corvane For Windows");
    EXPECT_EQ(run->ui.results[0].text, heading("Canadian 6/49", "20020116") + "7   17   ");
    EXPECT_EQ(run->method->prediction().key, 20020116);
    EXPECT_EQ(run->method->rowsplus1, 17);
}

TEST(Regression, onlyTheLast16DataLinesCount)
{
    // Lines 1 to 24 of the long file would change any fit that saw them.
    const auto column = [](int c, int draw) {
        return draw <= 24 ? std::to_string((draw * 37 + c * 11) % 97)
                          : std::to_string(draw % 7 + c);
    };
    TempDir dir;
    const std::string full = columnsFile(40, 6, column);
    const std::string lastLines = full.substr(full.find("20020125"));
    const auto long40 = predict(dir.write("long.txt", "# forty draws\r\n" + full));
    const auto last16 = predict(dir.write("long.txt", lastLines));
    ASSERT_EQ(long40->ui.results.size(), 1u);
    ASSERT_EQ(last16->ui.results.size(), 1u);
    EXPECT_EQ(long40->ui.results[0].text, last16->ui.results[0].text);
    EXPECT_NE(long40->ui.results[0].text.find("After 20020140 Could Be:"), std::string::npos);
    EXPECT_EQ(long40->method->skiplines, 24);
}

TEST(Regression, predictionsAreRoundedAndNeverLimited)
{
    struct Case
    {
        const char* name;
        std::function<std::string(int)> column;
        std::string shown;
    };
    const Case cases[] = {
        {"roundsUpFromHalf", [](int d) { return std::to_string(32.6 + d); }, "50"},
        {"mayExceedTheRange", [](int d) { return std::to_string(34 + d); }, "51"},
        {"mayBeNegative", [](int d) { return std::to_string(32 - 2 * d); }, "-1"},
        {"nearOneBillion", [](int) { return std::string("1000000000"); }, "1000000000"},
        {"beyondTheIntRange", [](int) { return std::string("3000000000"); }, "-2147483648"},
        {"infinite", [](int) { return std::string("1e400"); }, "-2147483648"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto run = predict(
            dir.write("x.txt", columnsFile(16, 1, [&](int, int d) { return c.column(d); })));
        ASSERT_EQ(run->ui.results.size(), 1u) << c.name;
        EXPECT_EQ(run->ui.results[0].text, heading("x.txt", "20020116") + c.shown + "   ")
            << c.name;
    }
}

TEST(Regression, theHeadingShowsTheWholeNumberPartOfTheLatestKey)
{
    TempDir dir;
    std::string text = columnsFile(15, 1, [](int, int d) { return std::to_string(d); });
    text += "20020105.7 16\r\n";
    const auto run = predict(dir.write("x.txt", text));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->ui.results[0].text, heading("x.txt", "20020105") + "17   ");
}

TEST(Regression, aFileWithoutNumbersPerDrawShowsTheHeadingAlone)
{
    TempDir dir;
    std::string text;
    for (int i = 1; i <= 16; ++i)
        text += std::to_string(20020100 + i) + " 1 2 # note\n";
    const auto run = predict(dir.write("fl432.txt", text));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->ui.results[0].text, heading("Florida Mega Money", "20020116"));
    EXPECT_TRUE(run->method->prediction().numbers.empty());
}

TEST(Regression, fortyNineNumbersADrawArePredicted)
{
    TempDir dir;
    const auto run = predict(dir.write("wide.txt",
        columnsFile(16, 49, [](int c, int d) { return std::to_string((c * 13 + d * d) % 50); })));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->method->prediction().numbers.size(), 49u);
}

TEST(Regression, refusedFilesShowTheirMessageAndNoResult)
{
    TempDir dir;
    for (const std::string& path :
        {dir.file("missing.txt"), dir.write("short.txt", "20020101 1 2\n")}) {
        const auto run = predict(path);
        EXPECT_EQ(run->ui.messages.size(), 1u) << path;
        EXPECT_TRUE(run->ui.results.empty()) << path;
        EXPECT_TRUE(run->method->prediction().text.empty());
    }
}

TEST(Regression, theShippedHistoryGivesItsKnownPrediction)
{
    // Worked out independently of this code, in plain IEEE double arithmetic.
    const auto run = predict(corvane::test::shippedData("ca649.txt"));
    ASSERT_EQ(run->ui.results.size(), 1u);
    EXPECT_EQ(run->ui.results[0].text,
        heading("Canadian 6/49", "20251105") + "6   10   18   28   38   43   21   ");
}

} // namespace
