#include "core/analysis/charts.h"

#include "core/analysis/format.h"
#include "core/backtest/report.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

namespace {

// A plot area inside an SVG canvas, y from 0 up to a round maximum.
struct Frame
{
    double width = 960;
    double height = 300;
    double left = 64;
    double right = 16;
    double top = 34;
    double bottom = 44;
    double yMax = 1;
    double yStep = 1;

    double plotWidth() const { return width - left - right; }
    double plotHeight() const { return height - top - bottom; }
    double y(double value) const { return top + plotHeight() * (1.0 - value / yMax); }
};

std::string num(double value)
{
    return fixedText(value, 1);
}

// A round step that splits 0..top into about five parts, and the axis' top as a whole number
// of steps.
void roundAxis(Frame& frame, double top)
{
    top = std::max(top, 1e-9);
    const double raw = top / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * magnitude;
        if (raw <= step)
            break;
    }
    frame.yStep = step;
    frame.yMax = std::ceil(top / step) * step;
}

std::string tickText(double value, double step)
{
    return fixedText(value, step >= 1 ? 0 : step >= 0.1 ? 1 : step >= 0.01 ? 2 : 3);
}

std::string open(const Frame& f, const std::string& label)
{
    return "<svg viewBox=\"0 0 " + num(f.width) + " " + num(f.height)
        + "\" role=\"img\" aria-label=\"" + htmlText(label) + "\"><title>" + htmlText(label)
        + "</title>\n";
}

// Grid lines, y labels, the axes and their titles.
std::string axes(const Frame& f, const std::string& xTitle, const std::string& yTitle)
{
    std::string svg;
    for (double v = 0; v <= f.yMax + f.yStep / 2; v += f.yStep) {
        const std::string y = num(f.y(v));
        svg += "<line class=\"grid\" x1=\"" + num(f.left) + "\" y1=\"" + y + "\" x2=\""
            + num(f.width - f.right) + "\" y2=\"" + y + "\"/>" + "<text class=\"tick\" x=\""
            + num(f.left - 6) + "\" y=\"" + num(f.y(v) + 4) + "\" text-anchor=\"end\">"
            + tickText(v, f.yStep) + "</text>\n";
    }
    svg += "<line class=\"axis\" x1=\"" + num(f.left) + "\" y1=\"" + num(f.top) + "\" x2=\""
        + num(f.left) + "\" y2=\"" + num(f.height - f.bottom) + "\"/>";
    svg += "<line class=\"axis\" x1=\"" + num(f.left) + "\" y1=\"" + num(f.height - f.bottom)
        + "\" x2=\"" + num(f.width - f.right) + "\" y2=\"" + num(f.height - f.bottom) + "\"/>\n";
    svg += "<text class=\"title\" x=\"" + num(f.left + f.plotWidth() / 2) + "\" y=\""
        + num(f.height - 6) + "\" text-anchor=\"middle\">" + htmlText(xTitle) + "</text>";
    svg += "<text class=\"title\" transform=\"translate(14 " + num(f.top + f.plotHeight() / 2)
        + ") rotate(-90)\" text-anchor=\"middle\">" + htmlText(yTitle) + "</text>\n";
    return svg;
}

std::string rect(double x, double y, double w, double h, const std::string& cls)
{
    return "<rect class=\"" + cls + "\" x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\""
        + num(std::max(w, 0.0)) + "\" height=\"" + num(std::max(h, 0.0)) + "\"/>";
}

std::string diamond(double x, double y, double r)
{
    return "<path class=\"fair\" d=\"M" + num(x) + " " + num(y - r) + "L" + num(x + r) + " "
        + num(y) + "L" + num(x) + " " + num(y + r) + "L" + num(x - r) + " " + num(y) + "Z\"/>";
}

// A legend row at the top of the frame: swatch class and text, one after the other.
std::string legend(const Frame& f, const std::vector<std::pair<std::string, std::string>>& items)
{
    std::string svg;
    double x = f.left;
    for (const auto& [cls, text] : items) {
        if (cls == "fair")
            svg += diamond(x + 6, 14, 5);
        else if (cls == "expected")
            svg += "<line class=\"expected\" x1=\"" + num(x) + "\" y1=\"14\" x2=\"" + num(x + 14)
                + "\" y2=\"14\"/>";
        else
            svg += rect(x, 8, 14, 12, cls);
        svg += "<text class=\"legend\" x=\"" + num(x + 20) + "\" y=\"18\">" + htmlText(text)
            + "</text>";
        x += 30 + 7.6 * static_cast<double>(text.size());
    }
    return svg + "\n";
}

// How many bars a label stands under: 1, 2, 5, 10, 20 … so that labels do not overlap.
int labelEvery(int bars, double width)
{
    int every = 1;
    for (const int step : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
        every = step;
        if (width / bars * step >= 22)
            break;
    }
    return every;
}

std::string xLabel(const Frame& f, double x, const std::string& text)
{
    return "<text class=\"tick\" x=\"" + num(x) + "\" y=\"" + num(f.height - f.bottom + 16)
        + "\" text-anchor=\"middle\">" + htmlText(text) + "</text>";
}

} // namespace

std::string frequencyChart(const Report& r)
{
    const FrequencyFigures& fr = r.frequency;
    const int M = static_cast<int>(fr.counts.size());
    Frame f;
    const double bandLow = std::max(0.0, fr.expected - kUnusualSd * fr.sd);
    const double bandHigh = fr.expected + kUnusualSd * fr.sd;
    roundAxis(f,
        std::max(
            static_cast<double>(*std::max_element(fr.counts.begin(), fr.counts.end())), bandHigh)
            * 1.05);
    std::string svg = open(f, "How often each number was drawn, beside the band of fair draws");
    svg += axes(f, "Number", "Times drawn");
    const double slot = f.plotWidth() / M;
    svg += rect(f.left, f.y(bandHigh), f.plotWidth(), f.y(bandLow) - f.y(bandHigh), "band");
    const int every = labelEvery(M, f.plotWidth());
    for (int i = 0; i < M; ++i) {
        const double x = f.left + slot * i;
        const double count = static_cast<double>(fr.counts[i]);
        const bool beyond = fr.outsideBand(fr.counts[i]);
        svg += rect(x + slot * 0.15, f.y(count), slot * 0.7, f.y(0) - f.y(count),
            beyond ? "bar beyond" : "bar");
        if (beyond)
            svg += "<circle class=\"dot\" cx=\"" + num(x + slot / 2) + "\" cy=\""
                + num(f.y(count) - 5) + "\" r=\"" + num(std::min(3.0, slot * 0.35)) + "\"/>";
        const int value = r.period.lowest + i;
        if (value % every == 0 || M <= 12)
            svg += xLabel(f, x + slot / 2, std::to_string(value));
    }
    svg += "<line class=\"expected\" x1=\"" + num(f.left) + "\" y1=\"" + num(f.y(fr.expected))
        + "\" x2=\"" + num(f.width - f.right) + "\" y2=\"" + num(f.y(fr.expected)) + "\"/>\n";
    svg += legend(f,
        {{"bar", "times drawn"}, {"bar beyond", "outside the band (dot)"},
            {"band", "95% band of fair draws"},
            {"expected", "expected " + fixedText(fr.expected, 1)}});
    return svg + "</svg>\n";
}

std::string gapChart(const Report& r)
{
    const GapFigures& g = r.gaps;
    const double miss = 1.0 - g.drawChance;
    // Bars up to the gap that fair draws exceed only 1% of the time, at most 60 of them.
    const double span = miss > 0 ? std::ceil(std::log(0.01) / std::log(miss)) : 1.0;
    const std::int64_t limit = static_cast<std::int64_t>(std::clamp(span, 1.0, 1e9));
    const std::int64_t width = std::max<std::int64_t>(1, (limit + 59) / 60);
    const std::int64_t bins = (limit + width - 1) / width;
    std::vector<double> observed(static_cast<std::size_t>(bins) + 1, 0.0);
    std::vector<double> fair(static_cast<std::size_t>(bins) + 1, 0.0);
    const double total = std::max<double>(1.0, static_cast<double>(g.completedTotal));
    for (std::size_t gap = 0; gap < g.completed.size(); ++gap) {
        const std::size_t bin = std::min<std::size_t>(
            gap / static_cast<std::size_t>(width), static_cast<std::size_t>(bins));
        observed[bin] += static_cast<double>(g.completed[gap]) / total;
    }
    for (std::int64_t b = 0; b <= bins; ++b) {
        const double from = std::pow(miss, static_cast<double>(b * width));
        const double to = b == bins ? 0.0 : std::pow(miss, static_cast<double>((b + 1) * width));
        fair[static_cast<std::size_t>(b)] = from - to;
    }
    Frame f;
    roundAxis(f,
        std::max(*std::max_element(observed.begin(), observed.end()),
            *std::max_element(fair.begin(), fair.end()))
            * 1.08);
    std::string svg = open(f, "Gaps between draws of a number, beside the geometric law");
    svg += axes(f,
        width == 1 ? "Gap: draws between two draws of a number"
                   : "Gap (draws), in groups of " + std::to_string(width),
        "Share of gaps");
    const double slot = f.plotWidth() / static_cast<double>(bins + 1);
    const int every = labelEvery(static_cast<int>(bins + 1), f.plotWidth());
    std::string curve;
    for (std::int64_t b = 0; b <= bins; ++b) {
        const double x = f.left + slot * static_cast<double>(b);
        const double share = observed[static_cast<std::size_t>(b)];
        svg += rect(x + slot * 0.12, f.y(share), slot * 0.76, f.y(0) - f.y(share), "bar");
        const double y = f.y(fair[static_cast<std::size_t>(b)]);
        curve += (b == 0 ? "M" : "L") + num(x + slot / 2) + " " + num(y);
        if (b % every == 0 || b == bins)
            svg += xLabel(f, x + slot / 2,
                b == bins ? std::to_string(b * width) + "+" : std::to_string(b * width));
    }
    svg += "<path class=\"curve\" d=\"" + curve + "\"/>\n";
    for (std::int64_t b = 0; b <= bins; ++b)
        svg += diamond(f.left + slot * (static_cast<double>(b) + 0.5),
            f.y(fair[static_cast<std::size_t>(b)]), std::min(4.0, slot * 0.4));
    svg += legend(f, {{"bar", "observed share of gaps"}, {"fair", "geometric law of fair draws"}});
    return svg + "</svg>\n";
}

std::string hitChart(const MethodFigures& m)
{
    const BacktestSummary& s = m.summary;
    const int bars = static_cast<int>(s.observed.size());
    Frame f;
    f.width = 940;
    f.height = 240;
    double top = 1;
    for (int h = 0; h < bars; ++h)
        top = std::max({top, static_cast<double>(s.observed[h]), s.expected[h]});
    roundAxis(f, top * 1.08);
    std::string svg = open(f, "Hits of the " + methodName(m.method) + " beside a random ticket");
    svg += axes(f, "Hits in a draw", "Draws");
    const double slot = f.plotWidth() / std::max(bars, 1);
    for (int h = 0; h < bars; ++h) {
        const double x = f.left + slot * h;
        const double value = s.observed[h];
        svg += rect(x + slot * 0.2, f.y(value), slot * 0.6, f.y(0) - f.y(value), "bar");
        svg += diamond(x + slot / 2, f.y(s.expected[h]), std::min(5.0, slot * 0.3));
        svg += xLabel(f, x + slot / 2, std::to_string(h));
    }
    svg += legend(f, {{"bar", "draws with that many hits"}, {"fair", "a random ticket"}});
    return svg + "</svg>\n";
}

} // namespace corvane::core
