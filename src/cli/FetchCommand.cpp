#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "jvlink/client/BatchAcquisition.h"

namespace tavek::cli {

namespace {

// The acquisition window's texts as lines: the boxes and the list of
// records written; progress is not printed.
class PrintingView : public jvlink::BatchView {
public:
    explicit PrintingView(QTextStream& out) : out_(out) {}
    void showStatus(const QString&) override {}
    void setDownloadProgress(int, int) override {}
    void setReadProgress(int, int) override {}
    void clearList() override {}
    void addListLine(const QString& line) override { out_ << line << '\n'; }
    void information(const QString& text) override
    {
        out_ << text << '\n';
        out_.flush();
    }
    bool confirm(const QString&) override { return false; }
    void beep() override {}
    void setRunning(bool) override {}
    void setPolling(bool) override {}
    void processEvents() override {}
    void showStartPoint(const QDateTime&) override {}

private:
    QTextStream& out_;
};

QDateTime startPoint(const QString& text)
{
    const QDateTime at = QDateTime::fromString(text, QStringLiteral("yyyyMMddHHmmss"));
    if (text.size() != 14 || !at.isValid())
        throw BadInput(QStringLiteral("\"%1\" is not a start point yyyymmddhhnnss").arg(text));
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
    ctx.out << QStringLiteral("作成済みデータ: %1件").arg(run.storedCount()) << '\n';
    if (run.outcome() != jvlink::BatchAcquisition::Outcome::Failed)
        return kSuccess;
    // The service's result code names no folder; what it knows more is said here.
    if (const QString why = downloadFailure(*jv); !why.isEmpty()) {
        ctx.out.flush();
        ctx.err << "tavek-cli: " << why << '\n';
    }
    return kRefused;
}

}  // namespace tavek::cli
