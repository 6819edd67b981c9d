#include "advisor/model/AdvisorTexts.h"

#include "odds/model/PairFigures.h"
#include "odds/model/PoolBoard.h"
#include "odds/model/WinModel.h"
#include "racedata/NumberFormat.h"

#include <cmath>

namespace tavek::advice {

namespace {

const QString kNoFigure = QStringLiteral("―");

QString grouped(long long value)
{
    return fmt::grouped11(value).trimmed();
}

StakeLine stakeLine(const QString& caption, const Bet& bet, const AdviceInput& input, long long stake)
{
    const long long x = stake / pools::kYenPerVote;
    return {caption, yenText(stake), payoutText(bet, x), signedYenText(expectedValue(bet, input.prob, x)),
            growthText(growth(bet, input.prob, input.bankroll, x))};
}

}  // namespace

QString oddsText(long long tenths)
{
    return QStringLiteral("%1.%2").arg(grouped(tenths / 10)).arg(tenths % 10);
}

QString timesText(const QString& odds)
{
    return odds + QStringLiteral("倍");
}

QString yenText(long long yen)
{
    return grouped(yen) + QStringLiteral("円");
}

QString signedYenText(long long yen)
{
    return (yen > 0 ? QStringLiteral("+") : QString()) + yenText(yen);
}

QString growthText(double growth)
{
    // Minus infinity: the whole bankroll is staked, and a loss leaves nothing.
    if (std::isinf(growth))
        return QStringLiteral("外れると資金を失う");
    const QString text = QString::number(100 * growth, 'f', 3);
    return (growth > 0 ? QStringLiteral("+") : QString()) + text + u'%';
}

QString rateText(pools::PayoutRate rate)
{
    return QString::number(double(rate.numerator) / rate.denominator, 'g', 6);
}

QString fractionText(Fraction f)
{
    return QString::number(f.value(), 'g', 10);
}

QString payoutText(const Bet& bet, long long x)
{
    const QString low = oddsText(payoutTenths(bet, x));
    return hasOddsRange(bet.kind) ? low + u'-' + oddsText(payoutHighTenths(bet, x)) : low;
}

QString tabOddsText(const Bet& bet, long long x)
{
    switch (bet.kind) {
    case BetKind::Win:
        return fmt::odds9(win::winOdds(bet.pool + x, bet.votes + x));
    case BetKind::Bracket:
    case BetKind::Quinella:
        return sim::pairOddsText(bet.rate.value(), bet.pool + x, bet.votes + x);
    default:
        return sim::poolOddsText(betPool(bet.kind), {payoutTenths(bet, x), payoutHighTenths(bet, x)});
    }
}

const std::array<QString, 3>& stakeNames()
{
    static const std::array<QString, 3> names = {QStringLiteral("期待値最大"), QStringLiteral("損益分岐"),
                                                 QStringLiteral("ケリー")};
    return names;
}

const std::array<QString, 5>& stakeColumns()
{
    static const std::array<QString, 5> columns = {QString(), QStringLiteral("賭け金"), QStringLiteral("払戻オッズ"),
                                                   QStringLiteral("期待値"), QStringLiteral("資金の成長率")};
    return columns;
}

const std::array<QString, 4>& dutchColumns()
{
    static const std::array<QString, 4> columns = {QStringLiteral("買い目"), QStringLiteral("賭け金"),
                                                   QStringLiteral("払戻オッズ"), QStringLiteral("払戻金")};
    return columns;
}

BetTexts betTexts(const Bet& bet)
{
    return {betLabel(bet), grouped(bet.pool) + QStringLiteral("票"), grouped(bet.votes) + QStringLiteral("票"),
            rateText(bet.rate), payoutText(bet, 0)};
}

AdviceSheet adviceSheet(const Bet& bet, const AdviceInput& input, const Advice& advice)
{
    const Fraction fair{input.prob.denominator, input.prob.numerator};
    AdviceSheet sheet{QString::number(fair.value(), 'f', 2),
                      {stakeLine(stakeNames()[0], bet, input, advice.maxEvStake),
                       stakeLine(stakeNames()[1], bet, input, advice.breakEvenStake),
                       stakeLine(stakeNames()[2], bet, input, advice.kellyStake)}};
    // A stake the bankroll cut says so: its figures are the bankroll's, not
    // the stake's the bet would take.
    if (advice.maxEvCut)
        sheet.lines[0].stake += QStringLiteral("（資金が上限）");
    if (advice.breakEvenCut)
        sheet.lines[1] = {stakeNames()[1], QStringLiteral("資金内になし"), kNoFigure, kNoFigure, kNoFigure};
    return sheet;
}

std::vector<DutchLine> dutchLines(const Dutching& dutching)
{
    std::vector<DutchLine> lines;
    for (const DutchTicket& t : dutching.tickets)
        lines.push_back({betLabel(t.bet), yenText(t.stake), oddsText(t.oddsTenths), yenText(t.payout)});
    return lines;
}

QString minPayoutText(const Dutching& dutching)
{
    return yenText(dutching.minPayout);
}

}  // namespace tavek::advice
