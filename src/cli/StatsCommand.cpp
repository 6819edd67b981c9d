#include "cli/Cli.h"
#include "cli/Command.h"
#include "market/MarketStats.h"

namespace tavek::cli {

int runStats(CommandContext& ctx)
{
    const DaySpan span = takeDaySpan(ctx.args);
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    ctx.args.expectEnd();
    requireDataFolder(ctx);
    market::MarketStats stats;
    try {
        stats = market::MarketStats::ofDataFolder(ctx.dataFolder, span.from, span.to);
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
