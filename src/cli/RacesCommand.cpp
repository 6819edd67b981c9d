#include "cli/Cli.h"
#include "cli/Command.h"

#include <QJsonArray>
#include <QJsonObject>

namespace tavek::cli {

int runRaces(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    ctx.args.expectEnd();
    const LoadedDay day = loadDay(ctx, date);
    const QStringList& items = day.load.raceItems;
    if (json) {
        QJsonArray races;
        for (int i = 0; i < items.size(); ++i)
            races.append(QJsonObject{{"number", i + 1}, {"text", items[i]}});
        printJson(ctx.out, races);
    } else {
        for (int i = 0; i < items.size(); ++i)
            ctx.out << (i + 1) << ' ' << items[i] << '\n';
    }
    if (!day.load.problem.isEmpty())
        ctx.err << "tavek-cli: " << kWarning << day.load.problem << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
