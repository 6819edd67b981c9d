#include "odds/model/PairBoard.h"

#include "odds/model/SimulationRefusal.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace tavek::sim {

namespace {

// The odds simulation reads the pair's votes and the total as plain integers:
// a blank field, one that is not a number, or a zero total cannot be simulated.
int requiredFigure(QByteArrayView record, int position, const QString& what)
{
    int value = -1;
    const QByteArrayView f = record::field(record, position, layout::kVoteLen);
    if (!record::tryBlankAsAbsent(f, value) || value < 0)
        throw std::runtime_error(
            QStringLiteral("オッズのシミュレーションができません：レース %1 の票数レコードで%2が「%3」です。")
                .arg(raceKeyText(record), what, QString::fromLatin1(f).trimmed())
                .toStdString());
    return value;
}

// The virtual figures are 32-bit, like the day data; a simulation that would
// carry one beyond (a total near 2^31 in the record) is refused, naming the
// race, instead of overflowing.
int checkedFigure(QByteArrayView record, long long value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw std::runtime_error(QStringLiteral("レース %1 はシミュレーションできません：仮想の票数が範囲を超えます。")
                                     .arg(raceKeyText(record))
                                     .toStdString());
    return int(value);
}

}  // namespace

PairBoard::PairBoard(pools::PairKind kind)
    : kind_(kind), real_(size_t(pools::pairCount(kind) + 1)), virtual_(size_t(pools::pairCount(kind) + 1))
{
}

void PairBoard::clear()
{
    realTotal_.clear();
    virtualTotal_.clear();
    for (int k = 1; k <= size(); ++k) {
        real_[size_t(k)].text.clear();
        real_[size_t(k)].mark = false;
        virtual_[size_t(k)].text.clear();
        virtual_[size_t(k)].mark = false;
    }
}

void PairBoard::calculate(QByteArrayView record, PairFigures figures)
{
    resetPairFigures(kind_, record, figures);
    for (int k = 1; k <= size(); ++k)
        real_[size_t(k)].text = realOddsText(kind_, record, k);
    realTotal_ = realTotalText(kind_, record);
    virtualTotal_.clear();
    dropped_.clear();
    const SimInput again = std::exchange(last_, {});
    if (!again.sameRace(layout::raceKey(record)))
        return;
    const QString label = pools::pairLabel(kind_, again.target);
    dropped_ = runAgain(
        QStringLiteral("%1 %2").arg(pools::pool(pools::pairPool(kind_)).caption(), label.trimmed()),
        [&] {
        return again.kind == SimInput::Kind::Stake ? simulateStake(record, figures, label, again.yen)
                                                   : simulateOdds(record, figures, label, again.odds);
        },
        [&](SimResult result) { return refusalMessage(result, real_[size_t(again.target)].text); });
}

int PairBoard::clickReal(int k)
{
    for (int i = 1; i <= size(); ++i)
        real_[size_t(i)].mark = false;
    if (k >= 1 && k <= size() && !real_[size_t(k)].text.trimmed().isEmpty())
        real_[size_t(k)].mark = true;
    int chosen = 0;
    for (int i = 1; i <= size(); ++i) {
        virtual_[size_t(i)].selected = false;
        real_[size_t(i)].selected = real_[size_t(i)].mark;
        if (real_[size_t(i)].mark)
            chosen = i;
    }
    return chosen;
}

int PairBoard::clickVirtual(int k)
{
    for (int i = 1; i <= size(); ++i) {
        real_[size_t(i)].mark = false;
        virtual_[size_t(i)].mark = false;
    }
    if (k >= 1 && k <= size())
        virtual_[size_t(k)].mark = true;
    int chosen = 0;
    for (int i = 1; i <= size(); ++i) {
        real_[size_t(i)].selected = false;
        const bool on = virtual_[size_t(i)].mark && !real_[size_t(i)].text.trimmed().isEmpty();
        virtual_[size_t(i)].selected = on;
        if (on)
            chosen = i;
    }
    return chosen;
}

void PairBoard::showVirtualOdds(long double rate, const PairFigures& figures, bool needTotal)
{
    for (int k = 1; k <= size(); ++k) {
        const int votes = figures.votes[size_t(k - 1)];
        if (votes > 0 && (!needTotal || figures.total > 0))
            virtual_[size_t(k)].text = pairOddsText(rate, figures.total, votes);
    }
}

SimResult PairBoard::simulateStake(QByteArrayView record, PairFigures figures, QStringView label, long long yen)
{
    const int p = pools::pairIndex(kind_, label);
    if (p == 0)
        return SimResult::None;
    if (const SimResult refused = pairRefusal(kind_, record, p); refused != SimResult::None)
        return refused;
    resetPairFigures(kind_, record, figures);
    const long long n = yen / pools::kYenPerVote;  // a stake buys whole votes only
    const int total = checkedFigure(record, figures.total + n);
    const int votes = checkedFigure(record, figures.votes[size_t(p - 1)] + n);
    figures.total = total;
    virtualTotal_ = fmt::grouped11(figures.total);
    figures.votes[size_t(p - 1)] = votes;
    excess_ = fmt::yen11(yen);
    showVirtualOdds(pools::pool(pools::pairPool(kind_)).rate(record::raceDate(record)).value(), figures, true);
    last_ = {SimInput::Kind::Stake, layout::raceKey(record).toByteArray(), p, yen, 0};
    return SimResult::Accepted;
}

SimResult PairBoard::simulateOdds(QByteArrayView record, PairFigures figures, QStringView label, long double odds)
{
    const int p = pools::pairIndex(kind_, label);
    if (p == 0)
        return SimResult::None;
    if (const SimResult refused = pairRefusal(kind_, record, p); refused != SimResult::None)
        return refused;
    resetPairFigures(kind_, record, figures);

    const QString kindName = pools::pool(pools::pairPool(kind_)).caption();
    const int v = requiredFigure(record, pairVotesPosition(kind_, p),
                                 QStringLiteral("%1 %2 の票数").arg(kindName, pools::pairLabel(kind_, p).trimmed()));
    const int total = requiredFigure(record, pairTotalPosition(kind_), QStringLiteral("%1合計票数").arg(kindName));
    if (total == 0)
        throw std::runtime_error(
            QStringLiteral("オッズのシミュレーションができません：レース %1 の%2合計票数が 0 です。")
                .arg(raceKeyText(record), kindName)
                .toStdString());
    const double q = double(v) / total;
    if (!(odds > 1.0L))
        return SimResult::NotAboveOne;

    // The steps store D and d as doubles; the expressions between them run in
    // extended precision, so the excess votes come out as the worked figures.
    const long double rate = pools::pool(pools::pairPool(kind_)).rate(record::raceDate(record)).value();
    const double D = static_cast<double>(q - rate / odds);
    const double d = static_cast<double>(static_cast<long double>(total) * D
                                         / (D - static_cast<long double>(v) / total + 1));
    // |d| stays below 5 times the largest figure, so it fits a long long.
    const long long n = static_cast<long long>(std::trunc(d));
    const int votes = checkedFigure(record, figures.votes[size_t(p - 1)] - n);
    figures.total = checkedFigure(record, figures.total - n);
    figures.votes[size_t(p - 1)] = votes;
    if (!(d > 0))
        return SimResult::Unrealistic;

    virtualTotal_ = fmt::grouped11(figures.total);
    excess_ = fmt::yen11(static_cast<long long>(std::trunc(d)) * pools::kYenPerVote);
    showVirtualOdds(rate, figures, false);
    last_ = {SimInput::Kind::Odds, layout::raceKey(record).toByteArray(), p, 0, odds};
    return SimResult::Accepted;
}

}  // namespace tavek::sim
