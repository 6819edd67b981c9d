#include "market/StepHistogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using tavek::market::StepHistogram;

namespace {

// The quantile of the figures themselves, as MarketStats takes the others.
double exactQuantile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double rank = p * double(v.size() - 1);
    const size_t i = size_t(rank);
    return i + 1 < v.size() ? v[i] + (v[i + 1] - v[i]) * (rank - double(i)) : v[i];
}

}  // namespace

// Every quantile within half a step of the exact one, whatever the shape of
// the figures: few or many, spread or heaped on one step, or at the edges.
TEST(StepHistogramTest, QuantilesLieWithinHalfAStepOfTheExactOnes)
{
    std::mt19937 random(7);
    std::lognormal_distribution<double> returns(4.2, 0.6);  // about 67 with a long tail
    std::uniform_real_distribution<double> narrow(79.95, 80.05);
    const std::vector<std::vector<double>> shapes = {
        {80.0},
        {0.0, 0.04, 1999.96},
        [&] {
        std::vector<double> v(20'001);
        std::generate(v.begin(), v.end(), [&] { return returns(random); });
        return v;
        }(),
        [&] {
        std::vector<double> v(999);
        std::generate(v.begin(), v.end(), [&] { return narrow(random); });
        return v;
    }(),
                                           };
    for (const std::vector<double>& figures : shapes) {
        StepHistogram h(0.1, 2000);
        for (double x : figures)
            h.add(x);
        ASSERT_EQ(h.count(), (long long)figures.size());
        for (double p : {0.0, 0.1, 0.25, 0.5, 0.75, 0.9, 1.0})
            EXPECT_NEAR(h.quantile(p), exactQuantile(figures, p), 0.05 + 1e-9) << figures.size() << " figures, p " << p;
    }
}

TEST(StepHistogramTest, FiguresOutsideCountAtTheEdges)
{
    StepHistogram h(0.1, 2000);
    EXPECT_EQ(h.quantile(0.5), 0) << "no figures";
    for (double x : {-3.0, 2500.0, 1e9, std::nan("")})
        h.add(x);
    EXPECT_EQ(h.quantile(0.0), 0);
    EXPECT_EQ(h.quantile(1.0), 2000);
    EXPECT_EQ(h.count(), 4);
}
