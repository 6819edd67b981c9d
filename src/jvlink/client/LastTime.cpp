#include "jvlink/client/LastTime.h"

#include "racedata/Clock.h"

#include <QStringList>
#include <stdexcept>

namespace tavek::lasttime {

QString format(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QDateTime defaultValue()
{
    return clock::now().addDays(-8);
}

std::optional<QDateTime> tryParse(const QString& text)
{
    const QString t = text.trimmed();
    // Leading zeros may be missing ("2005/4/9 5:03:00"), and so may the time.
    for (const auto* form : {"yyyy/M/d H:m:s", "yyyy/M/d H:m", "yyyy/M/d"}) {
        const QDateTime at = QDateTime::fromString(t, QLatin1String(form));
        if (at.isValid())
            return at;
    }
    return std::nullopt;
}

QDateTime parse(const QString& text)
{
    return tryParse(text).value_or(defaultValue());
}

std::optional<QDateTime> fromTimestamp(const QString& timestamp)
{
    const QString t = timestamp.trimmed();
    if (t.isEmpty() || t == QStringLiteral("00000000000000"))
        return std::nullopt;
    const QDateTime at = QDateTime::fromString(t, QStringLiteral("yyyyMMddHHmmss"));
    if (t.size() != 14 || !at.isValid())
        throw std::runtime_error(
            QStringLiteral("JV-Link の最終ファイル時刻 \"%1\" は日時として読めません").arg(timestamp).toStdString());
    return at;
}

}  // namespace tavek::lasttime
