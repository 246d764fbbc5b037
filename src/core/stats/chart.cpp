#include "core/stats/chart.h"

#include "core/stats/frequency.h"
#include "core/text/numbers.h"

#include <algorithm>
#include <cstdio>

namespace corvane::core {

namespace {

constexpr std::int64_t kHeadingTop = 45;
constexpr std::int64_t kHeadingBottom = 65;
constexpr std::int64_t kHeadingHalfWidth = 16;
constexpr std::int64_t kLabelWidth = 80;
constexpr std::int64_t kLabelAbove = 25;
constexpr std::int64_t kLabelBelow = 10;
constexpr std::int64_t kMarkerLeft = 14;
constexpr std::int64_t kMarkerAbove = 23;
// A line is drawn while at least this much room is left above the 60-pixel bottom margin.
constexpr std::int64_t kBottomMargin = 60;
constexpr std::int64_t kLineRoom = 20;

struct Box
{
    std::int64_t left, top, right, bottom;
};

// Whether any pixel of box lies in the client area; only such boxes are handed out, so their
// coordinates are within a few dozen pixels of the area and fit 32 bits.
bool reaches(const Box& box, std::int64_t width, std::int64_t height)
{
    return box.left < width && box.right > 0 && box.top < height && box.bottom > 0;
}

ChartRect toRect(const Box& box)
{
    return {static_cast<std::int32_t>(box.left), static_cast<std::int32_t>(box.top),
        static_cast<std::int32_t>(box.right), static_cast<std::int32_t>(box.bottom)};
}

std::string formatTwoDigits(std::int64_t n)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(n));
    return text;
}

void addHeadings(
    ChartGeometry& chart, const regress& table, std::int64_t width, std::int64_t height)
{
    const std::int64_t low = truncToInt(table.minnum);
    const std::int64_t high = truncToInt(table.maxnum);
    // Headings left of x = 0 are skipped by arithmetic, those past the width by the loop's end,
    // so the loop runs about width / 18 times whatever the numbers are.
    const std::int64_t firstVisible = -(60 + kHeadingHalfWidth) / 18;
    for (std::int64_t n = std::max(low, firstVisible); n <= high; ++n) {
        const std::int64_t x = chartColumnX(n);
        const Box box {x - kHeadingHalfWidth, kHeadingTop, x + kHeadingHalfWidth, kHeadingBottom};
        if (box.left >= width)
            break;
        if (reaches(box, width, height))
            chart.headings.push_back(
                {static_cast<std::int32_t>(n), formatTwoDigits(n), toRect(box)});
    }
}

void addMarkers(ChartGeometry& chart, const regress& table, std::int32_t row, std::int32_t line,
    std::int64_t y, std::int64_t width, std::int64_t height)
{
    const std::int32_t numcols = std::min<std::int32_t>(table.numcols, regress::kColumns - 1);
    for (std::int32_t c = 1; c <= numcols - 1; ++c) {
        const std::int32_t n = truncToInt(table.table[row][c]);
        const std::int64_t left = chartColumnX(n) - kMarkerLeft;
        const Box box {left, y - kMarkerAbove, left + kMarkerSize, y - kMarkerAbove + kMarkerSize};
        if (reaches(box, width, height))
            chart.markers.push_back({line, n,
                {static_cast<std::int32_t>(box.left), static_cast<std::int32_t>(box.top)}});
    }
}

} // namespace

ChartGeometry chartgeometry(const frequency& period, std::int32_t width, std::int32_t height)
{
    ChartGeometry chart;
    const regress& table = period.m_history;
    if (table.rowsplus1 < 2 || width <= 0 || height <= 0)
        return chart;
    addHeadings(chart, table, width, height);

    const std::int32_t from = std::max<std::int32_t>(period.m_fromrow, 0);
    const std::int32_t to = std::min(period.m_torow, period.lastrow());
    for (std::int32_t r = from; r <= to; ++r) {
        const std::int32_t i = r - from;
        const std::int64_t y = chartLineY(i);
        if (height - kBottomMargin - y < kLineRoom)
            break;
        const Box label {0, y - kLabelAbove, kLabelWidth, y + kLabelBelow};
        if (reaches(label, width, height))
            chart.lines.push_back({i, static_cast<std::int32_t>(y),
                formatInt(truncToInt(table.table[r][0])), toRect(label)});
        addMarkers(chart, table, r, i, y, width, height);
    }
    return chart;
}

} // namespace corvane::core
