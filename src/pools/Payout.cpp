#include "pools/Payout.h"

#include <algorithm>

namespace tavek::pools {

long double exactOdds(long double rate, long long total, long long votes)
{
    return static_cast<long double>(total) * rate / votes;
}

QString oddsRulesNote()
{
    return QStringLiteral(
        "単勝・枠連・馬連の表のオッズは、票数から計算した値を0.1倍単位に四捨五入して表示しています。\n"
        "資金配分と払戻金は、JRAの払戻ルール（0.1倍未満切り捨て、最低1.0倍）で計算します。\n"
        "そのため同じ買い目でも、資金配分のオッズが表より0.1倍低いことがあります。");
}

}  // namespace tavek::pools
