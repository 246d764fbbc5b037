#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::core {

class frequency;

/// A point in client pixels: x to the right, y downward.
struct ChartPoint
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ChartPoint& other) const { return x == other.x && y == other.y; }
};

/// A rectangle in client pixels; right and bottom are not part of it.
struct ChartRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const ChartRect& other) const
    {
        return left == other.left && top == other.top && right == other.right
            && bottom == other.bottom;
    }
};

/// The heading of a number column: the number written by "%02d", drawn top-left aligned and
/// clipped to rect.
struct ChartHeading
{
    std::int32_t number = 0;
    std::string text;
    ChartRect rect;
};

/// One draw of the period: its key written by "%d" in rect, at the line's y.
struct ChartLine
{
    /// 0 for the period's first (oldest) draw.
    std::int32_t index = 0;
    std::int32_t y = 0;
    std::string label;
    ChartRect rect;
};

/// The ball picture at its own size (kMarkerSize square) with its top-left corner at topLeft.
struct ChartMarker
{
    /// The line the marker stands on (ChartLine::index).
    std::int32_t line = 0;
    std::int32_t number = 0;
    ChartPoint topLeft;
};

/// Everything the distribution chart paints, in painting order: headings, then each line's
/// label and markers. Black text on white.
struct ChartGeometry
{
    std::vector<ChartHeading> headings;
    std::vector<ChartLine> lines;
    std::vector<ChartMarker> markers;
};

/// The ball picture is this many pixels square.
constexpr std::int32_t kMarkerSize = 26;

/// x of the column of number n: n × 18 + 60 (64-bit, so no n overflows it).
constexpr std::int64_t chartColumnX(std::int64_t n)
{
    return n * 18 + 60;
}

/// y of the line of the period's draw i (0 = first): 90 + 20 × i.
constexpr std::int64_t chartLineY(std::int64_t i)
{
    return 90 + 20 * i;
}

/// The distribution chart of the period that period.loadperiod last found, for a client area
/// of width × height pixels:
/// - headings for every number n from the table's minnum to its maxnum (truncated, not limited
///   to 49), in (x(n) - 16, 45)..(x(n) + 16, 65);
/// - a line per draw of the period, oldest first, at y(i), while height - 60 - y(i) >= 20, its
///   label in (0, y - 25)..(80, y + 10);
/// - on each line a marker for the numbers of columns 1 to numcols - 1 (the last number column
///   gets none), top-left at (x(n) - 14, y - 23).
/// Only what reaches into the client area is returned, so a huge number or a huge width asks
/// for no more headings than the width holds; every coordinate returned fits 32 bits. Nothing
/// for a period engine that has loaded no table.
ChartGeometry chartgeometry(const frequency& period, std::int32_t width, std::int32_t height);

} // namespace corvane::core
