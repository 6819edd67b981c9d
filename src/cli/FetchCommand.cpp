#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/emulator/EmulatedJVLink.h"

namespace tavek::cli {

namespace {

// The acquisition window's texts as lines: the list of records written as it
// grows, then the boxes, which say how the run ended: on standard output, or
// on standard error when it failed. Progress is not printed.
class PrintingView : public jvlink::BatchView {
public:
    explicit PrintingView(QTextStream& out) : out_(out) {}
    void showStatus(const QString&) override {}
    void setDownloadProgress(int, int) override {}
    void setReadProgress(int, int) override {}
    void clearList() override {}
    void addListLine(const QString& line) override { out_ << line << '\n'; }
    void information(const QString& text) override { boxes_.append(text); }
    bool confirm(const QString&) override { return false; }
    void beep() override {}
    void setRunning(bool) override {}
    void setPolling(bool) override {}
    void processEvents() override {}
    void showStartPoint(const QDateTime&) override {}

    void printBoxes(QTextStream& to) const
    {
        for (const QString& box : boxes_)
            to << box << '\n';
    }

private:
    QTextStream& out_;
    QStringList boxes_;
};

QDateTime startPoint(const QString& text)
{
    const QDateTime at = QDateTime::fromString(text, QStringLiteral("yyyyMMddHHmmss"));
    if (text.size() != 14 || !at.isValid())
        throw badValue(QStringLiteral("--from"), text, QStringLiteral("開始時点 yyyymmddhhnnss"));
    return at;
}

}  // namespace

int runFetch(CommandContext& ctx)
{
    const std::optional<QString> from = ctx.args.takeOption(QStringLiteral("--from"));
    ctx.args.expectEnd();
    const std::optional<QDateTime> fromPoint = from ? std::optional(startPoint(*from)) : std::nullopt;
    reportUnusableFiles(ctx);
    const auto jv = openJVLink();
    TIniGT settings;
    settings.FileName = settingsPath(ctx.dataFolder);
    PrintingView view(ctx.out);
    jvlink::BatchAcquisition run(*jv, view, ctx.dataFolder, settings);
    run.runHeadless(fromPoint ? *fromPoint : run.storedStartPoint());
    const bool failed = run.outcome() == jvlink::BatchAcquisition::Outcome::Failed;
    ctx.out.flush();  // the records listed before the failure come first
    view.printBoxes(failed ? ctx.err : ctx.out);
    ctx.out << QStringLiteral("作成済みデータ: %1件").arg(run.storedCount()) << '\n';
    if (!failed)
        return kSuccess;
    // The service's result code names no folder; what it knows more is said here.
    if (const QString why = jv->downloadFailure(); !why.isEmpty())
        ctx.err << "tavek-cli: " << why << '\n';
    // A service that fails is input that cannot be read, as for quick; 1 is
    // a refused simulation.
    return kBadInput;
}

}  // namespace tavek::cli
