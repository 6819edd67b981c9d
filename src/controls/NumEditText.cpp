#include "controls/NumEditText.h"

#include "racedata/Cp932.h"

#include <algorithm>

namespace tavek::controls {

namespace {

bool isSingleByte(unsigned char b)
{
    return b <= 0x7F || (b >= 0xA1 && b <= 0xDF);
}

// Shift-JIS bytes to plain text: full-width digits, minus and full stop
// become ASCII, full-width commas vanish, anything else double-byte ends it.
QString convertFullWidth(QByteArrayView bytes)
{
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isSingleByte(b)) {
            out += QChar(b);
            ++i;
            continue;
        }
        if (!tavek::cp932::isLeadByte(b) || i + 1 >= bytes.size())
            break;
        const int c = (b << 8) | static_cast<unsigned char>(bytes[i + 1]);
        if (c >= 0x824F && c <= 0x8258)
            out += QChar(u'0' + (c - 0x824F));
        else if (c == 0x817C)
            out += u'-';
        else if (c == 0x8144)
            out += u'.';
        else if (c != 0x8143)
            break;
        i += 2;
    }
    return out;
}

}  // namespace

void NumEditText::setIntegerLength(int n)
{
    integerLength_ = std::max(0, n);
}

void NumEditText::setDecimalLength(int n)
{
    decimalLength_ = std::max(0, n);
}

QString NumEditText::normalize(QByteArrayView cp932) const
{
    const QString converted = convertFullWidth(cp932);
    QString kept;
    for (qsizetype i = 0; i < converted.size(); ++i) {
        const QChar c = converted[i];
        if (c.isDigit() && c.unicode() < 0x80)
            kept += c;
        else if (c == u',')
            continue;
        else if (c == u'.' && decimalLength_ > 0 && !kept.contains(u'.'))
            kept += c;
        else if (c == u'-' && minus_ && i == 0)
            kept += c;
        else
            break;
    }
    Parts p = split(kept);
    if (p.decimals.size() > decimalLength_)
        p.decimals.truncate(decimalLength_);
    if (p.integer.size() > integerLength_)
        return {};
    return join(p);
}

QString NumEditText::trimZeros(const QString& value)
{
    Parts p = split(value);
    if (p.integer.isEmpty() && p.point.isEmpty())
        return value;  // empty or a lone minus
    qsizetype n = 0;
    while (n < p.integer.size() && p.integer[n] == u'0')
        ++n;
    p.integer.remove(0, n);
    if (p.integer.isEmpty())
        p.integer = QStringLiteral("0");
    return join(p);
}

NumEditText::Parts NumEditText::split(const QString& value)
{
    Parts p;
    QString rest = value;
    if (rest.startsWith(u'-')) {
        p.sign = QStringLiteral("-");
        rest.remove(0, 1);
    }
    const qsizetype dot = rest.indexOf(u'.');
    if (dot < 0) {
        p.integer = rest;
    } else {
        p.integer = rest.left(dot);
        p.point = QStringLiteral(".");
        p.decimals = rest.mid(dot + 1);
    }
    return p;
}

QString NumEditText::join(const Parts& parts)
{
    return parts.sign + parts.integer + parts.point + parts.decimals;
}

QString NumEditText::groupThousands(const QString& digits)
{
    QString out = digits;
    for (qsizetype i = out.size() - 3; i > 0; i -= 3)
        out.insert(i, u',');
    return out;
}

QChar NumEditText::asciiForm(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(u'0' + (u - 0xFF10));
    if (u == 0xFF0D || u == 0x2212)
        return u'-';
    if (u == 0xFF0E)
        return u'.';
    return c;
}

NumEditText::Parts NumEditText::grouped(const QString& value) const
{
    Parts p = split(value);
    if (comma_)
        p.integer = groupThousands(p.integer);
    return p;
}

QString NumEditText::typed(const QString& value) const
{
    return join(grouped(value));
}

QString NumEditText::format(const QString& value) const
{
    Parts p = grouped(value);
    if (decimalFixed_ && decimalLength_ > 0) {
        p.decimals = p.decimals.left(decimalLength_).leftJustified(decimalLength_, u'0');
        p.point = QStringLiteral(".");
    }
    if ((integerFixed_ || decimalFixed_) && p.integer.isEmpty())
        p.integer = QStringLiteral("0");
    return join(p);
}

QString NumEditText::display(const QString& value) const
{
    const QString number = format(value);
    return number.isEmpty() ? number : leftMark_ + number + rightMark_;
}

QString NumEditText::templateText(const QString& value) const
{
    Parts p = grouped(value);
    if (integerFixed_) {
        const QString zeros(integerLength_, u'0');
        p.integer = comma_ ? groupThousands(zeros) : zeros;
        p.sign = minus_ ? QStringLiteral("-") : QString();
    }
    if (decimalFixed_ && decimalLength_ > 0) {
        p.point = QStringLiteral(".");
        p.decimals = QString(decimalLength_, u'0');
    }
    if ((integerFixed_ || decimalFixed_) && p.integer.isEmpty())
        p.integer = QStringLiteral("0");
    return join(p);
}

QString NumEditText::fullTemplateText() const
{
    Parts p;
    p.sign = minus_ ? QStringLiteral("-") : QString();
    const QString zeros(integerLength_, u'0');
    p.integer = comma_ ? groupThousands(zeros) : zeros;
    if (decimalLength_ > 0) {
        p.point = QStringLiteral(".");
        p.decimals = QString(decimalLength_, u'0');
    }
    return join(p);
}

}  // namespace tavek::controls
