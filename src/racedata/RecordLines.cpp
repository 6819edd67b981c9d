#include "racedata/RecordLines.h"

namespace tavek::recordlines {

QList<QByteArray> lines(QByteArrayView bytes, Empty empty)
{
    QList<QByteArray> out;
    forEach(bytes, [&](int, QByteArrayView line) {
        if (empty == Empty::Keep || !line.isEmpty())
            out.append(line.toByteArray());
        return true;
    });
    return out;
}

QByteArrayView recordAt(QByteArrayView stream, qsizetype offset)
{
    const qsizetype end = stream.indexOf("\r\n", offset);
    return stream.sliced(offset, end < 0 ? stream.size() - offset : end + 2 - offset);
}

}  // namespace tavek::recordlines
