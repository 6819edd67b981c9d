#include "racedata/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavek::fmt {

namespace {

QString rightAligned(const std::string& s, int width)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size())).rightJustified(width, u' ');
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

QString fixed1(long double value, int width)
{
    if (std::isnan(value))
        return rightAligned("NAN", width);
    if (std::isinf(value))
        return rightAligned(value < 0 ? "-INF" : "INF", width);
    std::string s = roundedOneDecimal(value);
    if (std::signbit(value) && s != "0.0")
        s.insert(0, 1, '-');
    return rightAligned(s, width);
}

QString integer(long long value, int width)
{
    return rightAligned(std::to_string(value), width);
}

QString grouped11(long long value)
{
    return rightAligned(groupedDigits(value), 11);
}

QString yen11(long long value)
{
    return grouped11(value) + QStringLiteral("円");
}

}  // namespace tavek::fmt
