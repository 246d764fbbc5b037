#include "core/text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using corvane::core::readNumber;
using corvane::core::truncToInt;

struct NumberCase
{
    std::string text;
    double expected;
};

TEST(ReadNumber, readsTheLeadingDecimalNumberLikeAtof)
{
    const double inf = std::numeric_limits<double>::infinity();
    const NumberCase cases[] = {
        {"07", 7},
        {"12abc", 12},
        {"1.5", 1.5},
        {"12.9", 12.9},
        {"1e5", 100000},
        {"1E+2x", 100},
        {"2e-3", 0.002},
        {"1.e5", 100000},
        {"1.", 1},
        {".5", 0.5},
        {"1e", 1},
        {"1e+", 1},
        {"1.5.3", 1.5},
        {"0x1A", 0},
        {"0X10", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"inf", 0},
        {"nan", 0},
        {"  42", 42},
        {"\t+3", 3},
        {"-4", -4},
        {"3\t4", 3},
        {"5,6", 5},
        {std::string("12\0"
                     "34",
             5),
            12},
        {"00000000000000000000000000001.5", 1.5},
        {"2147483648", 2147483648.0},
        {"1e400", inf},
        {"123456789e303", inf},
        {"-1e400", -inf},
        {"1e-400", 0},
        {"0.0000001e-330", 0},
        {"2.4e-324", 0},
        {"1e99999999999999999999", inf},
        {"1e-99999999999999999999", 0},
        {"0e99999", 0},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(readNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadNumber, roundsLikeTheCLibraryAtTheEdges)
{
    EXPECT_EQ(readNumber("1e-310"), 1e-310);
    EXPECT_EQ(readNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(readNumber("0.1"), 0.1);
    EXPECT_EQ(readNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(readNumber(std::string(100000, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(TruncToInt, truncatesTowardZeroAndGivesIntMinOutsideTheRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    const struct
    {
        double value;
        std::int32_t expected;
    } cases[] = {
        {12.5, 12},
        {12.49, 12},
        {-0.7, 0},
        {-1.7, -1},
        {0.0, 0},
        {-0.0, 0},
        {2147483647.0, 2147483647},
        {2147483647.9, 2147483647},
        {2147483648.0, intMin},
        {-2147483648.0, intMin},
        {-2147483648.9, intMin},
        {-2147483649.0, intMin},
        {-2147483647.5, -2147483647},
        {1e10, intMin},
        {inf, intMin},
        {-inf, intMin},
        {nan, intMin},
    };
    for (const auto& c : cases)
        EXPECT_EQ(truncToInt(c.value), c.expected) << c.value;
}

TEST(SpaceStripping, stripsOnlyTheSpaceCharacter)
{
    using corvane::core::stripLeadingSpaces;
    using corvane::core::stripSpaces;
    EXPECT_EQ(stripLeadingSpaces("   1 2 "), "1 2 ");
    EXPECT_EQ(stripLeadingSpaces("\t1"), "\t1");
    EXPECT_EQ(stripLeadingSpaces("    "), "");
    EXPECT_EQ(stripSpaces("  1 2  "), "1 2");
    EXPECT_EQ(stripSpaces(" \r "), "\r");
    EXPECT_EQ(corvane::core::crlfToLf("a\r\nb\r\r\nc\rd\n"), "a\nb\r\nc\rd\n");
}

} // namespace
