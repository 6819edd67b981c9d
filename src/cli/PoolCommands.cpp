// place, wide, exacta, trio and trifecta: the board of one pool of one race.
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "odds/model/PoolBoard.h"
#include "odds/model/ReferenceSheet.h"

#include <QJsonArray>

namespace tavek::cli {

namespace {

using pools::Pool;
using sim::PoolBoard;
using sim::SimResult;

QJsonValue oddsJson(long long tenths)
{
    return tenths > 0 ? QJsonValue(double(tenths) / 10) : QJsonValue(QJsonValue::Null);
}

QJsonValue votesJson(long long votes)
{
    return votes >= 0 ? QJsonValue(votes) : QJsonValue(QJsonValue::Null);
}

QJsonObject entryJson(const PoolBoard& board, int n)
{
    QJsonObject entry{{"bet", board.label(n)}, {"votes", votesJson(board.votes(n))}, {"refunded", board.refunded(n)}};
    const sim::OddsRange& real = board.odds(n);
    const sim::OddsRange& virt = board.virtualOdds(n);
    if (board.hasOddsSimulation()) {
        entry.insert("odds", oddsJson(real.low));
        entry.insert("virtual_odds", oddsJson(virt.low));
    } else {
        entry.insert("odds_min", oddsJson(real.low));
        entry.insert("odds_max", oddsJson(real.high));
        entry.insert("virtual_odds_min", oddsJson(virt.low));
        entry.insert("virtual_odds_max", oddsJson(virt.high));
    }
    return entry;
}

// The entry of BET, refused unless the race's board could simulate on it
// but for its votes: a pool not sold (a race without a trifecta record too),
// a runner outside the field and a refunded entry are bad input, as the
// advisor commands take them.
int simulatedEntry(const PoolBoard& board, const QString& text, const QString& item)
{
    const int n = poolEntry(board.pool(), text);
    const QString key = QLatin1String(pools::pool(board.pool()).key);
    if (!board.sold())
        throw BadInput(QStringLiteral("%1 is not sold in %2 (発売なし)").arg(key, item));
    if (!board.inField(n))
        throw BadInput(QStringLiteral("%1 %2 names a runner not in the field of %3").arg(key, text, item));
    if (board.refunded(n))
        throw BadInput(QStringLiteral("%1 %2 is refunded (返還) in %3").arg(key, text, item));
    return n;
}

int runPool(CommandContext& ctx, Pool pool)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const int runners = pools::pool(pool).runners;
    const SimulationOption option = simulationOption(ctx.args, runners == 1   ? QStringLiteral("H")
                                                               : runners == 2 ? QStringLiteral("A-B")
                                                                              : QStringLiteral("A-B-C"));
    const SelectedRace selected = takeSelectedRace(ctx);
    const QString& item = selected.item;
    PoolBoard board(pool);
    board.calculate(pools::inVoteCounts(pool) ? selected.day().voteRecord(selected.race)
                                              : selected.day().trifectaRecord(selected.race));
    if (const QString problem = pools::inVoteCounts(pool) ? QString() : selected.day().trifectaProblem();
        !problem.isEmpty()) {
        ctx.err << "tavek-cli: warning: " << problem << '\n';
        ctx.err.flush();
    }

    SimResult result = SimResult::None;
    QString refusal;
    if (option.kind == SimulationOption::Odds && !board.hasOddsSimulation())
        throw BadInput(QStringLiteral("--odds is for exacta, trio and trifecta only: %1 odds are a range")
                           .arg(QLatin1String(pools::pool(pool).key)));
    if (option.kind != SimulationOption::None) {
        const int n = simulatedEntry(board, option.target, item);
        result = option.kind == SimulationOption::Stake ? board.simulateStake(n, stakeValue(option.value))
                                                        : board.simulateOdds(n, oddsValue(option.value));
        refusal = board.refusalMessage(n, result);
    }

    if (csvOut) {
        ctx.out << csv::text(csv::poolTable(board));
    } else if (json) {
        QJsonArray entries;
        for (int n = 1; n <= board.size(); ++n)
            if (board.inField(n))
                entries.append(entryJson(board, n));
        QJsonObject object{
            {"date", selected.loaded.date},
            {"race", item},
            {"pool", QLatin1String(pools::pool(pool).key)},
            {"rate", double(board.rate().numerator) / board.rate().denominator},
            {"total", board.total()},
            {"virtual_total", board.simulated() ? QJsonValue(board.virtualTotal()) : QJsonValue(QJsonValue::Null)},
            {"excess", board.simulated() ? QJsonValue(board.excessYen()) : QJsonValue(QJsonValue::Null)},
            {"entries", entries},
        };
        if (pool == Pool::Place)
            object.insert("winners", board.winners());
        insertResult(object, result, refusal);
        printJson(ctx.out, object);
    } else {
        ctx.out << item << '\n'
                << sim::totalLabel(pool) << board.totalText() << '\t' << sim::totalCaption(pool)
                << QStringLiteral("(仮想)：") << board.virtualTotalText() << '\t'
                << QStringLiteral("過剰投票金額(仮想)：") << board.excessText() << '\n';
        for (int n = 1; n <= board.size(); ++n)
            if (board.inField(n))
                ctx.out << QStringList{board.label(n), board.votesText(n), board.oddsText(n), board.virtualVotesText(n),
                                       board.virtualOddsText(n)}
                               .join(u'\t')
                        << '\n';
    }
    return simulationExit(ctx, result, refusal);
}

}  // namespace

int runPlace(CommandContext& ctx)
{
    return runPool(ctx, Pool::Place);
}

int runWide(CommandContext& ctx)
{
    return runPool(ctx, Pool::Wide);
}

int runExacta(CommandContext& ctx)
{
    return runPool(ctx, Pool::Exacta);
}

int runTrio(CommandContext& ctx)
{
    return runPool(ctx, Pool::Trio);
}

int runTrifecta(CommandContext& ctx)
{
    return runPool(ctx, Pool::Trifecta);
}

}  // namespace tavek::cli
