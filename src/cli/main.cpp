#include "appfiles/AppIdentity.h"
#include "cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(tavek::identity::kProgramName));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = tavek::cli::run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
