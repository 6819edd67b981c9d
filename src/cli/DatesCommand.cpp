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
    // empty date list shows; one that cannot be read is an error.
    const QFileInfo folder(ctx.dataFolder);
    if (folder.exists() && !folder.isDir())
        throw BadInput(QStringLiteral("データフォルダ %1 はフォルダではありません").arg(ctx.dataFolder));
    QString problem;
    QStringList leftOut;
    const QStringList dates = folder.exists() ? dayfiles::dateList(ctx.dataFolder, &problem, &leftOut) : QStringList();
    if (!problem.isEmpty())
        throw BadInput(problem);
    if (!leftOut.isEmpty()) {
        ctx.err << "tavek-cli: " << kWarning << dayfiles::leftOutNote(ctx.dataFolder, leftOut) << '\n';
        ctx.err.flush();
    }
    if (json) {
        printJson(ctx.out, QJsonArray::fromStringList(dates));
        return kSuccess;
    }
    for (const QString& date : dates)
        ctx.out << date << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
