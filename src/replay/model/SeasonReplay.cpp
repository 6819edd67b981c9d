#include "replay/model/SeasonReplay.h"

#include "history/OddsHistory.h"
#include "payoutcheck/PayoutCheck.h"
#include "racedata/DayData.h"
#include "racedata/DaySpan.h"
#include "racedata/PostTime.h"
#include "racedata/RecordLayout.h"
#include "replay/model/Settlement.h"

#include <QDateTime>

#include <algorithm>
#include <map>
#include <memory>

namespace tavek::replay {

namespace {

// Days planned at once: their bets chosen on every core, then settled in
// order, so that a season never holds more than these days' pools.
constexpr int kDaysAtOnce = 16;

struct PlannedRace {
    QString date;
    QString item;
    QDateTime post;
    int slot = 0;
    payoutcheck::FinalVotes final;
    result::RaceResult result;
    std::vector<Candidate> candidates;
};

struct DayPlan {
    std::vector<PlannedRace> races;
    int skipped = 0;
    int withoutResult = 0;
    int counted = 0;
    QStringList problems;
};
using Plans = std::vector<DayPlan>;

using ListedByDay = std::map<QString, std::vector<const ListedBet*>>;

// The last quick report at least `minutes` before the race's post time.
QByteArray snapshotBefore(const history::OddsHistory& history, QByteArrayView raceRecord, int minutes)
{
    const std::optional<QDateTime> post = posttime::of(raceRecord);
    QByteArray found;
    if (!post)
        return found;
    const QDateTime latest = post->addSecs(-60LL * minutes);
    history.forEachSnapshot(layout::raceKey(raceRecord), history::Detail::Whole, history::Trifecta::Without,
                            [&](const history::Snapshot& s) {
        if (s.fetched <= latest)
            found = s.record;
    });
    return found;
}

DayPlan planDay(const QString& dataFolder, const QString& date, const Settings& settings,
                const history::OddsHistory* history, const ListedByDay& listed)
{
    DayPlan plan;
    const auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(dataFolder, date);
    if (!load.skipped.isEmpty())
        plan.problems << load.skipped;
    const auto listedHere = listed.find(date);
    std::vector<bool> raceListed(size_t(day->raceCount()), false);
    if (listedHere != listed.end())
        for (const ListedBet* bet : listedHere->second) {
            if (bet->race > day->raceCount())
                plan.problems
                    << QStringLiteral("%1 行目: %2 に %3 レース目はありません").arg(bet->line).arg(date).arg(bet->race);
            else
                raceListed[size_t(bet->race - 1)] = true;
        }
    for (int slot = 0; slot < day->raceCount(); ++slot) {
        if (settings.rule.kind == RuleKind::BetList && !raceListed[size_t(slot)])
            continue;
        std::vector<const ListedBet*> tickets;
        if (listedHere != listed.end())
            for (const ListedBet* bet : listedHere->second)
                if (bet->race == slot + 1)
                    tickets.push_back(bet);
        auto refuseTickets = [&](const QString& why) {
            for (const ListedBet* bet : tickets)
                plan.problems
                    << QStringLiteral("%1 行目: %2 %3 は%4").arg(bet->line).arg(date, load.raceItems[slot], why);
        };
        const result::RaceResult* result = day->result(slot);
        const QByteArrayView finalVotes = day->voteRecord(slot);
        if (!result || layout::recordType(finalVotes) != "H1") {
            ++plan.withoutResult;
            refuseTickets(QStringLiteral("結果（払戻）か最終票数がありません"));
            continue;
        }
        if (!load.raceProblems[size_t(slot)].isEmpty()) {
            plan.problems << load.raceProblems[size_t(slot)];
            refuseTickets(QStringLiteral("票数が読めません"));
            continue;
        }
        QByteArray snapshot;
        QByteArrayView votes = finalVotes, trifecta = day->trifectaRecord(slot);
        if (settings.minutesBefore) {
            snapshot = snapshotBefore(*history, day->raceRecord(slot), *settings.minutesBefore);
            votes = snapshot;
            trifecta = {};
        }
        if (votes.isEmpty()) {
            ++plan.skipped;
            refuseTickets(QStringLiteral("その時点の票数がありません"));
            continue;
        }
        ++plan.counted;
        PlannedRace race;
        race.date = date;
        race.item = load.raceItems[slot];
        race.post = posttime::of(day->raceRecord(slot)).value_or(QDateTime());
        race.slot = slot;
        race.candidates = candidates(settings, votes, trifecta, tickets, plan.problems);
        if (race.candidates.empty())
            continue;
        race.final = payoutcheck::finalVotes(finalVotes, day->trifectaRecord(slot));
        // Only the pools bet on are kept: a season's trifecta pools would fill the memory.
        std::array<bool, pools::kPoolCount> bet{};
        for (const Candidate& c : race.candidates)
            bet[size_t(c.pool)] = true;
        for (size_t p = 0; p < bet.size(); ++p)
            if (!bet[p])
                race.final.sales.pools[p].votes = {};
        race.result = *result;
        plan.races.push_back(std::move(race));
    }
    std::stable_sort(plan.races.begin(), plan.races.end(),
                     [](const PlannedRace& a, const PlannedRace& b) { return a.post < b.post; });
    if (!day->resultProblem().isEmpty())
        plan.problems << day->resultProblem();
    return plan;
}

// The race's stakes out of the bankroll, settled; the bankroll after.
long long settleRace(const PlannedRace& race, const Settings& settings, long long bankroll, Report& report,
                     const BetSink& sink)
{
    long long available = bankroll;
    std::vector<Ticket> tickets;
    std::vector<const Candidate*> placed;
    for (const Candidate& c : race.candidates) {
        const long long stake = stakeFor(settings.stake, c, available);
        if (stake <= 0)
            continue;
        available -= stake;
        tickets.push_back({c.pool, c.entry, stake});
        placed.push_back(&c);
    }
    if (tickets.empty())
        return bankroll;
    const std::vector<Settlement> settled = settle(race.final, race.result, tickets);
    std::vector<BetRow> rows;
    for (size_t i = 0; i < tickets.size(); ++i) {
        const Candidate& c = *placed[i];
        const Settlement& s = settled[i];
        rows.push_back({race.date, race.item, c.pool, c.entry, tickets[i].stake, c.oddsTenths, c.popularity,
                        c.expectedReturn, s.hit, s.refunded, s.paidYen, s.payout, s.payoutAlone, 0});
        available += s.payout;
    }
    for (BetRow& row : rows) {
        row.bankrollAfter = available;
        report.add(row);
        if (sink)
            sink(row);
    }
    report.endRace(available);
    return available;
}

}  // namespace

std::optional<SeasonReplay> replaySeason(const QString& dataFolder, const QDate& from, const QDate& to,
                                         const Settings& settings, const QString& historyPath, const BetSink& sink,
                                         const Progress& progress)
{
    const QStringList dates = dayfiles::datesBetween(dataFolder, from, to);
    SeasonReplay replay{Report(settings.bankroll), {}};
    ListedByDay listed;
    for (const ListedBet& bet : settings.rule.bets)
        listed[bet.date].push_back(&bet);
    for (const auto& [date, bets] : listed)
        if (!dates.contains(date))
            for (const ListedBet* bet : bets)
                replay.problems << QStringLiteral("%1 行目: %2 は期間のデータにありません").arg(bet->line).arg(date);

    // A database connection serves one thread: the history's moments are read in turn.
    std::unique_ptr<history::OddsHistory> history;
    if (settings.minutesBefore)
        history = std::make_unique<history::OddsHistory>(historyPath);
    long long bankroll = settings.bankroll;
    for (qsizetype first = 0; first < dates.size(); first += kDaysAtOnce) {
        const QStringList chunk = dates.mid(first, kDaysAtOnce);
        Plans plans;
        if (history) {
            for (const QString& date : chunk)
                plans.push_back(planDay(dataFolder, date, settings, history.get(), listed));
        } else {
            for (std::vector<DayPlan>&part : dayfiles::readInBlocks<std::vector<DayPlan>>(
                     chunk, [&](std::vector<DayPlan>&part, const QString&date) {
                         part.push_back(planDay(dataFolder, date, settings, nullptr, listed));
                     }))
                std::move(part.begin(), part.end(), std::back_inserter(plans));
        }
        for (const DayPlan& day : plans) {
            replay.report.countRaces(day.counted, day.skipped, day.withoutResult);
            replay.problems << day.problems;
            for (const PlannedRace& race : day.races)
                bankroll = settleRace(race, settings, bankroll, replay.report, sink);
        }
        if (progress && !progress(int(std::min(first + kDaysAtOnce, dates.size())), int(dates.size())))
            return std::nullopt;
    }
    return replay;
}

}  // namespace tavek::replay
