#include "core/predict/regress.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

namespace {

using corvane::core::regress;

struct System
{
    std::vector<std::vector<double>> A;
    std::vector<double> b;
};

// Solves with gjcpeg and returns the unknowns.
std::vector<double> solve(const System& s)
{
    auto r = std::make_unique<regress>();
    auto A = std::make_unique<regress::Table>();
    auto xx = std::make_unique<regress::Table>();
    r->nterms = static_cast<int>(s.b.size()) - 1;
    for (std::size_t i = 0; i < s.b.size(); ++i) {
        for (std::size_t j = 0; j < s.b.size(); ++j)
            (*A)[i][j] = s.A[i][j];
        (*xx)[i][0] = s.b[i];
    }
    EXPECT_EQ(r->gjcpeg(1, *A, *xx), 0);
    std::vector<double> x;
    for (std::size_t i = 0; i < s.b.size(); ++i)
        x.push_back((*xx)[i][0]);
    return x;
}

TEST(Gjcpeg, solvesAndStopsAtAVanishingPivot)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* name;
        System system;
        std::vector<double> x;
    } cases[] = {
        {"twoByTwo", {{{2, 4}, {1, 3}}, {10, 7}}, {1, 2}},
        {"oneByOne", {{{4}}, {2}}, {0.5}},
        {"firstPivotZeroIsNeverExchanged", {{{0, 1}, {1, 0}}, {3, 4}}, {0, 0}},
        {"singular", {{{1, 2}, {3, 6}}, {5, 9}}, {5, 0}},
        {"pivotOf1e-12Vanishes", {{{1e-12, 0}, {0, 1}}, {1, 1}}, {0, 0}},
        {"pivotOf1e-10DoesNot", {{{1e-10, 0}, {0, 1}}, {1e-10, 3}}, {1, 3}},
        {"nanPivotVanishes", {{{nan, 1}, {1, 1}}, {1, 1}}, {0, 0}},
        {"rowExchangeForTheSecondPivot", {{{1, 1, 1}, {1, 1, 2}, {1, 2, 1}}, {6, 9, 8}}, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        const std::vector<double> x = solve(c.system);
        ASSERT_EQ(x.size(), c.x.size()) << c.name;
        for (std::size_t i = 0; i < x.size(); ++i)
            EXPECT_DOUBLE_EQ(x[i], c.x[i]) << c.name << " unknown " << i;
    }
}

TEST(Gjcpeg, rowsOfEqualMagnitudeKeepTheirOrder)
{
    // After the first pivot, rows 1 and 2 hold 1 and -1 in column 1. Row 1 stays the pivot
    // row, so x1 comes from x1 + x2 = 1; the system is singular and x2 stops at 0. Exchanging
    // the rows would have given x1 = -5 from -x1 - x2 = 5.
    const std::vector<double> x = solve({{{1, 0, 0}, {0, 1, 1}, {0, -1, -1}}, {0, 1, 5}});
    EXPECT_EQ(x, (std::vector<double> {0, 1, 0}));
}

TEST(Helpers, binomialFactorialAndPower)
{
    const struct
    {
        int n, m, expected;
    } binomials[] = {{3, 2, 3}, {3, 1, 3}, {1, 2, 0}, {2, 0, 1}, {1, 1, 1}, {2, 2, 1}, {5, 2, 10},
        {2, -1, 1}, {0, 1, 0}, {3, 3, 1}};
    for (const auto& c : binomials)
        EXPECT_EQ(regress::C(c.n, c.m), c.expected) << "C(" << c.n << ", " << c.m << ")";

    EXPECT_EQ(regress::intjc(0), 1);
    EXPECT_EQ(regress::intjc(-3), 1);
    EXPECT_EQ(regress::intjc(1), 1);
    EXPECT_EQ(regress::intjc(5), 120);
    EXPECT_EQ(regress::intjc(12), 479001600);

    EXPECT_EQ(regress::power(2.5, 0), 1.0);
    EXPECT_EQ(regress::power(0.0, 0), 1.0);
    EXPECT_EQ(regress::power(-2, 3), -8.0);
    EXPECT_EQ(regress::power(3, -1), 1.0);
    EXPECT_EQ(regress::power(1.5, 2), 2.25);
}

TEST(Helpers, termCountsOfTheSixModels)
{
    const struct
    {
        int order, degree, terms;
    } models[] = {{1, 1, 1}, {1, 2, 2}, {2, 1, 2}, {2, 2, 5}, {3, 1, 3}, {3, 2, 9}};
    for (const auto& m : models) {
        int n = regress::C(m.order, m.degree);
        for (int j = 1; j <= m.degree - 1; ++j)
            n += m.degree * regress::C(m.order, j);
        EXPECT_EQ(n, m.terms) << m.order << "," << m.degree;
    }
}

} // namespace
