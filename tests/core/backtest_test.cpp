#include "core/backtest/backtest.h"
#include "core/backtest/report.h"
#include "core/backtest/summary.h"

#include "cli.h"
#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using corvane::core::BacktestMethod;
using corvane::core::BacktestOptions;
using corvane::core::BacktestRun;
using corvane::core::Verdict;
using corvane::test::RecordingUi;
using corvane::test::TempDir;
using Numbers = std::vector<std::optional<std::int32_t>>;

constexpr BacktestMethod kMethods[] = {BacktestMethod::Regress, BacktestMethod::Fuzzy};

const char* methodWord(BacktestMethod method)
{
    return method == BacktestMethod::Regress ? "regress" : "fuzzy";
}

// ---- scoring

struct ScoreCase
{
    const char* name;
    Numbers predicted;
    std::vector<double> drawn;
    int K, M;
    int hits, exact;
};

const std::vector<ScoreCase> kScores = {
    {"plain", {1, 2, 3}, {3, 2, 9}, 3, 9, 2, 1},
    {"a number predicted twice hits once", {5, 5, 5}, {5, 6, 7}, 3, 9, 1, 1},
    {"a ? never hits", {std::nullopt, 6, 7}, {5, 6, 7}, 3, 9, 2, 2},
    {"values outside 1..M never score", {0, 50, -3, 49}, {0, 50, 2, 49}, 4, 49, 1, 1},
    {"the bonus column is left out by K", {1, 2, 3, 4, 5, 6, 7}, {6, 5, 4, 3, 2, 1, 7}, 6, 49, 6,
        0},
    {"a predicted bonus does not hit a main number", {10, 11, 12, 13, 14, 15, 1},
        {1, 2, 3, 4, 5, 6, 40}, 6, 49, 0, 0},
    {"a number drawn twice is hit once", {1, 2, 3}, {1, 1, 2}, 3, 9, 2, 1},
    {"a drawn 12.9 is not the number 12", {12, 13}, {12.9, 13}, 2, 49, 1, 1},
    {"a prediction shorter than the ticket", {1}, {1, 2}, 2, 9, 1, 1},
    {"a cell left at 0 by a short line", {0, 0}, {4, 0}, 2, 9, 0, 0},
};

TEST(BacktestScore, hitsAndExact)
{
    for (const ScoreCase& c : kScores) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(corvane::core::countHits(c.predicted, c.drawn, c.K, c.M), c.hits);
        EXPECT_EQ(corvane::core::countExact(c.predicted, c.drawn, c.K, c.M), c.exact);
    }
}

// ---- data files

// Draws of K distinct numbers of 1..M from a fixed seed; mt19937's output is the same on every
// platform, and a partial shuffle keeps the draw uniform.
std::string randomDraws(int count, int K, int M, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string text;
    std::vector<int> pool(static_cast<std::size_t>(M));
    for (int k = 0; k < count; ++k) {
        std::iota(pool.begin(), pool.end(), 1);
        text += std::to_string(19900101 + k);
        for (int i = 0; i < K; ++i) {
            const auto j = i + static_cast<int>(generator() % static_cast<unsigned>(M - i));
            std::swap(pool[i], pool[j]);
            text += ' ' + std::to_string(pool[i]);
        }
        text += "\r\n";
    }
    return text;
}

// Each column runs through a cycle of 7 values, one draw in four is random noise.
std::string patternDraws(int count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += std::to_string(19900101 + k);
        for (int c = 0; c < 6; ++c) {
            const int value
                = k % 4 == 3 ? static_cast<int>(generator() % 49) + 1 : 7 * c + k % 7 + 1;
            text += ' ' + std::to_string(value);
        }
        text += '\n';
    }
    return text;
}

BacktestRun mustRun(const std::string& path, BacktestOptions options)
{
    RecordingUi ui;
    const std::optional<BacktestRun> run = corvane::core::backtest(path, options, ui);
    EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages.front());
    EXPECT_TRUE(ui.results.empty());
    return run ? *run : BacktestRun();
}

TEST(Backtest, theFuzzyMethodLearnsARepeatingPattern)
{
    TempDir dir;
    const std::string path = dir.write("pattern.txt", patternDraws(300, 7));
    BacktestOptions options;
    options.method = BacktestMethod::Fuzzy;
    const BacktestRun run = mustRun(path, options);
    ASSERT_EQ(run.draws.size(), 200u);
    EXPECT_EQ(run.numbers, 6);
    EXPECT_EQ(run.pool, 49);
    const auto s = corvane::core::summarize(run);
    EXPECT_EQ(s.verdict, Verdict::Better);
    EXPECT_GT(s.meanHits, 3 * s.expectedHits);
    EXPECT_LT(s.p, 1e-6);
    EXPECT_NE(
        corvane::core::backtestReport(run).find("did better than random play"), std::string::npos);
}

TEST(Backtest, neitherMethodBeatsRandomDraws)
{
    TempDir dir;
    const std::string path = dir.write("random.txt", randomDraws(400, 6, 49, 20240601));
    for (const BacktestMethod method : kMethods) {
        SCOPED_TRACE(methodWord(method));
        BacktestOptions options;
        options.method = method;
        const BacktestRun run = mustRun(path, options);
        ASSERT_EQ(run.draws.size(), 200u);
        const auto s = corvane::core::summarize(run);
        EXPECT_NE(s.verdict, Verdict::Better) << "z " << s.z << " p " << s.p;
        EXPECT_EQ(corvane::core::backtestReport(run).find("did better"), std::string::npos);
    }
}

// ---- every backtested prediction is what the predict command shows for the truncated file

Numbers predictCommand(const std::string& method, const std::string& path)
{
    std::ostringstream out, err;
    const int status = corvane::cli::run({"predict", method, path}, {"."}, out, err);
    EXPECT_EQ(status, 0) << err.str();
    const std::string text = out.str();
    std::istringstream numbers(text.substr(text.rfind("\n\n   ") + 5));
    Numbers result;
    for (std::string token; numbers >> token;) {
        if (token == "?")
            result.emplace_back();
        else
            result.emplace_back(std::stoi(token));
    }
    return result;
}

// A file with a title, comments, blank lines and CR LF ends. Column 1 rises by one each draw
// but stays put once (at draw 30), so the fuzzy method has nothing to go on right after.
struct MixedFile
{
    std::string text;
    std::vector<std::size_t> dataOffsets; // where each data line starts
};

MixedFile mixedFile()
{
    std::mt19937 generator(99);
    MixedFile file;
    file.text = "Lottery history\r\n# oldest first\r\n\r\n";
    for (int k = 0; k < 48; ++k) {
        if (k == 20)
            file.text += "   # a comment in the middle\r\n\r\n";
        file.dataOffsets.push_back(file.text.size());
        file.text += (k % 5 == 0 ? "  " : "") + std::to_string(20010101 + k);
        file.text += ' ' + std::to_string(k < 30 ? k + 1 : k);
        for (int c = 0; c < 5; ++c)
            file.text += ' ' + std::to_string(generator() % 45 + 1);
        file.text += "\r\n";
    }
    return file;
}

TEST(Backtest, eachPredictionEqualsThePredictCommandOnTheTruncatedFile)
{
    TempDir dir;
    const MixedFile file = mixedFile();
    const std::string path = dir.write("mixed.txt", file.text);
    bool sawQuestionMark = false;
    for (const BacktestMethod method : kMethods) {
        SCOPED_TRACE(methodWord(method));
        BacktestOptions options;
        options.method = method;
        options.draws = 1000;
        const BacktestRun run = mustRun(path, options);
        ASSERT_EQ(run.draws.size(), 48u - 16u);
        EXPECT_EQ(run.testable, 32);
        for (std::size_t j = 0; j < run.draws.size(); ++j) {
            const std::size_t line = 16 + j;
            const std::string truncated
                = dir.write("cut.txt", file.text.substr(0, file.dataOffsets[line]));
            const Numbers expected = predictCommand(methodWord(method), truncated);
            EXPECT_EQ(run.draws[j].predicted, expected) << "draw " << line;
            EXPECT_EQ(run.draws[j].key, 20010101 + static_cast<int>(line));
            for (const auto& number : run.draws[j].predicted)
                sawQuestionMark = sawQuestionMark || !number;
        }
    }
    EXPECT_TRUE(sawQuestionMark);
}

TEST(Backtest, theShippedHistoryAgreesWithThePredictCommand)
{
    const std::string path = corvane::test::shippedData("ca649.txt");
    const std::string text = corvane::test::readFile(path);
    TempDir dir;
    for (const BacktestMethod method : kMethods) {
        SCOPED_TRACE(methodWord(method));
        BacktestOptions options;
        options.method = method;
        options.draws = 3;
        options.numbers = 6;
        const BacktestRun run = mustRun(path, options);
        ASSERT_EQ(run.draws.size(), 3u);
        EXPECT_EQ(run.pool, 49);
        // Every line of this file is a draw: draw t starts after the t-th line end.
        std::size_t end = text.size();
        for (int j = 2; j >= 0; --j) {
            end = text.rfind('\n', end - 2) + 1;
            const std::string truncated = dir.write("ca649.txt", text.substr(0, end));
            EXPECT_EQ(run.draws[j].predicted, predictCommand(methodWord(method), truncated));
            EXPECT_EQ(run.draws[j].predicted.size(), 7u);
            EXPECT_EQ(run.draws[j].drawn.size(), 6u);
        }
        EXPECT_EQ(run.draws.back().key, 20251105);
        EXPECT_EQ(run.draws.back().drawn, (std::vector<double> {5, 16, 17, 30, 35, 46}));
    }
}

// ---- reading the tested draws and the defaults

TEST(Backtest, defaultsComeFromTheFileAndTheDrawsAreReadAsTheTableReadsThem)
{
    TempDir dir;
    std::string text = randomDraws(30, 5, 40, 5);
    text += "20300101 07 12abc 3 9 1.5 # bonus 44\n"; // cut short: the rest reads as 0
    const std::string path = dir.write("x.txt", text);
    BacktestOptions options;
    options.draws = 1;
    const BacktestRun run = mustRun(path, options);
    EXPECT_EQ(run.numbers, 5);
    ASSERT_EQ(run.draws.size(), 1u);
    EXPECT_EQ(run.draws[0].key, 20300101);
    EXPECT_EQ(run.draws[0].drawn, (std::vector<double> {7, 12, 3, 9, 1.5}));
    EXPECT_EQ(run.draws[0].drawnInPool, 4);
    EXPECT_EQ(run.dataLines, 31);
    EXPECT_EQ(run.asked, 1);
}

// ---- report and CSV

TEST(BacktestReport, tellsTheFiguresAndClampsTheDrawsToWhatTheFileAllows)
{
    TempDir dir;
    const std::string path = dir.write("ca649.txt", randomDraws(40, 6, 49, 3));
    BacktestOptions options;
    options.method = BacktestMethod::Fuzzy;
    options.draws = 1000;
    const BacktestRun run = mustRun(path, options);
    ASSERT_EQ(run.draws.size(), 24u);
    const std::string report = corvane::core::backtestReport(run);
    for (const char* part : {"Backtest of the Fuzzy Period Method\n",
             "Lottery: Canadian 6/49 (ca649.txt)\n", "the last 24 of 40",
             "Only 24 could be tested, not 1000: a prediction needs 16 earlier draws.",
             "from a pool of 1 to 49.", "(a random ticket of 6 numbers: 0.7347)",
             "two-sided p = ", "normal approximation", "Mean exact per draw:", "   3", "0.01864",
             "Past draws do not make future draws"}) {
        EXPECT_NE(report.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(report.find('\r'), std::string::npos);
}

TEST(BacktestReport, csvHasAHeaderAndOneLinePerDraw)
{
    TempDir dir;
    const MixedFile file = mixedFile();
    const std::string path = dir.write("mixed.txt", file.text);
    BacktestOptions options;
    options.method = BacktestMethod::Fuzzy;
    options.draws = 20;
    const BacktestRun run = mustRun(path, options);
    const std::string csv = corvane::core::backtestCsv(run);
    std::istringstream in(csv);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "key,n1,n2,n3,n4,n5,n6,hits,exact");
    for (std::size_t j = 0; j < run.draws.size(); ++j) {
        const auto& draw = run.draws[j];
        std::string expected = std::to_string(draw.key);
        for (const auto& number : draw.predicted)
            expected += ',' + (number ? std::to_string(*number) : std::string());
        expected += ',' + std::to_string(draw.hits) + ',' + std::to_string(draw.exact);
        EXPECT_EQ(lines[j + 1], expected);
    }
    // Draw 31 follows the column that stood still: its first number is a "?".
    EXPECT_EQ(lines[31 - 28 + 1].rfind("20010132,,", 0), 0u) << lines[31 - 28 + 1];
}

} // namespace
