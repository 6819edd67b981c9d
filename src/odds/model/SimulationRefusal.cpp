#include "odds/model/SimulationRefusal.h"

#include "odds/model/PairFigures.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

namespace tavek::sim {

namespace {

// The bracket refund flags follow the 28 runner flags in the vote-count
// record: brackets 1..8, then the same-bracket pairs 1..8.
constexpr int bracketRefundFlag(int bracket)
{
    return layout::refundFlag(layout::kMaxWinEntries + 1) + bracket - 1;
}
constexpr int sameBracketRefundFlag(int bracket)
{
    return bracketRefundFlag(9) + bracket - 1;
}

bool flagSet(QByteArrayView vote, int position)
{
    return record::field(vote, position, 1) == "1";
}

// A blank field, or one that is no number, holds no votes to simulate on.
bool holdsVotes(QByteArrayView vote, int position)
{
    int value = -1;
    return record::tryBlankAsAbsent(record::field(vote, position, layout::kVoteLen), value) && value >= 0;
}

SimResult votesRefusal(QByteArrayView vote, int votesPosition, int totalPosition)
{
    return holdsVotes(vote, votesPosition) && holdsVotes(vote, totalPosition) ? SimResult::None : SimResult::NoVotes;
}

}  // namespace

bool runnerRefunded(QByteArrayView vote, int horse)
{
    return horse >= 1 && horse <= layout::kMaxWinEntries && flagSet(vote, layout::refundFlag(horse));
}

bool trifectaRefunded(QByteArrayView trifecta, int horse)
{
    if (horse < 1 || horse > pools::kMaxRunners)
        return false;
    const QByteArrayView flag = record::field(trifecta, layout::h6RefundFlag(horse), 1);
    return flag.size() == 1 && flag != "0" && flag != " ";
}

SimResult winRefusal(QByteArrayView vote, int horse)
{
    if (runnerRefunded(vote, horse))
        return SimResult::Refunded;
    return votesRefusal(vote, layout::winVotes(horse), layout::kWinTotal);
}

SimResult pairRefusal(pools::PairKind kind, QByteArrayView vote, int k)
{
    const pools::PairNumbers pair = pools::pairNumbers(kind, k);
    const bool refunded = kind == pools::PairKind::Quinella
                              ? runnerRefunded(vote, pair.first) || runnerRefunded(vote, pair.second)
                              : flagSet(vote, bracketRefundFlag(pair.first))
                                    || flagSet(vote, bracketRefundFlag(pair.second))
                                    || (pair.first == pair.second && flagSet(vote, sameBracketRefundFlag(pair.first)));
    if (refunded)
        return SimResult::Refunded;
    return votesRefusal(vote, pairVotesPosition(kind, k), pairTotalPosition(kind));
}

}  // namespace tavek::sim
