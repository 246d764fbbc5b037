#include "core/analysis/text_report.h"

#include "core/analysis/format.h"
#include "core/io/files.h"
#include "core/text/numbers.h"

#include <algorithm>

namespace corvane::core {

namespace {

constexpr std::size_t kWidth = 100;

std::string padRight(const std::string& text, std::size_t width)
{
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// text wrapped at spaces to kWidth columns, the first line after `first`, the others after
// `indent`.
std::string wrap(const std::string& text, const std::string& first, const std::string& indent)
{
    std::string out, line = first;
    std::size_t start = 0;
    bool lineEmpty = true;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!lineEmpty && line.size() + 1 + word.size() > kWidth) {
            out += line + "\n";
            line = indent;
            lineEmpty = true;
        }
        line += (lineEmpty ? "" : " ") + word;
        lineEmpty = false;
        start = end + 1;
    }
    return out + line + "\n";
}

std::string heading(const std::string& title)
{
    std::string upper = title;
    std::transform(upper.begin(), upper.end(), upper.begin(),
        [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return "\n" + upper + "\n";
}

std::string section(const SectionWords& words)
{
    std::string text = heading(words.title) + wrap(words.headline, "", "");
    for (const std::string& note : words.notes)
        text += wrap(note, "  - ", "    ");
    return text;
}

std::string number(const Period& period, int index)
{
    return std::to_string(period.lowest + index);
}

std::string frequencyTable(const Report& r)
{
    const FrequencyFigures& f = r.frequency;
    std::string text = "  Number    Count   Deviation (sd)\n";
    for (std::size_t i = 0; i < f.counts.size(); ++i) {
        const bool beyond = f.outsideBand(f.counts[i]);
        text += padLeft(number(r.period, static_cast<int>(i)), 8)
            + padLeft(std::to_string(f.counts[i]), 9) + padLeft(signedText(f.deviations[i], 2), 12)
            + (beyond ? "   *" : "") + "\n";
    }
    return text + "  (* 1.96 standard deviations or more from " + fixedText(f.expected, 2) + ")\n";
}

std::string gapTable(const Report& r)
{
    const GapFigures& g = r.gaps;
    std::string text = "  Number   Current gap   Chance   Longest gap   Chance\n";
    for (std::size_t i = 0; i < g.current.size(); ++i)
        text += padLeft(number(r.period, static_cast<int>(i)), 8)
            + padLeft(std::to_string(g.current[i]), 14) + padLeft(chanceText(g.currentChance[i]), 9)
            + padLeft(std::to_string(g.longest[i]), 14) + padLeft(chanceText(g.longestChance[i]), 9)
            + "\n";
    return text;
}

std::string pairTable(const Report& r)
{
    if (r.pairs.top.empty())
        return "";
    std::string text = "  Pair        Together   Expected   Chance for one pair\n";
    for (const PairCount& p : r.pairs.top)
        text += "  " + padRight(std::to_string(p.first) + " & " + std::to_string(p.second), 10)
            + padLeft(std::to_string(p.count), 10) + padLeft(fixedText(r.pairs.expected, 2), 11)
            + padLeft(chanceText(p.chance), 22) + "\n";
    return text;
}

std::string shapeRow(const std::string& name, const ShapeFigure& f)
{
    return "  " + padRight(name, 22) + padLeft(fixedText(f.mean, 3), 10)
        + padLeft(fixedText(f.expected, 3), 11) + padLeft(fixedText(f.observedSd, 3), 10)
        + padLeft(fixedText(f.sd, 3), 10) + padLeft(signedText(f.z, 2), 8)
        + padLeft(chanceText(f.p), 9) + "\n";
}

std::string distribution(const std::string& name, const ShapeFigure& f)
{
    if (f.expectedDraws.empty() || f.observed.size() != f.expectedDraws.size())
        return "";
    std::string text = "\n  " + padRight(name, 10) + "   Draws   Fair draws\n";
    for (std::size_t j = 0; j < f.observed.size(); ++j)
        text += padLeft(std::to_string(j), 12) + padLeft(std::to_string(f.observed[j]), 8)
            + padLeft(fixedText(f.expectedDraws[j], 1), 13) + "\n";
    return text;
}

std::string shapeTables(const Report& r)
{
    const ShapeFigures& s = r.shape;
    std::string text = "  Figure                    Mean  Fair mean   Obs. sd   Fair sd       z"
                       "        p\n";
    text += shapeRow("Repeats", s.repeats) + shapeRow("Sum", s.sums)
        + shapeRow("Odd numbers", s.odd) + shapeRow("Low numbers", s.low);
    return text + distribution("Repeats", s.repeats) + distribution("Odd", s.odd)
        + distribution("Low", s.low);
}

// The first K numbers of a ticket or draw, a hit in brackets.
std::string marked(const std::vector<std::string>& numbers, const std::vector<bool>& hit)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i ? " " : "") + (hit[i] ? "[" + numbers[i] + "]" : numbers[i]);
    return text;
}

std::string methodTables(const Report& r, const MethodFigures& m)
{
    if (!m.ran)
        return "";
    const BacktestSummary& s = m.summary;
    std::string text = "  Hits   Draws   Random ticket\n";
    for (std::size_t h = 0; h < s.observed.size(); ++h)
        text += padLeft(std::to_string(h), 6) + padLeft(std::to_string(s.observed[h]), 8)
            + padLeft(fixedText(s.expected[h], 1), 16) + "\n";
    text += "\n  The last " + std::to_string(m.last.size())
        + " predictions beside the draws (hits in brackets):\n";
    text += "  Draw         Ticket" + std::string(24, ' ') + "Drawn\n";
    for (const TestedDraw& d : m.last) {
        const MarkedDraw marks = markDraw(d, r.period.numbers, m.pool);
        text += "  " + padRight(showDrawKey(d.key), 12) + " "
            + padRight(marked(marks.ticket, marks.ticketHit), 29) + " "
            + marked(marks.drawn, marks.drawnHit) + "   " + std::to_string(d.hits)
            + (d.hits == 1 ? " hit" : " hits") + "\n";
    }
    return text;
}

} // namespace

std::string reportText(const Report& r)
{
    std::string text = "Report: " + r.period.lottery + " (" + fileNamePart(r.period.path) + ")\n";
    text += wrap(r.notice + " " + r.yardstick, "", "") + "\n";
    text += wrap(r.scope, "", "") + wrap(r.game, "", "");
    if (!r.era.empty())
        text += wrap(r.era, "", "");
    for (const std::string& warning : r.warnings)
        text += wrap(warning, "Warning: ", "  ");
    text += wrap(r.tally, "", "");
    text += section(r.frequencyWords) + frequencyTable(r);
    text += section(r.gapWords) + gapTable(r);
    text += section(r.pairWords) + pairTable(r);
    text += section(r.shapeWords) + shapeTables(r);
    for (std::size_t i = 0; i < r.methods.size() && i < r.methodWords.size(); ++i)
        text += section(r.methodWords[i]) + methodTables(r, r.methods[i]);
    return text;
}

} // namespace corvane::core
