#pragma once

#include <QFont>
#include <QString>

// The windows are laid out in pixels, so their fonts are sized in pixels too:
// a font of `family`, or `base` resized, at `pixels` pixels.
QFont pixelFont(const QString& family, int pixels, bool bold = false);
QFont pixelFont(QFont base, int pixels, bool bold = false);

// The fixed-pitch font of the boards' figures, "ＭＳ ゴシック" at `pixels`, or
// where it is missing its metric twin IPAGothic, whose half-width digits take
// the same half of the size: a fallback of the system's would choose a wider
// sans-serif that must be drawn smaller to fit the cells.
QFont boardFont(int pixels, bool bold = false);
