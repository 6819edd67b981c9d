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
    timeline::OddsTimeline timeline;
    if (const QString path = historyPath(ctx.dataFolder); QFile::exists(path))
        timeline = timeline::OddsTimeline(history::OddsHistory(path).snapshots(key));
    const int runners = timeline.runners();

    if (csvOut) {
        ctx.out << csv::text(csv::historyTable(timeline));
    } else if (json) {
        QJsonArray snapshots;
        for (int i = 0; i < timeline.size(); ++i) {
            QJsonArray votes, odds;
            for (int horse = 1; horse <= runners; ++horse) {
                votes.append(timeline.winVotes(i, horse));
                odds.append(timeline.winOddsText(i, horse));
            }
            snapshots.append(QJsonObject{
                {"fetched", timeline.snapshot(i).fetched.toString(Qt::ISODate)},
                {"announced", timeline.snapshot(i).announced},
                {"win_total", timeline.winTotal(i)},
                {"win", votes},
                {"odds", odds},
            });
        }
        printJson(ctx.out, QJsonObject{{"date", day.date}, {"race", item}, {"snapshots", snapshots}});
    } else {
        ctx.out << item << '\n';
        QStringList header{QStringLiteral("取得日時"), QStringLiteral("単勝合計票数")};
        for (int horse = 1; horse <= runners; ++horse)
            header.append(QString::number(horse));
        ctx.out << header.join(u'\t') << '\n';
        for (int i = 0; i < timeline.size(); ++i) {
            QStringList row{timeline.fetchedStamp(i), QString::number(timeline.winTotal(i))};
            for (int horse = 1; horse <= runners; ++horse)
                row.append(timeline.winOddsText(i, horse));
            ctx.out << row.join(u'\t') << '\n';
        }
    }
    return kSuccess;
}

}  // namespace tavek::cli
