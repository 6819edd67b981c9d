#include "controls/PixelFont.h"

#include <QStringList>

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    return pixelFont(QFont(family), pixels, bold);
}

QFont pixelFont(QFont base, int pixels, bool bold)
{
    base.setPixelSize(pixels);
    base.setBold(bold);
    return base;
}

QFont boardFont(int pixels, bool bold)
{
    QFont f = pixelFont(QStringLiteral("ＭＳ ゴシック"), pixels, bold);
    f.setFamilies(QStringList{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    f.setStyleHint(QFont::Monospace);
    return f;
}
