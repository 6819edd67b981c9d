#include "racedata/NumberFormat.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(NumberFormat, OneDecimalRoundsDecimalTiesAwayFromZero)
{
    EXPECT_EQ(fmt::odds6(18.25L), "  18.3");
    EXPECT_EQ(fmt::odds6(23.4375L), "  23.4");
    EXPECT_EQ(fmt::odds9(0.04L), "      0.0");
    EXPECT_EQ(fmt::odds9(0.05L), "      0.1");
    EXPECT_EQ(fmt::odds9(9.95L), "     10.0");
    EXPECT_EQ(fmt::odds9(99.96L), "    100.0");
    EXPECT_EQ(fmt::odds9(0.0L), "      0.0");
    EXPECT_EQ(fmt::odds9(8.0L), "      8.0");
    // 0.8 * 1001500 / 101500 = 7.893..., 101500 / 1001500 * 100 = 10.134...
    EXPECT_EQ(fmt::odds9(1001500.0L * 0.8L / 101500.0L), "      7.9");
    // Only 18 significant digits count: a value a hair below the tie beyond
    // them still rounds up.
    EXPECT_EQ(fmt::odds9(0.2499999999999999999L), "      0.3");
    EXPECT_EQ(fmt::odds9(0.24999999999999999L), "      0.2");
    EXPECT_EQ(fmt::odds6(-2.25L), "  -2.3");
    EXPECT_EQ(fmt::fixed1(123456789.0L, 9), "123456789.0");
}

// Away from a tie the rounding takes no decimal expansion; it must give what
// the expansion gives, without a minus on a value that rounds to zero, and
// whole tenths come out exact.
TEST(NumberFormat, OneDecimalAwayFromTiesAndWholeTenths)
{
    EXPECT_EQ(fmt::odds6(-0.04L), "   0.0");
    EXPECT_EQ(fmt::odds6(-0.06L), "  -0.1");
    EXPECT_EQ(fmt::odds6(2.4999L), "   2.5");
    EXPECT_EQ(fmt::odds6(0.2500009L), "   0.3");
    EXPECT_EQ(fmt::odds6(0.2499991L), "   0.2");
    EXPECT_EQ(fmt::fixed1(99999999.96L, 0), "100000000.0");
    EXPECT_EQ(fmt::fixed1(99999999.94L, 0), "99999999.9");
    EXPECT_EQ(fmt::fixed1(0.3L * 3, 0), "0.9");
    EXPECT_EQ(fmt::tenths(123, 0), "12.3");
    EXPECT_EQ(fmt::tenths(7, 6), "   0.7");
    EXPECT_EQ(fmt::tenths(-5, 0), "-0.5");
    EXPECT_EQ(fmt::tenths(0, 0), "0.0");
}

TEST(NumberFormat, IntegersAndGroupedAmounts)
{
    EXPECT_EQ(fmt::integer(12345, 9), "    12345");
    EXPECT_EQ(fmt::integer(0, 9), "        0");
    EXPECT_EQ(fmt::integer(7, 2), " 7");
    EXPECT_EQ(fmt::integer(3, 1), "3");
    EXPECT_EQ(fmt::grouped11(1000000), "  1,000,000");
    EXPECT_EQ(fmt::grouped11(999), "        999");
    EXPECT_EQ(fmt::grouped11(0), "          0");
    EXPECT_EQ(fmt::grouped11(-1234), "     -1,234");
    EXPECT_EQ(fmt::yen11(2173900), "  2,173,900円");
}
