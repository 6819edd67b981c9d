#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Code tables and small conversions that belong to the JV-Data records.
namespace tavek::keiba {

// Short course name of a two-character course code, 6 bytes in CP932 (the
// name padded with blanks): "05" -> "東京  ", "45" -> "地方  ", "A4" -> "海外  ",
// any other code six blanks. Used in the race header.
QString shortCourseName(QByteArrayView code);

// Two-character course name, 4 bytes in CP932 ("05" -> "東京", "C7" -> "ア首");
// four blanks for a code without a name. Used in the race items.
QString courseName2(QByteArrayView code);

// Bracket (枠) 1..8 of horse number `horse` when `registered` runners are
// registered, the higher brackets taking the extra runners.
int bracketOf(int registered, int horse);

// A number field shown without leading zeros in its own width: "08" -> " 8",
// "00" and blanks -> all blanks.
QString blankPaddedNumber(QByteArrayView field);

// `text` with the bytes from 1-based `position` on replaced by `replacement`;
// the length stays the same (a replacement running past the end is cut).
QByteArray overwrite(QByteArray text, int position, QByteArrayView replacement);

}  // namespace tavek::keiba
