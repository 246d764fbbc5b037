#include "core/tickets/combinatorics.h"
#include "core/tickets/wheel.h"

#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace corvane::core {

namespace {

// The tickets as bit masks over tickets: byNumber[x] has bit t set when ticket t holds x. A set
// of numbers then keeps, for every ticket at once, the count of its numbers on that ticket as
// bit planes (plane p holds bit p of every count), so adding a number is a few word operations
// and no count is ever looked at one ticket at a time.
struct Layout
{
    int V = 0;
    int M = 0;
    int T = 0;
    int words = 0;
    int planes = 0;
    std::vector<std::uint64_t> byNumber;
    std::vector<std::uint64_t> all;
    const std::uint64_t* number(int x) const
    {
        return &byNumber[static_cast<std::size_t>(x) * static_cast<std::size_t>(words)];
    }
};

// What one thread found; merged in the order of the work items, so the result does not depend
// on how the items were shared out.
struct Partial
{
    std::vector<std::uint64_t> setsByBest;
    std::uint64_t breaking = 0;
    std::size_t firstItem = SIZE_MAX;
    std::vector<int> first;
};

class Walker
{
public:
    Walker(const Layout& layout, Partial& out)
        : m_layout(layout)
        , m_out(out)
        , m_block(static_cast<std::size_t>(layout.planes) * static_cast<std::size_t>(layout.words))
        , m_stack(static_cast<std::size_t>(layout.M + 1) * m_block)
        , m_set(static_cast<std::size_t>(layout.M))
        , m_scratch(2 * static_cast<std::size_t>(layout.words))
    { }

    void run(const int* prefix, int length, std::size_t item)
    {
        m_item = item;
        std::fill(m_stack.begin(), m_stack.begin() + static_cast<std::ptrdiff_t>(m_block), 0);
        for (int d = 0; d < length; ++d) {
            add(d, prefix[d]);
            m_set[static_cast<std::size_t>(d)] = prefix[d];
        }
        walk(length, length > 0 ? prefix[length - 1] : 0);
    }

private:
    std::uint64_t* level(int depth) { return &m_stack[static_cast<std::size_t>(depth) * m_block]; }

    // Counts at depth + 1 = counts at depth, plus one on every ticket that holds x.
    void add(int depth, int x)
    {
        const int W = m_layout.words;
        const std::uint64_t* from = level(depth);
        std::uint64_t* to = level(depth + 1);
        const std::uint64_t* holds = m_layout.number(x);
        for (int w = 0; w < W; ++w) {
            std::uint64_t carry = holds[w];
            for (int p = 0; p < m_layout.planes; ++p) {
                const std::uint64_t bit = from[p * W + w];
                to[p * W + w] = bit ^ carry;
                carry &= bit;
            }
        }
    }

    // The largest count among the tickets of within, or -1 when within has none.
    int maxCount(const std::uint64_t* counts, const std::uint64_t* within)
    {
        const int W = m_layout.words;
        std::uint64_t* alive = m_scratch.data();
        std::uint64_t* next = alive + W;
        std::uint64_t any = 0;
        for (int w = 0; w < W; ++w) {
            alive[w] = within[w];
            any |= within[w];
        }
        if (any == 0)
            return -1;
        int best = 0;
        for (int p = m_layout.planes - 1; p >= 0; --p) {
            any = 0;
            for (int w = 0; w < W; ++w) {
                next[w] = alive[w] & counts[p * W + w];
                any |= next[w];
            }
            if (any != 0) {
                best |= 1 << p;
                std::swap(alive, next);
            }
        }
        return best;
    }

    void walk(int depth, int last)
    {
        const int V = m_layout.V;
        const int M = m_layout.M;
        if (depth < M - 1) {
            for (int x = last + 1; x <= V - (M - depth - 1); ++x) {
                add(depth, x);
                m_set[static_cast<std::size_t>(depth)] = x;
                walk(depth + 1, x);
            }
            return;
        }
        // The last number f raises by one exactly the tickets that hold it.
        const std::uint64_t* counts = level(depth);
        const int base = std::max(maxCount(counts, m_layout.all.data()), 0);
        for (int f = last + 1; f <= V; ++f) {
            const int withF = maxCount(counts, m_layout.number(f)) + 1;
            const int best = std::max(base, withF);
            ++m_out.setsByBest[static_cast<std::size_t>(best)];
            if (best >= m_layout.T)
                continue;
            ++m_out.breaking;
            if (m_out.firstItem == SIZE_MAX) {
                m_out.firstItem = m_item;
                m_out.first.assign(m_set.begin(), m_set.begin() + depth);
                m_out.first.push_back(f);
            }
        }
    }

    const Layout& m_layout;
    Partial& m_out;
    std::size_t m_block;
    std::vector<std::uint64_t> m_stack;
    std::vector<int> m_set;
    std::vector<std::uint64_t> m_scratch;
    std::size_t m_item = 0;
};

int planesFor(int maxCount)
{
    int planes = 1;
    while ((1 << planes) <= maxCount)
        ++planes;
    return planes;
}

} // namespace

std::optional<std::string> wheelShapeProblem(const WheelShape& shape)
{
    const int V = shape.pool, K = shape.ticket, T = shape.guarantee, M = shape.drawn;
    if (V < 1 || K < 1 || T < 1 || M < 1)
        return std::string("--pool, the ticket size, --guarantee and --if must all be at least 1.");
    if (K > V)
        return "--pool " + formatInt(V) + " is smaller than a ticket's " + formatInt(K)
            + " numbers.";
    if (M > V)
        return "--if " + formatInt(M) + " is more than the " + formatInt(V) + " numbers of --pool.";
    if (T > M)
        return "--guarantee " + formatInt(T) + " is more than the " + formatInt(M)
            + " numbers of --if.";
    if (T > K)
        return "--guarantee " + formatInt(T) + " is more than a ticket's " + formatInt(K)
            + " numbers.";
    const std::uint64_t sets = binomial(V, M);
    if (sets > kMaxWheelSets)
        return "Checking every " + formatInt(M) + " of " + formatInt(V) + " numbers means "
            + (sets == kTooMany ? std::string("more than 18446744073709551615")
                                : std::to_string(sets))
            + " sets, more than " + std::to_string(kMaxWheelSets)
            + ": that would run for hours. Use fewer numbers.";
    return std::nullopt;
}

WheelCheck verifyWheel(
    const std::vector<std::vector<int>>& tickets, const WheelShape& shape, int threads)
{
    WheelCheck check;
    check.shape = shape;
    check.tickets = tickets.size();
    const int V = shape.pool, K = shape.ticket, M = shape.drawn;
    check.sets = binomial(V, M);
    check.ticketsByLevel = matchesOverAllSets(check.tickets, V, K, M);

    Layout layout;
    layout.V = V;
    layout.M = M;
    layout.T = shape.guarantee;
    layout.words = static_cast<int>((tickets.size() + 63) / 64);
    layout.words = std::max(layout.words, 1);
    layout.planes = planesFor(std::min(K, M));
    const auto W = static_cast<std::size_t>(layout.words);
    layout.byNumber.assign(static_cast<std::size_t>(V + 1) * W, 0);
    layout.all.assign(W, 0);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        const std::uint64_t bit = std::uint64_t {1} << (t % 64);
        layout.all[t / 64] |= bit;
        for (const int x : tickets[t]) {
            if (x >= 1 && x <= V)
                layout.byNumber[static_cast<std::size_t>(x) * W + t / 64] |= bit;
        }
    }

    // Work items: every prefix of the first one or two numbers of a set, in increasing order.
    const int length = std::min(2, M - 1);
    std::vector<int> prefixes;
    if (length == 0) {
        prefixes.push_back(0);
    } else {
        for (int a = 1; a <= V - M + 1; ++a) {
            if (length == 1) {
                prefixes.push_back(a);
                continue;
            }
            for (int b = a + 1; b <= V - M + 2; ++b) {
                prefixes.push_back(a);
                prefixes.push_back(b);
            }
        }
    }
    const std::size_t stride = static_cast<std::size_t>(std::max(length, 1));
    const std::size_t items = prefixes.size() / stride;

    if (threads <= 0)
        threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
    if (check.sets < 100000)
        threads = 1;
    std::vector<Partial> partials(static_cast<std::size_t>(threads));
    for (Partial& partial : partials)
        partial.setsByBest.assign(static_cast<std::size_t>(std::min(K, M)) + 1, 0);
    std::atomic<std::size_t> next {0};
    const auto work = [&](Partial& out) {
        Walker walker(layout, out);
        for (std::size_t item = next++; item < items; item = next++)
            walker.run(&prefixes[item * stride], length, item);
    };
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < partials.size(); ++i) {
        try {
            helpers.emplace_back(work, std::ref(partials[i]));
        } catch (const std::system_error&) {
            // No more threads to be had: the ones running share the items.
            break;
        }
    }
    work(partials[0]);
    for (std::thread& helper : helpers)
        helper.join();

    check.setsByBest.assign(static_cast<std::size_t>(std::min(K, M)) + 1, 0);
    std::size_t firstItem = SIZE_MAX;
    for (const Partial& partial : partials) {
        check.breaking += partial.breaking;
        for (std::size_t j = 0; j < check.setsByBest.size(); ++j)
            check.setsByBest[j] += partial.setsByBest[j];
        if (partial.firstItem < firstItem) {
            firstItem = partial.firstItem;
            check.firstBreaking = partial.first;
        }
    }
    return check;
}

std::optional<WheelCheck> verifyWheelTickets(const std::vector<Ticket>& tickets, int pool,
    int guarantee, int drawn, const std::string& name, Ui& ui, int threads)
{
    if (tickets.empty()) {
        ui.messageBox(name + " holds no ticket.");
        return std::nullopt;
    }
    const Ticket& first = tickets.front();
    const std::size_t K = first.numbers.size();
    std::vector<std::vector<int>> numbers;
    for (const Ticket& ticket : tickets) {
        const std::string at = name + ", line " + formatInt(ticket.line) + ": ";
        if (ticket.numbers.size() != K) {
            ui.messageBox(at + "a ticket of " + std::to_string(ticket.numbers.size())
                + " numbers, but the ticket on line " + formatInt(first.line) + " has "
                + std::to_string(K) + ": all tickets of a wheel have the same size.");
            return std::nullopt;
        }
        for (const int x : ticket.numbers) {
            if (x < 1 || x > pool) {
                ui.messageBox(at + "the number " + formatInt(x) + " is outside the numbers 1 to "
                    + formatInt(pool) + " of --pool.");
                return std::nullopt;
            }
        }
        numbers.push_back(ticket.numbers);
    }
    const WheelShape shape {pool, static_cast<int>(K), guarantee, drawn};
    if (const std::optional<std::string> problem = wheelShapeProblem(shape)) {
        ui.messageBox(*problem);
        return std::nullopt;
    }
    const std::uint64_t sets = binomial(pool, drawn);
    const std::uint64_t words = (tickets.size() + 63) / 64;
    if (saturatingProduct(sets, words) > kMaxWheelWork) {
        ui.messageBox("Checking " + std::to_string(sets) + " sets against "
            + std::to_string(tickets.size())
            + " tickets would run for hours. Use fewer "
              "numbers or fewer tickets.");
        return std::nullopt;
    }
    return verifyWheel(numbers, shape, threads);
}

} // namespace corvane::core
