#include "core/tickets/wheel_search.h"

#include "core/tickets/combinatorics.h"
#include "core/tickets/cover_state.h"

#include <algorithm>
#include <limits>

namespace corvane::core {

namespace {

// e to the power -x for x >= 0 from additions and multiplications only, so that an acceptance
// is decided alike by every compiler and C library.
double expMinus(double x)
{
    if (x > 700)
        return 0;
    int halvings = 0;
    while (x > 0.03125) {
        x *= 0.5;
        ++halvings;
    }
    const double x2 = x * x;
    double y = 1 - x + x2 / 2 - x2 * x / 6 + x2 * x2 / 24 - x2 * x2 * x / 120;
    while (halvings-- > 0)
        y *= y;
    return y;
}

// xoshiro256**: fast, and the same numbers on every platform.
class Random
{
public:
    explicit Random(std::uint64_t seed)
    {
        for (std::size_t i = 0; i < 4; ++i)
            m_s[i] = mixSeed(seed, i);
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    std::uint64_t below(std::uint64_t n) { return next() % n; }

    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    // One of the set bits of mask, which must not be 0, each as likely.
    int pickBit(std::uint64_t mask)
    {
        for (std::uint64_t skip = below(static_cast<std::uint64_t>(popcount64(mask))); skip > 0;
             --skip)
            mask &= mask - 1;
        return lowestBit(mask);
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t m_s[4];
};

class Search
{
public:
    Search(const WheelShape& shape, std::uint64_t seed, std::uint64_t budget, std::uint64_t bound)
        : m_shape(shape)
        , m_state(shape.pool, shape.guarantee, shape.drawn)
        , m_random(seed)
        , m_budget(budget)
        , m_bound(bound)
        , m_usage(static_cast<std::size_t>(shape.pool), 0)
    { }

    std::vector<std::uint64_t> run(const std::vector<std::uint64_t>& start, bool improve)
    {
        for (const std::uint64_t ticket : start)
            add(ticket);
        greedy();
        firstSize = m_tickets.size();
        if (!improve)
            return m_tickets;
        m_state.startTracking();
        prune();
        std::vector<std::uint64_t> best = m_tickets;
        while (best.size() > m_bound && best.size() > 1 && m_state.work() < m_budget) {
            dropOne();
            if (!anneal())
                break;
            prune();
            best = m_tickets;
        }
        return best;
    }

    std::uint64_t work() const { return m_state.work(); }

    std::uint64_t firstSize = 0;

private:
    void add(std::uint64_t ticket)
    {
        m_state.addTicket(ticket);
        m_tickets.push_back(ticket);
        for (std::uint64_t rest = ticket; rest != 0; rest &= rest - 1)
            ++m_usage[static_cast<std::size_t>(lowestBit(rest))];
    }

    void erase(std::size_t i)
    {
        for (std::uint64_t rest = m_tickets[i]; rest != 0; rest &= rest - 1)
            --m_usage[static_cast<std::size_t>(lowestBit(rest))];
        m_tickets[i] = m_tickets.back();
        m_tickets.pop_back();
    }

    // A ticket through tset, filled with the numbers that bring the most new T-sets, then
    // numbers of the uncovered set s, then the least used numbers.
    std::uint64_t buildTicket(std::uint64_t tset, std::uint64_t s)
    {
        std::uint64_t ticket = tset;
        std::vector<int> ties;
        while (popcount64(ticket) < m_shape.ticket) {
            std::int64_t bestScore = std::numeric_limits<std::int64_t>::min();
            ties.clear();
            for (int x = 0; x < m_shape.pool; ++x) {
                if ((ticket >> x) & 1U)
                    continue;
                const std::int64_t score
                    = static_cast<std::int64_t>(m_state.newlyHeld(ticket, x)) * 2000000
                    + ((s >> x) & 1U ? 1000000 : 0) - m_usage[static_cast<std::size_t>(x)];
                if (score > bestScore) {
                    bestScore = score;
                    ties.clear();
                }
                if (score == bestScore)
                    ties.push_back(x);
            }
            ticket |= bitOf(ties[m_random.below(ties.size())]);
        }
        return ticket;
    }

    void greedy()
    {
        std::uint64_t cursor = 0;
        std::uint64_t tset = 0;
        for (std::uint64_t s = m_state.findUncovered(cursor, tset); s != 0;
             s = m_state.findUncovered(cursor, tset))
            add(buildTicket(tset, s));
    }

    // Drops every ticket that the others make unnecessary.
    void prune()
    {
        for (std::size_t n = m_tickets.size(); n > 0 && m_tickets.size() > 1; --n) {
            const std::size_t i = m_random.below(m_tickets.size());
            const std::uint64_t ticket = m_tickets[i];
            m_state.removeTicket(ticket);
            if (m_state.uncovered() == 0) {
                m_state.commit();
                erase(i);
            } else {
                m_state.addTicket(ticket);
                m_state.forget();
            }
        }
    }

    // Drops, of a few tickets drawn at random, the one whose loss uncovers the fewest sets.
    void dropOne()
    {
        std::size_t chosen = 0;
        std::uint64_t fewest = kTooMany;
        for (int tries = 0; tries < 4; ++tries) {
            const std::size_t i = m_random.below(m_tickets.size());
            m_state.removeTicket(m_tickets[i]);
            if (m_state.uncovered() < fewest) {
                fewest = m_state.uncovered();
                chosen = i;
            }
            m_state.addTicket(m_tickets[i]);
            m_state.forget();
        }
        m_state.removeTicket(m_tickets[chosen]);
        m_state.commit();
        erase(chosen);
    }

    // Moves numbers between tickets until every set is covered again; false when the budget
    // ran out first. Each move takes an uncovered set and one of the tickets nearest to it, and
    // swaps one of the ticket's numbers for one of the set's; a move that uncovers more sets
    // than it covers is taken with a chance that falls as the search cools.
    bool anneal()
    {
        const double hot = 0.3;
        double temperature = hot;
        std::uint64_t moves = 0;
        const std::uint64_t perStep = static_cast<std::uint64_t>(m_tickets.size())
            * static_cast<std::uint64_t>(m_shape.ticket);
        while (m_state.uncovered() > 0) {
            if (m_state.work() >= m_budget)
                return false;
            const std::uint64_t s = m_state.sampleUncovered(m_random.next());
            if (s == 0)
                return false;
            int nearest = -1;
            m_nearest.clear();
            for (std::size_t i = 0; i < m_tickets.size(); ++i) {
                const int meet = popcount64(m_tickets[i] & s);
                if (meet > nearest) {
                    nearest = meet;
                    m_nearest.clear();
                }
                if (meet == nearest)
                    m_nearest.push_back(i);
            }
            m_state.spend(m_tickets.size() / 4 + 8);
            const std::size_t chosen = m_nearest[m_random.below(m_nearest.size())];
            const std::uint64_t ticket = m_tickets[chosen];
            const int out = m_random.pickBit(ticket & ~s);
            const int in = m_random.pickBit(s & ~ticket);
            const std::uint64_t before = m_state.uncovered();
            const std::uint64_t moved = m_state.swapNumber(ticket, out, in);
            const std::uint64_t after = m_state.uncovered();
            if (after <= before
                || m_random.unit() < expMinus(static_cast<double>(after - before) / temperature)) {
                m_state.commit();
                m_tickets[chosen] = moved;
                --m_usage[static_cast<std::size_t>(out)];
                ++m_usage[static_cast<std::size_t>(in)];
            } else {
                m_state.swapNumber(moved, in, out);
                m_state.forget();
            }
            if (++moves % perStep == 0) {
                temperature *= 0.99;
                if (temperature < 0.02)
                    temperature = hot;
            }
        }
        return true;
    }

    WheelShape m_shape;
    CoverState m_state;
    Random m_random;
    std::uint64_t m_budget;
    std::uint64_t m_bound;
    std::vector<std::uint64_t> m_tickets;
    std::vector<int> m_usage;
    std::vector<std::size_t> m_nearest;
};

} // namespace

std::uint64_t mixSeed(std::uint64_t seed, std::uint64_t stream)
{
    std::uint64_t z = seed + (stream + 1) * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

SearchResult searchWheel(const WheelShape& shape, std::uint64_t seed, std::uint64_t budget,
    std::uint64_t bound, const std::vector<std::uint64_t>& start)
{
    Search search(shape, seed, budget, bound);
    SearchResult result;
    result.tickets = search.run(start, true);
    result.first = search.firstSize;
    result.work = search.work();
    return result;
}

SearchResult greedyWheel(const WheelShape& shape, std::uint64_t seed)
{
    Search search(shape, seed, 0, 0);
    SearchResult result;
    result.tickets = search.run({}, false);
    result.first = result.tickets.size();
    result.work = search.work();
    return result;
}

} // namespace corvane::core
