#pragma once

#include <QByteArrayView>
#include <QString>

// Text taken from files, shown in messages and on a terminal.
namespace tavek::shown {

// `text` with its control characters (C0, DEL and C1, NUL included) written
// as \xHH escapes, line feed and tab kept when `keepLines` is set. Bytes of a
// day file then cannot move a terminal's cursor, and a message that quotes
// them is not cut at a NUL.
QString escapeControls(const QString& text, bool keepLines = false);

// The bytes of a record field or file name for a message: CP932 text with
// its control characters escaped.
QString bytes(QByteArrayView bytes);

}  // namespace tavek::shown
