#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

// Field access and the three numeric readings of JV-Data records.
// A record is CP932 bytes; positions are 1-based byte positions as JV-Data
// counts them. Fields outside the record are cut short, never read past.
namespace tavek::record {

// The field of `length` bytes at 1-based `position`; shorter (or empty) where
// the record ends early. Inline: a day load and a season's statistics cut
// millions.
inline QByteArrayView field(QByteArrayView record, int position, int length)
{
    if (position < 1 || length <= 0 || position > record.size())
        return {};
    const qsizetype start = position - 1;
    return record.sliced(start, std::min<qsizetype>(length, record.size() - start));
}

// The race date of a record with the common header (positions 12-19,
// yyyymmdd); shorter where the record ends early.
QByteArrayView raceDate(QByteArrayView record);

// Thrown when a field that must be a number is neither blank nor a number.
class FieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Blank-as-absent: blanks trimmed; empty gives -1; otherwise the integer value
// (never negative: the fields are counts, and a sign makes one no number).
// Anything else (including a value beyond 32 bits) throws FieldError.
int blankAsAbsent(QByteArrayView field);

namespace detail {
// Eight ASCII digits at once: nothing when a byte is not a digit.
inline std::optional<std::uint64_t> digits8(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if ((((v + 0x4646464646464646ULL) | (v - 0x3030303030303030ULL)) & 0x8080808080808080ULL) != 0)
        return std::nullopt;
    // Little-endian: the first digit is the lowest byte.
    v = ((v & 0x0F0F0F0F0F0F0F0FULL) * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    return ((v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
}
bool tryBlankAsAbsentSlow(QByteArrayView field, int& value);
}  // namespace detail

// Blank-as-absent without throwing: false when the field is neither blank nor
// a number (`value` is then -1). For readers that must not fail, such as
// painting, which show such a field as absent.
inline bool tryBlankAsAbsent(QByteArrayView field, int& value)
{
    // Inline fast path for the usual 11-digit vote field: a day load reads thousands.
    if (field.size() == 11) {
        const unsigned h0 = unsigned(static_cast<unsigned char>(field[0])) - '0';
        const unsigned h1 = unsigned(static_cast<unsigned char>(field[1])) - '0';
        const unsigned h2 = unsigned(static_cast<unsigned char>(field[2])) - '0';
        const std::optional<std::uint64_t> low = detail::digits8(field.data() + 3);
        const std::uint64_t v = (h0 * 100 + h1 * 10 + h2) * 100'000'000ULL + low.value_or(0);
        if (h0 <= 9 && h1 <= 9 && h2 <= 9 && low && v <= std::uint64_t(INT_MAX)) {
            value = int(v);
            return true;
        }
        // All blank, as the entries of runners outside the field are: most
        // of a small field's trifecta.
        if (std::memcmp(field.data(), "           ", 11) == 0) {
            value = -1;
            return true;
        }
    }
    return detail::tryBlankAsAbsentSlow(field, value);
}

// Blank-as-zero: leading blanks skipped, then decimal digits up to the first
// other byte; no digits give 0. Saturates at the 32-bit maximum.
int blankAsZero(QByteArrayView field);

// Zero-default: the integer value of the field, 0 when it is not an integer
// (a negative one included).
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
