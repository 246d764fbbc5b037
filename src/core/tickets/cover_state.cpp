#include "core/tickets/cover_state.h"

#include <algorithm>

namespace corvane::core {

namespace {

constexpr int kSide = 65;

} // namespace

CoverState::CoverState(int V, int T, int M)
    : m_V(V)
    , m_T(T)
    , m_M(M)
    , m_all(V >= 64 ? ~std::uint64_t {0} : bitOf(V) - 1)
    , m_choose(static_cast<std::size_t>(kSide * kSide), 0)
{
    for (int n = 0; n < kSide; ++n) {
        for (int k = 0; k <= n; ++k)
            m_choose[static_cast<std::size_t>(n * kSide + k)] = binomial(n, k);
    }
    m_holders.assign(static_cast<std::size_t>(binomial(V, T)), 0);
    m_open.assign(static_cast<std::size_t>(binomial(V, T - 1)), 0);
    forEachSubset(m_all, T - 1, [&](std::uint64_t p) { m_open[rankOf(p)] = m_all & ~p; });
    m_subsets.resize(static_cast<std::size_t>(M) + 1);
}

std::uint64_t CoverState::rankOf(std::uint64_t set) const
{
    std::uint64_t rank = 0;
    int i = 1;
    for (std::uint64_t rest = set; rest != 0; rest &= rest - 1, ++i)
        rank += m_choose[static_cast<std::size_t>(lowestBit(rest) * kSide + i)];
    return rank;
}

std::uint64_t CoverState::unrankT(std::uint64_t rank) const
{
    std::uint64_t set = 0;
    int c = m_V - 1;
    for (int i = m_T; i >= 1; --i) {
        while (m_choose[static_cast<std::size_t>(c * kSide + i)] > rank)
            --c;
        set |= bitOf(c);
        rank -= m_choose[static_cast<std::size_t>(c * kSide + i)];
        --c;
    }
    return set;
}

int CoverState::newlyHeld(std::uint64_t partial, int x) const
{
    int count = 0;
    forEachSubset(partial, m_T - 1,
        [&](std::uint64_t p) { count += static_cast<int>((m_open[rankOf(p)] >> x) & 1U); });
    return count;
}

void CoverState::hold(std::uint64_t tset)
{
    ++m_work;
    std::uint32_t& count = m_holders[rankOf(tset)];
    if (count++ != 0)
        return;
    // The sets through tset are counted while tset is still open.
    if (m_tracking)
        m_uncovered -= countThrough(tset, false);
    for (std::uint64_t rest = tset; rest != 0; rest &= rest - 1) {
        const std::uint64_t x = rest & (~rest + 1);
        m_open[rankOf(tset & ~x)] &= ~x;
    }
}

void CoverState::release(std::uint64_t tset)
{
    ++m_work;
    std::uint32_t& count = m_holders[rankOf(tset)];
    if (--count != 0)
        return;
    for (std::uint64_t rest = tset; rest != 0; rest &= rest - 1) {
        const std::uint64_t x = rest & (~rest + 1);
        m_open[rankOf(tset & ~x)] |= x;
    }
    if (m_tracking)
        m_uncovered += countThrough(tset, true);
}

void CoverState::addTicket(std::uint64_t ticket)
{
    forEachSubset(ticket, m_T, [&](std::uint64_t q) { hold(q); });
}

void CoverState::removeTicket(std::uint64_t ticket)
{
    forEachSubset(ticket, m_T, [&](std::uint64_t q) { release(q); });
}

std::uint64_t CoverState::swapNumber(std::uint64_t ticket, int out, int in)
{
    const std::uint64_t rest = ticket & ~bitOf(out);
    // Holding the new T-sets first keeps the sets that stay covered from being counted twice.
    forEachSubset(rest, m_T - 1, [&](std::uint64_t r) { hold(r | bitOf(in)); });
    forEachSubset(rest, m_T - 1, [&](std::uint64_t r) { release(r | bitOf(out)); });
    return rest | bitOf(in);
}

std::uint64_t CoverState::candidates(std::uint64_t tset) const
{
    std::uint64_t cand = m_all & ~tset;
    for (std::uint64_t rest = tset; rest != 0; rest &= rest - 1) {
        const std::uint64_t x = rest & (~rest + 1);
        cand &= m_open[rankOf(tset & ~x)];
    }
    return cand;
}

std::uint64_t CoverState::grow(std::uint64_t set, std::uint64_t cand, int need, bool list,
    bool firstOnly, std::uint64_t* found)
{
    ++m_work;
    if (need == 1) {
        if (firstOnly) {
            if (cand != 0)
                *found = set | (cand & (~cand + 1));
            return cand != 0 ? 1 : 0;
        }
        if (list) {
            for (std::uint64_t rest = cand; rest != 0; rest &= rest - 1)
                note(set | (rest & (~rest + 1)));
        }
        return static_cast<std::uint64_t>(popcount64(cand));
    }
    // Adding y makes new (T-1)-subsets R + y for every (T-2)-subset R of set; a later number
    // must complete each of them to an open T-set.
    std::vector<std::uint64_t>& subsets = m_subsets[static_cast<std::size_t>(need)];
    subsets.clear();
    forEachSubset(set, m_T - 2, [&](std::uint64_t r) { subsets.push_back(r); });
    std::uint64_t total = 0;
    while (cand != 0) {
        const int y = lowestBit(cand);
        cand &= cand - 1;
        if (popcount64(cand) < need - 1)
            break;
        m_work += subsets.size();
        std::uint64_t next = cand;
        for (const std::uint64_t r : subsets)
            next &= m_open[rankOf(r | bitOf(y))];
        if (popcount64(next) < need - 1)
            continue;
        total += grow(set | bitOf(y), next, need - 1, list, firstOnly, found);
        if (firstOnly && total != 0)
            return total;
    }
    return total;
}

std::uint64_t CoverState::countThrough(std::uint64_t tset, bool list)
{
    const int need = m_M - m_T;
    if (need == 0) {
        if (list)
            note(tset);
        return 1;
    }
    return grow(tset, candidates(tset), need, list, false, nullptr);
}

std::uint64_t CoverState::findUncovered(std::uint64_t& cursor, std::uint64_t& tset)
{
    const int need = m_M - m_T;
    for (; cursor < m_holders.size(); ++cursor) {
        if (m_holders[cursor] != 0)
            continue;
        const std::uint64_t q = unrankT(cursor);
        std::uint64_t found = q;
        if (need == 0 || grow(q, candidates(q), need, false, true, &found) != 0) {
            tset = q;
            return found;
        }
    }
    return 0;
}

bool CoverState::isUncovered(std::uint64_t s) const
{
    bool open = true;
    forEachSubset(s, m_T, [&](std::uint64_t q) { open = open && m_holders[rankOf(q)] == 0; });
    return open;
}

void CoverState::startTracking()
{
    m_tracking = true;
    m_pending.clear();
    m_list.clear();
    // Growing from the empty set: below T - 1 numbers there is nothing to check yet.
    const std::uint64_t start = m_T == 1 ? m_open[0] : m_all;
    m_uncovered = grow(0, start, m_M, true, false, nullptr);
    commit();
}

std::uint64_t CoverState::sampleUncovered(std::uint64_t r)
{
    while (!m_list.empty()) {
        const std::size_t i = static_cast<std::size_t>(r % m_list.size());
        const std::uint64_t s = m_list[i];
        if (isUncovered(s))
            return s;
        m_list[i] = m_list.back();
        m_list.pop_back();
        r = r * 6364136223846793005ULL + 1442695040888963407ULL;
    }
    return 0;
}

void CoverState::note(std::uint64_t set)
{
    // A full list leaves the set out: the count stays exact, only the draws miss it.
    if (m_list.size() + m_pending.size() < kMaxListed)
        m_pending.push_back(set);
}

void CoverState::commit()
{
    m_list.insert(m_list.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    if (m_list.size() > 4 * m_uncovered + 4096)
        compact();
}

void CoverState::forget()
{
    m_pending.clear();
}

void CoverState::compact()
{
    m_list.erase(std::remove_if(m_list.begin(), m_list.end(),
                     [&](std::uint64_t s) { return !isUncovered(s); }),
        m_list.end());
    std::sort(m_list.begin(), m_list.end());
    m_list.erase(std::unique(m_list.begin(), m_list.end()), m_list.end());
}

} // namespace corvane::core
