// Every kind of hostile input the program reads from a file, in one place, with what it must
// give: the data-file message for a refused file, or a result from every analysis that loads
// it (both methods, the frequency list and the chart), and never a crash.
#include "core/io/files.h"
#include "core/predict/fuzzy.h"
#include "core/predict/history.h"
#include "core/predict/regress.h"
#include "core/startup/startup.h"
#include "core/stats/chart.h"
#include "core/stats/frequency.h"
#include "core/tips/tipsreader.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using namespace corvane::core;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

std::string draws(int n, const std::function<std::string(int)>& numbers, const char* end = "\r\n")
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += std::to_string(20020100 + i) + " " + numbers(i) + end;
    return text;
}

std::string sixNumbers(int i)
{
    std::string line;
    for (int c = 1; c <= 6; ++c)
        line += (c > 1 ? " " : "") + std::to_string((i * 7 + c * 11) % 49 + 1);
    return line;
}

std::string junk(std::size_t n)
{
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i)
        bytes += static_cast<char>((i * 131 + 7) % 256);
    return bytes;
}

struct DataCase
{
    const char* name;
    std::function<std::string(const TempDir&)> path; // makes the file, returns its path
    const char* message; // nullptr: every analysis gives a result
};

std::function<std::string(const TempDir&)> file(std::string bytes)
{
    return [bytes](const TempDir& dir) { return dir.write("ca649.txt", bytes); };
}

std::vector<DataCase> dataCases()
{
    const std::string longLine = "20020105" + [] {
        std::string s;
        while (s.size() < 100000)
            s += " 7";
        return s;
    }();
    std::string sixty;
    for (int t = 1; t < 60; ++t)
        sixty += std::to_string(t % 49 + 1) + " ";
    return {
        {"missing", [](const TempDir& d) { return d.file("none.txt"); }, kNoDataMessage},
        {"directory", [](const TempDir& d) { return d.path(); }, kNoDataMessage},
        {"emptyPath", [](const TempDir&) { return std::string(); }, kNoDataMessage},
        {"empty", file(""), kTooFewLinesMessage},
        {"onlyComments", file("# a\r\n# b\r\n\r\n   \r\n"), kTooFewLinesMessage},
        {"fifteenLines", file(draws(15, sixNumbers)), kTooFewLinesMessage},
        {"junkWithoutDataLines", file("x" + junk(5000)), kTooFewLinesMessage},
        {"sixteenLines", file(draws(16, sixNumbers)), nullptr},
        {"lines100000Long", file(draws(16, [&](int) { return longLine.substr(9); })), nullptr},
        {"sixtyTokens", file(draws(20, [&](int) { return sixty; })), nullptr},
        {"tabs", file(draws(20, [](int i) { return "1\t2\t" + std::to_string(i); })), nullptr},
        {"junkWithNulBetweenDraws",
            file(draws(10, sixNumbers) + junk(3000) + "\n" + draws(10, sixNumbers)), nullptr},
        {"hugeNumbers", file(draws(20, [](int i) { return i % 2 ? "1e400 5" : "3 99999999999"; })),
            nullptr},
        {"negativeNumbers", file(draws(20, [](int i) { return "3 -4 " + std::to_string(i); })),
            nullptr},
        {"crCrLf", file(draws(20, sixNumbers, "\r\r\n")), nullptr},
        {"noFinalLineEnd", file(draws(20, sixNumbers).substr(0, draws(20, sixNumbers).size() - 2)),
            nullptr},
        {"keyOnlyLines",
            file(draws(20, [](int i) { return i % 3 ? sixNumbers(i) : std::string(); })), nullptr},
        {"keysThatAreNoDates",
            file("1 2 3\r\n99999999999 4 5\r\n0 1 1\r\n" + draws(16, sixNumbers)), nullptr},
        {"fortyNineNumbers",
            file(draws(30,
                [](int i) {
                    std::string s;
                    for (int c = 1; c <= 49; ++c)
                        s += std::to_string((c + i) % 49 + 1) + " ";
                    return s;
                })),
            nullptr},
        {"numbersAbove49",
            file(draws(20, [](int i) { return std::to_string(50 + i) + " 80 123"; })), nullptr},
        {"constantColumn", file(draws(20, [](int) { return std::string("7 7 7"); })), nullptr},
        {"nearOneBillion",
            file(draws(
                20, [](int i) { return std::to_string(1000000000 + i % 3) + " 1000000000"; })),
            nullptr},
        {"fractions", file(draws(20, [](int i) { return std::to_string(i) + ".5 12.9 0.0001"; })),
            nullptr},
    };
}

TEST(BadInput, everyHostileDataFileGetsItsMessageOrAResult)
{
    for (const DataCase& c : dataCases()) {
        TempDir dir;
        const std::string path = c.path(dir);
        SCOPED_TRACE(c.name);

        RecordingUi regressionUi;
        std::make_unique<regress>()->dojob(path, regressionUi);
        RecordingUi fuzzyUi;
        std::make_unique<fuzzy>()->dofuzzy(path, fuzzyUi);
        RecordingUi periodUi;
        auto period = std::make_unique<frequency>();
        period->m_path = path;
        const std::int32_t span = period->loadperiod(0.0, 1e12, periodUi);

        for (const RecordingUi* ui : {&regressionUi, &fuzzyUi, &periodUi}) {
            if (c.message) {
                ASSERT_EQ(ui->messages.size(), 1u);
                EXPECT_EQ(ui->messages[0], c.message);
                EXPECT_TRUE(ui->results.empty());
            } else {
                EXPECT_TRUE(ui->messages.empty());
            }
        }
        if (c.message) {
            EXPECT_EQ(span, 0);
            continue;
        }
        ASSERT_EQ(regressionUi.results.size(), 1u);
        ASSERT_EQ(fuzzyUi.results.size(), 1u);
        EXPECT_EQ(
            regressionUi.results[0].text.rfind("   The 'Canadian 6/49' Lottery \r\n   After ", 0),
            0u);
        ASSERT_GT(span, 0);
        period->m_showall = 1;
        period->countnumbers(span);
        const FreqList list = period->listtexts();
        EXPECT_EQ(list.header.at(0), "Day\\Lott");
        EXPECT_EQ(static_cast<std::int32_t>(list.rows.size()), span);
        for (const auto& row : list.rows)
            EXPECT_EQ(row.size(), list.header.size());
        const ChartGeometry chart = chartgeometry(*period, 1920, 1080);
        for (const ChartMarker& m : chart.markers) {
            EXPECT_GT(m.topLeft.x + kMarkerSize, 0);
            EXPECT_LT(m.topLeft.x, 1920);
        }
    }
}

#ifndef _WIN32
TEST(BadInput, anUnreadableDataFileIsNoData)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempDir dir;
    const std::string path = dir.write("ca649.txt", draws(20, sixNumbers));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    RecordingUi ui;
    std::make_unique<regress>()->dojob(path, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], kNoDataMessage);
}
#endif

TEST(BadInput, hostileStartupFilesFallBackOrGiveThePathAsRead)
{
    const std::string marker = "Startup-Open-File:";
    const struct
    {
        const char* name;
        std::string bytes;
        std::string path;
    } cases[] = {
        {"empty", "", ""},
        {"markerOnly", marker, ""},
        {"markerAndCrLf", marker + "\r\n", ""},
        {"shortLine", "Startup\r\n/opt/x.txt", ""},
        {"otherMarker", "Some-Other-Marker:/d/au645.txt", "/d/au645.txt"},
        {"secondLineIgnored", marker + "/d/a.txt\r\n" + marker + "/d/b.txt", "/d/a.txt"},
        {"spacesKept", marker + " /d/a.txt ", " /d/a.txt "},
        {"longPath", marker + std::string(10000, 'p'), std::string(10000, 'p')},
        {"junk", junk(18) + "rest", "rest"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        EXPECT_EQ(readStartupPath(dir.write("startlotto.txt", c.bytes)), c.path) << c.name;
    }
    TempDir dir;
    EXPECT_EQ(readStartupPath(dir.file("startlotto.txt")), "") << "missing";
    EXPECT_EQ(readStartupPath(dir.path()), "") << "a directory";
}

TEST(BadInput, hostileStoredTipPositionsAndTimeStamps)
{
    TempDir dir;
    const std::string path = dir.write("tips.txt", "First tip\nSecond tip\n");
    std::string stamp;
    {
        RecordingUi ui;
        stamp = TipsReader(path, {}, ui).timeStamp();
    }
    const struct
    {
        const char* name;
        TipsReader::Stored stored;
        bool trouble;
        std::string tip;
    } cases[] = {
        {"negative", {-5, stamp}, true, ""},
        {"huge", {INT64_MAX, stamp}, true, ""},
        {"pastTheEnd", {22, stamp}, true, ""},
        {"atTheEnd", {21, stamp}, false, "First tip\n"},
        {"midLine", {3, stamp}, false, "st tip\n"},
        {"hugeWithAnotherStamp", {INT64_MAX, "x"}, false, "First tip\n"},
        {"stampOf10000Characters", {10, std::string(10000, 'T')}, false, "First tip\n"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        TipsReader tips(path, c.stored, ui);
        EXPECT_EQ(ui.messages.size(), c.trouble ? 1u : 0u) << c.name;
        EXPECT_EQ(tips.tip(), c.tip) << c.name;
    }
}

} // namespace
