#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

namespace tavek::controls {

// The text rules of the numeric field (TSaNumEdit), apart from any widget:
// what a value text may hold under the digit limits, how foreign text becomes
// one, and how a value is drawn (grouped, padded, with marks).
//
// A value text is "", "-", or an optional "-", integer digits without leading
// zeros ("0" when only decimals follow) and an optional "." with decimals.
class NumEditText {
public:
    // A value text cut into its parts; point is "." or empty.
    struct Parts {
        QString sign, integer, point, decimals;
    };

    int integerLength() const { return integerLength_; }
    // Negative lengths count as 0.
    void setIntegerLength(int n);
    int decimalLength() const { return decimalLength_; }
    void setDecimalLength(int n);
    bool minus() const { return minus_; }
    void setMinus(bool on) { minus_ = on; }
    bool comma() const { return comma_; }
    void setComma(bool on) { comma_ = on; }
    bool decimalFixed() const { return decimalFixed_; }
    void setDecimalFixed(bool on) { decimalFixed_ = on; }
    bool integerFixed() const { return integerFixed_; }
    void setIntegerFixed(bool on) { integerFixed_ = on; }
    QString leftMark() const { return leftMark_; }
    void setLeftMark(const QString& mark) { leftMark_ = mark; }
    QString rightMark() const { return rightMark_; }
    void setRightMark(const QString& mark) { rightMark_ = mark; }

    // Shift-JIS (CP932) text to a value text under the limits: full-width
    // digits, minus and full stop count as ASCII, commas vanish, the first
    // character that does not fit ends the text, surplus decimals are cut and
    // too many integer digits give "". Leading zeros are left to trimZeros.
    QString normalize(QByteArrayView cp932) const;
    // Drops leading zeros of the integer part, writing "0" for an empty one;
    // "" and "-" stay as they are.
    static QString trimZeros(const QString& value);
    static Parts split(const QString& value);
    static QString join(const Parts& parts);
    // "1234567" -> "1,234,567".
    static QString groupThousands(const QString& digits);
    // A typed character in its ASCII form: full-width digits, minus (also
    // U+2212) and full stop, as an input method or a Japanese keyboard sends them.
    static QChar asciiForm(QChar c);

    // The value grouped as far as it is typed (no padding): where the caret stands.
    QString typed(const QString& value) const;
    // The number as drawn: grouped, padded by the fixed flags.
    QString format(const QString& value) const;
    // format() between the marks; "" for an empty number.
    QString display(const QString& value) const;
    // The box the number is right-aligned in: the value itself, or with
    // IntegerFixed every integer digit (and the sign) and with DecimalFixed
    // every decimal, as zeros.
    QString templateText(const QString& value) const;
    // The widest value the limits allow, as zeros.
    QString fullTemplateText() const;

private:
    Parts grouped(const QString& value) const;

    int integerLength_ = 9;
    int decimalLength_ = 3;
    bool minus_ = true;
    bool comma_ = true;
    bool decimalFixed_ = false;
    bool integerFixed_ = false;
    QString leftMark_, rightMark_;
};

}  // namespace tavek::controls
