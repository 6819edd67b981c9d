#include "finishorder/FinishOrder.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavek::finish {

namespace {

// A runner without a chance left leaves an empty denominator: its orders get 0.
double ratio(double a, double b)
{
    return b > 1e-12 ? a / b : 0.0;
}

// Where the three runners i < j < k lie among all such triples, in the order
// of i, then j, then k.
constexpr int kRunners = FinishOrder::kMaxRunners;
constexpr auto kTriplesBefore = [] {
    std::array<std::array<int, kRunners>, kRunners> before{};
    int at = 0;
    for (int i = 0; i < kRunners; ++i)
        for (int j = i + 1; j < kRunners; ++j) {
            before[size_t(i)][size_t(j)] = at - (j + 1);
            at += kRunners - j - 1;
        }
    return before;
}();

size_t tripleIndex(int i, int j, int k)
{
    if (i > j)
        std::swap(i, j);
    if (j > k)
        std::swap(j, k);
    if (i > j)
        std::swap(i, j);
    return size_t(kTriplesBefore[size_t(i)][size_t(j)] + k);
}

}  // namespace

Discounts discountsOf(Model model)
{
    return model == Model::Harville ? kHarville : kDiscountedHarville;
}

QString modelKey(Model model)
{
    return model == Model::Harville ? QStringLiteral("harville") : QStringLiteral("discounted");
}

QString modelName(Model model)
{
    return model == Model::Harville ? QStringLiteral("ハーヴィル") : QStringLiteral("割引ハーヴィル");
}

std::optional<Model> modelOf(QStringView key)
{
    for (Model m : kModels)
        if (key == modelKey(m))
            return m;
    return std::nullopt;
}

FinishOrder::FinishOrder(std::span<const double> win, Discounts discounts)
    : n_(int(std::min<size_t>(win.size(), kMaxRunners)))
{
    Row second{};
    double secondSum = 0;
    for (int i = 0; i < n_; ++i) {
        win_[size_t(i)] = win[size_t(i)];
        second[size_t(i)] = std::pow(win_[size_t(i)], discounts.second);
        third_[size_t(i)] = std::pow(win_[size_t(i)], discounts.third);
        secondSum += second[size_t(i)];
        thirdSum_ += third_[size_t(i)];
    }
    for (int i = 0; i < n_; ++i)
        for (int j = 0; j < n_; ++j)
            if (i != j) {
                exacta_[size_t(i)][size_t(j)] = win_[size_t(i)]
                                                * ratio(second[size_t(j)], secondSum - second[size_t(i)]);
                thirdLeft_[size_t(i)][size_t(j)] = thirdSum_ - third_[size_t(i)] - third_[size_t(j)];
            }
    for (int i = 0; i < n_; ++i)
        for (int j = i + 1; j < n_; ++j) {
            const double q = quinella(i, j);
            inTop2_[size_t(i)] += q;
            inTop2_[size_t(j)] += q;
            for (int k = j + 1; k < n_; ++k) {
                const double t = trio_[tripleIndex(i, j, k)] = sumOfOrders(i, j, k);
                inTop3_[size_t(i)] += t;
                inTop3_[size_t(j)] += t;
                inTop3_[size_t(k)] += t;
                bothTop3_[size_t(i)][size_t(j)] += t;
                bothTop3_[size_t(i)][size_t(k)] += t;
                bothTop3_[size_t(j)][size_t(k)] += t;
            }
        }
}

double FinishOrder::sumOfOrders(int i, int j, int k) const
{
    return ordered(i, j, k) + ordered(i, k, j) + ordered(j, i, k) + ordered(j, k, i) + ordered(k, i, j)
           + ordered(k, j, i);
}

double FinishOrder::trio(int i, int j, int k) const
{
    return trio_[tripleIndex(i, j, k)];
}

double FinishOrder::inFirst(int i, int places) const
{
    switch (places) {
    case 1:
        return win_[size_t(i)];
    case 2:
        return inTop2_[size_t(i)];
    default:
        return inTop3_[size_t(i)];
    }
}

double FinishOrder::bothInFirst(int i, int j, int places) const
{
    if (places == 2)
        return quinella(i, j);
    return bothTop3_[size_t(std::min(i, j))][size_t(std::max(i, j))];
}

}  // namespace tavek::finish
