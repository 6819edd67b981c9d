#include "cli/Cli.h"
#include "cli/Command.h"
#include "racedata/DayFiles.h"

#include <QFileInfo>

namespace tavek::cli {

int runDates(CommandContext& ctx)
{
    ctx.args.expectEnd();
    if (!QFileInfo(ctx.dataFolder).isDir())
        throw BadInput(QStringLiteral("no data folder %1").arg(ctx.dataFolder));
    for (const QString& date : dayfiles::dateList(ctx.dataFolder))
        ctx.out << date << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
