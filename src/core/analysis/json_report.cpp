#include "core/analysis/format.h"
#include "core/analysis/text_report.h"
#include "core/backtest/report.h"
#include "core/io/files.h"

#include <cmath>
#include <utility>

namespace corvane::core {

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

// An object whose members stand one a line, indented by depth (the values already written).
std::string object(const Fields& fields, int depth)
{
    if (fields.empty())
        return "{}";
    const std::string inner(static_cast<std::size_t>(depth + 1) * 2, ' ');
    std::string text = "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += inner + jsonString(fields[i].first) + ": " + fields[i].second
            + (i + 1 < fields.size() ? ",\n" : "\n");
    return text + std::string(static_cast<std::size_t>(depth) * 2, ' ') + "}";
}

// An array on one line.
std::string array(const std::vector<std::string>& values)
{
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i ? ", " : "") + values[i];
    return text + "]";
}

template<typename T>
std::string numbers(const std::vector<T>& values)
{
    std::vector<std::string> texts;
    for (const T value : values)
        texts.push_back(jsonNumber(static_cast<double>(value)));
    return array(texts);
}

std::string integer(std::int64_t value)
{
    return std::to_string(value);
}

std::string strings(const std::vector<std::string>& texts)
{
    std::vector<std::string> quoted;
    for (const std::string& text : texts)
        quoted.push_back(jsonString(text));
    return array(quoted);
}

// "headline" and "definitions" of a section, then its figures.
Fields words(const SectionWords& w)
{
    return {{"headline", jsonString(w.headline)}, {"definitions", strings(w.notes)}};
}

// Per number: {"1": value, …}, on one line.
template<typename T>
std::string byNumber(const Period& period, const std::vector<T>& values)
{
    std::string text = "{";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i ? ", " : "") + jsonString(std::to_string(period.lowest + static_cast<int>(i)))
            + ": " + jsonNumber(static_cast<double>(values[i]));
    return text + "}";
}

std::string frequency(const Report& r)
{
    const FrequencyFigures& f = r.frequency;
    Fields fields = words(r.frequencyWords);
    fields.insert(fields.end(),
        {{"counts", byNumber(r.period, f.counts)}, {"expected", jsonNumber(f.expected)},
            {"sd", jsonNumber(f.sd)}, {"deviations", byNumber(r.period, f.deviations)},
            {"chi2", jsonNumber(f.chi2)}, {"chi2_corrected", jsonNumber(f.chi2Corrected)},
            {"df", integer(f.df)}, {"p", jsonNumber(f.p)}, {"band_low", integer(f.bandLow)},
            {"band_high", integer(f.bandHigh)}, {"beyond", integer(f.beyond)},
            {"beyond_expected", jsonNumber(f.beyondExpected)}});
    return object(fields, 1);
}

std::string gaps(const Report& r)
{
    const GapFigures& g = r.gaps;
    Fields perNumber;
    for (std::size_t i = 0; i < g.current.size(); ++i)
        perNumber.emplace_back(std::to_string(r.period.lowest + static_cast<int>(i)),
            "{\"current\": " + integer(g.current[i]) + ", \"current_chance\": "
                + jsonNumber(g.currentChance[i]) + ", \"longest\": " + integer(g.longest[i])
                + ", \"longest_chance\": " + jsonNumber(g.longestChance[i])
                + ", \"longest_single_chance\": "
                + jsonNumber(std::pow(1.0 - g.drawChance, static_cast<double>(g.longest[i])))
                + "}");
    Fields fields = words(r.gapWords);
    fields.insert(fields.end(),
        {{"draw_chance", jsonNumber(g.drawChance)}, {"numbers", object(perNumber, 2)},
            {"completed", numbers(g.completed)}, {"completed_total", integer(g.completedTotal)},
            {"rare_current_from", integer(g.rareCurrentFrom)},
            {"rare_current", integer(g.rareCurrent)},
            {"rare_current_expected", jsonNumber(g.rareCurrentExpected)},
            {"rare_longest_from", integer(g.rareLongestFrom)},
            {"rare_longest", integer(g.rareLongest)},
            {"rare_longest_expected", jsonNumber(g.rareLongestExpected)},
            {"rarest_number", integer(g.rarestNumber)}, {"bound", jsonNumber(g.bound)}});
    return object(fields, 1);
}

std::string pairs(const Report& r)
{
    const PairFigures& p = r.pairs;
    std::vector<std::string> top;
    for (const PairCount& pair : p.top)
        top.push_back("{\"pair\": [" + integer(pair.first) + ", " + integer(pair.second)
            + "], \"count\": " + integer(pair.count) + ", \"chance\": " + jsonNumber(pair.chance)
            + "}");
    Fields fields = words(r.pairWords);
    fields.insert(fields.end(),
        {{"pairs", integer(p.pairs)}, {"chance", jsonNumber(p.chance)},
            {"expected", jsonNumber(p.expected)}, {"top", array(top)},
            {"bound", jsonNumber(p.bound)}, {"bound_kind", jsonString("Bonferroni")}});
    return object(fields, 1);
}

std::string shapeFigure(const ShapeFigure& f, Fields extra)
{
    Fields fields = {{"draws", integer(f.draws)}, {"mean", jsonNumber(f.mean)},
        {"observed_sd", jsonNumber(f.observedSd)}, {"expected", jsonNumber(f.expected)},
        {"sd", jsonNumber(f.sd)}, {"z", jsonNumber(f.z)}, {"p", jsonNumber(f.p)}};
    if (!f.observed.empty())
        fields.emplace_back("observed", numbers(f.observed));
    if (!f.expectedDraws.empty())
        fields.emplace_back("expected_draws", numbers(f.expectedDraws));
    fields.insert(fields.end(), extra.begin(), extra.end());
    return object(fields, 2);
}

std::string shape(const Report& r)
{
    const ShapeFigures& s = r.shape;
    Fields fields = words(r.shapeWords);
    fields.insert(fields.end(),
        {{"repeats", shapeFigure(s.repeats, {})}, {"sums", shapeFigure(s.sums, {})},
            {"odd", shapeFigure(s.odd, {{"odd_numbers", integer(s.oddNumbers)}})},
            {"low", shapeFigure(s.low, {{"low_highest", integer(s.lowHighest)}})}});
    return object(fields, 1);
}

std::string method(const Report& r, const MethodFigures& m, const SectionWords& w)
{
    Fields fields = {{"name", jsonString(methodName(m.method))}};
    const Fields said = words(w);
    fields.insert(fields.end(), said.begin(), said.end());
    if (!m.ran) {
        fields.emplace_back("refusal", jsonString(m.refusal));
        return object(fields, 2);
    }
    const BacktestSummary& s = m.summary;
    const char* verdict = s.verdict == Verdict::Better ? "better"
        : s.verdict == Verdict::Worse                  ? "worse"
                                                       : "no better";
    std::vector<std::string> last;
    for (const TestedDraw& d : m.last) {
        const MarkedDraw marks = markDraw(d, r.period.numbers, m.pool);
        std::vector<std::string> ticket, drawn;
        for (std::size_t c = 0; c < marks.ticket.size(); ++c) {
            ticket.push_back(marks.ticket[c] == "?" ? "null" : marks.ticket[c]);
            drawn.push_back(marks.drawn[c]);
        }
        last.push_back("{\"draw\": " + jsonString(showDrawKey(d.key))
            + ", \"ticket\": " + array(ticket) + ", \"drawn\": " + array(drawn)
            + ", \"hits\": " + integer(d.hits) + "}");
    }
    fields.insert(fields.end(),
        {{"tested", integer(s.draws)}, {"pool", integer(m.pool)},
            {"mean_hits", jsonNumber(s.meanHits)}, {"expected_hits", jsonNumber(s.expectedHits)},
            {"spread", jsonNumber(s.spread)}, {"z", jsonNumber(s.z)}, {"p", jsonNumber(s.p)},
            {"verdict", jsonString(verdict)}, {"observed", numbers(s.observed)},
            {"expected", numbers(s.expected)}, {"refused", integer(m.refused)},
            {"last", array(last)}});
    return object(fields, 2);
}

std::string era(const Report& r)
{
    const Era& e = r.period.era;
    if (!e.found)
        return "null";
    const char* kind = e.kind == EraKind::FewerNumbers ? "fewer_numbers"
        : e.kind == EraKind::Grew                      ? "grew"
                                                       : "shrank";
    return object(
        {{"kind", jsonString(kind)}, {"from", jsonString(showDrawKey(e.fromKey))},
            {"earlier_max", integer(e.earlierMax)}, {"later_max", integer(e.laterMax)},
            {"draws_left_out",
                integer(e.draws + (e.kind == EraKind::FewerNumbers ? 0 : e.shorterDraws))},
            {"text", jsonString(r.era)}},
        1);
}

std::string tests(const Report& r)
{
    Fields p;
    for (const ReportTest& t : r.tests)
        p.emplace_back(t.name, jsonNumber(t.p));
    return object({{"count", integer(static_cast<std::int64_t>(r.tests.size()))},
                      {"surprising", integer(r.surprising)},
                      {"expected_surprising", jsonNumber(r.surprisingByChance)},
                      {"p", object(p, 2)}, {"text", jsonString(r.tally)}},
        1);
}

} // namespace

std::string reportJson(const Report& r)
{
    const Period& period = r.period;
    Fields methods;
    for (std::size_t i = 0; i < r.methods.size() && i < r.methodWords.size(); ++i)
        methods.emplace_back(r.methods[i].method == BacktestMethod::Regress ? "regress" : "fuzzy",
            method(r, r.methods[i], r.methodWords[i]));
    const Fields fields = {{"file", jsonString(fileNamePart(period.path))},
        {"lottery", jsonString(period.lottery)}, {"notice", jsonString(r.notice)},
        {"yardstick", jsonString(r.yardstick)}, {"scope", jsonString(r.scope)},
        {"game", jsonString(r.game)}, {"draws", integer(period.draws())},
        {"numbers", integer(period.numbers)}, {"pool", integer(period.pool)},
        {"lowest", integer(period.lowest)}, {"highest", integer(period.highest())},
        {"replacement", period.replacement ? "true" : "false"},
        {"from", jsonString(showDrawKey(period.keys.front()))},
        {"to", jsonString(showDrawKey(period.keys.back()))},
        {"data_lines", integer(period.dataLines)}, {"era", era(r)},
        {"warnings", strings(r.warnings)}, {"tests", tests(r)}, {"frequency", frequency(r)},
        {"gaps", gaps(r)}, {"pairs", pairs(r)}, {"shape", shape(r)},
        {"methods", object(methods, 1)}};
    return object(fields, 0) + "\n";
}

} // namespace corvane::core
