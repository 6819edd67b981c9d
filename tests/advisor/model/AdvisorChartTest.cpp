#include "advisor/model/AdvisorChart.h"

#include <gtest/gtest.h>

// The EV axis printed 1069688 and -97244 at its ticks: now they fall on round yen.
TEST(AdvisorChart, TickStepsAreRoundAndNeverTooNarrow)
{
    using tavek::advice::roundTickStep;
    const struct {
        double span;
        int intervals;
        double step;
    } cases[] = {
        {1'166'932, 4, 500'000}, {1'000'000, 5, 200'000}, {97'244, 4, 50'000}, {10, 5, 2}, {0.9, 4, 0.5}, {0, 4, 1}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(roundTickStep(c.span, c.intervals), c.step) << c.span;
}
