#include "racedata/ShownText.h"

#include "racedata/Cp932.h"

#include <algorithm>

namespace tavek::shown {

namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

QString escapeControls(const QString& text, bool keepLines)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return isControl(c.unicode()); }))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!isControl(u) || (keepLines && (u == u'\n' || u == u'\t')))
            out.append(c);
        else
            out.append(QStringLiteral("\\x%1").arg(unsigned(u), 2, 16, QLatin1Char('0')));
    }
    return out;
}

QString bytes(QByteArrayView bytes)
{
    return escapeControls(cp932::decode(bytes));
}

}  // namespace tavek::shown
