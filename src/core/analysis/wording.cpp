#include "core/analysis/format.h"
#include "core/analysis/report.h"
#include "core/backtest/report.h"
#include "core/io/files.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

namespace {

std::string count(std::int64_t n)
{
    return std::to_string(n);
}

// "in about 1 of 90": how often chance alone gives a figure this far out, for a player.
std::string surprise(double p)
{
    std::string often = "less than 1 of a million";
    if (p >= 1e-6) {
        // 1 / p to two significant digits, with thousands separators.
        const double n = 1.0 / p;
        const double unit = std::pow(10.0, std::floor(std::log10(n)) - 1);
        std::string digits = std::to_string(static_cast<long long>(std::round(n / unit) * unit));
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(static_cast<std::size_t>(i), ",");
        often = "about 1 of " + digits;
    }
    return "chance alone gives one this far out in " + often
        + " fair histories, and 1 test in 20 looks this surprising by chance alone";
}

std::string consistent(const std::string& what, const std::string& pText)
{
    return "Consistent with chance: " + what + " (" + pText + ").";
}

std::string pIs(double p)
{
    return "p = " + chanceText(p);
}

std::string pAtMost(double p)
{
    return "p <= " + chanceText(p);
}

std::string poolText(const Period& period)
{
    return count(period.lowest) + " to " + count(period.highest());
}

void wordScope(Report& r)
{
    const Period& period = r.period;
    const std::string K = count(period.numbers);
    r.notice = "Past draws do not make future draws more likely: every draw of a fair lottery is "
               "independent of the draws before it.";
    r.yardstick = "Every figure below stands beside what fair draws give.";
    r.scope = "Draws: " + count(period.draws()) + ", from " + showDrawKey(period.keys.front())
        + " to " + showDrawKey(period.keys.back()) + " (the file has " + count(period.dataLines)
        + " data lines).";
    if (period.replacement)
        r.game = "Each draw: its first " + K + " numbers, digits from " + poolText(period)
            + ", each drawn on its own (the history holds 0, so it is taken for a digit game "
              "whose draws may repeat a digit).";
    else
        r.game = "Each draw: its first " + K + " numbers, " + K + " different numbers from "
            + poolText(period) + ".";

    const Era& era = period.era;
    const std::string from = showDrawKey(era.fromKey);
    const std::string left = count(era.draws) + (era.draws == 1 ? " draw" : " draws");
    switch (era.kind) {
    case EraKind::None:
        break;
    case EraKind::FewerNumbers:
        r.era = "Period: from " + from + " on; the " + left + " before it (within the "
            + "dates given) "
            + (era.draws == 1 ? "has fewer than " : "include draws of fewer than ") + K
            + " numbers. --from or --numbers choose otherwise.";
        break;
    case EraKind::Grew:
    case EraKind::Shrank: {
        const bool grew = era.kind == EraKind::Grew;
        const int lo = std::min(era.earlierMax, era.laterMax);
        r.era = "Latest era: from " + from + ": numbers " + poolText(period) + ". "
            + (grew ? "From then on the draws hold numbers above " + count(lo)
                        + ", which none of the " + left + " before held"
                    : "From then on no draw holds a number above " + count(lo) + ", which the "
                        + left + " before held")
            + "; for draws from a pool up to " + count(std::max(era.earlierMax, era.laterMax))
            + " that has a chance below one in a million. The report covers that era only "
              "(--from or --pool choose otherwise)."
            + (era.shorterDraws > 0 ? " The " + count(era.shorterDraws)
                        + (era.shorterDraws == 1 ? " draw before those holds"
                                                 : " draws before those hold")
                        + " fewer than " + K + " numbers."
                                    : std::string());
        break;
    }
    }
    if (!r.poolFit.fits())
        r.warnings.push_back(poolFitWarning(r.poolFit));
    if (period.repeatingDraws > 0)
        r.warnings.push_back(count(period.repeatingDraws)
            + " draws repeat a number among their first " + K + " numbers (the first on "
            + showDrawKey(period.firstRepeatKey) + "), which a draw of " + K
            + " different numbers cannot: the last of them may come from a separate drum (give "
              "--numbers "
            + count(period.numbers - 1) + "). The figures take the draws as they stand.");
}

void wordFrequency(Report& r)
{
    const Period& period = r.period;
    const FrequencyFigures& f = r.frequency;
    const std::string K = count(period.numbers), M = count(period.pool);
    const std::string N = count(period.draws());
    SectionWords& w = r.frequencyWords;
    w.title = "Frequency";
    const std::string what = "the counts of the " + M + " numbers spread around " + N + " x " + K
        + " / " + M + " = " + fixedText(f.expected, 2) + " each";
    if (f.p >= kSignificance)
        w.headline = consistent(what + " as fair draws spread them", pIs(f.p));
    else
        w.headline = "Uneven counts: " + what + " more widely than fair draws usually do; "
            + surprise(f.p) + " (" + pIs(f.p) + ").";
    w.notes.push_back("Count: how often each number is among the first " + K + " numbers of the "
        + N + " draws. Fair draws give " + N + " x " + K + " / " + M + " = "
        + fixedText(f.expected, 4) + " each, with standard deviation " + fixedText(f.sd, 4)
        + " (binomial: " + count(f.trials)
        + (period.replacement ? " digits drawn, chance 1/" + M + " each)."
                              : " draws, chance " + K + "/" + M + " each)."));
    std::string chi
        = "Pearson's X^2 = sum of (count - expected)^2 / expected = " + fixedText(f.chi2, 4) + ". ";
    if (period.replacement)
        chi += "The digits are drawn independently, so X^2 itself follows chi-square with " + M
            + " - 1 = " + count(f.df) + " degrees of freedom for fair draws (no correction).";
    else
        chi += "A draw holds " + K
            + " different numbers, so X^2 does not follow chi-square; X^2 x (" + M + " - 1) / (" + M
            + " - " + K + ") = " + fixedText(f.chi2Corrected, 4) + " does, with " + count(f.df)
            + " degrees of freedom, for fair draws (Genest, Lockhart and Stephens 2002).";
    w.notes.push_back(chi + " p = P(chi-square(" + count(f.df)
        + ") >= " + fixedText(f.chi2Corrected, 4) + ") = " + chanceText(f.p) + ".");
    w.notes.push_back("Deviation: (count - expected) / standard deviation. " + count(f.beyond)
        + " of the " + M + (f.beyond == 1 ? " numbers lies" : " numbers lie")
        + " 1.96 standard deviations or more from the expected count " + "(a count of at most "
        + count(f.bandLow) + " or at least " + count(f.bandHigh) + "); fair draws give "
        + fixedText(f.beyondExpected, 2) + " such numbers on average (exact, binomial).");
}

void wordGaps(Report& r)
{
    const Period& period = r.period;
    const GapFigures& g = r.gaps;
    const std::string K = count(period.numbers), M = count(period.pool);
    const std::string N = count(period.draws());
    const int rarest = g.rarestNumber - period.lowest;
    SectionWords& w = r.gapWords;
    w.title = "Gaps";
    const std::string gap = "number " + count(g.rarestNumber) + " went " + count(g.longest[rarest])
        + " draws in a row without being drawn";
    const std::string chances = "the chance of a gap that long for one number is "
        + chanceText(g.longestChance[rarest]) + ", and that one of the " + M
        + " numbers has a gap that rare is at most " + chanceText(g.bound);
    if (g.bound >= kSignificance)
        w.headline
            = consistent("the rarest longest gap: " + gap + "; " + chances, pAtMost(g.bound));
    else
        w.headline = "A long gap: " + gap + "; " + chances + ": " + surprise(g.bound) + " ("
            + pAtMost(g.bound) + ").";
    const std::string q = period.replacement ? "1 - (1 - 1/" + M + ")^" + K : K + "/" + M;
    w.notes.push_back("The next draw holds each number with chance " + q + " = "
        + fixedText(g.drawChance, 4) + " whatever its gap: a long gap makes a number no more "
        + "likely, and a short one no less.");
    w.notes.push_back("Current gap: draws since the number was last drawn (0 when it is in the "
                      "latest draw, "
        + N + " when it never was). Its chance: (1 - " + fixedText(g.drawChance, 4)
        + ")^gap, that fair draws leave a given number out of that many draws in a row. "
        + count(g.rareCurrent) + (g.rareCurrent == 1 ? " number has" : " numbers have")
        + " a current gap of " + count(g.rareCurrentFrom)
        + " draws or more (chance below 0.05); fair draws give "
        + fixedText(g.rareCurrentExpected, 2) + " such numbers on average.");
    w.notes.push_back("Longest gap: the longest run of draws without the number over the " + N
        + " draws, the runs before its first and after its last draw included. Its chance: "
          "that fair draws give one given number a run at least that long somewhere in "
        + N + " draws (exact). " + count(g.rareLongest)
        + (g.rareLongest == 1 ? " number has" : " numbers have") + " a longest gap of "
        + count(g.rareLongestFrom) + " draws or more (chance below 0.05); fair draws give "
        + fixedText(g.rareLongestExpected, 2) + " such numbers on average. The chance that some "
        + "number has a gap as rare as the rarest is at most " + M
        + " x its chance (Bonferroni bound). The JSON also gives (1 - " + fixedText(g.drawChance, 4)
        + ")^longest as longest_single_chance: the chance that one given gap lasts that long.");
}

void wordPairs(Report& r)
{
    const Period& period = r.period;
    const PairFigures& p = r.pairs;
    const std::string K = count(period.numbers), M = count(period.pool);
    const std::string N = count(period.draws());
    SectionWords& w = r.pairWords;
    w.title = "Pairs";
    if (p.top.empty()) {
        w.headline = "A draw of one number holds no pairs.";
        return;
    }
    const PairCount& top = p.top.front();
    const std::string what = "the most frequent pair, " + count(top.first) + " and "
        + count(top.second) + ", was drawn together " + count(top.count) + " times against "
        + fixedText(p.expected, 2) + " expected for each pair; among all " + count(p.pairs)
        + " pairs a maximum that large turns up with chance at most " + chanceText(p.bound);
    if (p.bound >= kSignificance)
        w.headline = consistent(what, pAtMost(p.bound));
    else
        w.headline = "A frequent pair: " + what + ": " + surprise(p.bound) + " (" + pAtMost(p.bound)
            + ").";
    const std::string chance = period.replacement
        ? "1 - 2 (1 - 1/" + M + ")^" + K + " + (1 - 2/" + M + ")^" + K
        : K + " x " + count(period.numbers - 1) + " / (" + M + " x " + count(period.pool - 1) + ")";
    w.notes.push_back("A pair counts once in each draw that holds both numbers among its first " + K
        + ". Fair draws hold a given pair with chance " + chance + " = " + fixedText(p.chance, 6)
        + ", so " + N + " draws give " + fixedText(p.expected, 4) + " for each pair.");
    w.notes.push_back("Chance for one pair: that a given pair is drawn together at least that "
                      "many times in "
        + N + " fair draws (binomial, exact). The chance of a maximum that large among all "
        + count(p.pairs) + " pairs is at most " + count(p.pairs)
        + " x the chance of the most frequent pair (Bonferroni bound, exact; no simulation), so "
          "one lucky pair is not mistaken for a pattern.");
}

void wordShape(Report& r)
{
    const Period& period = r.period;
    const ShapeFigures& s = r.shape;
    const std::string K = count(period.numbers), M = count(period.pool);
    SectionWords& w = r.shapeWords;
    w.title = "Draw shape";
    const std::pair<const char*, const ShapeFigure*> figures[] = {{"repeats", &s.repeats},
        {"sums", &s.sums}, {"odd numbers", &s.odd}, {"low numbers", &s.low}};
    std::string odd;
    double smallest = 1;
    for (const auto& [name, figure] : figures) {
        smallest = std::min(smallest, figure->p);
        if (figure->p < kSignificance)
            odd += std::string(odd.empty() ? "" : "; ") + name + " average "
                + fixedText(figure->mean, 3) + " against " + fixedText(figure->expected, 3) + " ("
                + pIs(figure->p) + ")";
    }
    if (odd.empty())
        w.headline
            = consistent("repeats, sums, odd and low numbers all lie within what fair draws give",
                "smallest p = " + chanceText(smallest));
    else
        w.headline = "Unusual shape: " + odd + "; of four such figures, fair draws make at least "
            + "one look this surprising in 19% of histories (1 - 0.95^4).";
    const std::string q = period.replacement ? "1 - (1 - 1/" + M + ")^" + K : K + "/" + M;
    w.notes.push_back("Repeats: different numbers a draw shares with the draw before it, over "
        + count(s.repeats.draws) + " pairs of draws. Fair draws give M q^2 = "
        + fixedText(s.repeats.expected, 4) + " on average, with q = " + q
        + (period.replacement ? "" : " (K^2/M, hypergeometric)") + ".");
    w.notes.push_back("Sum: of the " + K + " numbers of a draw. Fair draws give " + K + " x ("
        + count(period.lowest) + " + " + count(period.highest())
        + ") / 2 = " + fixedText(s.sums.expected, 4) + " with standard deviation sqrt(" + K + " x ("
        + M + "^2 - 1) / 12"
        + (period.replacement ? "" : " x (" + M + " - " + K + ") / (" + M + " - 1)")
        + ") = " + fixedText(s.sums.sd, 4) + ".");
    const std::string law = period.replacement ? "binomial" : "hypergeometric";
    w.notes.push_back("Odd: odd numbers among the " + K + "; the pool holds " + count(s.oddNumbers)
        + " odd numbers, so fair draws give " + K + " x " + count(s.oddNumbers) + " / " + M + " = "
        + fixedText(s.odd.expected, 4) + " (" + law + "). Low: numbers from " + count(period.lowest)
        + " to " + count(s.lowHighest) + " (the lower half of the pool) among the " + K
        + "; fair draws give " + fixedText(s.low.expected, 4) + " (" + law + ").");
    w.notes.push_back("z: (observed mean - fair mean) / the exact standard deviation of the mean "
                      "over the draws (for repeats with the covariance of overlapping pairs); "
                      "p: two-sided, normal approximation.");
}

void wordMethod(Report& r, const MethodFigures& m)
{
    const Period& period = r.period;
    const std::string K = count(period.numbers);
    SectionWords w;
    w.title = methodName(m.method);
    if (!m.ran) {
        w.headline = "Not tested: " + m.refusal;
        r.methodWords.push_back(w);
        return;
    }
    const BacktestSummary& s = m.summary;
    const std::string T = count(s.draws);
    const std::string hits = fixedText(s.meanHits, 3) + " numbers a draw over the last " + T
        + " draws, a random ticket " + fixedText(s.expectedHits, 3);
    switch (s.verdict) {
    case Verdict::NoBetter:
        w.headline = consistent("the " + w.title + " hit " + hits, pIs(s.p));
        break;
    case Verdict::Better:
        w.headline = "More hits than a random ticket: the " + w.title + " hit " + hits + "; "
            + surprise(s.p) + " (" + pIs(s.p) + ").";
        break;
    case Verdict::Worse:
        w.headline = "Fewer hits than a random ticket: the " + w.title + " hit " + hits + "; "
            + surprise(s.p) + " (" + pIs(s.p) + ").";
        break;
    }
    w.notes.push_back("Walk forward: each of the last " + T
        + " draws of the period predicted by the method from the period's draws before it "
          "only, with the backtest's own code.");
    w.notes.push_back("Hits: different numbers of the ticket (the first " + K
        + " predicted numbers) among the draw's first " + K
        + " numbers. The yardstick is a random ticket of " + K + " different numbers of 1 to "
        + count(m.pool) + ": its hits are hypergeometric, mean " + fixedText(s.expectedHits, 4)
        + " a draw. z = (mean hits - random mean) / the standard deviation of the random mean "
          "over "
        + T + " draws = " + fixedText(s.z, 2) + "; p two-sided, normal approximation.");
    if (m.refused > 0)
        w.notes.push_back("The method could not predict from " + count(m.refused)
            + " of the histories; those draws count as no hits.");
    r.methodWords.push_back(w);
}

void tally(Report& r)
{
    r.tests.push_back({"frequency", r.frequency.p});
    r.tests.push_back({"gaps", r.gaps.bound});
    if (!r.pairs.top.empty())
        r.tests.push_back({"pairs", r.pairs.bound});
    r.tests.push_back({"repeats", r.shape.repeats.p});
    r.tests.push_back({"sums", r.shape.sums.p});
    r.tests.push_back({"odd", r.shape.odd.p});
    r.tests.push_back({"low", r.shape.low.p});
    for (const MethodFigures& m : r.methods) {
        if (m.ran)
            r.tests.push_back(
                {m.method == BacktestMethod::Regress ? "regress" : "fuzzy", m.summary.p});
    }
    r.surprising = static_cast<int>(std::count_if(
        r.tests.begin(), r.tests.end(), [](const ReportTest& t) { return t.p < kSignificance; }));
    r.surprisingByChance = static_cast<double>(r.tests.size()) * kSignificance;
    r.tally = "Tests: " + count(static_cast<std::int64_t>(r.tests.size()))
        + " figures below carry a p-value; at the 5% level chance alone makes about "
        + fixedText(r.surprisingByChance, 2) + " of them look surprising (at most that many "
        + "where p is a bound); here " + count(r.surprising)
        + (r.surprising == 1 ? " does." : " do.");
}

} // namespace

void wordReport(Report& report)
{
    wordScope(report);
    wordFrequency(report);
    wordGaps(report);
    wordPairs(report);
    wordShape(report);
    for (const MethodFigures& m : report.methods)
        wordMethod(report, m);
    tally(report);
}

} // namespace corvane::core
