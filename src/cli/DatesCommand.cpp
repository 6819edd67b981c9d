#include "cli/Cli.h"
#include "cli/Command.h"
#include "racedata/DayFiles.h"

#include <QFileInfo>
#include <QJsonArray>

namespace tavek::cli {

int runDates(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    ctx.args.expectEnd();
    // A data folder that no fetch has made yet holds no days, as the window's
    // empty date list shows.
    const QStringList dates = QFileInfo(ctx.dataFolder).isDir() ? dayfiles::dateList(ctx.dataFolder) : QStringList();
    if (json) {
        printJson(ctx.out, QJsonArray::fromStringList(dates));
        return kSuccess;
    }
    for (const QString& date : dates)
        ctx.out << date << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
