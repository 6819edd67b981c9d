#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "export/CsvExport.h"
#include "history/OddsHistory.h"
#include "racedata/RecordLayout.h"
#include "timeline/model/OddsTimeline.h"

#include <QFile>
#include <QJsonArray>

namespace tavek::cli {

namespace {

// A snapshot as an element of "snapshots", as printJson indents it: members
// in the order of their keys, four blanks a level, the element two levels
// in. Qt's writer, an object at a time, took most of the time of a long
// history; only the record's date needs its escaping.
QString snapshotJson(const history::Snapshot& s, int runners)
{
    const QLatin1String item("                ");
    QString t;
    t.reserve(256 + 48 * runners);
    t.append(QLatin1String("        {\n            \"announced\": "))
        .append(jsonString(s.announced))
        .append(QLatin1String(",\n            \"fetched\": \""))
        .append(s.fetched.toString(Qt::ISODate))
        .append(QLatin1String("\",\n            \"odds\": [\n"));
    for (int horse = 1; horse <= runners; ++horse)
        t.append(item)
            .append(u'"')
            .append(timeline::winOddsText(s, horse))
            .append(QLatin1String(horse < runners ? "\",\n" : "\"\n"));
    t.append(QLatin1String("            ],\n            \"win\": [\n"));
    for (int horse = 1; horse <= runners; ++horse)
        t.append(item)
            .append(QString::number(timeline::winVotes(s, horse)))
            .append(QLatin1String(horse < runners ? ",\n" : "\n"));
    t.append(QLatin1String("            ],\n            \"win_total\": "))
        .append(QString::number(timeline::winTotal(s)))
        .append(QLatin1String("\n        }"));
    return t;
}

}  // namespace

// The odds history of one race: every quick report kept, oldest first.
int runHistory(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString race = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();
    const LoadedDay day = loadDay(ctx, date);
    const int slot = raceSlot(day, race);
    const QString& item = day.load.raceItems[slot];
    const QByteArray key = layout::raceKey(day.day->raceRecord(slot)).toByteArray();

    // Reading creates nothing: without a database there is no history yet.
    // The snapshots are read one at a time and printed as they come, so a
    // race's history of any length takes the memory of one snapshot; the
    // runners of the newest one give every snapshot its columns, as the
    // オッズ推移 tab shows them.
    std::optional<history::OddsHistory> kept;
    if (const QString path = historyPath(ctx.dataFolder); QFile::exists(path))
        kept.emplace(path);
    const std::optional<history::Snapshot> latest = kept ? kept->latestSnapshot(key) : std::nullopt;
    const int runners = latest ? timeline::registeredRunners(*latest) : 0;
    const auto eachSnapshot = [&](const std::function<void(const history::Snapshot&)>& each) {
        if (kept)
            kept->forEachSnapshot(key, history::Detail::Votes, history::Trifecta::Without, each);
    };

    if (csvOut) {
        ctx.out << csv::text({csv::historyHeader()});
        eachSnapshot([&](const history::Snapshot& s) { ctx.out << csv::text(csv::historyRows(s, runners)); });
    } else if (json) {
        printJsonWithArray(ctx.out, QJsonObject{{"date", day.date}, {"race", item}}, QStringLiteral("snapshots"),
                           [&](const auto& write) {
            eachSnapshot([&](const history::Snapshot& s) { write(snapshotJson(s, runners)); });
        });
    } else {
        ctx.out << item << '\n';
        QStringList header{QStringLiteral("取得日時"), QStringLiteral("単勝合計票数")};
        for (int horse = 1; horse <= runners; ++horse)
            header.append(QString::number(horse));
        ctx.out << header.join(u'\t') << '\n';
        eachSnapshot([&](const history::Snapshot& s) {
            QStringList row{timeline::fetchedStamp(s), QString::number(timeline::winTotal(s))};
            for (int horse = 1; horse <= runners; ++horse)
                row.append(timeline::winOddsText(s, horse));
            ctx.out << row.join(u'\t') << '\n';
        });
    }
    return kSuccess;
}

}  // namespace tavek::cli
