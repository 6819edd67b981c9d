#include "racedata/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tavek::fmt {

namespace {

// One allocation for the padded text: a board or a list formats hundreds of
// numbers at every race switch.
QString rightAligned(std::string_view s, int width)
{
    const qsizetype length = qsizetype(s.size());
    QString out(std::max<qsizetype>(width, length), u' ');
    QChar* to = out.data() + (out.size() - length);
    for (const char c : s)
        *to++ = QLatin1Char(c);
    return out;
}

// Integer and one decimal digit of |value|, rounded as described in the header.
std::string roundedOneDecimal(long double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", value);
    // buf: [-]d.ddddddddddddddddde[+-]XX
    const char* p = buf;
    if (*p == '-')
        ++p;
    std::string digits;
    digits.push_back(*p++);
    if (*p == '.')
        ++p;
    while (*p >= '0' && *p <= '9')
        digits.push_back(*p++);
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;

    // Keep the digits down to the first decimal: exponent + 2 of them.
    const int keep = exponent + 2;
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = (keep == 0 && digits[0] >= '5');
        kept = "0";
    } else if (keep >= int(digits.size())) {
        kept = digits + std::string(size_t(keep) - digits.size(), '0');
    } else {
        kept = digits.substr(0, size_t(keep));
        roundUp = digits[size_t(keep)] >= '5';
    }
    if (keep <= 0 && roundUp)
        kept = "1";
    else if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9')
            kept[size_t(i--)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[size_t(i)];
    }
    // kept now holds the value times ten as an integer digit string.
    if (kept.size() < 2)
        kept.insert(0, 2 - kept.size(), '0');
    std::string out = kept.substr(0, kept.size() - 1);
    out.erase(0, std::min(out.find_first_not_of('0'), out.size() - 1));
    out += '.';
    out += kept.back();
    return out;
}

std::string groupedDigits(long long value)
{
    const bool negative = value < 0;
    unsigned long long u = negative ? 0ULL - static_cast<unsigned long long>(value)
                                    : static_cast<unsigned long long>(value);
    std::string s = std::to_string(u);
    for (int i = int(s.size()) - 3; i > 0; i -= 3)
        s.insert(size_t(i), 1, ',');
    return negative ? "-" + s : s;
}

}  // namespace

QString tenths(long long tenths, int width)
{
    const unsigned long long u = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                            : static_cast<unsigned long long>(tenths);
    char buf[32];
    char* end = buf;
    if (tenths < 0)
        *end++ = '-';
    end = std::to_chars(end, buf + sizeof buf - 2, u / 10).ptr;
    *end++ = '.';
    *end++ = char('0' + u % 10);
    return rightAligned({buf, size_t(end - buf)}, width);
}

QString fixed1(long double value, int width)
{
    if (std::isnan(value))
        return rightAligned("NAN", width);
    if (std::isinf(value))
        return rightAligned(value < 0 ? "-INF" : "INF", width);
    // Below 10^8 the 18 digits lie within 10^-9 of the value, so a value times
    // ten whose fraction is not within 10^-6 of a half rounds the same way
    // without them; the decimal expansion, costly in printf, is left to the
    // near-ties.
    const long double scaled = std::fabs(value) * 10;
    if (scaled < 1e9L) {
        const long double whole = std::floor(scaled);
        const long double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5L) > 1e-6L) {
            const long long t = static_cast<long long>(whole) + (fraction > 0.5L ? 1 : 0);
            return tavek::fmt::tenths(value < 0 ? -t : t, width);
        }
    }
    std::string s = roundedOneDecimal(value);
    if (std::signbit(value) && s != "0.0")
        s.insert(0, 1, '-');
    return rightAligned(s, width);
}

QString integer(long long value, int width)
{
    char buf[24];
    const char* end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return rightAligned({buf, size_t(end - buf)}, width);
}

QString grouped(long long value, int width)
{
    return rightAligned(groupedDigits(value), width);
}

QString grouped11(long long value)
{
    return grouped(value, 11);
}

QString yen11(long long value)
{
    return grouped11(value) + QStringLiteral("円");
}

}  // namespace tavek::fmt
