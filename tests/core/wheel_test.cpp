// Wheels: the check of every set against known designs and a brute force, the cover state the
// maker keeps, and the maker reaching the known optima.
#include "core/tickets/combinatorics.h"
#include "core/tickets/cover_state.h"
#include "core/tickets/wheel.h"
#include "core/tickets/wheel_make.h"
#include "core/tickets/wheel_report.h"

#include "recording_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace corvane::core;
using corvane::test::RecordingUi;
using Wheel = std::vector<std::vector<int>>;

// ---- an independent check: every set of M numbers, one at a time

struct Brute
{
    std::uint64_t breaking = 0;
    std::vector<int> first;
    std::vector<std::uint64_t> byBest;
    std::vector<std::uint64_t> byLevel;
};

Brute bruteForce(const Wheel& wheel, int V, int K, int T, int M)
{
    Brute b;
    b.byBest.assign(static_cast<std::size_t>(std::min(K, M)) + 1, 0);
    b.byLevel.assign(b.byBest.size(), 0);
    std::vector<int> set(static_cast<std::size_t>(M));
    for (int i = 0; i < M; ++i)
        set[i] = i + 1;
    while (true) {
        int best = 0;
        for (const std::vector<int>& ticket : wheel) {
            int meet = 0;
            for (const int x : set)
                meet += std::count(ticket.begin(), ticket.end(), x) ? 1 : 0;
            best = std::max(best, meet);
            ++b.byLevel[meet];
        }
        ++b.byBest[best];
        if (best < T && b.breaking++ == 0)
            b.first = set;
        int i = M - 1;
        while (i >= 0 && set[i] == V - M + 1 + i)
            --i;
        if (i < 0)
            return b;
        ++set[i];
        for (int j = i + 1; j < M; ++j)
            set[j] = set[j - 1] + 1;
    }
}

// ---- known designs

const Wheel kFano = {{1, 2, 3}, {1, 4, 5}, {1, 6, 7}, {2, 4, 6}, {2, 5, 7}, {3, 4, 7}, {3, 5, 6}};

// S(3,4,8): the planes of the affine space of dimension 3 over GF(2), points 1..8 standing for
// the vectors 0..7; the 14 sets of four whose vectors add up to 0.
Wheel steinerQuadruples()
{
    Wheel blocks;
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b)
            for (int c = b + 1; c < 8; ++c)
                for (int d = c + 1; d < 8; ++d)
                    if ((a ^ b ^ c ^ d) == 0)
                        blocks.push_back({a + 1, b + 1, c + 1, d + 1});
    return blocks;
}

// S(5,6,12): the images of {inf, 1, 3, 4, 5, 9} (the squares of GF(11) and infinity) under the
// maps x -> (ax + b) / (cx + d) of determinant a square; points 1..11 stand for 0..10, 12 for
// infinity.
Wheel steinerHexads()
{
    const int inf = 11;
    const auto apply = [&](int a, int b, int c, int d, int x) {
        if (x == inf)
            return c == 0 ? inf : a * [&] {
                int inv = 1;
                while (inv * c % 11 != 1)
                    ++inv;
                return inv;
            }() % 11;
        const int num = (a * x + b) % 11;
        const int den = (c * x + d) % 11;
        if (den == 0)
            return inf;
        int inv = 1;
        while (inv * den % 11 != 1)
            ++inv;
        return num * inv % 11;
    };
    const std::set<int> squares = {1, 3, 4, 5, 9};
    std::set<std::vector<int>> blocks;
    for (int a = 0; a < 11; ++a)
        for (int b = 0; b < 11; ++b)
            for (int c = 0; c < 11; ++c)
                for (int d = 0; d < 11; ++d) {
                    if (squares.count(((a * d - b * c) % 11 + 11) % 11) == 0)
                        continue;
                    std::vector<int> block;
                    for (const int x : {inf, 1, 3, 4, 5, 9})
                        block.push_back(apply(a, b, c, d, x) + 1);
                    std::sort(block.begin(), block.end());
                    blocks.insert(block);
                }
    return {blocks.begin(), blocks.end()};
}

struct Design
{
    const char* name;
    Wheel blocks;
    int V, K, T;
};

std::vector<Design> designs()
{
    return {
        {"Fano plane", kFano, 7, 3, 2},
        {"S(3,4,8)", steinerQuadruples(), 8, 4, 3},
        {"S(5,6,12)", steinerHexads(), 12, 6, 5},
    };
}

TEST(WheelVerify, knownDesignsHoldAndEachLosesItWithOneBlockRemoved)
{
    for (const Design& d : designs()) {
        ASSERT_EQ(d.blocks.size(), wheelLowerBound(d.V, d.K, d.T, d.T)) << d.name;
        const WheelShape shape {d.V, d.K, d.T, d.T};
        const WheelCheck whole = verifyWheel(d.blocks, shape);
        EXPECT_TRUE(whole.holds()) << d.name;
        EXPECT_EQ(whole.sets, binomial(d.V, d.T)) << d.name;
        EXPECT_TRUE(whole.firstBreaking.empty());
        // A Steiner system holds every T-set on exactly one block.
        EXPECT_EQ(whole.setsByBest.back(), whole.sets) << d.name;

        for (std::size_t gone = 0; gone < d.blocks.size(); ++gone) {
            Wheel less = d.blocks;
            less.erase(less.begin() + static_cast<std::ptrdiff_t>(gone));
            const WheelCheck check = verifyWheel(less, shape);
            EXPECT_FALSE(check.holds()) << d.name << " without block " << gone;
            // Exactly the T-sets of the lost block break, and the first of them is named.
            EXPECT_EQ(check.breaking, binomial(d.K, d.T)) << d.name;
            const std::vector<int>& lost = d.blocks[gone];
            EXPECT_EQ(check.firstBreaking, std::vector<int>(lost.begin(), lost.begin() + d.T))
                << d.name << " without block " << gone;
        }
    }
}

TEST(WheelVerify, agreesWithABruteForceOnRandomWheels)
{
    std::mt19937 random(7);
    const struct
    {
        int V, K, T, M, tickets;
    } shapes[] = {
        {10, 4, 2, 3, 6}, {10, 5, 3, 5, 9}, {9, 3, 1, 1, 2}, {11, 6, 2, 2, 5}, {12, 4, 3, 6, 70},
        {8, 8, 4, 6, 1}, {14, 5, 2, 4, 130}, // more than two words of tickets
    };
    for (const auto& s : shapes) {
        for (int round = 0; round < 2; ++round) {
            Wheel wheel;
            for (int t = 0; t < s.tickets; ++t) {
                std::vector<int> numbers(static_cast<std::size_t>(s.V));
                for (int i = 0; i < s.V; ++i)
                    numbers[i] = i + 1;
                std::shuffle(numbers.begin(), numbers.end(), random);
                numbers.resize(static_cast<std::size_t>(s.K));
                std::sort(numbers.begin(), numbers.end());
                wheel.push_back(numbers);
            }
            const Brute b = bruteForce(wheel, s.V, s.K, s.T, s.M);
            const WheelCheck c = verifyWheel(wheel, {s.V, s.K, s.T, s.M});
            EXPECT_EQ(c.breaking, b.breaking) << s.V << " " << s.K << " " << s.T << " " << s.M;
            EXPECT_EQ(c.firstBreaking, b.first);
            EXPECT_EQ(c.setsByBest, b.byBest);
            EXPECT_EQ(c.ticketsByLevel, b.byLevel);
        }
    }
}

TEST(WheelVerify, threadsShareTheWorkWithoutChangingTheResult)
{
    // Above 100000 sets a check runs on as many threads as asked for.
    std::mt19937 random(11);
    Wheel wheel;
    for (int t = 0; t < 40; ++t) {
        std::vector<int> numbers;
        for (int x = 1; x <= 30; ++x)
            numbers.push_back(x);
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(6);
        wheel.push_back(numbers);
    }
    const WheelShape shape {30, 6, 3, 5};
    const WheelCheck one = verifyWheel(wheel, shape, 1);
    const WheelCheck three = verifyWheel(wheel, shape, 3);
    EXPECT_EQ(one.sets, 142506u);
    EXPECT_GT(one.breaking, 0u);
    EXPECT_EQ(three.breaking, one.breaking);
    EXPECT_EQ(three.firstBreaking, one.firstBreaking);
    EXPECT_EQ(three.setsByBest, one.setsByBest);
}

TEST(WheelVerify, badInputIsRefusedNamingWhatAndWhere)
{
    const auto ticketsOf = [](const Wheel& wheel) {
        std::vector<Ticket> tickets;
        for (std::size_t i = 0; i < wheel.size(); ++i)
            tickets.push_back({wheel[i], static_cast<int>(i) + 3});
        return tickets;
    };
    const struct
    {
        Wheel wheel;
        int V, T, M;
        const char* says;
    } cases[] = {
        {{{1, 2, 3}, {1, 2}}, 7, 2, 2,
            "w.txt, line 4: a ticket of 2 numbers, but the ticket on "
            "line 3 has 3"},
        {{{1, 2, 3}, {1, 2, 8}}, 7, 2, 2,
            "w.txt, line 4: the number 8 is outside the numbers 1 "
            "to 7 of --pool"},
        {{{0, 2, 3}}, 7, 2, 2, "line 3: the number 0 is outside"},
        // Tickets larger than the pool always hold a number outside it.
        {{{1, 2, 3}}, 2, 1, 1, "w.txt, line 3: the number 3 is outside the numbers 1 to 2"},
        {{{1, 2, 3}}, 7, 2, 8, "--if 8 is more than the 7 numbers of --pool"},
        {{{1, 2, 3}}, 7, 3, 2, "--guarantee 3 is more than the 2 numbers of --if"},
        {{{1, 2, 3}}, 7, 4, 5, "--guarantee 4 is more than a ticket's 3 numbers"},
        {{{1, 2, 3}}, 90, 3, 7, "means 7471375560 sets, more than 1000000000"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        EXPECT_FALSE(verifyWheelTickets(ticketsOf(c.wheel), c.V, c.T, c.M, "w.txt", ui)) << c.says;
        ASSERT_EQ(ui.messages.size(), 1u) << c.says;
        EXPECT_NE(ui.messages[0].find(c.says), std::string::npos) << ui.messages[0];
    }
    // At the edge of what a check takes: C(90, 6) = 622614630 sets.
    EXPECT_FALSE(wheelShapeProblem({90, 6, 3, 6}));
    EXPECT_TRUE(wheelShapeProblem({90, 6, 3, 7}));
}

TEST(WheelVerify, theReportNamesTheVerdictTheFirstBreakingSetAndWhatAWheelBuys)
{
    Wheel less = kFano;
    less.pop_back();
    const std::string report = wheelCheckReport(verifyWheel(less, {7, 3, 2, 2}));
    EXPECT_NE(report.find("Guarantee \"2 if 2\": does not hold. 3 of the 21 sets of 2 of the 7 "
                          "numbers (14.2857%) have no ticket that matches 2 of them; the first "
                          "is 3 5."),
        std::string::npos)
        << report;
    EXPECT_NE(
        report.find("expected return equals that of as\nmany random tickets"), std::string::npos);
    const std::string holds = wheelCheckReport(verifyWheel(kFano, {7, 3, 2, 2}));
    EXPECT_NE(holds.find("Guarantee \"2 if 2\": holds."), std::string::npos);
}

// ---- the cover state the maker keeps: its count of uncovered sets is always exact

TEST(CoverState, theUncoveredCountStaysExactThroughRandomMoves)
{
    const struct
    {
        int V, K, T, M, tickets;
    } shapes[] = {
        {9, 3, 2, 2, 8},
        {10, 4, 3, 3, 12},
        {11, 4, 2, 4, 4},
        {12, 5, 3, 6, 5},
        {10, 3, 1, 3, 2},
        {9, 5, 4, 4, 10},
    };
    for (const auto& s : shapes) {
        std::mt19937 random(static_cast<unsigned>(s.V * 100 + s.M));
        CoverState state(s.V, s.T, s.M);
        std::vector<std::uint64_t> masks;
        const auto randomTicket = [&] {
            std::uint64_t mask = 0;
            while (popcount64(mask) < s.K)
                mask |= std::uint64_t {1} << (random() % static_cast<unsigned>(s.V));
            return mask;
        };
        const auto recount = [&] {
            Wheel wheel;
            for (const std::uint64_t mask : masks) {
                std::vector<int> numbers;
                for (int x = 0; x < s.V; ++x)
                    if ((mask >> x) & 1U)
                        numbers.push_back(x + 1);
                wheel.push_back(numbers);
            }
            return bruteForce(wheel, s.V, s.K, s.T, s.M).breaking;
        };
        for (int t = 0; t < s.tickets; ++t) {
            masks.push_back(randomTicket());
            state.addTicket(masks.back());
        }
        state.startTracking();
        ASSERT_EQ(state.uncovered(), recount()) << s.V << " " << s.M;
        for (int move = 0; move < 25; ++move) {
            const std::size_t i = random() % masks.size();
            int out = 0, in = 0;
            do
                out = static_cast<int>(random() % static_cast<unsigned>(s.V));
            while (((masks[i] >> out) & 1U) == 0);
            do
                in = static_cast<int>(random() % static_cast<unsigned>(s.V));
            while (((masks[i] >> in) & 1U) != 0);
            masks[i] = state.swapNumber(masks[i], out, in);
            state.commit();
            ASSERT_EQ(state.uncovered(), recount()) << s.V << " " << s.M << " move " << move;
            const std::uint64_t sample = state.sampleUncovered(random());
            if (state.uncovered() == 0) {
                EXPECT_EQ(sample, 0u);
            } else {
                EXPECT_EQ(popcount64(sample), s.M);
                EXPECT_TRUE(state.isUncovered(sample));
            }
        }
    }
}

// ---- the maker

void expectHolds(const MadeWheel& made)
{
    const WheelShape& s = made.shape;
    EXPECT_TRUE(made.check.holds());
    EXPECT_EQ(made.check.tickets, made.tickets.size());
    for (const std::vector<int>& ticket : made.tickets) {
        EXPECT_EQ(ticket.size(), static_cast<std::size_t>(s.ticket));
        EXPECT_TRUE(std::is_sorted(ticket.begin(), ticket.end()));
        EXPECT_GE(ticket.front(), 1);
        EXPECT_LE(ticket.back(), s.pool);
        EXPECT_EQ(std::adjacent_find(ticket.begin(), ticket.end()), ticket.end());
    }
    EXPECT_EQ(bruteForce(made.tickets, s.pool, s.ticket, s.guarantee, s.drawn).breaking, 0u);
}

TEST(WheelMake, reachesTheKnownOptima)
{
    const struct
    {
        WheelShape shape;
        std::size_t most;
    } cases[] = {
        {{7, 3, 2, 2}, 7}, // the Fano plane
        {{9, 3, 2, 2}, 12}, {{8, 4, 3, 3}, 14}, // S(3,4,8)
        {{13, 3, 2, 2}, 27}, // within one ticket of 26
    };
    for (const auto& c : cases) {
        MakeOptions options;
        options.shape = c.shape;
        options.seconds = 1;
        const MadeWheel made = makeWheel(options);
        EXPECT_LE(made.tickets.size(), c.most) << c.shape.pool;
        EXPECT_GE(made.tickets.size(), made.bound);
        expectHolds(made);
    }
}

TEST(WheelMake, everyWheelItMakesHoldsAndTheSameSeedMakesTheSameWheel)
{
    const WheelShape shapes[] = {
        {10, 5, 3, 3},
        {12, 6, 3, 6}, // split into two parts: "3 if 3" and "3 if 4"
        {14, 4, 2, 3},
        {11, 5, 1, 3},
        {10, 6, 4, 6},
        {6, 6, 3, 3},
    };
    for (const WheelShape& shape : shapes) {
        MakeOptions options;
        options.shape = shape;
        options.seconds = 0.005;
        options.seed = 5;
        const MadeWheel made = makeWheel(options);
        expectHolds(made);
        EXPECT_LE(made.tickets.size(), made.greedy);
        EXPECT_EQ(makeWheel(options).tickets, made.tickets) << shape.pool;
    }
}

TEST(WheelMake, shapesItCannotMakeAreRefused)
{
    const struct
    {
        WheelShape shape;
        const char* says;
    } cases[] = {
        {{65, 6, 3, 3}, "at most 64 numbers, not --pool 65"},
        {{64, 10, 6, 6}, "needs a count for each of 74974368 sets"},
        {{5, 6, 3, 3}, "--pool 5 is smaller than a ticket's 6 numbers"},
        {{49, 6, 3, 9}, "means 2054455634 sets, more than 1000000000"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        MakeOptions options;
        options.shape = c.shape;
        EXPECT_FALSE(makeWheelChecked(options, ui)) << c.says;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(c.says), std::string::npos) << ui.messages[0];
    }
}

} // namespace
