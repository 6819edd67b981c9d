#include "controls/PixelFont.h"

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
