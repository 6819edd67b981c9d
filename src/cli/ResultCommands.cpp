// results and check-payouts: what a race paid, beside what the payout rules
// give from its final votes.
#include "cli/Cli.h"
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "payoutcheck/FolderCheck.h"
#include "pools/PoolIndex.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordLayout.h"

#include <QJsonArray>

namespace tavek::cli {

namespace {

using pools::Pool;

QString yenText(long long yen)
{
    return fmt::grouped(yen, 0) + u'円';
}

QJsonValue yenJson(long long yen)
{
    return yen >= 0 ? QJsonValue(yen) : QJsonValue(QJsonValue::Null);
}

// The places as far as the payouts tell them: "1着 5　2着 2　3着 9", a dead
// heat "1着 4・6（同着）　3着 1".
QString orderText(const pools::FinishingOrder& order)
{
    QStringList places;
    int place = 1;
    for (const std::vector<int>& runners : order.places) {
        QStringList numbers;
        for (int h : runners)
            numbers << QString::number(h);
        places << QStringLiteral("%1着 %2%3")
                      .arg(place)
                      .arg(numbers.join(u'・'), runners.size() > 1 ? QStringLiteral("（同着）") : QString());
        place += int(runners.size());
    }
    return places.isEmpty() ? QStringLiteral("払戻からは分かりません") : places.join(u'　');
}

// Each place a horse number, a dead heat a list of them.
QJsonArray orderJson(const pools::FinishingOrder& order)
{
    QJsonArray places;
    for (const std::vector<int>& runners : order.places) {
        QJsonArray together;
        for (int h : runners)
            together.append(h);
        places.append(runners.size() == 1 ? QJsonValue(runners.front()) : QJsonValue(together));
    }
    return places;
}

QJsonArray poolKeys(const pools::RacePayouts& payouts, bool pools::PoolPayout::*flag)
{
    QJsonArray keys;
    for (size_t p = 0; p < payouts.size(); ++p)
        if (payouts[p].*flag)
            keys.append(QLatin1String(pools::kPools[p].key));
    return keys;
}

QString poolNames(const pools::RacePayouts& payouts, bool pools::PoolPayout::*flag)
{
    QStringList names;
    for (size_t p = 0; p < payouts.size(); ++p)
        if (payouts[p].*flag)
            names << pools::kPools[p].caption();
    return names.join(u'、');
}

// One payout of the race beside the yen the rules give it: -1 where they
// give it nothing or the pool's votes are unknown.
struct PaidLine {
    Pool pool;
    pools::EntryPayout paid;
    long long computed;
};

std::vector<PaidLine> paidLines(const result::RaceResult& result, const pools::RacePayouts* computed)
{
    std::vector<PaidLine> lines;
    for (size_t p = 0; p < result.payouts.size(); ++p)
        for (const pools::EntryPayout& paid : result.payouts[p].payouts) {
            long long yen = -1;
            if (computed && !(*computed)[p].notHeld)
                for (const pools::EntryPayout& c : (*computed)[p].payouts)
                    if (c.entry == paid.entry)
                        yen = c.yen;
            lines.push_back({Pool(p), paid, yen});
        }
    return lines;
}

void warn(CommandContext& ctx, const QString& problem)
{
    if (problem.isEmpty())
        return;
    ctx.err << "tavek-cli: " << kWarning << problem << '\n';
    ctx.err.flush();
}

}  // namespace

// A race's result: its order, every payout with its popularity and the yen
// the payout rules give it from the race's votes.
int runResults(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString raceArg = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();
    const LoadedDay loaded = loadDay(ctx, date);
    const int race = raceSlot(loaded, raceArg);
    const QString& item = loaded.load.raceItems[race];
    const DayData& day = *loaded.day;
    warn(ctx, loaded.load.skipped);
    const result::RaceResult* result = day.result(race);
    // Without its result, what could not be read of the payouts' file names
    // the file and the races (this one among them when its record is damaged).
    if (!result)
        throw BadInput(!day.resultProblem().isEmpty()
                           ? day.resultProblem()
                           : QStringLiteral("%1 の払戻はまだ取得されていません（tavek-cli fetch か、レース後の "
                                            "tavek-cli quick で取得できます）")
                                 .arg(item));
    warn(ctx, day.resultProblem());

    std::optional<pools::RacePayouts> computed;
    if (layout::recordType(day.voteRecord(race)) == "H1") {
        warn(ctx, day.trifectaProblem());
        computed = payoutcheck::recompute(payoutcheck::finalVotes(day.voteRecord(race), day.trifectaRecord(race)),
                                          *result);
    }
    const std::vector<PaidLine> lines = paidLines(*result, computed ? &*computed : nullptr);

    if (csvOut) {
        csv::Table table{{QStringLiteral("券種"), QStringLiteral("組番"), QStringLiteral("番号1"),
                          QStringLiteral("番号2"), QStringLiteral("番号3"), QStringLiteral("払戻金"),
                          QStringLiteral("人気"), QStringLiteral("計算値")}};
        for (const PaidLine& l : lines) {
            QStringList row{pools::pool(l.pool).caption(), pools::entryLabel(l.pool, l.paid.entry)};
            for (int n : pools::entryRunners(l.pool, l.paid.entry))
                row << (n > 0 ? QString::number(n) : QString());
            row << QString::number(l.paid.yen) << (l.paid.popularity > 0 ? QString::number(l.paid.popularity) : "")
                << (l.computed >= 0 ? QString::number(l.computed) : QString());
            table.push_back(row);
        }
        ctx.out << csv::text(table);
    } else if (json) {
        QJsonArray payouts;
        for (const PaidLine& l : lines)
            payouts.append(QJsonObject{
                {"pool", QLatin1String(pools::pool(l.pool).key)},
                {"bet", pools::entryLabel(l.pool, l.paid.entry)},
                {"yen", l.paid.yen},
                {"popularity", l.paid.popularity > 0 ? QJsonValue(l.paid.popularity) : QJsonValue(QJsonValue::Null)},
                {"computed_yen", yenJson(l.computed)},
            });
        printJson(ctx.out, QJsonObject{
                               {"date", loaded.date},
                               {"race", item},
                               {"order", orderJson(result->order)},
                               {"payouts", payouts},
                               {"special", poolKeys(result->payouts, &pools::PoolPayout::special)},
                               {"refunded", poolKeys(result->payouts, &pools::PoolPayout::refunds)},
                           });
    } else {
        ctx.out << item << '\n'
                << QStringLiteral("着順\t") << orderText(result->order) << '\n'
                << QStringLiteral("券種\t組番\t払戻金\t人気\t計算値") << '\n';
        for (size_t p = 0; p < result->payouts.size(); ++p) {
            const pools::PoolPayout& paid = result->payouts[p];
            if (paid.notHeld && paid.payouts.empty())
                ctx.out << pools::kPools[p].caption() << QStringLiteral("\t不成立") << '\n';
            for (const PaidLine& l : lines)
                if (size_t(l.pool) == p)
                    ctx.out << QStringList{pools::pool(l.pool).caption(), pools::entryLabel(l.pool, l.paid.entry),
                                           yenText(l.paid.yen),
                                           l.paid.popularity > 0 ? QStringLiteral("%1番人気").arg(l.paid.popularity)
                                           : paid.special        ? QStringLiteral("特払")
                                                                 : QString(),
                                           l.computed >= 0 ? yenText(l.computed) : QStringLiteral("-")}
                                   .join(u'\t')
                            << '\n';
        }
        if (const QString names = poolNames(result->payouts, &pools::PoolPayout::special); !names.isEmpty())
            ctx.out << QStringLiteral("特払\t") << names << '\n';
        if (const QString names = poolNames(result->payouts, &pools::PoolPayout::refunds); !names.isEmpty())
            ctx.out << QStringLiteral("返還\t") << names << '\n';
    }
    return kSuccess;
}

// Every race of the data folder with its votes and its result: the payouts
// the payout rules give beside those paid.
int runCheckPayouts(CommandContext& ctx)
{
    const DaySpan span = takeDaySpan(ctx.args);
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    ctx.args.expectEnd();
    requireDataFolder(ctx);
    payoutcheck::FolderCheck check;
    try {
        check = payoutcheck::checkDataFolder(ctx.dataFolder, span.from, span.to);
    } catch (const std::runtime_error& e) {
        throw BadInput(QString::fromStdString(e.what()));
    }
    const auto bet = [](const payoutcheck::Difference& d) { return pools::entryLabel(d.pool, d.entry); };
    if (json) {
        QJsonArray differences;
        for (const payoutcheck::RaceDifference& r : check.differences)
            differences.append(QJsonObject{{"date", r.date},
                                           {"race", r.race},
                                           {"pool", QLatin1String(pools::pool(r.difference.pool).key)},
                                           {"bet", bet(r.difference)},
                                           {"paid", yenJson(r.difference.paid)},
                                           {"computed", yenJson(r.difference.computed)}});
        printJson(ctx.out,
                  QJsonObject{{"races", check.races}, {"compared", check.compared}, {"differences", differences}});
    } else {
        const auto yen = [](long long y) { return y >= 0 ? yenText(y) : QStringLiteral("なし"); };
        for (const payoutcheck::RaceDifference& r : check.differences)
            ctx.out << QStringList{r.race, pools::pool(r.difference.pool).caption(), bet(r.difference),
                                   QStringLiteral("払戻 ") + yen(r.difference.paid),
                                   QStringLiteral("計算 ") + yen(r.difference.computed)}
                           .join(u'\t')
                    << '\n';
        for (size_t p = 0; p < check.pools.size(); ++p)
            ctx.out << QStringLiteral("%1\t照合 %2件\t相違 %3件")
                           .arg(pools::kPools[p].caption(), fmt::grouped(check.pools[p].compared, 0),
                                fmt::grouped(check.pools[p].differing, 0))
                    << '\n';
        ctx.out << QStringLiteral("%1レースの払戻 %2件を照合：相違 %3件")
                       .arg(fmt::grouped(check.races, 0), fmt::grouped(check.compared, 0),
                            fmt::grouped(qsizetype(check.differences.size()), 0))
                << '\n';
    }
    ctx.out.flush();
    for (const QString& problem : check.unreadable)
        ctx.err << "tavek-cli: " << problem << '\n';
    return !check.unreadable.isEmpty() ? kBadInput : check.differences.empty() ? kSuccess : kPayoutsDiffer;
}

}  // namespace tavek::cli
