#include "cli/Cli.h"
#include "cli/Command.h"

namespace tavek::cli {

int runRaces(CommandContext& ctx)
{
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    ctx.args.expectEnd();
    const LoadedDay day = loadDay(ctx, date);
    for (int i = 0; i < day.load.raceItems.size(); ++i)
        ctx.out << (i + 1) << ' ' << day.load.raceItems[i] << '\n';
    if (!day.load.problem.isEmpty())
        ctx.err << "tavek-cli: warning: " << day.load.problem << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
