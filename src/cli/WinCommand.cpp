#include "cli/Cli.h"
#include "cli/Command.h"
#include "simulation/model/WinTexts.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <cstdlib>

namespace tavek::cli {

namespace {

// "--stake H:YEN" or "--odds H:ODDS", as the amount and odds dialogs take them.
struct Simulation {
    enum Kind { None, Stake, Odds } kind = None;
    QString horse;
    QString value;
};

Simulation simulationOption(Args& args)
{
    const std::optional<QString> stake = args.takeOption(QStringLiteral("--stake"));
    const std::optional<QString> odds = args.takeOption(QStringLiteral("--odds"));
    if (stake && odds)
        throw BadInput(QStringLiteral("give either --stake or --odds, not both"));
    if (!stake && !odds)
        return {};
    const QString text = stake ? *stake : *odds;
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        throw BadInput(QStringLiteral("\"%1\" is not H:%2").arg(text, stake ? u"YEN" : u"ODDS"));
    return {stake ? Simulation::Stake : Simulation::Odds, text.left(colon), text.mid(colon + 1)};
}

long double oddsValue(const QString& text)
{
    // The odds field: up to 7 integer digits and one decimal, no sign.
    static const QRegularExpression format(QStringLiteral("^[0-9]{1,7}(\\.[0-9])?$"));
    if (!format.match(text).hasMatch())
        throw BadInput(QStringLiteral("\"%1\" is not valid ODDS (up to 7 digits and one decimal, e.g. 10.0)").arg(text));
    return std::strtold(text.toLatin1().constData(), nullptr);
}

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
    const Simulation sim = simulationOption(ctx.args);
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString raceArg = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();

    LoadedDay loaded = loadDay(ctx, date);
    DayData& day = *loaded.day;
    const int race = raceSlot(loaded, raceArg);
    const QString item = loaded.load.raceItems[race];
    day.selectRace(race);
    win::InputTexts inputs;
    if (!win::calculate(day, race, inputs))
        throw BadInput(QStringLiteral("%1 has no registered runners in %2").arg(item, day.VoteFilePath));
    const int runners = win::registeredRunners(day, race);

    QString result = QStringLiteral("none");
    QString message;
    if (sim.kind != Simulation::None) {
        const int horse = int(wholeNumber(sim.horse, 1, std::min(runners, kWinFigures),
                                          QStringLiteral("horse of %1 (1 to %2)").arg(item).arg(std::min(runners, kWinFigures))));
        if (sim.kind == Simulation::Stake) {
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
