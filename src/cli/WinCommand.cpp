#include "cli/Cli.h"
#include "cli/Command.h"
#include "simulation/model/WinTexts.h"

#include <QJsonArray>

namespace tavek::cli {

namespace {

QString resultName(win::OddsResult r)
{
    switch (r) {
    case win::OddsResult::Accepted:
        return QStringLiteral("accepted");
    case win::OddsResult::NotAboveOne:
        return QStringLiteral("not_above_one");
    case win::OddsResult::Unrealistic:
        return QStringLiteral("unrealistic");
    }
    return {};
}

const char* const kRowKeys[win::kColumns] = {"bracket", "horse",    "votes",  "share",  "odds",  "refund",
                                             "amount",  "hyp_odds", "vvotes", "vshare", "vodds"};

}  // namespace

int runWin(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const SimulationOption sim = simulationOption(ctx.args, QStringLiteral("H"));
    const SelectedRace selected = takeSelectedRace(ctx);
    const LoadedDay& loaded = selected.loaded;
    DayData& day = selected.day();
    const int race = selected.race;
    const QString& item = selected.item;
    win::InputTexts inputs;
    if (!win::calculate(day, race, inputs))
        throw BadInput(QStringLiteral("%1 has no registered runners in %2").arg(item, day.VoteFilePath));
    const int runners = win::registeredRunners(day, race);

    QString result = QStringLiteral("none");
    QString message;
    if (sim.kind != SimulationOption::None) {
        const int horse = int(wholeNumber(sim.target, 1, std::min(runners, kWinFigures),
                                          QStringLiteral("horse of %1 (1 to %2)").arg(item).arg(std::min(runners, kWinFigures))));
        if (sim.kind == SimulationOption::Stake) {
            win::applyStake(day, horse, wholeNumber(sim.value, 0, win::kMaxStake, QStringLiteral("YEN (0 to 9999999)")), inputs);
            result = resultName(win::OddsResult::Accepted);
        } else {
            const win::OddsResult r = win::applyOdds(day, horse, oddsValue(sim.value), inputs);
            result = resultName(r);
            message = win::refusalMessage(r);
        }
    }

    const win::HeaderTexts h = win::headerTexts(day, race);
    if (json) {
        QJsonArray rows;
        for (int horse = 1; horse <= runners; ++horse) {
            QJsonObject row;
            for (int c = 0; c < win::kColumns; ++c)
                row.insert(QLatin1String(kRowKeys[c]), win::cellText(day, race, horse, c, inputs));
            rows.append(row);
        }
        printJson(ctx.out, QJsonObject{
            {"date", loaded.date},
            {"race", item},
            {"header", QJsonObject{{"number", h.number}, {"course", h.course}, {"date_line", h.dateLine},
                                   {"runners", h.runners}, {"starters", h.starters}, {"name", h.name}}},
            {"total", win::totalText(day, race)},
            {"virtual_total", inputs.virtualTotal},
            {"rows", rows},
            {"result", result},
            {"message", message.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(message)},
        });
    } else {
        ctx.out << item << '\n'
                << QStringList{h.number, h.course, h.dateLine, h.runners, h.starters, h.name}.join(u'\t') << '\n'
                << QStringLiteral("単勝合計票数：") << win::totalText(day, race) << '\t'
                << QStringLiteral("単勝合計票数(仮想)：") << inputs.virtualTotal << '\n'
                << win::columnHeaders().join(u'\t') << '\n';
        for (int horse = 1; horse <= runners; ++horse) {
            QStringList cells;
            for (int c = 0; c < win::kColumns; ++c)
                cells.append(win::cellText(day, race, horse, c, inputs));
            ctx.out << cells.join(u'\t') << '\n';
        }
    }
    if (!message.isEmpty()) {
        ctx.out.flush();
        ctx.err << message << '\n';
        return kRefused;
    }
    return kSuccess;
}

}  // namespace tavek::cli
