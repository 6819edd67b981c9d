#include "controls/BrowserCommand.h"

namespace tavek::browser {

QString commandLine(QString command, const QString& address)
{
    const qsizetype quoted = command.indexOf(QLatin1String("\"%1\""));
    if (quoted >= 0) {
        const qsizetype from = qMax<qsizetype>(0, quoted - 1);
        command.remove(from, quoted + 4 - from);
    } else if (const qsizetype bare = command.indexOf(QLatin1String("%1")); bare >= 0) {
        const qsizetype from = qMax<qsizetype>(0, bare - 1);
        command.remove(from, bare + 2 - from);
    }
    return command + QLatin1Char(' ') + address;
}

QString fromDesktopExec(const QString& exec)
{
    QString out;
    out.reserve(exec.size());
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (c != QLatin1Char('%') || i + 1 >= exec.size()) {
            out += c;
            continue;
        }
        const QChar code = exec.at(++i);
        if (code == QLatin1Char('%'))
            out += code;
        else if (QStringLiteral("uUfF").contains(code))
            out += QLatin1String("%1");
        else if (out.endsWith(QLatin1Char(' ')))
            out.chop(1);  // a dropped code takes its separating blank along
    }
    return out;
}

}  // namespace tavek::browser
