#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "jvlink/core/QuickReport.h"

#include <QFile>

namespace tavek::cli {

namespace {
struct QuietView : jvlink::QuickView {
    void processEvents() override {}
    void restoreCursor() override {}
};
}  // namespace

int runQuick(CommandContext& ctx)
{
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString race = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();
    const LoadedDay day = loadDay(ctx, date);
    const int count = day.day->raceCount();
    if (count == 0)
        throw BadInput(QStringLiteral("%1 has no races").arg(day.date));
    int first = 0, last = count - 1;
    if (race != u"all") {
        first = last = int(wholeNumber(race, 1, count, QStringLiteral("RACE (1 to %1 or all)").arg(count))) - 1;
    }
    const auto jv = openJVLink();
    ErrorLog log(errorLogPath(ctx.dataFolder));
    // Without a start of the program there is no log yet; failures still get their lines.
    if (QFile logFile(log.path()); !logFile.exists() && !logFile.open(QIODevice::WriteOnly))
        throw BadInput(QStringLiteral("ファイル %1 を作成できません").arg(log.path()));
    QuietView view;
    jvlink::QuickReport quick(*jv, view, ctx.dataFolder, log);
    for (int slot = first; slot <= last; ++slot) {
        const auto& record = day.day->RaceRecords[slot];
        const int stored = quick.fetch(QByteArrayView(record.data(), record.size()));
        ctx.out << day.load.raceItems[slot]
                << (stored > 0 ? QStringLiteral(" 票数を保存しました") : QStringLiteral(" 票数なし")) << '\n';
    }
    return kSuccess;
}

}  // namespace tavek::cli
