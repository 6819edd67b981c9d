#pragma once

#include "pools/RacePayouts.h"
#include "racedata/RaceResult.h"

#include <QString>

#include <array>
#include <vector>

// What a race's result means for each bet on it, as the boards mark it and
// the stake advisor and the 妙味 ranking say it: the entries every pool paid
// on, the first three places, and what became of any one bet.
namespace tavek::results {

// What became of a bet.
struct Outcome {
    enum class Kind {
        Unknown,   // the race has no result (yet)
        Won,       // 的中: `yen` per 100 yen
        Lost,      // 不的中
        Refunded,  // 返還: it named a scratched runner (or an emptied bracket)
        NotHeld,   // 不成立: the pool was not held, every ticket is paid back
    };
    Kind kind = Kind::Unknown;
    long long yen = 0;
    bool special = false;  // won under the special payout (特払)

    bool operator==(const Outcome&) const = default;
};

class Winners {
public:
    // No result: nothing won, nothing marked.
    Winners() = default;
    // The winners of `result`; none when it is null.
    explicit Winners(const result::RaceResult* result);

    bool any() const { return known_; }
    // Entry `entry` of `pool` was paid on (under the special payout too).
    bool won(pools::Pool pool, int entry) const;
    // The place 1..3 runner `horse` finished in, dead heats sharing theirs; 0
    // outside the first three or where the payouts tell no order.
    int placeOf(int horse) const;
    Outcome outcome(pools::Pool pool, int entry) const;

private:
    bool known_ = false;
    pools::RacePayouts payouts_;
    pools::Refunds refunds_;
    std::array<int, pools::kMaxRunners + 1> places_{};
};

// The stake advisor's line: "的中　払戻 1,230円（100円につき）", "的中（特払）　払戻
// 70円（100円につき）", "不的中", "返還（取消・除外の馬を含む買い目）", "不成立（全額返還）";
// empty without a result.
QString outcomeText(const Outcome& outcome);
// The 妙味 table's column "結果" and its cells: "的中 1,230円", "不的中", "返還",
// "不成立"; empty without a result.
QString outcomeHeading();
QString outcomeCell(const Outcome& outcome);
// The marks of the odds history's lines: a runner's place in the first
// three ("1着"; empty for the others), a winning pair's "的中".
QString placeMark(int place);
QString wonMark();

}  // namespace tavek::results
