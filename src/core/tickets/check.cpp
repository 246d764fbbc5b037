#include "core/tickets/check.h"

#include "core/backtest/hypergeometric.h"
#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/history.h"
#include "core/predict/regress.h"
#include "core/text/numbers.h"
#include "core/tickets/combinatorics.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace corvane::core {

namespace {

// A drawn value that a ticket can match: a whole number a ticket may hold.
bool isTicketNumber(double value)
{
    return value >= 0 && value <= kMaxTicketNumber && value == std::floor(value);
}

// The period's draws as bit masks over the numbers 0..top, one row of `words` words a draw.
struct Draws
{
    /// The largest number on any ticket: the masks reach it and no further.
    int top = 0;
    int words = 1;
    std::vector<std::uint64_t> masks;
    std::vector<std::int32_t> keys;
    /// The bonus, or -1 when the draw has none a ticket can match.
    std::vector<int> bonus;
    /// Draws by their count of distinct numbers of the pool, all and with a bonus in the pool.
    std::vector<std::uint64_t> byDistinct;
    std::vector<std::uint64_t> withBonusByDistinct;
};

void setBit(std::vector<std::uint64_t>& masks, std::size_t row, int words, int number)
{
    masks[row * static_cast<std::size_t>(words) + static_cast<std::size_t>(number / 64)]
        |= std::uint64_t {1} << (number % 64);
}

bool hasBit(const std::uint64_t* mask, int number)
{
    return (mask[number / 64] >> (number % 64)) & 1U;
}

// The expected counts of a fair draw for one ticket (see CheckRun::poolLow).
void expectFairDraws(TicketCheck& check, const CheckRun& run, const Draws& draws)
{
    const int pool = run.poolHigh - run.poolLow + 1;
    int inPool = 0;
    for (const int n : check.ticket.numbers)
        inPool += n >= run.poolLow && n <= run.poolHigh ? 1 : 0;
    const std::size_t levels = static_cast<std::size_t>(run.numbers) + 1;
    check.expected.assign(levels, 0.0);
    if (run.bonus)
        check.expectedWithBonus.assign(levels, 0.0);
    for (std::size_t d = 0; d < draws.byDistinct.size(); ++d) {
        if (draws.byDistinct[d] == 0)
            continue;
        const HitDistribution hits(pool, inPool, static_cast<int>(d));
        const int left = pool - static_cast<int>(d);
        for (int k = 0; k <= hits.maxHits() && k < static_cast<int>(levels); ++k) {
            const double p = hits.probability(k);
            check.expected[k] += static_cast<double>(draws.byDistinct[d]) * p;
            if (run.bonus && left > 0)
                check.expectedWithBonus[k] += static_cast<double>(draws.withBonusByDistinct[d]) * p
                    * static_cast<double>(inPool - k) / static_cast<double>(left);
        }
    }
}

TicketCheck checkOne(const Ticket& ticket, const CheckRun& run, const Draws& draws)
{
    TicketCheck check;
    check.ticket = ticket;
    const std::size_t levels = static_cast<std::size_t>(run.numbers) + 1;
    check.matches.assign(levels, 0);
    if (run.bonus)
        check.withBonus.assign(levels, 0);

    std::vector<std::uint64_t> mine(static_cast<std::size_t>(draws.words), 0);
    for (const int n : ticket.numbers)
        setBit(mine, 0, draws.words, n);
    int best = -1;
    std::vector<BestDraw> recent;
    const std::size_t count = draws.keys.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t* drawn = &draws.masks[i * static_cast<std::size_t>(draws.words)];
        int matched = 0;
        for (int w = 0; w < draws.words; ++w)
            matched += popcount64(drawn[w] & mine[w]);
        ++check.matches[matched];
        // A bonus above the tickets' largest number lies beyond the masks and matches nothing.
        const bool bonus = run.bonus && draws.bonus[i] >= 0 && draws.bonus[i] <= draws.top
            && hasBit(mine.data(), draws.bonus[i]);
        if (bonus)
            ++check.withBonus[matched];
        if (matched > best) {
            best = matched;
            check.bestCount = 0;
            recent.clear();
        }
        if (matched == best) {
            ++check.bestCount;
            if (recent.size() == kBestDrawsKept)
                recent.erase(recent.begin());
            recent.push_back({draws.keys[i], bonus});
        }
    }
    check.best = std::max(best, 0);
    check.bestDraws.assign(recent.rbegin(), recent.rend());
    expectFairDraws(check, run, draws);
    return check;
}

} // namespace

std::optional<CheckRun> checkTicketsOnLines(const std::vector<std::string_view>& lines,
    const std::string& path, const std::vector<Ticket>& tickets, const CheckOptions& options,
    Ui& ui)
{
    const std::string name = fileNamePart(path);
    auto whole = loadFileLines(lines, ui);
    if (!whole)
        return std::nullopt;

    CheckRun run;
    run.path = path;
    run.lottery = getlottoname(name);
    run.from = options.from;
    run.to = options.to;
    run.bonus = options.bonus;
    const int numcols = whole->numcols;
    if (numcols < 1) {
        ui.messageBox(noNumberCountMessage(name));
        return std::nullopt;
    }
    const int K = options.numbers.value_or(options.bonus ? numcols - 1 : numcols);
    const int needed = K + (options.bonus ? 1 : 0);
    if (K < 1 || needed > numcols) {
        ui.messageBox("The draws of " + name + " have " + formatInt(numcols) + " numbers: "
            + (options.bonus ? "too few for " + formatInt(std::max(K, 1))
                        + " main numbers and a bonus after them."
                             : "too few for --numbers " + formatInt(K) + "."));
        return std::nullopt;
    }
    run.numbers = K;

    // Each draw read with the table's own reader; cells a line does not reach stay NaN, so a
    // short line matches nothing there.
    DrawReader reader(std::numeric_limits<double>::quiet_NaN());
    std::vector<std::vector<double>> period;
    for (const std::string_view line : lines) {
        if (!isDataLine(line))
            continue;
        const double* cells = reader.read(line);
        if ((options.from && cells[0] < *options.from) || (options.to && cells[0] > *options.to))
            continue;
        period.emplace_back(cells, cells + needed + 1);
    }
    if (period.empty()) {
        ui.messageBox("No draw of " + name + " lies in the period "
            + (options.from ? formatInt(*options.from) : std::string("(first draw)")) + " to "
            + (options.to ? formatInt(*options.to) : std::string("(last draw)")) + ".");
        return std::nullopt;
    }
    run.draws = period.size();
    run.firstKey = truncToInt(period.front()[0]);
    run.lastKey = truncToInt(period.back()[0]);

    int top = 0;
    for (const Ticket& ticket : tickets)
        top = std::max(top, *std::max_element(ticket.numbers.begin(), ticket.numbers.end()));
    bool zero = false;
    int largest = 0;
    for (const std::vector<double>& draw : period) {
        for (int c = 1; c <= K; ++c) {
            if (isTicketNumber(draw[c])) {
                zero = zero || draw[c] == 0;
                largest = std::max(largest, static_cast<int>(draw[c]));
            }
        }
    }
    run.poolLow = zero ? 0 : 1;
    run.poolHigh = std::max(largest, run.poolLow);

    Draws draws;
    draws.top = top;
    draws.words = top / 64 + 1;
    draws.masks.assign(period.size() * static_cast<std::size_t>(draws.words), 0);
    draws.byDistinct.assign(static_cast<std::size_t>(K) + 1, 0);
    draws.withBonusByDistinct.assign(static_cast<std::size_t>(K) + 1, 0);
    for (std::size_t i = 0; i < period.size(); ++i) {
        const std::vector<double>& draw = period[i];
        draws.keys.push_back(truncToInt(draw[0]));
        std::vector<int> distinct;
        for (int c = 1; c <= K; ++c) {
            if (!isTicketNumber(draw[c]))
                continue;
            const int n = static_cast<int>(draw[c]);
            if (n <= top)
                setBit(draws.masks, i, draws.words, n);
            if (n >= run.poolLow && n <= run.poolHigh
                && std::find(distinct.begin(), distinct.end(), n) == distinct.end())
                distinct.push_back(n);
        }
        int bonus = -1;
        if (options.bonus && isTicketNumber(draw[K + 1])) {
            const int n = static_cast<int>(draw[K + 1]);
            const bool repeated = std::find(draw.begin() + 1, draw.begin() + 1 + K, draw[K + 1])
                != draw.begin() + 1 + K;
            // A bonus that repeats a main number is no second chance.
            if (!repeated)
                bonus = n;
        }
        draws.bonus.push_back(bonus);
        ++draws.byDistinct[distinct.size()];
        if (bonus >= run.poolLow && bonus <= run.poolHigh)
            ++draws.withBonusByDistinct[distinct.size()];
    }

    for (const Ticket& ticket : tickets)
        run.tickets.push_back(checkOne(ticket, run, draws));
    return run;
}

std::optional<CheckRun> checkTickets(const std::string& path, const std::vector<Ticket>& tickets,
    const CheckOptions& options, Ui& ui)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        ui.messageBox(kNoDataMessage);
        return std::nullopt;
    }
    return checkTicketsOnLines(splitLines(*bytes), path, tickets, options, ui);
}

} // namespace corvane::core
