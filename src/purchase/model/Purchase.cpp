#include "purchase/model/Purchase.h"

#include "advisor/model/AdvisorBet.h"
#include "advisor/model/AdvisorTexts.h"
#include "advisor/model/StakeAdvisor.h"
#include "purchase/model/HitChances.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace tavek::purchase {

namespace {

using pools::kYenPerVote;

QString runnersText(const std::vector<int>& runners)
{
    QStringList texts;
    for (int r : runners)
        texts << QStringLiteral("%1番").arg(r);
    return texts.join(u'、');
}

// The tickets' bets as the dutching walk takes them: place and wide with the
// pool's entries, whose most-backed other winners move with the stakes.
std::vector<advice::Bet> betsOf(const sim::PoolFigures& figures, const std::vector<int>& entries)
{
    const bool ranged = figures.pool == pools::Pool::Place || figures.pool == pools::Pool::Wide;
    const auto shared = ranged ? std::make_shared<const sim::PoolFigures>(figures) : nullptr;
    std::vector<advice::Bet> bets;
    bets.reserve(entries.size());
    for (int n : entries) {
        const sim::RangeEnds ends = sim::rangeEnds(figures, n);
        bets.emplace_back(advice::betKind(figures.pool), n, figures.total, figures.entryVotes(n), figures.rate,
                          ends.low, ends.high, shared);
    }
    return bets;
}

std::vector<long long> votesOf(const advice::Dutching& d)
{
    std::vector<long long> votes;
    for (const advice::DutchTicket& t : d.tickets)
        votes.push_back(t.stake / kYenPerVote);
    return votes;
}

// Kelly over the whole purchase: 100 yen at a time to the ticket whose step
// raises the expected log growth of the bankroll most, every stake so far in
// the pool, until no step raises it, the total is spent or the next would
// stake the whole bankroll. A step is weighed with the other tickets' odds as
// they stand (it moves them by one vote in the pool); each step taken
// recounts every payout.
std::vector<long long> kellyVotes(const sim::PoolFigures& figures, const std::vector<int>& entries,
                                  const HitChances& chances, long long most, long long bankroll)
{
    const size_t n = entries.size();
    const std::vector<HitChances::Finish>& finishes = chances.finishes();
    double none = 1;
    for (const HitChances::Finish& f : finishes)
        none -= f.chance;
    none = std::max(none, 0.0);

    sim::PoolFigures after = figures;
    std::vector<long long> votes(n, 0), pay(n, 0);
    std::vector<double> wealth(finishes.size());
    const auto payout = [&](size_t i, long long v) { return v * sim::oddsRange(after, entries[i]).low * 10; };
    const auto stake = [&](size_t i, int step) {
        after.votes[size_t(entries[i] - 1)] += step;
        after.total += step;
    };
    for (long long spent = 0; spent < most && (spent + 1) * kYenPerVote < bankroll; ++spent) {
        const double rest = double(bankroll - spent * kYenPerVote);
        // Every finish loses the step's 100 yen; the finishes of the ticket
        // staked win its payout's rise back.
        double common = none * (std::log(rest - kYenPerVote) - std::log(rest));
        for (size_t f = 0; f < finishes.size(); ++f) {
            wealth[f] = rest;
            for (int i = 0; i < finishes[f].count; ++i)
                wealth[f] += double(pay[size_t(finishes[f].tickets[size_t(i)])]);
            common += finishes[f].chance * (std::log(wealth[f] - kYenPerVote) - std::log(wealth[f]));
        }
        size_t best = n;
        double bestGain = 0;
        for (size_t i = 0; i < n; ++i) {
            stake(i, 1);
            const double rise = double(payout(i, votes[i] + 1) - pay[i]);
            stake(i, -1);
            double gain = common;
            for (int f : chances.finishesOf(i))
                gain += finishes[size_t(f)].chance
                        * (std::log(wealth[size_t(f)] - kYenPerVote + rise)
                           - std::log(wealth[size_t(f)] - kYenPerVote));
            if (gain > bestGain) {
                bestGain = gain;
                best = i;
            }
        }
        if (best == n)
            break;
        stake(best, 1);
        ++votes[best];
        for (size_t i = 0; i < n; ++i)
            pay[i] = votes[i] > 0 ? payout(i, votes[i]) : 0;
    }
    return votes;
}

double combined(const std::vector<Ticket>& tickets, sim::OddsRange Ticket::*odds)
{
    double sum = 0;
    for (const Ticket& t : tickets)
        if (t.stake > 0 && (t.*odds).has())
            sum += 10.0 / double((t.*odds).low);
    return sum > 0 ? 1 / sum : 0;
}

}  // namespace

int Purchase::bought() const
{
    return int(std::count_if(tickets.begin(), tickets.end(), [](const Ticket& t) { return t.stake > 0; }));
}

Purchase buy(const Order& order, QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    const pools::Pool pool = order.pool;
    const std::vector<int> entries = formEntries(pool, order.form);
    sim::PoolFigures figures = sim::readPoolFigures(pool, pools::inVoteCounts(pool) ? voteRecord : trifectaRecord);
    const QString caption = pools::pool(pool).caption();
    if (!sim::poolSold(figures))
        throw Refusal(Refusal::Race, QStringLiteral("このレースは%1の発売がありません（発売なし）").arg(caption));
    // A blank entry has no votes; a stake gives it some.
    for (long long& v : figures.votes)
        v = std::max(v, 0LL);

    Purchase p;
    p.pool = pool;
    p.form = order.form;
    p.split = order.split;
    p.budget = order.target > 0 ? 0 : order.total;
    p.target = order.target;
    p.model = order.model;
    for (int r : formRunners(pool, order.form)) {
        if (r > figures.runners)
            throw Refusal(Refusal::Input, QStringLiteral("%1番の馬はこのレースに登録されていません").arg(r));
        if (figures.refunded[size_t(r)])
            p.refunded.push_back(r);
    }
    std::vector<int> kept;
    for (int n : entries)
        (sim::entryRefunded(figures, n) ? p.leftOut : kept).push_back(n);
    if (kept.empty())
        throw Refusal(Refusal::Race, QStringLiteral("どの買い目も出走取消・競走除外（返還）の%1を含むため、買えません")
                                         .arg(runnersText(p.refunded)));

    std::optional<HitChances> chances;
    if (order.model)
        chances.emplace(voteRecord, figures, *order.model, kept);
    const long long count = qsizetype(kept.size());
    std::vector<long long> votes;
    if (order.target > 0) {
        const std::optional<advice::Dutching> d = advice::dutchToPayout(betsOf(figures, kept), order.target,
                                                                        advice::kMaxYen);
        if (!d)
            throw Refusal(Refusal::Input,
                          QStringLiteral("どの的中でも払戻金が%1以上になる買い方は、合計%2以内にはありません")
                              .arg(advice::yenText(order.target), advice::yenText(advice::kMaxYen)));
        votes = votesOf(*d);
    } else if (order.split == Split::Kelly) {
        if (!chances)
            throw Refusal(Refusal::Input, QStringLiteral("ケリーの配分には、買い目ごとのモデル確率が必要です"));
        if (order.total < kYenPerVote || order.bankroll <= kYenPerVote)
            throw Refusal(Refusal::Input,
                          QStringLiteral("ケリーの配分には100円以上の合計金額と、それより多い資金が必要です"));
        votes = kellyVotes(figures, kept, *chances, order.total / kYenPerVote, order.bankroll);
    } else {
        if (order.total < count * kYenPerVote)
            throw Refusal(Refusal::Input,
                          QStringLiteral("合計金額%1では%2点に100円ずつも買えません（%3以上が必要です）")
                              .arg(advice::yenText(order.total))
                              .arg(count)
                              .arg(advice::yenText(count * kYenPerVote)));
        votes = order.split == Split::Payout ? votesOf(advice::dutch(betsOf(figures, kept), order.total))
                                             : std::vector<long long>(kept.size(), order.total / kYenPerVote / count);
    }

    sim::PoolFigures after = figures;
    for (size_t i = 0; i < kept.size(); ++i) {
        after.votes[size_t(kept[i] - 1)] += votes[i];
        after.total += votes[i];
    }
    std::vector<long long> payouts, payoutsNow;
    for (size_t i = 0; i < kept.size(); ++i) {
        Ticket t;
        t.entry = kept[i];
        t.stake = votes[i] * kYenPerVote;
        t.oddsNow = sim::oddsRange(figures, t.entry);
        t.oddsAfter = sim::oddsRange(after, t.entry);
        t.payout = votes[i] * t.oddsAfter.low * 10;
        t.payoutNow = votes[i] * t.oddsNow.low * 10;
        t.chance = chances ? chances->chance(i) : -1;
        p.total += t.stake;
        payouts.push_back(t.payout);
        payoutsNow.push_back(t.payoutNow);
        p.tickets.push_back(t);
    }
    p.combinedOdds = combined(p.tickets, &Ticket::oddsAfter);
    p.combinedOddsNow = combined(p.tickets, &Ticket::oddsNow);
    if (chances) {
        p.hitChance = chances->hitChance(payouts);
        p.expectedReturn = chances->expectedPayout(payouts);
        p.expectedReturnNow = chances->expectedPayout(payoutsNow);
    }
    return p;
}

}  // namespace tavek::purchase
