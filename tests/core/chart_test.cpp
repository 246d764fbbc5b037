#include "core/stats/chart.h"

#include "core/stats/frequency.h"
#include "recording_ui.h"
#include "stats_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::core::ChartGeometry;
using corvane::core::chartgeometry;
using corvane::core::ChartMarker;
using corvane::core::ChartPoint;
using corvane::core::ChartRect;
using corvane::core::frequency;
using corvane::test::Draw;
using corvane::test::drawsFile;
using corvane::test::plainDraws;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct Period
{
    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<frequency> engine = std::make_unique<frequency>();
};

// The chart's way of loading a period: keys preset from the pickers' texts.
std::unique_ptr<Period> period(const std::vector<Draw>& draws, double from, double to)
{
    auto p = std::make_unique<Period>();
    p->engine->m_path = p->dir.write("draws.txt", drawsFile(draws));
    p->engine->m_presetkeys = 1;
    p->engine->m_fromkey = from;
    p->engine->m_tokey = to;
    EXPECT_GT(p->engine->loadperiod("", "", p->ui), 0);
    return p;
}

std::unique_ptr<Period> period(
    const std::vector<Draw>& draws, const char* from = "abc", const char* to = "99-12-31")
{
    return period(draws, frequency::pickerkey(from), frequency::pickerkey(to));
}

// 30 draws of 1 to 6, then one holding 49: numbers 1 to 49.
std::vector<Draw> oneTo49()
{
    std::vector<Draw> draws = plainDraws(30);
    draws.push_back({"20020201", {"49", "1", "2", "3", "4", "5"}});
    return draws;
}

std::vector<ChartMarker> markersOfLine(const ChartGeometry& chart, std::int32_t line)
{
    std::vector<ChartMarker> markers;
    for (const ChartMarker& m : chart.markers) {
        if (m.line == line)
            markers.push_back(m);
    }
    return markers;
}

TEST(Chart, headingsOf1To49StandAt18PixelSteps)
{
    const auto p = period(oneTo49());
    const ChartGeometry chart = chartgeometry(*p->engine, 1000, 600);
    ASSERT_EQ(chart.headings.size(), 49u);
    EXPECT_EQ(chart.headings.front().rect, (ChartRect {62, 45, 94, 65}));
    EXPECT_EQ(chart.headings.front().text, "01");
    EXPECT_EQ(chart.headings.back().rect, (ChartRect {926, 45, 958, 65}));
    EXPECT_EQ(chart.headings.back().text, "49");
    for (std::size_t k = 0; k < chart.headings.size(); ++k) {
        const std::int32_t n = static_cast<std::int32_t>(k) + 1;
        EXPECT_EQ(chart.headings[k].number, n);
        EXPECT_EQ(chart.headings[k].rect.left, n * 18 + 44);
    }
}

struct HeightCase
{
    std::int32_t height;
    std::size_t lines;
};

TEST(Chart, linesStopAtTheBottomMargin)
{
    const std::vector<HeightCase> cases = {
        {400, 12},
        {170, 1},
        {169, 0},
        {189, 1},
        {190, 2},
        {100000, 31},
        {kMax, 31},
    };
    const auto p = period(oneTo49());
    for (const HeightCase& c : cases) {
        const ChartGeometry chart = chartgeometry(*p->engine, 1000, c.height);
        ASSERT_EQ(chart.lines.size(), c.lines) << c.height;
        EXPECT_EQ(chart.headings.size(), 49u) << c.height;
        for (std::size_t i = 0; i < chart.lines.size(); ++i) {
            const std::int32_t y = 90 + 20 * static_cast<std::int32_t>(i);
            EXPECT_EQ(chart.lines[i].y, y);
            EXPECT_EQ(chart.lines[i].rect, (ChartRect {0, y - 25, 80, y + 10}));
        }
        if (c.lines == 0) {
            EXPECT_TRUE(chart.markers.empty()) << c.height;
        } else {
            EXPECT_EQ(chart.markers.back().line, static_cast<std::int32_t>(c.lines) - 1);
        }
    }
    const ChartGeometry chart = chartgeometry(*p->engine, 1000, 400);
    EXPECT_EQ(chart.lines.front().label, "20020101");
    EXPECT_EQ(chart.lines.front().rect, (ChartRect {0, 65, 80, 100}));
    EXPECT_EQ(chart.lines.back().y, 310);
    EXPECT_EQ(chart.lines.back().label, "20020112");
}

TEST(Chart, markersStandInTheirColumnsExceptTheLastNumberColumn)
{
    std::vector<Draw> draws = plainDraws(20, 20011201);
    draws[0].numbers.back() = "49";
    draws.push_back({"20020105", {"3", "17", "22", "30", "41", "45"}});
    draws.push_back({"20020109", {"17", "18", "1", "2", "3", "4"}});
    const auto p = period(draws, "02-1-5", "02-1-9");
    const ChartGeometry chart = chartgeometry(*p->engine, 1000, 600);
    ASSERT_EQ(chart.lines.size(), 2u);
    EXPECT_EQ(chart.lines[0].label, "20020105");

    const std::vector<ChartMarker> first = markersOfLine(chart, 0);
    const std::vector<std::int32_t> numbers = {3, 17, 22, 30, 41};
    ASSERT_EQ(first.size(), numbers.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        EXPECT_EQ(first[k].number, numbers[k]);
        EXPECT_EQ(first[k].topLeft, (ChartPoint {numbers[k] * 18 + 60 - 14, 90 - 23}));
    }
    // 17 and 18: a 26-pixel ball at an 18-pixel pitch overlaps its neighbour by 8 pixels.
    const std::vector<ChartMarker> second = markersOfLine(chart, 1);
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(second[0].topLeft, (ChartPoint {352, 87}));
    EXPECT_EQ(second[0].topLeft.x + corvane::core::kMarkerSize - second[1].topLeft.x, 8);
}

TEST(Chart, exchangedDatesGiveTheSameChart)
{
    const auto forward = period(oneTo49(), "02-1-3", "02-1-20");
    const auto backward = period(oneTo49(), "02-1-20", "02-1-3");
    const ChartGeometry a = chartgeometry(*forward->engine, 800, 600);
    const ChartGeometry b = chartgeometry(*backward->engine, 800, 600);
    ASSERT_EQ(a.lines.size(), 18u);
    ASSERT_EQ(a.lines.size(), b.lines.size());
    ASSERT_EQ(a.markers.size(), b.markers.size());
    for (std::size_t i = 0; i < a.lines.size(); ++i)
        EXPECT_EQ(a.lines[i].label, b.lines[i].label);
    for (std::size_t i = 0; i < a.markers.size(); ++i)
        EXPECT_EQ(a.markers[i].topLeft, b.markers[i].topLeft);
    EXPECT_EQ(a.lines.front().label, "20020103");
}

struct WidthCase
{
    std::int32_t width;
    std::int32_t lastHeading;
    std::vector<std::int32_t> markers;
};

TEST(Chart, headingsAndMarkersStopAtTheClientWidth)
{
    std::vector<Draw> draws = oneTo49();
    draws.push_back({"20020301", {"3", "17", "22", "30", "41", "45"}});
    const auto p = period(draws, "02-3-1", "02-3-1");
    const std::vector<WidthCase> cases = {
        {1000, 49, {3, 17, 22, 30, 41}},
        {500, 25, {3, 17, 22}},
        {494, 24, {3, 17, 22}},
        {101, 3, {3}},
        {100, 3, {}},
        {98, 2, {}},
        {62, 0, {}},
        {1, 0, {}},
    };
    for (const WidthCase& c : cases) {
        const ChartGeometry chart = chartgeometry(*p->engine, c.width, 300);
        ASSERT_EQ(chart.headings.size(), static_cast<std::size_t>(c.lastHeading)) << c.width;
        if (c.lastHeading > 0) {
            EXPECT_EQ(chart.headings.back().number, c.lastHeading) << c.width;
        }
        std::vector<std::int32_t> markers;
        for (const ChartMarker& m : chart.markers)
            markers.push_back(m.number);
        EXPECT_EQ(markers, c.markers) << c.width;
        EXPECT_EQ(chart.lines.size(), 1u) << c.width;
    }
}

TEST(Chart, aNumberZeroGetsAHeadingAtX60)
{
    std::vector<Draw> draws = plainDraws(16);
    draws[3].numbers[0] = "0";
    const auto p = period(draws);
    const ChartGeometry chart = chartgeometry(*p->engine, 400, 300);
    ASSERT_FALSE(chart.headings.empty());
    EXPECT_EQ(chart.headings.front().text, "00");
    EXPECT_EQ(chart.headings.front().rect, (ChartRect {44, 45, 76, 65}));
    const std::vector<ChartMarker> line = markersOfLine(chart, 3);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.front().topLeft, (ChartPoint {46, 67 + 3 * 20}));
}

// --- extreme values -------------------------------------------------------------------------

bool reaches(const ChartRect& r, std::int32_t width, std::int32_t height)
{
    return r.left < width && r.right > 0 && r.top < height && r.bottom > 0;
}

TEST(Chart, hugeNumbersAndKeysDrawNothingWrong)
{
    std::vector<Draw> draws = plainDraws(16);
    draws.push_back({"1e400", {"4294967314", "9", "9", "9", "9", "9"}});
    draws.push_back({"2147483648", {"2147483648", "1e400", "999999999999", "100000", "7", "1"}});
    const auto p = period(draws, 0, std::numeric_limits<double>::infinity());
    ASSERT_EQ(p->engine->m_history.maxnum, 100000.0);

    const ChartGeometry screen = chartgeometry(*p->engine, 1920, 1080);
    // Headings as far as 1920 pixels reach, not to 100000.
    ASSERT_EQ(screen.headings.size(), 104u);
    EXPECT_EQ(screen.headings.back().text, "104");
    ASSERT_EQ(screen.lines.size(), 18u);
    EXPECT_EQ(screen.lines[16].label, "-2147483648");
    EXPECT_EQ(screen.lines[17].label, "-2147483648");
    // 4294967314 must not wrap to 18, nor a huge column to 0; on the screen only 9 and 7 are.
    std::vector<std::int32_t> numbers;
    for (const ChartMarker& m : markersOfLine(screen, 16))
        numbers.push_back(m.number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t> {9, 9, 9, 9}));
    ASSERT_EQ(markersOfLine(screen, 17).size(), 1u);
    EXPECT_EQ(markersOfLine(screen, 17).front().number, 7);

    const ChartGeometry huge = chartgeometry(*p->engine, kMax, kMax);
    EXPECT_EQ(huge.headings.size(), 100000u);
    EXPECT_EQ(huge.headings.back().rect, (ChartRect {1800044, 45, 1800076, 65}));
    EXPECT_EQ(huge.lines.size(), 18u);
    std::vector<std::int32_t> far;
    for (const ChartMarker& m : markersOfLine(huge, 17))
        far.push_back(m.number);
    EXPECT_EQ(far, (std::vector<std::int32_t> {100000, 7}));
    for (const auto& h : huge.headings)
        EXPECT_TRUE(reaches(h.rect, kMax, kMax));
}

TEST(Chart, aHugeLastMaximumLeavesNoHeadingButTheLines)
{
    std::vector<Draw> draws = plainDraws(16);
    draws.back().numbers.back() = "1e10";
    const auto p = period(draws);
    const ChartGeometry chart = chartgeometry(*p->engine, 1000, 600);
    EXPECT_TRUE(chart.headings.empty());
    EXPECT_EQ(chart.lines.size(), 16u);
    EXPECT_EQ(chart.markers.size(), 16u * 5u);
}

TEST(Chart, anEmptyOrNegativeClientAreaOrNoTableDrawsNothing)
{
    const auto p = period(oneTo49());
    const std::vector<std::pair<std::int32_t, std::int32_t>> sizes = {{0, 600}, {1000, 0},
        {-1, 600}, {1000, -5}, {std::numeric_limits<std::int32_t>::min(), kMax},
        {kMax, std::numeric_limits<std::int32_t>::min()}};
    for (const auto& [w, h] : sizes) {
        const ChartGeometry chart = chartgeometry(*p->engine, w, h);
        EXPECT_TRUE(chart.headings.empty() && chart.lines.empty() && chart.markers.empty())
            << w << ' ' << h;
    }
    // Headings end at y 65: a client area 45 pixels high shows none of them.
    EXPECT_TRUE(chartgeometry(*p->engine, 1000, 45).headings.empty());
    EXPECT_EQ(chartgeometry(*p->engine, 1000, 46).headings.size(), 49u);

    const auto fresh = std::make_unique<frequency>();
    const ChartGeometry none = chartgeometry(*fresh, 1000, 600);
    EXPECT_TRUE(none.headings.empty() && none.lines.empty() && none.markers.empty());
}

} // namespace
