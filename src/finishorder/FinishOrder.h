#pragma once

#include "pools/Field.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

// The chances of every finishing order of the first three from the runners'
// chances of winning: the winner is drawn by those chances, the second from
// the runners left by their chances raised to a discount exponent and
// renormalised, the third likewise. Exponents of 1 give Harville's model;
// 0.81 and 0.65 give the discounted Harville model of Lo and Bacon-Shone
// (1994), which follows normal running times closely where plain Harville
// overrates the favourites for second and third. The emulated service draws
// its votes and the 妙味 model reads the pools' views from this one model.
namespace tavek::finish {

struct Discounts {
    double second = 1.0;
    double third = 1.0;
};

inline constexpr Discounts kHarville{1.0, 1.0};
inline constexpr Discounts kDiscountedHarville{0.81, 0.65};

// The model as the bettor chooses it in the window and in tavek-cli (--model).
enum class Model { Harville, Discounted };

inline constexpr Model kModels[] = {Model::Discounted, Model::Harville};

Discounts discountsOf(Model model);

// "harville", "discounted": tavek-cli's option value and JSON key.
QString modelKey(Model model);

// "割引ハーヴィル", "ハーヴィル": the window's choice.
QString modelName(Model model);

// The model of a key; none for any other text.
std::optional<Model> modelOf(QStringView key);

class FinishOrder {
public:
    static constexpr int kMaxRunners = pools::kMaxRunners;

    // `win`: the chance of each runner (index 0 is runner 1) to win, 0 for a
    // runner that cannot finish; at most kMaxRunners of them.
    FinishOrder(std::span<const double> win, Discounts discounts);

    int runners() const { return n_; }
    double first(int i) const { return win_[size_t(i)]; }
    // i first, j second.
    double exacta(int i, int j) const { return exacta_[size_t(i)][size_t(j)]; }
    // i first, j second, k third.
    double ordered(int i, int j, int k) const { return exacta(i, j) * thirdGiven(i, j, k); }
    // i and j first and second in either order.
    double quinella(int i, int j) const { return exacta(i, j) + exacta(j, i); }
    // i, j and k the first three in any order.
    double trio(int i, int j, int k) const;
    // i among the first `places` (1 to 3).
    double inFirst(int i, int places) const;
    // i and j both among the first `places` (2 or 3).
    double bothInFirst(int i, int j, int places) const;

private:
    double thirdGiven(int i, int j, int k) const
    {
        const double left = thirdLeft_[size_t(i)][size_t(j)];
        return left > 1e-12 ? third_[size_t(k)] / left : 0.0;
    }
    double sumOfOrders(int i, int j, int k) const;

    using Row = std::array<double, kMaxRunners>;
    int n_ = 0;
    Row win_{}, third_{};
    double thirdSum_ = 0;
    // thirdSum_ less the third-place weights of i and j: what is left to
    // share out for third once i and j are first and second.
    std::array<Row, kMaxRunners> thirdLeft_{};
    std::array<Row, kMaxRunners> exacta_{};
    // Sums over the first-three orders, made once: the 妙味 model asks for
    // each three runners many times over (place and wide weigh every other
    // winner), and stats for every race of many seasons.
    Row inTop2_{}, inTop3_{};
    std::array<Row, kMaxRunners> bothTop3_{};
    std::array<double, kMaxRunners*(kMaxRunners - 1) * (kMaxRunners - 2) / 6> trio_{};  // i < j < k
};

}  // namespace tavek::finish
