#include "support/cli/CliRunner.h"

#include "cli/Cli.h"

#include <QJsonDocument>
#include <QTextStream>

namespace tavek::test {

QJsonObject CliOutcome::json() const
{
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QStringList CliOutcome::lines() const
{
    return out.split(u'\n', Qt::SkipEmptyParts);
}

CliOutcome runCli(const QStringList& args)
{
    CliOutcome r;
    QTextStream out(&r.out), err(&r.err);
    r.code = cli::run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

CliOutcome runCli(const QString& dataFolder, const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("--data"), dataFolder} + args);
}

}  // namespace tavek::test
