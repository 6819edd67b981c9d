#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Cutting the bytes of a record file, a day file or the settings file into
// lines. A line ends at LF; a CR right before that LF (or at the very end)
// belongs to the line end, any other CR to the line.
namespace tavek::recordlines {

enum class Empty { Keep, Skip };

// Calls `take(number, line)` for each line of `bytes` (number from 1, line
// without its end, as lines() gives them) until it returns false.
template <typename Take>
void forEach(QByteArrayView bytes, Take take)
{
    int number = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!take(++number, line))
            return;
        start = end + 1;
    }
}

// The lines without their ends. A final line end starts no further line, so
// "" gives no line and "a\n" one; an unterminated last line is kept. With
// Empty::Skip, lines that are empty once their ends are gone are left out.
QList<QByteArray> lines(QByteArrayView bytes, Empty empty = Empty::Keep);

// The record at `offset` of a stream of CR-LF-terminated records, its CR LF
// included; the rest of the stream when no CR LF follows. Empty at the end.
// Callers step on by its size.
QByteArrayView recordAt(QByteArrayView stream, qsizetype offset);

}  // namespace tavek::recordlines
