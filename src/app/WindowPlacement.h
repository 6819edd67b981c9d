#pragma once

#include <QList>
#include <QRect>

namespace tavek::placement {

// The part of a window's top edge that must lie on a screen for the user to
// reach its title bar and drag it.
inline constexpr int kTitleBarHeight = 30;
inline constexpr int kTitleBarGrip = 100;

// The rectangle of saved values, each first bounded so that no arithmetic on
// it can overflow (a settings file may hold any integer).
QRect savedRect(int left, int top, int width, int height);

// A saved window placement made usable on `screens` (their available areas,
// the primary first). A placement whose title bar can be reached on some
// screen and which fits its screen is returned unchanged. Otherwise the
// screen that holds most of it (the primary when none does) takes it: cut to
// that screen's size where larger, and moved to lie inside it.
QRect onScreen(const QRect& saved, const QList<QRect>& screens);

}  // namespace tavek::placement
