#pragma once

#include <QFont>
#include <QString>

// The windows are laid out in pixels, so their fonts are sized in pixels too:
// a font of `family`, or `base` resized, at `pixels` pixels.
QFont pixelFont(const QString& family, int pixels, bool bold = false);
QFont pixelFont(QFont base, int pixels, bool bold = false);
