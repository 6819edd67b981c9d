#include "replay/model/ReplayRule.h"

#include "advisor/model/AdvisorInput.h"
#include "advisor/model/ModelChance.h"
#include "odds/model/PoolFigures.h"
#include "payoutcheck/PayoutCheck.h"
#include "pools/Payout.h"
#include "pools/PoolIndex.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordField.h"
#include "replay/model/Settlement.h"
#include "value/model/BetValue.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace tavek::replay {

namespace {

constexpr long long kMaxFlatYen = 10'000'000;

template <typename T>
Reading<T> refusal(const QString& text)
{
    return {T{}, text};
}

std::optional<pools::Pool> poolNamed(QStringView text)
{
    for (const pools::VotePool& p : pools::kPools)
        if (text == QLatin1String(p.key) || text == p.caption())
            return pools::Pool(&p - pools::kPools.data());
    return std::nullopt;
}

QString poolKeys()
{
    QStringList keys;
    for (const pools::VotePool& p : pools::kPools)
        keys << QLatin1String(p.key);
    return keys.join(u'、');
}

// A whole number of the text, or none.
std::optional<long long> whole(QStringView text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,12}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.toLongLong();
}

advice::BetKind kindOf(pools::Pool pool)
{
    for (int k = 0; k <= int(advice::BetKind::Trifecta); ++k)
        if (advice::betPool(advice::BetKind(k)) == pool)
            return advice::BetKind(k);
    return advice::BetKind::Win;
}

// A CSV line's fields, blanks trimmed and one pair of quotes taken off.
QStringList csvFields(const QString& line)
{
    QStringList fields = line.split(u',');
    for (QString& f : fields) {
        f = f.trimmed();
        if (f.size() >= 2 && f.front() == u'"' && f.back() == u'"')
            f = f.mid(1, f.size() - 2).trimmed();
    }
    return fields;
}

QString listedDate(const QString& text)
{
    static const QRegularExpression compact(QStringLiteral("^([0-9]{4})([0-9]{2})([0-9]{2})$"));
    if (const QRegularExpressionMatch m = compact.match(text); m.hasMatch())
        return dayfiles::dateText(m.captured(1) + u'-' + m.captured(2) + u'-' + m.captured(3));
    return dayfiles::dateText(text);
}

// The bet list's row, or why it cannot be read.
Reading<ListedBet> listedBet(const QStringList& f)
{
    if (f.size() != 5)
        return refusal<ListedBet>(
            QStringLiteral("列が %1 あります（日付,レース,券種,組番,金額 の 5 列）").arg(f.size()));
    ListedBet bet;
    bet.date = listedDate(f[0]);
    if (bet.date.isEmpty())
        return refusal<ListedBet>(QStringLiteral("日付 \"%1\" が読めません").arg(f[0]));
    const std::optional<long long> race = whole(f[1]);
    if (!race || *race < 1 || *race > 36)
        return refusal<ListedBet>(QStringLiteral("レース \"%1\" が読めません（1〜36）").arg(f[1]));
    bet.race = int(*race);
    const std::optional<pools::Pool> pool = poolNamed(f[2]);
    if (!pool)
        return refusal<ListedBet>(QStringLiteral("券種 \"%1\" がありません（%2）").arg(f[2], poolKeys()));
    bet.pool = *pool;
    bet.entry = entryOfLabel(*pool, f[3]);
    if (bet.entry == 0)
        return refusal<ListedBet>(
            QStringLiteral("組番 \"%1\" は%2の組番ではありません").arg(f[3], pools::pool(*pool).caption()));
    const std::optional<long long> stake = whole(f[4]);
    if (!stake || *stake < pools::kYenPerVote || *stake > kMaxFlatYen || *stake % pools::kYenPerVote != 0)
        return refusal<ListedBet>(QStringLiteral("金額 \"%1\" が読めません（100円単位、100〜10,000,000）").arg(f[4]));
    bet.stake = *stake;
    return {bet, {}};
}

// The odds of entry n at the moment, in tenths; 0 where it has none.
long long momentOdds(const pools::PoolSales& sales, const sim::PoolFigures* figures, int n)
{
    if (figures)
        return sim::oddsRange(*figures, n).low;
    const long long v = sales.votes[size_t(n - 1)];
    return v > 0 && sales.total > 0 ? pools::paidOddsTenths(sales.rate, v, sales.total) : 0;
}

// What the rule needs of one pool at the moment.
struct PoolMoment {
    std::shared_ptr<const sim::PoolFigures> figures;  // place, wide, exacta, trio, trifecta
    std::vector<int> ranks;
};

}  // namespace

Reading<Rule> readRule(const QString& text, QString* file)
{
    Rule rule;
    if (text == u"value")
        return {rule, {}};
    if (text.startsWith(u"popularity:")) {
        rule.kind = RuleKind::Popularity;
        rule.pools = {};
        rule.pools[size_t(pools::Pool::Win)] = true;
        const QStringView rank = QStringView(text).mid(11);
        if (rank == u"all") {
            rule.popularity = 0;
            return {rule, {}};
        }
        const std::optional<long long> k = whole(rank);
        if (k && *k >= 1 && *k <= pools::pool(pools::Pool::Trifecta).entries) {
            rule.popularity = int(*k);
            return {rule, {}};
        }
    } else if (text.startsWith(u"list:") && text.size() > 5) {
        rule.kind = RuleKind::BetList;
        if (file)
            *file = text.mid(5);
        return {rule, {}};
    }
    return refusal<Rule>(
        QStringLiteral("買い方 \"%1\" はありません（value、popularity:K、popularity:all、list:FILE のどれか）")
            .arg(text));
}

Reading<std::array<bool, pools::kPoolCount>> readPools(const QString& text)
{
    std::array<bool, pools::kPoolCount> chosen{};
    if (text == u"all") {
        chosen.fill(true);
        return {chosen, {}};
    }
    for (const QString& key : text.split(u',')) {
        const std::optional<pools::Pool> pool = poolNamed(key.trimmed());
        if (!pool)
            return refusal<std::array<bool, pools::kPoolCount>>(
                QStringLiteral("券種 \"%1\" はありません（%2、all のどれか、コンマ区切り）").arg(key, poolKeys()));
        chosen[size_t(*pool)] = true;
    }
    return {chosen, {}};
}

Reading<Stake> readStake(const QString& text)
{
    Stake stake;
    if (text.startsWith(u"flat:")) {
        const std::optional<long long> yen = whole(QStringView(text).mid(5));
        if (yen && *yen >= pools::kYenPerVote && *yen <= kMaxFlatYen && *yen % pools::kYenPerVote == 0) {
            stake.yen = *yen;
            return {stake, {}};
        }
        return refusal<Stake>(
            QStringLiteral("定額 \"%1\" は使えません（100円単位、100〜10,000,000）").arg(text.mid(5)));
    }
    if (text.startsWith(u"kelly:")) {
        const advice::Reading<advice::Fraction> f = advice::readKellyFraction(QStringView(text).mid(6));
        if (!f.ok())
            return refusal<Stake>(f.refusal);
        stake.kind = Stake::Kelly;
        stake.kelly = f.value;
        return {stake, {}};
    }
    return refusal<Stake>(QStringLiteral("賭け方 \"%1\" はありません（flat:YEN か kelly:F）").arg(text));
}

Reading<std::optional<int>> readMoment(const QString& text)
{
    if (text == u"final")
        return {std::nullopt, {}};
    const std::optional<long long> minutes = whole(text);
    if (minutes && *minutes <= kMaxMinutesBefore)
        return {int(*minutes), {}};
    return refusal<std::optional<int>>(
        QStringLiteral("時点 \"%1\" は使えません（final か、発走の何分前か 0〜%2）").arg(text).arg(kMaxMinutesBefore));
}

int entryOfLabel(pools::Pool pool, QStringView label)
{
    const QList<QStringView> parts = label.split(u'-');
    if (parts.size() != pools::pool(pool).runners)
        return 0;
    std::array<int, 3> n{};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<long long> v = whole(parts[i].trimmed());
        if (!v || *v > 99)
            return 0;
        n[size_t(i)] = int(*v);
    }
    return pools::entryOf(pool, n[0], n[1], n[2]);
}

std::vector<ListedBet> readBetList(const QByteArray& csv, QStringList& problems)
{
    std::vector<ListedBet> bets;
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = csvFields(line);
        Reading<ListedBet> bet = listedBet(fields);
        // A first line naming the columns is a header, not a ticket.
        if (i == 0 && !bet.ok() && listedDate(fields.front()).isEmpty())
            continue;
        if (!bet.ok()) {
            problems << QStringLiteral("%1 行目: %2").arg(i + 1).arg(bet.refusal);
            continue;
        }
        bet.value.line = int(i + 1);
        bets.push_back(bet.value);
    }
    return bets;
}

std::vector<Candidate> candidates(const Settings& settings, QByteArrayView votes, QByteArrayView trifecta,
                                  const std::vector<const ListedBet*>& listed, QStringList& problems)
{
    const Rule& rule = settings.rule;
    const payoutcheck::FinalVotes moment = payoutcheck::finalVotes(votes, trifecta);
    const pools::RaceSales& sales = moment.sales;
    // The model's view: what the value rule ranks, and the chance Kelly and
    // the calibration need.
    std::vector<value::BetValue> values;
    if (rule.kind != RuleKind::Popularity || settings.stake.kind == Stake::Kelly)
        values = value::betValues(votes, settings.model, trifecta);

    std::array<PoolMoment, pools::kPoolCount> pools;
    auto poolMoment = [&](pools::Pool p) -> const PoolMoment& {
        PoolMoment& m = pools[size_t(p)];
        if (m.ranks.empty()) {
            m.ranks = popularityRanks(p, sales.pools[size_t(p)], sales.refunds);
            if (p != pools::Pool::Win && p != pools::Pool::Bracket && p != pools::Pool::Quinella)
                m.figures = std::make_shared<const sim::PoolFigures>(
                    sim::readPoolFigures(p, pools::inVoteCounts(p) ? votes : trifecta));
        }
        return m;
    };
    // The candidate of entry n, none where it has no odds at the moment.
    auto candidate = [&](pools::Pool p, int n, std::optional<value::BetValue> v) -> std::optional<Candidate> {
        if (!moment.known[size_t(p)] || n < 1 || size_t(n) > sales.pools[size_t(p)].votes.size())
            return std::nullopt;
        const PoolMoment& m = poolMoment(p);
        const pools::PoolSales& ps = sales.pools[size_t(p)];
        Candidate c;
        c.pool = p;
        c.entry = n;
        c.popularity = m.ranks[size_t(n - 1)];
        c.oddsTenths = momentOdds(ps, m.figures.get(), n);
        if (c.popularity == 0 || c.oddsTenths <= 0 || (m.figures && !sim::poolSold(*m.figures)))
            return std::nullopt;
        const advice::BetKind kind = kindOf(p);
        if (m.figures) {
            const sim::RangeEnds ends = sim::rangeEnds(*m.figures, n);
            c.bet = advice::Bet{kind,
                                n,
                                m.figures->total,
                                m.figures->entryVotes(n),
                                m.figures->rate,
                                ends.low,
                                ends.high,
                                advice::hasOddsRange(kind) ? m.figures : nullptr};
        } else {
            c.bet = advice::Bet{kind, n, ps.total, ps.votes[size_t(n - 1)], ps.rate};
        }
        if (!v)
            v = value::findValue(values, p, n);
        if (v) {
            c.expectedReturn = v->expectedReturn;
            const advice::Reading<advice::Fraction> prob = advice::readProbability(
                advice::modelProbText(v->chance, advice::ProbForm::Probability), advice::ProbForm::Probability);
            if (prob.ok())
                c.prob = prob.value;
        }
        return c;
    };

    std::vector<Candidate> chosen;
    switch (rule.kind) {
    case RuleKind::Value: {
        std::vector<value::BetValue> kept;
        for (const value::BetValue& v : values)
            if (rule.pools[size_t(v.pool)] && v.expectedReturn >= rule.minReturn)
                kept.push_back(v);
        for (const value::BetValue& v : value::rankedValues(std::move(kept), std::nullopt, rule.top))
            if (std::optional<Candidate> c = candidate(v.pool, v.number, v))
                chosen.push_back(std::move(*c));
        break;
    }
    case RuleKind::Popularity:
        for (size_t p = 0; p < rule.pools.size(); ++p) {
            if (!rule.pools[p] || !moment.known[p])
                continue;
            const std::vector<int>& ranks = poolMoment(pools::Pool(p)).ranks;
            for (size_t n = 0; n < ranks.size(); ++n)
                if (ranks[n] > 0 && (rule.popularity == 0 || ranks[n] == rule.popularity))
                    if (std::optional<Candidate> c = candidate(pools::Pool(p), int(n + 1), std::nullopt))
                        chosen.push_back(std::move(*c));
        }
        break;
    case RuleKind::BetList:
        for (const ListedBet* bet : listed) {
            std::optional<Candidate> c = candidate(bet->pool, bet->entry, std::nullopt);
            if (!c) {
                problems << QStringLiteral("%1 行目: %2 %3 はその時点でオッズがありません（発売なし、返還、票なし）")
                                .arg(bet->line)
                                .arg(pools::pool(bet->pool).caption(), pools::entryLabel(bet->pool, bet->entry));
                continue;
            }
            c->listedStake = bet->stake;
            chosen.push_back(std::move(*c));
        }
        break;
    }
    return chosen;
}

long long stakeFor(const Stake& stake, const Candidate& c, long long available)
{
    long long yen = c.listedStake > 0 ? c.listedStake : stake.yen;
    if (c.listedStake == 0 && stake.kind == Stake::Kelly) {
        if (!c.prob || available < pools::kYenPerVote)
            return 0;
        advice::AdviceInput input;
        input.prob = *c.prob;
        input.bankroll = std::min(available, advice::kMaxYen);
        input.kelly = stake.kelly;
        yen = advice::advise(c.bet, input).kellyStake;
    }
    yen = std::min(yen, available);
    return yen / pools::kYenPerVote * pools::kYenPerVote;
}

}  // namespace tavek::replay
