// The field's text rules: normalising foreign text, trimming zeros and
// formatting the value for display. None of them looks at the screen.
#include "controls/SaNumEdit.h"

namespace {

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

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
        if (!isLeadByte(b) || i + 1 >= bytes.size())
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

QString TSaNumEdit::NormalizeText(QByteArrayView cp932) const
{
    const QString converted = convertFullWidth(cp932);
    QString kept;
    for (qsizetype i = 0; i < converted.size(); ++i) {
        const QChar c = converted[i];
        if (c.isDigit() && c.unicode() < 0x80)
            kept += c;
        else if (c == u',')
            continue;
        else if (c == u'.' && m_decimalLength > 0 && !kept.contains(u'.'))
            kept += c;
        else if (c == u'-' && m_minus && i == 0)
            kept += c;
        else
            break;
    }
    ValueParts p = SplitValue(kept);
    if (p.decimals.size() > m_decimalLength)
        p.decimals.truncate(m_decimalLength);
    if (p.integer.size() > m_integerLength)
        return {};
    return JoinValue(p);
}

QString TSaNumEdit::TrimZeros(const QString& value) const
{
    ValueParts p = SplitValue(value);
    if (p.integer.isEmpty() && p.point.isEmpty())
        return value;  // empty or a lone minus
    qsizetype n = 0;
    while (n < p.integer.size() && p.integer[n] == u'0')
        ++n;
    p.integer.remove(0, n);
    if (p.integer.isEmpty())
        p.integer = QStringLiteral("0");
    return JoinValue(p);
}

TSaNumEdit::ValueParts TSaNumEdit::SplitValue(const QString& value) const
{
    ValueParts p;
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

QString TSaNumEdit::JoinValue(const ValueParts& parts) const
{
    return parts.sign + parts.integer + parts.point + parts.decimals;
}

QString TSaNumEdit::GroupThousands(const QString& digits) const
{
    QString out = digits;
    for (qsizetype i = out.size() - 3; i > 0; i -= 3)
        out.insert(i, u',');
    return out;
}

QString TSaNumEdit::FormatValue(const QString& value) const
{
    ValueParts p = SplitValue(value);
    if (m_comma)
        p.integer = GroupThousands(p.integer);
    if (m_decimalFixed && m_decimalLength > 0) {
        p.decimals = p.decimals.left(m_decimalLength).leftJustified(m_decimalLength, u'0');
        p.point = QStringLiteral(".");
    }
    if ((m_integerFixed || m_decimalFixed) && p.integer.isEmpty())
        p.integer = QStringLiteral("0");
    return JoinValue(p);
}

QString TSaNumEdit::DisplayTextOf(const QString& value) const
{
    const QString number = FormatValue(value);
    return number.isEmpty() ? number : m_leftMark + number + m_rightMark;
}

QString TSaNumEdit::TemplateText() const
{
    ValueParts p = SplitValue(m_value);
    if (m_comma)
        p.integer = GroupThousands(p.integer);
    if (m_integerFixed) {
        const QString zeros(m_integerLength, u'0');
        p.integer = m_comma ? GroupThousands(zeros) : zeros;
        p.sign = m_minus ? QStringLiteral("-") : QString();
    }
    if (m_decimalFixed && m_decimalLength > 0) {
        p.point = QStringLiteral(".");
        p.decimals = QString(m_decimalLength, u'0');
    }
    if (m_integerFixed || m_decimalFixed) {
        if (p.integer.isEmpty())
            p.integer = QStringLiteral("0");
    }
    return JoinValue(p);
}

QString TSaNumEdit::FullTemplateText() const
{
    ValueParts p;
    p.sign = m_minus ? QStringLiteral("-") : QString();
    const QString zeros(m_integerLength, u'0');
    p.integer = m_comma ? GroupThousands(zeros) : zeros;
    if (m_decimalLength > 0) {
        p.point = QStringLiteral(".");
        p.decimals = QString(m_decimalLength, u'0');
    }
    return JoinValue(p);
}
