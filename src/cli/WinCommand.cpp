#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "export/CsvExport.h"
#include "history/OddsHistory.h"
#include "odds/model/WinBoard.h"

#include <QFile>
#include <QJsonArray>

namespace tavek::cli {

namespace {

const char* const kRowKeys[win::kColumns] = {"bracket", "horse",    "votes",  "share",  "odds", "refund",
                                             "amount",  "hyp_odds", "vvotes", "vshare", "vodds"};

// When the quick report on screen was fetched, from the odds history as the
// window reads it; a missing or unreadable history leaves it unknown (the
// header then still says 速報), and reading creates no history.
std::optional<QDateTime> fetchedTime(const CommandContext& ctx, const DayData& day, int race)
{
    const QString path = historyPath(ctx.dataFolder);
    if (!win::quickReport(day, race) || !QFile::exists(path))
        return std::nullopt;
    try {
        const history::OddsHistory kept(path);
        return win::quickReportFetched(day, race, &kept);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

}  // namespace

// The win tab of one race, as the race selection leaves it and after the
// simulation the options ask for.
int runWin(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const SimulationOption option = simulationOption(ctx.args, QStringLiteral("H"));
    const SelectedRace selected = takeSelectedRace(ctx);
    const QString& item = selected.item;
    win::WinBoard board(selected.day());
    board.calculate(selected.race, fetchedTime(ctx, selected.day(), selected.race));
    const int runners = board.runners();

    sim::SimResult result = sim::SimResult::None;
    QString refusal;
    if (option.kind != SimulationOption::None) {
        const int last = std::min(runners, kWinFigures);
        const int horse = int(wholeNumber(option.target, 1, last, QStringLiteral("%1 の馬番").arg(item)));
        const QString bet = pools::pool(pools::Pool::Win).caption() + u' ' + QString::number(horse);
        result = option.kind == SimulationOption::Stake ? board.simulateStake(horse, stakeValue(option.value))
                                                        : board.simulateOdds(horse, oddsValue(option.value, bet));
        refusal = board.refusalMessage(horse, result);
    }

    const win::HeaderTexts h = board.header();
    if (csvOut) {
        ctx.out << csv::text(csv::winTable(board));
    } else if (json) {
        QJsonArray rows;
        for (int horse = 1; horse <= runners; ++horse) {
            QJsonObject row;
            for (int c = 0; c < win::kColumns; ++c)
                row.insert(QLatin1String(kRowKeys[c]), board.cellText(horse, c));
            rows.append(row);
        }
        QJsonObject object{
            {"date", selected.loaded.date},
            {"race", item},
            {"header", QJsonObject{{"number", h.number},
                                   {"course", h.course},
                                   {"date_line", h.dateLine},
                                   {"runners", h.runners},
                                   {"starters", h.starters},
                                   {"name", h.name},
                                   {"report", board.reportText()}}},
            {"total", board.total()},
            {"virtual_total", board.virtualTotal()},
            {"rows", rows},
        };
        insertResult(object, result, refusal);
        printJson(ctx.out, object);
    } else {
        ctx.out << item << '\n'
                << QStringList{h.number, h.course, h.dateLine, h.runners, h.starters, h.name}.join(u'\t') << '\n';
        if (const QString report = board.reportText(); !report.isEmpty())
            ctx.out << report << '\n';
        ctx.out << QStringLiteral("単勝合計票数：") << board.total() << '\t' << QStringLiteral("単勝合計票数(仮想)：")
                << board.virtualTotal() << '\n'
                << board.columnHeaders().join(u'\t') << '\n';
        for (int horse = 1; horse <= runners; ++horse) {
            QStringList cells;
            for (int c = 0; c < win::kColumns; ++c)
                cells.append(board.cellText(horse, c));
            ctx.out << cells.join(u'\t') << '\n';
        }
    }
    return simulationExit(ctx, result, refusal);
}

}  // namespace tavek::cli
