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

// One race's pools and the finish-order models over its win pool: the odds
// and payouts are worked out once, the chances once for each model (a
// season's statistics ask for both models of every race).
class RaceView {
public:
    static constexpr size_t kMaxModels = std::size(finish::kModels);

    RaceView(QByteArrayView record, std::span<const finish::Model> models)
        : record_(record)
        , win_(readPoolFigures(pools::Pool::Win, record))
        , field_(std::clamp(win_.runners, 0, kField))
        , chances_(winPoolChances(record))
        , models_(std::min(models.size(), kMaxModels))
    {
        for (size_t m = 0; m < models_; ++m) {
            orders_.emplace_back(std::span(chances_.data(), size_t(field_)), finish::discountsOf(models[m]));
            // Each bracket pair's chance: the quinella chances of the runner
            // pairs of those brackets, summed once for all 36.
            for (int i = 1; i <= field_; ++i)
                for (int j = i + 1; j <= field_; ++j) {
                    const int a = keiba::bracketOf(win_.runners, i), b = keiba::bracketOf(win_.runners, j);
                    if (a >= 1 && b >= 1)
                        bracketChances_[m][size_t(pairIndexOf(PairKind::Bracket, std::min(a, b), std::max(a, b))
                                                  - 1)] += orders_[m].quinella(i - 1, j - 1);
                }
        }
    }

    // Appends the bets of `pool` to out[m], model m's.
    void addPool(pools::Pool pool, std::span<std::vector<BetValue>> out) const
    {
        const PoolFigures f = readPoolFigures(pool, record_);
        if (f.total <= 0)
            return;
        const bool ranged = pool == pools::Pool::Place || pool == pools::Pool::Wide;
        const bool board = ranged || pool == pools::Pool::Exacta || pool == pools::Pool::Trio;
        // Wide: the votes of every pair by its runners, for the payouts of
        // each pair beside every third runner.
        std::array<std::array<long long, kField + 1>, kField + 1> pairVotes{};
        if (pool == pools::Pool::Wide)
            for (int k = 1; k <= int(f.votes.size()); ++k) {
                const EntryRunners ab = entryRunners(pool, k);
                pairVotes[size_t(ab[0])][size_t(ab[1])] = pairVotes[size_t(ab[1])][size_t(ab[0])] = votesOrNone(
                    f.entryVotes(k));
            }
        for (int n = 1; n <= int(f.votes.size()); ++n) {
            const long long votes = f.entryVotes(n);
            if (votes <= 0)
                continue;
            const EntryRunners r = entryRunners(pool, n);
            BetValue v{pool, n, 0, 0, double(votes) / double(f.total), 0, 0};
            if (board) {
                if (!entryInField(f, n))
                    continue;
                const OddsRange range = oddsRange(f, n);
                if (!range.has())
                    continue;
                v.oddsLow = range.low;
                v.oddsHigh = range.high;
            } else if (runs(pool, n, r)) {
                v.oddsLow = v.oddsHigh = pools::paidOddsTenths(f.rate, votes, f.total);
            } else {
                continue;
            }
            const Figures expected = ranged ? expectedPayouts(f, r, votes, pairVotes) : Figures{};
            for (size_t m = 0; m < models_; ++m) {
                v.chance = chance(m, f, n, r);
                v.expectedReturn = ranged ? expected[m] * 100 : v.chance * double(v.oddsLow) * 10;
                out[m].push_back(v);
            }
        }
    }

private:
    using Figures = std::array<double, kMaxModels>;

    // Whether the win, bracket or quinella entry n runs: a runner of the
    // field that runs, a pair no refund touches.
    bool runs(pools::Pool pool, int n, const EntryRunners& r) const
    {
        switch (pool) {
        case pools::Pool::Win:
            return n <= field_ && winRefusal(record_, n) == SimResult::None;
        case pools::Pool::Bracket:
            return pairRefusal(PairKind::Bracket, record_, n) == SimResult::None;
        default:
            return pairRefusal(PairKind::Quinella, record_, n) == SimResult::None && r[1] <= field_;
        }
    }

    double chance(size_t m, const PoolFigures& f, int n, const EntryRunners& r) const
    {
        const finish::FinishOrder& order = orders_[m];
        switch (f.pool) {
        case pools::Pool::Win:
            return order.first(n - 1);
        case pools::Pool::Bracket:
            return bracketChances_[m][size_t(n - 1)];
        case pools::Pool::Quinella:
            return order.quinella(r[0] - 1, r[1] - 1);
        case pools::Pool::Place:
            return order.inFirst(r[0] - 1, placeWinners(f.starters));
        case pools::Pool::Wide:
            return order.bothInFirst(r[0] - 1, r[1] - 1, 3);
        case pools::Pool::Exacta:
            return order.exacta(r[0] - 1, r[1] - 1);
        default:
            return order.trio(r[0] - 1, r[1] - 1, r[2] - 1);
        }
    }

    bool runs(int horse) const { return horse <= field_ && !win_.refunded[size_t(horse)]; }

    static long long votesOrNone(long long votes) { return std::max(votes, 0LL); }

    // The payout in odds (not tenths) of place or wide entry `r` with `votes`,
    // weighted over every set of other winners by each model's chance of
    // that set: each set's payout worked out once for every model.
    Figures expectedPayouts(const PoolFigures& f, const EntryRunners& r, long long votes,
                            const std::array<std::array<long long, kField + 1>, kField + 1>& pairVotes) const
    {
        Figures sum{};
        const auto add = [&](int winners, long long others, auto chanceOf) {
            const double paid = double(pools::paidOddsTenths(f.rate, {winners, others}, votes, f.total)) / 10;
            for (size_t m = 0; m < models_; ++m)
                sum[m] += chanceOf(orders_[m]) * paid;
        };
        if (f.pool == pools::Pool::Wide) {
            for (int c = 1; c <= field_; ++c)
                if (c != r[0] && c != r[1] && runs(c))
                    add(3, pairVotes[size_t(r[0])][size_t(c)] + pairVotes[size_t(r[1])][size_t(c)],
                        [&](const finish::FinishOrder& o) { return o.trio(r[0] - 1, r[1] - 1, c - 1); });
            return sum;
        }
        const int h = r[0];
        if (placeWinners(f.starters) == 2) {
            for (int a = 1; a <= field_; ++a)
                if (a != h && runs(a))
                    add(2, votesOrNone(f.entryVotes(a)),
                        [&](const finish::FinishOrder& o) { return o.quinella(h - 1, a - 1); });
            return sum;
        }
        for (int a = 1; a <= field_; ++a)
            for (int b = a + 1; b <= field_; ++b)
                if (a != h && b != h && runs(a) && runs(b))
                    add(3, votesOrNone(f.entryVotes(a)) + votesOrNone(f.entryVotes(b)),
                        [&](const finish::FinishOrder& o) { return o.trio(h - 1, a - 1, b - 1); });
        return sum;
    }

    QByteArrayView record_;
    PoolFigures win_;
    int field_;
    std::array<double, kField> chances_;
    size_t models_;
    std::vector<finish::FinishOrder> orders_;
    std::array<std::array<double, pools::kBracketPair.count()>, kMaxModels> bracketChances_{};
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
    return std::move(betValues(record, std::span(&model, 1)).front());
}

std::vector<std::vector<BetValue>> betValues(QByteArrayView record, std::span<const finish::Model> models)
{
    std::vector<std::vector<BetValue>> out(models.size());
    const std::array<double, kField> chances = winPoolChances(record);
    if (std::none_of(chances.begin(), chances.end(), [](double p) { return p > 0; }))
        return out;
    const RaceView view(record, models);
    constexpr size_t kEntries = [] {
        size_t n = 0;
        for (pools::Pool pool : kAllPools)
            n += size_t(pools::pool(pool).entries);
        return n;
    }();
    for (std::vector<BetValue>& bets : out)
        bets.reserve(kEntries);
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
