// The field's text rules, each one handed to NumEditText; they stay
// operations of the field so that a descendant may replace one.
#include "controls/SaNumEdit.h"

QString TSaNumEdit::NormalizeText(QByteArrayView cp932) const
{
    return rules_.normalize(cp932);
}

QString TSaNumEdit::TrimZeros(const QString& value) const
{
    return tavek::controls::NumEditText::trimZeros(value);
}

TSaNumEdit::ValueParts TSaNumEdit::SplitValue(const QString& value) const
{
    return tavek::controls::NumEditText::split(value);
}

QString TSaNumEdit::JoinValue(const ValueParts& parts) const
{
    return tavek::controls::NumEditText::join(parts);
}

QString TSaNumEdit::GroupThousands(const QString& digits) const
{
    return tavek::controls::NumEditText::groupThousands(digits);
}

QString TSaNumEdit::FormatValue(const QString& value) const
{
    return rules_.format(value);
}

QString TSaNumEdit::DisplayTextOf(const QString& value) const
{
    return rules_.display(value);
}

QString TSaNumEdit::TemplateText() const
{
    return rules_.templateText(value_);
}

QString TSaNumEdit::FullTemplateText() const
{
    return rules_.fullTemplateText();
}
