#pragma once

#include <QPixmap>

// The 300 x 200 title picture of the about box and the splash window, drawn
// rather than shipped so that it scales with the fonts at hand.
QPixmap titlePicture();

// Credit line of the about box and the splash window (the maker's home page
// that the about box opens is tavek::identity::homePage()).
inline constexpr char16_t kCreditLine[] = u"Tavek for JRA-VAN Data Lab.";
