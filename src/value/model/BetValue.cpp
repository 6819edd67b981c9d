#include "value/model/BetValue.h"

#include "odds/model/PoolFigures.h"
#include "odds/model/SimulationRefusal.h"
#include "pools/PairIndex.h"
#include "pools/Payout.h"
#include "racedata/KeibaFunc.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordLayout.h"

#include <algorithm>

namespace tavek::value {

using namespace sim;

using pools::entryLabel, pools::entryRunners, pools::pairIndexOf, pools::pairLabel, pools::pairNumbers;
using pools::EntryRunners, pools::PairKind, pools::PairNumbers;

namespace {

constexpr int kField = pools::kMaxRunners;  // the runners the pair and triple pools name
constexpr pools::Pool kAllPools[] = {pools::Pool::Win,      pools::Pool::Place, pools::Pool::Bracket,
                                     pools::Pool::Quinella, pools::Pool::Wide,  pools::Pool::Exacta,
                                     pools::Pool::Trio};

// One race's pools and the finish-order model over its win pool.
class RaceView {
public:
    RaceView(QByteArrayView record, finish::Model model)
        : record_(record)
        , win_(readPoolFigures(pools::Pool::Win, record))
        , field_(std::clamp(win_.runners, 0, kField))
        , chances_(winPoolChances(record))
        , order_(std::span(chances_.data(), size_t(field_)), finish::discountsOf(model))
    {
    }

    void addPool(pools::Pool pool, std::vector<BetValue>& out) const
    {
        const PoolFigures f = readPoolFigures(pool, record_);
        if (f.total <= 0)
            return;
        for (int n = 1; n <= int(f.votes.size()); ++n) {
            const long long votes = f.entryVotes(n);
            BetValue v{pool, n, 0, 0, votes > 0 ? double(votes) / double(f.total) : 0.0, 0, 0};
            switch (pool) {
            case pools::Pool::Win:
                if (n > field_ || winRefusal(record_, n) != SimResult::None)
                    continue;
                v.chance = order_.first(n - 1);
                break;
            case pools::Pool::Bracket:
            case pools::Pool::Quinella:
                if (!addPair(pool == pools::Pool::Bracket ? PairKind::Bracket : PairKind::Quinella, n, v))
                    continue;
                break;
            default:
                if (!entryInField(f, n) || !oddsRange(f, n).has())
                    continue;
                v.chance = boardChance(f, n);
                break;
            }
            if (votes <= 0)
                continue;
            if (pool == pools::Pool::Place || pool == pools::Pool::Wide) {
                const OddsRange range = oddsRange(f, n);
                v.oddsLow = range.low;
                v.oddsHigh = range.high;
                v.expectedReturn = expectedPayout(f, n) * 100;
            } else {
                v.oddsLow = v.oddsHigh = pools::paidOddsTenths(f.rate, votes, f.total);
                v.expectedReturn = v.chance * double(v.oddsLow) * 10;
            }
            out.push_back(v);
        }
    }

private:
    // Quinella a-b, or bracket a-b over every runner pair of those brackets.
    bool addPair(PairKind kind, int k, BetValue& v) const
    {
        if (pairRefusal(kind, record_, k) != SimResult::None)
            return false;
        const PairNumbers ab = pairNumbers(kind, k);
        if (kind == PairKind::Quinella) {
            if (ab.second > field_)
                return false;
            v.chance = order_.quinella(ab.first - 1, ab.second - 1);
            return true;
        }
        for (int i = 1; i <= field_; ++i)
            for (int j = i + 1; j <= field_; ++j) {
                const int a = keiba::bracketOf(win_.runners, i), b = keiba::bracketOf(win_.runners, j);
                if (std::min(a, b) == ab.first && std::max(a, b) == ab.second)
                    v.chance += order_.quinella(i - 1, j - 1);
            }
        return true;
    }

    double boardChance(const PoolFigures& f, int n) const
    {
        const EntryRunners r = entryRunners(f.pool, n);
        switch (f.pool) {
        case pools::Pool::Place:
            return order_.inFirst(r[0] - 1, placeWinners(f.starters));
        case pools::Pool::Wide:
            return order_.bothInFirst(r[0] - 1, r[1] - 1, 3);
        case pools::Pool::Exacta:
            return order_.exacta(r[0] - 1, r[1] - 1);
        default:
            return order_.trio(r[0] - 1, r[1] - 1, r[2] - 1);
        }
    }

    bool runs(int horse) const { return horse <= field_ && !win_.refunded[size_t(horse)]; }

    static long long votesOrNone(long long votes) { return std::max(votes, 0LL); }

    // The payout in odds (not tenths) of place or wide entry n, weighted over
    // every set of other winners by the model's chance of that set.
    double expectedPayout(const PoolFigures& f, int n) const
    {
        const EntryRunners r = entryRunners(f.pool, n);
        const long long votes = f.entryVotes(n);
        const auto paid = [&](int winners, long long others) {
            return double(pools::paidOddsTenths(f.rate, {winners, others}, votes, f.total)) / 10;
        };
        double sum = 0;
        if (f.pool == pools::Pool::Wide) {
            const auto pair = [&](int x, int y) {
                return votesOrNone(f.entryVotes(pairIndexOf(PairKind::Quinella, std::min(x, y), std::max(x, y))));
            };
            for (int c = 1; c <= field_; ++c)
                if (c != r[0] && c != r[1] && runs(c))
                    sum += order_.trio(r[0] - 1, r[1] - 1, c - 1) * paid(3, pair(r[0], c) + pair(r[1], c));
            return sum;
        }
        const int h = r[0];
        if (placeWinners(f.starters) == 2) {
            for (int a = 1; a <= field_; ++a)
                if (a != h && runs(a))
                    sum += order_.quinella(h - 1, a - 1) * paid(2, votesOrNone(f.entryVotes(a)));
            return sum;
        }
        for (int a = 1; a <= field_; ++a)
            for (int b = a + 1; b <= field_; ++b)
                if (a != h && b != h && runs(a) && runs(b))
                    sum += order_.trio(h - 1, a - 1, b - 1)
                           * paid(3, votesOrNone(f.entryVotes(a)) + votesOrNone(f.entryVotes(b)));
        return sum;
    }

    QByteArrayView record_;
    PoolFigures win_;
    int field_;
    std::array<double, kField> chances_;
    finish::FinishOrder order_;
};

QString percentText(double fraction)
{
    return QString::number(fraction * 100, 'f', 2) + u'%';
}

}  // namespace

std::array<double, pools::kMaxRunners> winPoolChances(QByteArrayView record)
{
    const PoolFigures f = readPoolFigures(pools::Pool::Win, record);
    std::array<double, kField> p{};
    const int field = std::clamp(f.runners, 0, kField);
    double sum = 0;
    for (int h = 1; h <= field; ++h)
        if (!f.refunded[size_t(h)])
            sum += double(p[size_t(h - 1)] = double(std::max(f.entryVotes(h), 0LL)));
    for (double& x : p)
        x = sum > 0 ? x / sum : 0.0;
    return p;
}

QString noViewReason(QByteArrayView record)
{
    const std::array<double, kField> chances = winPoolChances(record);
    if (layout::recordType(record) != "H1"
        || std::any_of(chances.begin(), chances.end(), [](double p) { return p > 0; }))
        return {};
    return QStringLiteral("単勝の票数がないため、このレースには単勝からの見立て（モデル確率）がありません。");
}

std::vector<BetValue> betValues(QByteArrayView record, finish::Model model)
{
    std::vector<BetValue> out;
    const std::array<double, kField> chances = winPoolChances(record);
    if (std::none_of(chances.begin(), chances.end(), [](double p) { return p > 0; }))
        return out;
    const RaceView view(record, model);
    for (pools::Pool pool : kAllPools)
        view.addPool(pool, out);
    return out;
}

std::vector<BetValue> rankedValues(std::vector<BetValue> values, std::optional<pools::Pool> pool, int top)
{
    if (pool)
        std::erase_if(values, [&](const BetValue& v) { return v.pool != *pool; });
    const size_t kept = std::min(values.size(), size_t(std::max(top, 0)));
    std::partial_sort(values.begin(), values.begin() + ptrdiff_t(kept), values.end(),
                      [](const BetValue& a, const BetValue& b) { return a.expectedReturn > b.expectedReturn; });
    values.resize(kept);
    return values;
}

std::optional<BetValue> findValue(const std::vector<BetValue>& values, pools::Pool pool, int number)
{
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const BetValue& v) { return v.pool == pool && v.number == number; });
    return it == values.end() ? std::nullopt : std::optional(*it);
}

QString valueBetLabel(pools::Pool pool, int number)
{
    switch (pool) {
    case pools::Pool::Win:
        return QString::number(number);
    case pools::Pool::Bracket:
        return pairLabel(PairKind::Bracket, number).remove(u' ');
    case pools::Pool::Quinella:
        return pairLabel(PairKind::Quinella, number).remove(u' ');
    default:
        return entryLabel(pool, number);
    }
}

QString emptyRankingText(QByteArrayView record)
{
    const QString none = noViewReason(record);
    return none.isEmpty() ? QStringLiteral("オッズのある買い目がありません。") : none;
}

QStringList valueColumns()
{
    return {QStringLiteral("式別"),       QStringLiteral("買い目"),     QStringLiteral("現在のオッズ"),
            QStringLiteral("票数シェア"), QStringLiteral("モデル確率"), QStringLiteral("期待回収率")};
}

QStringList valueRow(const BetValue& v)
{
    const QString odds = v.oddsHigh != v.oddsLow ? fmt::tenths(v.oddsLow, 0) + u'-' + fmt::tenths(v.oddsHigh, 0)
                                                 : fmt::tenths(v.oddsLow, 0);
    return {pools::pool(v.pool).caption(),
            valueBetLabel(v.pool, v.number),
            odds,
            shareText(v.share),
            chanceText(v.chance),
            QString::number(v.expectedReturn, 'f', 1) + u'%'};
}

QString shareText(double share)
{
    return percentText(share);
}

QString chanceText(double chance)
{
    return percentText(chance);
}

}  // namespace tavek::value
