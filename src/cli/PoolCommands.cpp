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

// The entry of BET, refused unless the race's board shows it: a runner
// outside the field is bad input, as the advisor commands take it. A pool not
// sold (a race without a trifecta record too), a refunded entry or one
// without votes is the simulation's to refuse, in the window's words, as on
// the win tab.
int shownEntry(const PoolBoard& board, const QString& text, const QString& item)
{
    const int n = poolEntry(board.pool(), text);
    if (board.sold() && !board.inField(n))
        throw BadInput(QStringLiteral("%1 %2 は %3 に登録されていない馬を含みます")
                           .arg(pools::pool(board.pool()).caption(), text, item));
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
        ctx.err << "tavek-cli: " << kWarning << problem << '\n';
        ctx.err.flush();
    }

    SimResult result = SimResult::None;
    QString refusal;
    if (option.kind == SimulationOption::Odds && !board.hasOddsSimulation())
        throw BadInput(QStringLiteral("--odds は馬単・3連複・3連単だけのものです（%1のオッズは幅で示されます）")
                           .arg(pools::pool(pool).caption()));
    if (option.kind != SimulationOption::None) {
        const int n = shownEntry(board, option.target, item);
        result = option.kind == SimulationOption::Stake
                     ? board.simulateStake(n, stakeValue(option.value))
                     : board.simulateOdds(n,
                                          oddsValue(option.value, pools::pool(pool).caption() + u' ' + board.label(n)));
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
