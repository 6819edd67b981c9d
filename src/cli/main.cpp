#include "appfiles/AppIdentity.h"
#include "cli/Cli.h"
#include "cli/EscapedOutput.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(tavek::identity::kProgramName));
    QFile stdOut, stdErr;
    stdOut.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    stdErr.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    int code = tavek::cli::kBadInput;
    {
        tavek::cli::EscapedOutput escapedOut(stdOut), escapedErr(stdErr);
        QTextStream out(&escapedOut);
        QTextStream err(&escapedErr);
        try {
            code = tavek::cli::run(app.arguments().mid(1), out, err);
        } catch (...) {
            // run() reports every std::exception itself; anything else still
            // ends with a message and the code of unreadable input.
            out.flush();
            err << QStringLiteral("tavek-cli: 予期しないエラーが起きました\n");
        }
        out.flush();
        err.flush();
    }
    return code;
}
