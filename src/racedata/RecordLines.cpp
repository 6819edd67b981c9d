#include "racedata/RecordLines.h"

namespace tavek::recordlines {

QList<QByteArray> lines(QByteArrayView bytes, Empty empty)
{
    QList<QByteArray> out;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (empty == Empty::Keep || !line.isEmpty())
            out.append(line.toByteArray());
        start = end + 1;
    }
    return out;
}

QByteArrayView recordAt(QByteArrayView stream, qsizetype offset)
{
    const qsizetype end = stream.indexOf("\r\n", offset);
    return stream.sliced(offset, end < 0 ? stream.size() - offset : end + 2 - offset);
}

}  // namespace tavek::recordlines
