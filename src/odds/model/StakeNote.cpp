#include "odds/model/StakeNote.h"

#include "odds/model/WinModel.h"
#include "pools/VotePools.h"
#include "racedata/NumberFormat.h"

namespace tavek::sim {

QString stakeNote(long long yen)
{
    const long long votes = yen / pools::kYenPerVote;
    if (yen < 0 || yen % pools::kYenPerVote == 0)
        return {};
    return QStringLiteral("%1円は%2円（%3票）として計算します。")
        .arg(fmt::grouped11(yen).trimmed(), fmt::grouped11(votes * pools::kYenPerVote).trimmed(),
             fmt::grouped11(votes).trimmed());
}

QString stakeLimitNote()
{
    return QStringLiteral("金額は%1円（7桁）までです。").arg(fmt::grouped11(win::kMaxStake).trimmed());
}

QString oddsLimitNote()
{
    return QStringLiteral("オッズは9,999,999.9倍（整数7桁・小数1桁）までです。");
}

}  // namespace tavek::sim
