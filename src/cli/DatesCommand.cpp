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
    QString problem;
    const QStringList dates = dayfiles::dateList(ctx.dataFolder, &problem);
    if (!problem.isEmpty())
        throw BadInput(problem);
    for (const QString& date : dates)
        ctx.out << date << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
