#include "cli/Cli.h"
#include "cli/Command.h"
#include "market/MarketStats.h"
#include "racedata/DayFiles.h"

#include <QFileInfo>

namespace tavek::cli {

namespace {

QDate dateOption(Args& args, const QString& name)
{
    const std::optional<QString> text = args.takeOption(name);
    if (!text)
        return {};
    const QString listed = dayfiles::dateText(*text);
    const QDate date = QDate::fromString(listed, QStringLiteral("yyyy年MM月dd日"));
    if (listed.isEmpty() || !date.isValid())
        throw badValue(name, *text, QStringLiteral("2005-04-16 の形の日付"));
    return date;
}

}  // namespace

int runStats(CommandContext& ctx)
{
    const QDate from = dateOption(ctx.args, QStringLiteral("--from"));
    const QDate to = dateOption(ctx.args, QStringLiteral("--to"));
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    ctx.args.expectEnd();
    if (!QFileInfo(ctx.dataFolder).isDir())
        throw BadInput(QStringLiteral("データフォルダ %1 がありません").arg(ctx.dataFolder));
    if (from.isValid() && to.isValid() && to < from)
        throw BadInput(QStringLiteral("--to %1 が --from %2 より前です")
                           .arg(to.toString(Qt::ISODate), from.toString(Qt::ISODate)));
    market::MarketStats stats;
    try {
        stats = market::MarketStats::ofDataFolder(ctx.dataFolder, from, to);
    } catch (const std::runtime_error& e) {
        throw BadInput(QString::fromStdString(e.what()));
    }
    if (json)
        printJson(ctx.out, stats.toJson());
    else
        for (const QString& line : stats.reportLines())
            ctx.out << line << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
