#include "controls/SaNumEditExC.h"

#include <charconv>
#include <stdexcept>

int TSaNumEditExC::AsInteger() const
{
    bool ok = false;
    const int value = Text().toInt(&ok);
    return ok ? value : 0;
}

long double TSaNumEditExC::AsFloat() const
{
    // The value text holds only ASCII digits, "-" and "."; from_chars reads it
    // without regard to the locale.
    const QByteArray text = Text().toLatin1();
    long double value = 0;
    const auto [end, ec] = std::from_chars(text.constData(), text.constData() + text.size(), value);
    if (text.isEmpty() || ec != std::errc() || end != text.constData() + text.size())
        throw std::runtime_error(QStringLiteral("「%1」は数値として読めません。").arg(Text()).toStdString());
    return value;
}
