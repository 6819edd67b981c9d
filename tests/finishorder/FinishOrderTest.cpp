#include "finishorder/FinishOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace tavek::test {

namespace {

using finish::FinishOrder;

// The chances of the first three places, counted over every finishing order of
// the whole field: each place drawn from the runners left by chance^exponent
// (the winner by chance, second by chance^λ2, third and below by chance^λ3).
struct BruteForce {
    std::vector<std::vector<std::vector<double>>> ordered;

    BruteForce(const std::vector<double>& p, finish::Discounts d)
    {
        const size_t n = p.size();
        ordered.assign(n, std::vector<std::vector<double>>(n, std::vector<double>(n)));
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        do {
            double chance = 1;
            for (size_t place = 0; place < n && chance > 0; ++place) {
                const double e = place == 0 ? 1.0 : place == 1 ? d.second : d.third;
                double left = 0;
                for (size_t r = place; r < n; ++r)
                    left += std::pow(p[size_t(order[r])], e);
                if (left == 0)
                    break;  // only runners without a chance are left, in any order
                chance *= std::pow(p[size_t(order[place])], e) / left;
            }
            ordered[size_t(order[0])][size_t(order[1])][size_t(order[2])] += chance;
        } while (std::next_permutation(order.begin(), order.end()));
    }
};

bool inside(int x, int a, int b, int c)
{
    return x == a || x == b || x == c;
}

}  // namespace

// Fields of 5 to 8, with a runner without a chance (refunded), under both models:
// every marginal against the enumeration, and each pool's chances summing to
// the number of its winning entries.
TEST(FinishOrderTest, AgreesWithEveryFinishingOrderOfSmallFields)
{
    const std::vector<std::vector<double>> fields = {
        {0.4, 0.25, 0.15, 0.12, 0.08},
        {0.3, 0.2, 0.0, 0.2, 0.15, 0.1, 0.05},
        {0.22, 0.18, 0.15, 0.12, 0.11, 0.09, 0.08, 0.05},
    };
    for (const finish::Discounts d : {finish::kHarville, finish::kDiscountedHarville})
        for (const std::vector<double>& p : fields) {
            const BruteForce brute(p, d);
            const FinishOrder model(p, d);
            const int n = int(p.size());
            double exactas = 0, trios = 0, top2 = 0, top3 = 0, wides = 0;
            for (int i = 0; i < n; ++i) {
                double first = 0, second = 0, third = 0;
                for (int j = 0; j < n; ++j)
                    for (int k = 0; k < n; ++k) {
                        first += brute.ordered[size_t(i)][size_t(j)][size_t(k)];
                        second += brute.ordered[size_t(j)][size_t(i)][size_t(k)];
                        third += brute.ordered[size_t(j)][size_t(k)][size_t(i)];
                    }
                EXPECT_NEAR(model.inFirst(i, 1), first, 1e-12);
                EXPECT_NEAR(model.inFirst(i, 2), first + second, 1e-12);
                EXPECT_NEAR(model.inFirst(i, 3), first + second + third, 1e-12);
                top2 += model.inFirst(i, 2);
                top3 += model.inFirst(i, 3);
                for (int j = 0; j < n; ++j) {
                    if (j == i)
                        continue;
                    double exacta = 0, both3 = 0;
                    for (int a = 0; a < n; ++a)
                        for (int b = 0; b < n; ++b)
                            for (int c = 0; c < n; ++c)
                                if (inside(i, a, b, c) && inside(j, a, b, c))
                                    both3 += brute.ordered[size_t(a)][size_t(b)][size_t(c)];
                    for (int k = 0; k < n; ++k) {
                        exacta += brute.ordered[size_t(i)][size_t(j)][size_t(k)];
                        if (k != i && k != j) {
                            EXPECT_NEAR(model.ordered(i, j, k), brute.ordered[size_t(i)][size_t(j)][size_t(k)], 1e-12);
                        }
                        if (i < j && j < k)
                            trios += model.trio(i, j, k);
                    }
                    EXPECT_NEAR(model.exacta(i, j), exacta, 1e-12);
                    EXPECT_NEAR(model.bothInFirst(i, j, 3), both3, 1e-12);
                    EXPECT_DOUBLE_EQ(model.bothInFirst(i, j, 2), model.quinella(i, j));
                    exactas += model.exacta(i, j);
                    if (i < j)
                        wides += model.bothInFirst(i, j, 3);
                }
            }
            EXPECT_NEAR(exactas, 1, 1e-12);
            EXPECT_NEAR(trios, 1, 1e-12);
            EXPECT_NEAR(top2, 2, 1e-12);
            EXPECT_NEAR(top3, 3, 1e-12);
            EXPECT_NEAR(wides, 3, 1e-12);
        }
}

// A runner without a chance never finishes in the first three.
TEST(FinishOrderTest, RunnerWithoutChanceNeverPlaces)
{
    const std::vector<double> p = {0.5, 0.0, 0.3, 0.2};
    const FinishOrder model(p, finish::kDiscountedHarville);
    EXPECT_EQ(model.inFirst(1, 3), 0);
    EXPECT_EQ(model.exacta(0, 1), 0);
    EXPECT_EQ(model.trio(0, 1, 2), 0);
    EXPECT_NEAR(model.trio(0, 2, 3), 1, 1e-12);
}

}  // namespace tavek::test
