#include "racedata/RecordField.h"

#include "racedata/RecordLayout.h"

#include <charconv>
#include <climits>
#include <optional>

namespace tavek::record {

QByteArrayView raceDate(QByteArrayView record)
{
    return field(record, layout::kYear, 8);
}

namespace {

bool isBlank(char c)
{
    return c == ' ';
}

QByteArrayView trimmed(QByteArrayView f)
{
    while (!f.isEmpty() && isBlank(f.front()))
        f = f.sliced(1);
    while (!f.isEmpty() && isBlank(f.back()))
        f.chop(1);
    return f;
}

// A whole-text decimal integer within 32 bits, or nothing. The numeric
// fields are counts: a minus sign makes one no number, as a vote count of
// "-0000000100" would otherwise give negative odds.
std::optional<int> parseInt(QByteArrayView f)
{
    if (f.isEmpty())
        return std::nullopt;
    const char* first = f.data();
    const char* last = f.data() + f.size();
    if (*first == '+')
        ++first;
    if (first == last || *first == '+' || *first == '-')
        return std::nullopt;
    int value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return value;
}

}  // namespace

namespace detail {

bool tryBlankAsAbsentSlow(QByteArrayView f, int& value)
{
    value = -1;
    const QByteArrayView t = trimmed(f);
    if (t.isEmpty())
        return true;
    const auto v = parseInt(t);
    if (v)
        value = *v;
    return v.has_value();
}

}  // namespace detail

int blankAsAbsent(QByteArrayView f)
{
    int value = -1;
    if (tryBlankAsAbsent(f, value))
        return value;
    const QByteArrayView t = trimmed(f);
    throw FieldError("'" + std::string(t.data(), size_t(t.size())) + "' is not a valid integer value");
}

int blankAsZero(QByteArrayView f)
{
    qsizetype i = 0;
    while (i < f.size() && isBlank(f[i]))
        ++i;
    long long value = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i) {
        value = value * 10 + (f[i] - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return int(value);
}

int zeroDefault(QByteArrayView f)
{
    QByteArrayView t = f;
    while (!t.isEmpty() && isBlank(t.front()))
        t = t.sliced(1);
    return parseInt(t).value_or(0);
}

}  // namespace tavek::record
