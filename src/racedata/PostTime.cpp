#include "racedata/PostTime.h"

#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

namespace tavek::posttime {

std::optional<QDateTime> of(QByteArrayView raceRecord)
{
    const QByteArrayView date = layout::raceDate(raceRecord);
    const QByteArrayView time = record::field(raceRecord, layout::kPostTime, layout::kPostTimeLen);
    const QDate day = QDate::fromString(QString::fromLatin1(date), QStringLiteral("yyyyMMdd"));
    const QTime at = QTime::fromString(QString::fromLatin1(time), QStringLiteral("HHmm"));
    if (!day.isValid() || !at.isValid())
        return std::nullopt;
    return QDateTime(day, at);
}

}  // namespace tavek::posttime
