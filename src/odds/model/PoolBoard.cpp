#include "odds/model/PoolBoard.h"

#include "pools/FinishingOrder.h"
#include "racedata/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace tavek::sim {

namespace {

std::vector<OddsRange> allOdds(const PoolFigures& figures, int size)
{
    std::vector<OddsRange> odds(static_cast<size_t>(size));
    for (int n = 1; n <= size; ++n)
        odds[size_t(n - 1)] = oddsRange(figures, n);
    return odds;
}

QString votesNumber(long long votes)
{
    return votes < 0 ? QString() : fmt::grouped11(votes);
}

}  // namespace

QString poolOddsText(pools::Pool pool, const OddsRange& odds)
{
    if (!odds.has())
        return {};
    if (pool != pools::Pool::Place && pool != pools::Pool::Wide)
        return fmt::tenths(odds.low, 6);
    return fmt::tenths(odds.low, 0) + u'-' + fmt::tenths(odds.high, 0);
}

PoolBoard::PoolBoard(pools::Pool pool)
{
    real_.pool = pool;
    real_.votes.assign(size_t(size()), -1);
    virtual_ = real_;
    realOdds_.resize(size_t(size()));
}

void PoolBoard::calculate(QByteArrayView record)
{
    real_ = readPoolFigures(pool(), record);
    realOdds_ = allOdds(real_, size());
    virtual_ = real_;
    simulated_ = false;
    excessYen_ = 0;
}

int PoolBoard::winners() const
{
    switch (pool()) {
    case pools::Pool::Place:
        return pools::placeWinners(real_.starters);
    case pools::Pool::Wide:
        return 3;
    default:
        return 1;
    }
}

QString PoolBoard::rangeText(const PoolFigures& figures, const OddsRange& odds, int n) const
{
    if (!poolSold(figures))
        return QStringLiteral("発売なし");
    if (entryRefunded(figures, n))
        return QStringLiteral("返還");
    return poolOddsText(pool(), odds);
}

QString PoolBoard::oddsText(int n) const
{
    return rangeText(real_, odds(n), n);
}

QString PoolBoard::virtualOddsText(int n) const
{
    return simulated_ ? rangeText(virtual_, virtualOdds(n), n) : QString();
}

QString PoolBoard::votesText(int n) const
{
    return votesNumber(votes(n));
}

QString PoolBoard::virtualVotesText(int n) const
{
    return simulated_ ? votesNumber(virtualVotes(n)) : QString();
}

QString PoolBoard::totalText() const
{
    return fmt::grouped11(total());
}

QString PoolBoard::virtualTotalText() const
{
    return simulated_ ? fmt::grouped11(virtualTotal()) : QString();
}

QString PoolBoard::excessText() const
{
    return simulated_ ? fmt::yen11(excessYen_) : QString();
}

SimResult PoolBoard::refusal(int n) const
{
    if (!sold())
        return SimResult::NotSold;
    if (refunded(n))
        return SimResult::Refunded;
    if (votes(n) < 0)
        return SimResult::NoVotes;
    return SimResult::None;
}

void PoolBoard::showVirtual(long long excessYen)
{
    simulated_ = true;
    excessYen_ = excessYen;
}

SimResult PoolBoard::simulateStake(int n, long long yen)
{
    if (n < 1 || n > size())
        return SimResult::None;
    if (const SimResult refused = refusal(n); refused != SimResult::None)
        return refused;
    const long long x = yen / pools::kYenPerVote;  // a stake buys whole votes only
    virtual_ = real_;
    virtual_.votes[size_t(n - 1)] += x;
    virtual_.total += x;
    showVirtual(yen);
    return SimResult::Accepted;
}

SimResult PoolBoard::simulateOdds(int n, long double odds)
{
    if (n < 1 || n > size() || !hasOddsSimulation())
        return SimResult::None;
    if (const SimResult refused = refusal(n); refused != SimResult::None)
        return refused;
    if (!(odds > 1.0L))  // also refuses a NaN
        return SimResult::NotAboveOne;

    // The quinella tab's steps (PairBoard::simulateOdds), stored doubles
    // included, so that both tabs take the same votes off for the same odds.
    const long long v = votes(n);
    const long long total = real_.total;
    const double q = double(v) / double(total);
    const long double rate = real_.rate.value();
    const double D = static_cast<double>(q - rate / odds);
    const double d = static_cast<double>(static_cast<long double>(total) * D
                                         / (D - static_cast<long double>(v) / total + 1));
    if (!(d > 0))
        return SimResult::Unrealistic;
    const long long taken = static_cast<long long>(std::trunc(d));
    virtual_ = real_;
    virtual_.votes[size_t(n - 1)] -= taken;
    virtual_.total -= taken;
    showVirtual(taken * pools::kYenPerVote);
    return SimResult::Accepted;
}

QString PoolBoard::refusalMessage(int n, SimResult result) const
{
    return sim::refusalMessage(result, result == SimResult::Unrealistic ? oddsText(n) : QString());
}

}  // namespace tavek::sim
