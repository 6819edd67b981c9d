#include "advisor/model/AdvisorInput.h"

#include "racedata/NumberFormat.h"

namespace tavek::advice {

namespace {

constexpr int kMaxDigits = 9;

template <class T>
Reading<T> refused(const QString& text)
{
    return {T{}, text};
}

// A text exactDecimal does not read: ask for it when the field is empty;
// otherwise say what form it takes, since a value such as 1e-5 may well lie
// in the range.
template <class T>
Reading<T> unreadable(const QString& what, QStringView text)
{
    if (text.trimmed().isEmpty())
        return refused<T>(QStringLiteral("%1を入力してください。").arg(what));
    return refused<T>(QStringLiteral("%1は 0.00001 のように、整数部・小数部とも9桁までの小数で入力してください"
                                     "（1e-5 のような指数表記は使えません）。")
                          .arg(what));
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<Fraction> exactDecimal(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    if ((whole.isEmpty() && decimals.isEmpty()) || whole.size() > kMaxDigits || decimals.size() > kMaxDigits)
        return std::nullopt;
    Fraction f{0, 1};
    for (QChar c : whole) {
        if (!isDigit(c))
            return std::nullopt;
        f.numerator = f.numerator * 10 + (c.unicode() - u'0');
    }
    for (QChar c : decimals) {
        if (!isDigit(c))
            return std::nullopt;
        f.numerator = f.numerator * 10 + (c.unicode() - u'0');
        f.denominator *= 10;
    }
    return f;
}

Reading<Fraction> readProbability(QStringView text, ProbForm form)
{
    const std::optional<Fraction> f = exactDecimal(text);
    if (!f)
        return unreadable<Fraction>(
            form == ProbForm::FairOdds ? QStringLiteral("適正オッズ") : QStringLiteral("的中確率"), text);
    switch (form) {
    case ProbForm::Probability:
        if (f->numerator <= 0 || f->numerator >= f->denominator)
            return refused<Fraction>(QStringLiteral("的中確率は0より大きく1より小さい数で入力してください。"));
        return {*f, {}};
    case ProbForm::Percent:
        if (f->numerator <= 0 || f->numerator >= 100 * f->denominator)
            return refused<Fraction>(QStringLiteral("的中確率は0%より大きく100%より小さい値で入力してください。"));
        return {Fraction{f->numerator, f->denominator * 100}, {}};
    case ProbForm::FairOdds:
        break;
    }
    if (f->numerator <= f->denominator)
        return refused<Fraction>(QStringLiteral("適正オッズは1.0倍より大きい値で入力してください。"));
    return {Fraction{f->denominator, f->numerator}, {}};
}

Reading<long long> readBankroll(QStringView text)
{
    const std::optional<Fraction> f = exactDecimal(text);
    if (!f || f->denominator != 1 || f->numerator < pools::kYenPerVote || f->numerator > kMaxYen)
        return refused<long long>(
            QStringLiteral("資金は100円から%1円までの金額で入力してください。").arg(fmt::grouped11(kMaxYen).trimmed()));
    return {f->numerator, {}};
}

Reading<Fraction> readKellyFraction(QStringView text)
{
    const std::optional<Fraction> f = exactDecimal(text);
    if (!f)
        return unreadable<Fraction>(QStringLiteral("ケリー係数"), text);
    if (f->numerator <= 0 || f->numerator > f->denominator)
        return refused<Fraction>(QStringLiteral("ケリー係数は0より大きく1以下の数で入力してください。"));
    return {*f, {}};
}

Reading<long long> readStake(QStringView text, long long least, const QString& what)
{
    const std::optional<Fraction> f = exactDecimal(text);
    if (!f || f->denominator != 1 || f->numerator % pools::kYenPerVote != 0 || f->numerator < least
        || f->numerator > kMaxYen)
        return refused<long long>(QStringLiteral("%1は100円単位で、%2円から%3円までの金額で入力してください。")
                                      .arg(what, fmt::grouped11(least).trimmed(), fmt::grouped11(kMaxYen).trimmed()));
    return {f->numerator, {}};
}

}  // namespace tavek::advice
