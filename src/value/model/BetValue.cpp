#include "value/model/BetValue.h"

#include "odds/model/PoolFigures.h"
#include "odds/model/SimulationRefusal.h"
#include "pools/FinishingOrder.h"
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

// One race's pools and the finish-order models over its win pool: the odds
// and payouts are worked out once, the chances once for each model (a
// season's statistics ask for both models of every race).
class RaceView {
public:
    static constexpr size_t kMaxModels = std::size(finish::kModels);

    RaceView(QByteArrayView record, QByteArrayView trifecta, std::span<const finish::Model> models)
        : record_(record)
        , trifecta_(trifecta)
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
        const PoolFigures f = readPoolFigures(pool, pools::inVoteCounts(pool) ? record_ : trifecta_);
        if (f.total <= 0)
            return;
        const bool ranged = pool == pools::Pool::Place || pool == pools::Pool::Wide;
        const bool board = ranged || pool == pools::Pool::Exacta || pool == pools::Pool::Trio
                           || pool == pools::Pool::Trifecta;
        const std::vector<Figures> expected = ranged ? expectedPayouts(f) : std::vector<Figures>();
        for (int n = 1; n <= int(f.votes.size()); ++n) {
            const long long votes = f.entryVotes(n);
            if (votes <= 0)
                continue;
            const EntryRunners r = entryRunners(pool, n);
            BetValue v{pool, n, 0, 0, double(votes) / double(f.total), 0, 0};
            if (board) {
                if (!runnersInField(f, r))
                    continue;
                const OddsRange range = oddsRange(f, n, r);
                if (!range.has())
                    continue;
                v.oddsLow = range.low;
                v.oddsHigh = range.high;
            } else if (runs(pool, n, r)) {
                v.oddsLow = v.oddsHigh = pools::paidOddsTenths(f.rate, votes, f.total);
            } else {
                continue;
            }
            for (size_t m = 0; m < models_; ++m) {
                v.chance = chance(m, f, n, r);
                v.expectedReturn = ranged ? expected[size_t(n - 1)][m] * 100 : v.chance * double(v.oddsLow) * 10;
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
            return order.inFirst(r[0] - 1, pools::placeWinners(f.starters));
        case pools::Pool::Wide:
            return order.bothInFirst(r[0] - 1, r[1] - 1, 3);
        case pools::Pool::Exacta:
            return order.exacta(r[0] - 1, r[1] - 1);
        case pools::Pool::Trifecta:
            return order.ordered(r[0] - 1, r[1] - 1, r[2] - 1);
        default:
            return order.trio(r[0] - 1, r[1] - 1, r[2] - 1);
        }
    }

    bool runs(int horse) const { return horse <= field_ && !win_.refunded[size_t(horse)]; }

    static long long votesOrNone(long long votes) { return std::max(votes, 0LL); }

    // The payout in odds (not tenths) of every place or wide entry ([n - 1])
    // with votes, weighted over every set of other winners by each model's
    // chance of that set. One walk over the first two or three of the
    // runners that run: each set's chance looked up once and its payout to
    // each entry it pays worked out once for every model.
    std::vector<Figures> expectedPayouts(const PoolFigures& f) const
    {
        std::vector<Figures> sum(f.votes.size(), Figures{});
        std::vector<int> running;
        for (int h = 1; h <= field_; ++h)
            if (!win_.refunded[size_t(h)])
                running.push_back(h);
        Figures chance{};
        // Entry n wins with other winners of `others` votes in the set whose chances are in `chance`.
        const auto pay = [&](int n, int winners, long long others) {
            const long long votes = f.entryVotes(n);
            if (votes <= 0)
                return;
            const double paid = double(pools::paidOddsTenths(f.rate, {winners, others}, votes, f.total)) / 10;
            for (size_t m = 0; m < models_; ++m)
                sum[size_t(n - 1)][m] += chance[m] * paid;
        };
        const auto runnerVotes = [&](int h) { return votesOrNone(f.entryVotes(h)); };
        const auto pairOf = [](int a, int b) { return pairIndexOf(PairKind::Quinella, a, b); };
        const size_t count = running.size();
        if (f.pool == pools::Pool::Place && pools::placeWinners(f.starters) == 2) {
            for (size_t x = 0; x < count; ++x)
                for (size_t y = x + 1; y < count; ++y) {
                    const int a = running[x], b = running[y];
                    for (size_t m = 0; m < models_; ++m)
                        chance[m] = orders_[m].quinella(a - 1, b - 1);
                    pay(a, 2, runnerVotes(b));
                    pay(b, 2, runnerVotes(a));
                }
            return sum;
        }
        for (size_t x = 0; x < count; ++x)
            for (size_t y = x + 1; y < count; ++y)
                for (size_t z = y + 1; z < count; ++z) {
                    const int a = running[x], b = running[y], c = running[z];
                    for (size_t m = 0; m < models_; ++m)
                        chance[m] = orders_[m].trio(a - 1, b - 1, c - 1);
                    if (f.pool == pools::Pool::Place) {
                        pay(a, 3, runnerVotes(b) + runnerVotes(c));
                        pay(b, 3, runnerVotes(a) + runnerVotes(c));
                        pay(c, 3, runnerVotes(a) + runnerVotes(b));
                    } else {
                        const int ab = pairOf(a, b), ac = pairOf(a, c), bc = pairOf(b, c);
                        const auto pairVotes = [&](int k) { return votesOrNone(f.entryVotes(k)); };
                        pay(ab, 3, pairVotes(ac) + pairVotes(bc));
                        pay(ac, 3, pairVotes(ab) + pairVotes(bc));
                        pay(bc, 3, pairVotes(ab) + pairVotes(ac));
                    }
                }
        return sum;
    }

    QByteArrayView record_;
    QByteArrayView trifecta_;
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

std::vector<BetValue> betValues(QByteArrayView record, finish::Model model, QByteArrayView trifecta)
{
    return std::move(betValues(record, std::span(&model, 1), trifecta).front());
}

std::vector<std::vector<BetValue>> betValues(QByteArrayView record, std::span<const finish::Model> models,
                                             QByteArrayView trifecta)
{
    std::vector<std::vector<BetValue>> out(models.size());
    const std::array<double, kField> chances = winPoolChances(record);
    if (std::none_of(chances.begin(), chances.end(), [](double p) { return p > 0; }))
        return out;
    const RaceView view(record, trifecta, models);
    // Room for every entry of the pools the race has records of.
    size_t entries = 0;
    for (const pools::VotePool& pool : pools::kPools)
        entries += pools::inVoteCounts(pools::Pool(&pool - pools::kPools.data())) || !trifecta.isEmpty()
                       ? size_t(pool.entries)
                       : 0;
    for (std::vector<BetValue>& bets : out)
        bets.reserve(entries);
    for (const pools::VotePool& pool : pools::kPools)
        view.addPool(pools::Pool(&pool - pools::kPools.data()), out);
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
    return {QStringLiteral("式別"),   QStringLiteral("買い目"),     QStringLiteral("現在のオッズ"),
            QStringLiteral("得票率"), QStringLiteral("モデル確率"), QStringLiteral("期待回収率")};
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
