#pragma once

#include <QString>

// Every number the program shows is formatted here, so the window and
// tavek-cli print the same texts.
namespace tavek::fmt {

// "%W.1f": one decimal, right-aligned in `width`. The value is first taken to
// 18 significant decimal digits, then rounded at the first decimal with halves
// away from zero (18.25 -> "  18.3"), unlike printf's ties-to-even on binary.
QString fixed1(long double value, int width);
inline QString odds6(long double v)
{
    return fixed1(v, 6);
}  // "%6.1f"
inline QString odds9(long double v)
{
    return fixed1(v, 9);
}  // "%9.1f"

// A count of tenths as "%W.1f" (123 -> "12.3"), exactly, for odds that are
// whole tenths.
QString tenths(long long tenths, int width);

// "%Wd": decimal integer right-aligned in `width` ("%9d", "%10d", "%2d", ...).
QString integer(long long value, int width);

// "%W.0n": thousands separated by ",", no decimals, right-aligned in `width`.
// Every count of votes on screen is written so.
QString grouped(long long value, int width);
// "%11.0n".
QString grouped11(long long value);
// "%11.0n円": the same followed by 円.
QString yen11(long long value);

}  // namespace tavek::fmt
