#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "cli/Pause.h"
#include "jvlink/client/QuickReport.h"
#include "platform/StopSignals.h"
#include "racedata/Clock.h"
#include "racedata/PostTime.h"

namespace tavek::cli {

namespace {
struct QuietView : jvlink::QuickView {
    void processEvents() override {}
    void restoreCursor() override {}
};

// When `quick --every` stops: at --until (today, by the clock), else at the
// post time of the last race fetched.
QDateTime endOfRefresh(const std::optional<QString>& until, const LoadedDay& day, int first, int last)
{
    if (until) {
        const QTime at = QTime::fromString(*until, QStringLiteral("HH:mm"));
        if (!at.isValid())
            throw badValue(QStringLiteral("--until"), *until, QStringLiteral("HH:MM の時刻、例 15:40"));
        return QDateTime(clock::now().date(), at);
    }
    QDateTime end;
    for (int slot = first; slot <= last; ++slot)
        if (const auto post = posttime::of(day.day->raceRecord(slot)); post && (!end.isValid() || *post > end))
            end = *post;
    if (!end.isValid())
        throw BadInput(QStringLiteral("%1 には発走時刻がありません。--until HH:MM を指定してください")
                           .arg(day.load.raceItems[first]));
    return end;
}

// Where the votes of a race went, after "票数を保存しました": the day file
// only whenever the history did not take them, so that no line reads as a
// success then; with --every also whether the history grew.
QString whereStored(const jvlink::QuickReport::Result& result, bool every)
{
    if (!result.historyFailure.isEmpty())
        return QStringLiteral("（日別ファイルのみ）");
    if (every && result.kind() == jvlink::QuickReport::Result::Kind::Stored)
        return result.recorded > 0 ? QStringLiteral("（オッズ推移に追加）") : QStringLiteral("（前回から変化なし）");
    return QString();
}

}  // namespace

int runQuick(CommandContext& ctx)
{
    const std::optional<QString> every = ctx.args.takeOption(QStringLiteral("--every"));
    const std::optional<QString> until = ctx.args.takeOption(QStringLiteral("--until"));
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString race = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();
    if (until && !every)
        throw BadInput(QStringLiteral("--until は --every SECONDS と共に指定してください"));
    const int seconds = every ? int(wholeNumber(*every, 1, 86'400, QStringLiteral("--every の秒数"))) : 0;
    const LoadedDay day = loadDay(ctx, date);
    const int count = day.day->raceCount();
    if (count == 0)
        throw BadInput(QStringLiteral("%1 にはレースがありません").arg(day.date));
    int first = 0, last = count - 1;
    if (race != u"all") {
        first = last = int(wholeNumber(race, 1, count, QStringLiteral("%1 の RACE（または all）").arg(day.date))) - 1;
    }
    const QDateTime end = every ? endOfRefresh(until, day, first, last) : QDateTime();
    reportUnusableFiles(ctx);
    const auto jv = openJVLink();
    QuietView view;
    // The day files work without the history: each race whose votes only the
    // day file took names why, whether the history could not be opened or
    // failed to write.
    history::HistoryAccess odds(applicationFolder(ctx.dataFolder));
    jvlink::QuickReport quick(*jv, view, ctx.dataFolder, odds);
    // A failure ends neither the day nor the refresh: each is named on
    // standard error. A JV-Link failure is unreadable input; votes the odds
    // history did not take are in the day file all the same. Each line is
    // written when its fetch ends, so that a file or a pipe has it at once; a
    // request to stop ends the run after it.
    const platform::StopSignals stop;
    bool failed = false, historyNotSaved = false;
    for (;;) {
        const QDateTime started = clock::now();
        for (int slot = first; slot <= last; ++slot) {
            const jvlink::QuickReport::Result result = quick.fetch(day.day->raceRecord(slot));
            const QString& item = day.load.raceItems[slot];
            if (result.stored > 0 || !result.failure) {
                if (every)
                    ctx.out << clock::now().toString(QStringLiteral("HH:mm:ss")) << ' ';
                ctx.out << item
                        << (result.stored > 0 ? QStringLiteral(" 票数を保存しました") : QStringLiteral(" 票数なし"))
                        << whereStored(result, every.has_value()) << '\n';
                ctx.out.flush();
            }
            if (const QString problem = result.problem(); !problem.isEmpty()) {
                ctx.err << "tavek-cli: " << item << ' ' << problem << '\n';
                ctx.err.flush();
                failed = failed || result.failure.has_value();
                historyNotSaved = historyNotSaved || !result.historyFailure.isEmpty();
            }
            if (stop.requested())
                return kStopped + stop.requested();
        }
        const QDateTime next = started.addSecs(seconds);
        if (!every || next > end)
            return failed ? kBadInput : historyNotSaved ? kHistoryNotSaved : kSuccess;
        pause::until(next, [&stop] { return stop.requested() != 0; });
        if (stop.requested())
            return kStopped + stop.requested();
    }
}

}  // namespace tavek::cli
