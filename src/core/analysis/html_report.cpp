#include "core/analysis/html_report.h"

#include "core/analysis/charts.h"
#include "core/analysis/format.h"
#include "core/backtest/report.h"
#include "core/io/files.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <filesystem>

namespace corvane::core {

namespace {

constexpr const char* kStyle = R"(
:root { color-scheme: light; }
body { margin: 0; background: #fff; color: #1b1f24;
  font: 15px/1.45 "DejaVu Sans", "Segoe UI", Roboto, Helvetica, Arial, sans-serif; }
main { max-width: 980px; margin: 0 auto; padding: 24px 20px 48px; }
h1 { font-size: 1.6em; margin: 0 0 .4em; }
h2 { font-size: 1.25em; margin: 1.8em 0 .4em; padding-bottom: .2em; border-bottom: 2px solid #c9d1d9; }
h3 { font-size: 1em; margin: 1em 0 .3em; }
p { margin: .4em 0; }
.notice { font-weight: 700; background: #fff6d6; border-left: 5px solid #d4a000; padding: .6em .9em; }
.warning { background: #fdecea; border-left: 5px solid #b3261e; padding: .5em .9em; }
.headline { font-weight: 700; font-size: 1.06em; border-left: 5px solid #2f7d4f; padding: .2em .7em; }
.headline.surprising { border-left-color: #b3261e; }
ul.notes { font-size: .9em; color: #333; padding-left: 1.3em; margin: .4em 0 .8em; }
table { border-collapse: collapse; font-size: .86em; font-variant-numeric: tabular-nums; margin: .4em 0; }
th, td { padding: 2px 9px; text-align: right; border-bottom: 1px solid #e3e6ea; white-space: nowrap; }
th { background: #eef1f4; font-weight: 600; }
.l { text-align: left; }
.blocks { display: flex; flex-wrap: wrap; gap: 18px; align-items: flex-start; }
.beyond { color: #a11d1d; font-weight: 700; }
mark { background: #ffd54a; color: #000; font-weight: 700; padding: 0 2px; }
svg { display: block; width: 100%; height: auto; margin: .5em 0 .8em; }
svg text { font-size: 13px; fill: #1b1f24; }
svg .tick { font-size: 12px; fill: #444; }
svg .grid { stroke: #e3e6ea; stroke-width: 1; }
svg .axis { stroke: #555; stroke-width: 1.2; }
svg .band { fill: #9aa5b1; fill-opacity: .35; }
svg .bar { fill: #4a78a8; }
svg .bar.beyond { fill: #c0392b; }
svg .dot { fill: #1b1f24; }
svg .expected { stroke: #1b1f24; stroke-width: 1.5; stroke-dasharray: 6 4; }
svg .curve { fill: none; stroke: #e08a00; stroke-width: 2; }
svg .fair { fill: #e08a00; stroke: #1b1f24; stroke-width: .8; }
footer { margin-top: 2.5em; font-size: .85em; color: #555; }
@media print {
  body { font-size: 10.5pt; }
  main { max-width: none; padding: 0; }
  h2 { break-after: avoid; }
  svg, table, .headline { break-inside: avoid; }
  mark { background: none; text-decoration: underline; }
  .notice, .warning { background: none; }
}
)";

std::string paragraph(const std::string& text, const std::string& cls = "")
{
    return "<p" + (cls.empty() ? std::string() : " class=\"" + cls + "\"") + ">" + htmlText(text)
        + "</p>\n";
}

std::string sectionStart(const std::string& id, const SectionWords& w, double p)
{
    std::string html = "<section id=\"" + id + "\">\n<h2>" + htmlText(w.title) + "</h2>\n";
    html += paragraph(w.headline, p < kSignificance ? "headline surprising" : "headline");
    return html;
}

std::string notes(const SectionWords& w)
{
    if (w.notes.empty())
        return "";
    std::string html = "<ul class=\"notes\">\n";
    for (const std::string& note : w.notes)
        html += "<li>" + htmlText(note) + "</li>\n";
    return html + "</ul>\n";
}

std::string cell(const std::string& text, const std::string& cls = "")
{
    return "<td" + (cls.empty() ? std::string() : " class=\"" + cls + "\"") + ">" + text + "</td>";
}

// rows (already cells) split into up to `blocks` tables side by side, each with the header.
std::string blockTables(const std::string& header, const std::vector<std::string>& rows, int blocks)
{
    const std::size_t per = std::max<std::size_t>(12,
        (rows.size() + static_cast<std::size_t>(blocks) - 1) / static_cast<std::size_t>(blocks));
    std::string html = "<div class=\"blocks\">\n";
    for (std::size_t start = 0; start < rows.size(); start += per) {
        html += "<table><thead><tr>" + header + "</tr></thead><tbody>\n";
        for (std::size_t i = start; i < std::min(rows.size(), start + per); ++i)
            html += "<tr>" + rows[i] + "</tr>\n";
        html += "</tbody></table>\n";
    }
    return html + "</div>\n";
}

std::string frequencySection(const Report& r)
{
    const FrequencyFigures& f = r.frequency;
    std::string html = sectionStart("frequency", r.frequencyWords, f.p);
    html += frequencyChart(r) + notes(r.frequencyWords);
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < f.counts.size(); ++i) {
        const bool beyond = f.outsideBand(f.counts[i]);
        const std::string cls = beyond ? "beyond" : "";
        rows.push_back(cell(std::to_string(r.period.lowest + static_cast<int>(i)))
            + cell(std::to_string(f.counts[i]), cls) + cell(signedText(f.deviations[i], 2), cls));
    }
    html += blockTables("<th>Number</th><th>Count</th><th>Deviation (sd)</th>", rows, 3);
    return html + "</section>\n";
}

std::string gapSection(const Report& r)
{
    const GapFigures& g = r.gaps;
    std::string html = sectionStart("gaps", r.gapWords, g.bound);
    html += gapChart(r) + notes(r.gapWords);
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < g.current.size(); ++i) {
        const std::string currentCls = g.current[i] >= g.rareCurrentFrom ? "beyond" : "";
        const std::string longestCls = g.longest[i] >= g.rareLongestFrom ? "beyond" : "";
        rows.push_back(cell(std::to_string(r.period.lowest + static_cast<int>(i)))
            + cell(std::to_string(g.current[i]), currentCls)
            + cell(chanceText(g.currentChance[i]), currentCls)
            + cell(std::to_string(g.longest[i]), longestCls)
            + cell(chanceText(g.longestChance[i]), longestCls));
    }
    html += blockTables("<th>Number</th><th>Current gap</th><th>Chance</th><th>Longest gap</th>"
                        "<th>Chance</th>",
        rows, 2);
    return html + "</section>\n";
}

std::string pairSection(const Report& r)
{
    const PairFigures& p = r.pairs;
    std::string html = sectionStart("pairs", r.pairWords, p.bound) + notes(r.pairWords);
    if (!p.top.empty()) {
        html += "<table><thead><tr><th class=\"l\">Pair</th><th>Together</th><th>Expected</th>"
                "<th>Chance for one pair</th></tr></thead><tbody>\n";
        for (const PairCount& pair : p.top)
            html += "<tr>"
                + cell(std::to_string(pair.first) + " &amp; " + std::to_string(pair.second), "l")
                + cell(std::to_string(pair.count)) + cell(fixedText(p.expected, 2))
                + cell(chanceText(pair.chance)) + "</tr>\n";
        html += "</tbody></table>\n";
    }
    return html + "</section>\n";
}

std::string shapeRow(const std::string& name, const ShapeFigure& f)
{
    const std::string cls = f.p < kSignificance ? "beyond" : "";
    return "<tr>" + cell(htmlText(name), "l") + cell(fixedText(f.mean, 3))
        + cell(fixedText(f.expected, 3)) + cell(fixedText(f.observedSd, 3))
        + cell(fixedText(f.sd, 3)) + cell(signedText(f.z, 2), cls) + cell(chanceText(f.p), cls)
        + "</tr>\n";
}

std::string distribution(const std::string& name, const ShapeFigure& f)
{
    if (f.expectedDraws.empty() || f.observed.size() != f.expectedDraws.size())
        return "";
    std::string html = "<table><thead><tr><th>" + htmlText(name)
        + "</th><th>Draws</th><th>Fair draws</th></tr></thead><tbody>\n";
    for (std::size_t j = 0; j < f.observed.size(); ++j)
        html += "<tr>" + cell(std::to_string(j)) + cell(std::to_string(f.observed[j]))
            + cell(fixedText(f.expectedDraws[j], 1)) + "</tr>\n";
    return html + "</tbody></table>\n";
}

std::string shapeSection(const Report& r)
{
    const ShapeFigures& s = r.shape;
    const double smallest = std::min({s.repeats.p, s.sums.p, s.odd.p, s.low.p});
    std::string html = sectionStart("shape", r.shapeWords, smallest) + notes(r.shapeWords);
    html += "<table><thead><tr><th class=\"l\">Figure</th><th>Mean</th><th>Fair mean</th>"
            "<th>Observed sd</th><th>Fair sd</th><th>z</th><th>p</th></tr></thead><tbody>\n";
    html += shapeRow("Repeats from the draw before", s.repeats) + shapeRow("Sum", s.sums)
        + shapeRow("Odd numbers", s.odd)
        + shapeRow("Low numbers (" + std::to_string(r.period.lowest) + " to "
                + std::to_string(s.lowHighest) + ")",
            s.low);
    html += "</tbody></table>\n<div class=\"blocks\">\n" + distribution("Repeats", s.repeats)
        + distribution("Odd", s.odd) + distribution("Low", s.low) + "</div>\n";
    return html + "</section>\n";
}

std::string marked(const std::vector<std::string>& numbers, const std::vector<bool>& hit)
{
    std::string html;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        html += (i ? " " : "") + (hit[i] ? "<mark>" + numbers[i] + "</mark>" : numbers[i]);
    return html;
}

std::string methodSection(const Report& r, const MethodFigures& m, const SectionWords& w)
{
    const std::string id = m.method == BacktestMethod::Regress ? "regress" : "fuzzy";
    std::string html = sectionStart(id, w, m.ran ? m.summary.p : 1.0);
    if (!m.ran)
        return html + "</section>\n";
    html += hitChart(m) + notes(w);
    html += "<h3>The last " + std::to_string(m.last.size())
        + " predictions beside the draws (hits marked)</h3>\n";
    html += "<table><thead><tr><th class=\"l\">Draw</th><th class=\"l\">Ticket</th>"
            "<th class=\"l\">Drawn</th><th>Hits</th></tr></thead><tbody>\n";
    for (auto d = m.last.begin(); d != m.last.end(); ++d) {
        const MarkedDraw marks = markDraw(*d, r.period.numbers, m.pool);
        html += "<tr>" + cell(htmlText(showDrawKey(d->key)), "l")
            + cell(marked(marks.ticket, marks.ticketHit), "l")
            + cell(marked(marks.drawn, marks.drawnHit), "l") + cell(std::to_string(d->hits))
            + "</tr>\n";
    }
    return html + "</tbody></table>\n</section>\n";
}

// The first bytes of an existing file: a page this program may replace starts as one.
bool looksLikePage(const std::string& path)
{
    std::FILE* file = openFile(path, "rb");
    if (!file)
        return false;
    char head[15] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    std::string start(head, got);
    std::transform(start.begin(), start.end(), start.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return start == "<!doctype html>";
}

} // namespace

std::string reportHtml(const Report& r)
{
    const std::string title
        = "Report: " + r.period.lottery + " (" + fileNamePart(r.period.path) + ")";
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>"
        + htmlText(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<main>\n";
    html += "<h1>" + htmlText(title) + "</h1>\n";
    html += paragraph(r.notice + " " + r.yardstick, "notice") + paragraph(r.scope)
        + paragraph(r.game);
    if (!r.era.empty())
        html += paragraph(r.era);
    for (const std::string& warning : r.warnings)
        html += paragraph(warning, "warning");
    html += paragraph(r.tally);
    html += frequencySection(r) + gapSection(r) + pairSection(r) + shapeSection(r);
    for (std::size_t i = 0; i < r.methods.size() && i < r.methodWords.size(); ++i)
        html += methodSection(r, r.methods[i], r.methodWords[i]);
    html += "<footer>" + htmlText(r.notice) + "</footer>\n</main>\n</body>\n</html>\n";
    return html;
}

bool writeReportPage(
    const std::string& path, const std::string& dataPath, std::string_view page, Ui& ui)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(fs::u8path(path), fs::u8path(dataPath), error)) {
        ui.messageBox(path + " is the data file itself: the page was not written.");
        return false;
    }
    if (fs::exists(fs::u8path(path), error) && !looksLikePage(path)) {
        ui.messageBox(path
            + " exists and is not an HTML page: it was left as it was and the page was not "
              "written.");
        return false;
    }
    if (!writeFileAtomically(path, page)) {
        ui.messageBox("Cannot write " + path + ": the page was not written.");
        return false;
    }
    return true;
}

} // namespace corvane::core
