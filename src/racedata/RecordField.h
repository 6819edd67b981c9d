#pragma once

#include <QByteArrayView>
#include <stdexcept>
#include <string>

// Field access and the three numeric readings of JV-Data records.
// A record is CP932 bytes; positions are 1-based byte positions as JV-Data
// counts them. Fields outside the record are cut short, never read past.
namespace tavek::record {

// The field of `length` bytes at 1-based `position`; shorter (or empty) where
// the record ends early.
QByteArrayView field(QByteArrayView record, int position, int length);

// Thrown when a field that must be a number is neither blank nor a number.
class FieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Blank-as-absent: blanks trimmed; empty gives -1; otherwise the integer value.
// Anything else (including a value beyond 32 bits) throws FieldError.
int blankAsAbsent(QByteArrayView field);

// Blank-as-absent without throwing: false when the field is neither blank nor
// a number (`value` is then -1). For readers that must not fail, such as
// painting, which show such a field as absent.
bool tryBlankAsAbsent(QByteArrayView field, int& value);

// Blank-as-zero: leading blanks skipped, then decimal digits up to the first
// other byte; no digits give 0. Saturates at the 32-bit maximum.
int blankAsZero(QByteArrayView field);

// Zero-default: the integer value of the field, 0 when it is not an integer.
int zeroDefault(QByteArrayView field);

// Convenience forms that cut the field first.
inline int blankAsAbsent(QByteArrayView record, int position, int length)
{
    return blankAsAbsent(field(record, position, length));
}
inline int blankAsZero(QByteArrayView record, int position, int length)
{
    return blankAsZero(field(record, position, length));
}
inline int zeroDefault(QByteArrayView record, int position, int length)
{
    return zeroDefault(field(record, position, length));
}

}  // namespace tavek::record
