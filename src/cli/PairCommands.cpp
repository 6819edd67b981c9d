#include "cli/Command.h"
#include "export/CsvExport.h"
#include "odds/model/PairBoard.h"
#include "odds/model/PairSlot.h"
#include "odds/model/SimulationRefusal.h"

#include <QJsonArray>

namespace tavek::cli {

namespace {

using pools::PairKind;
using sim::PairBoard;
using sim::SimResult;

// The pair of "A-B" as the tab's label, refused unless the race shows real
// odds for it (only such a cell opens a dialog) or the simulation itself
// refuses it (a refunded runner, blank votes), which it then says.
QString pairTarget(const PairBoard& board, QByteArrayView record, const QString& text, const QString& item)
{
    const QString caption =
        pools::pool(board.kind() == PairKind::Quinella ? pools::Pool::Quinella : pools::Pool::Bracket).caption();
    const int k = pairIndex(board.kind(), text, caption);
    if (board.real(k).text.trimmed().isEmpty() && sim::pairRefusal(board.kind(), record, k) == SimResult::None)
        throw BadInput(QStringLiteral("%1 の%2 %3 には票数がありません").arg(item, caption, text));
    return pools::pairLabel(board.kind(), k);
}

// The quinella or bracket-quinella tab of one race, as the race selection
// leaves it and after the simulation the options ask for.
int runPair(CommandContext& ctx, PairKind kind)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const SimulationOption option = simulationOption(ctx.args, QStringLiteral("A-B"));
    const SelectedRace selected = takeSelectedRace(ctx);
    const QString& item = selected.item;
    const sim::PairSlot slot = sim::pairSlot(selected.day(), selected.race, kind);
    PairBoard board(kind);
    board.clear();
    board.calculate(slot.record, slot.figures);

    const QString bet =
        pools::pool(kind == PairKind::Quinella ? pools::Pool::Quinella : pools::Pool::Bracket).caption();
    SimResult result = SimResult::None;
    if (option.kind != SimulationOption::None) {
        const QString label = pairTarget(board, slot.record, option.target, item);
        result = option.kind == SimulationOption::Stake
                     ? board.simulateStake(slot.record, slot.figures, label, stakeValue(option.value))
                     : board.simulateOdds(slot.record, slot.figures, label,
                                          oddsValue(option.value, bet + u' ' + QString(label).remove(u' ')));
    }

    if (csvOut) {
        ctx.out << csv::text(csv::pairTable(board));
    } else if (json) {
        QJsonArray pairs;
        for (int k = 1; k <= board.size(); ++k)
            pairs.append(QJsonObject{{"label", pools::pairLabel(kind, k)},
                                     {"real", board.real(k).text},
                                     {"virtual", board.virtualCell(k).text}});
        QJsonObject object{
            {"date", selected.loaded.date}, {"race", item},
            {"total", board.realTotal()},   {"virtual_total", board.virtualTotal()},
            {"excess", board.excess()},     {"pairs", pairs},
        };
        insertResult(object, result);
        printJson(ctx.out, object);
    } else {
        ctx.out << item << '\n'
                << bet << QStringLiteral("合計票数：") << board.realTotal() << '\t' << bet
                << QStringLiteral("合計票数(仮想)：") << board.virtualTotal() << '\t'
                << QStringLiteral("過剰投票金額(仮想)：") << board.excess() << '\n';
        for (int k = 1; k <= board.size(); ++k)
            ctx.out << pools::pairLabel(kind, k) << '\t' << board.real(k).text << '\t' << board.virtualCell(k).text
                    << '\n';
    }
    return simulationExit(ctx, result);
}

}  // namespace

int runQuinella(CommandContext& ctx)
{
    return runPair(ctx, PairKind::Quinella);
}

int runBracket(CommandContext& ctx)
{
    return runPair(ctx, PairKind::Bracket);
}

}  // namespace tavek::cli
