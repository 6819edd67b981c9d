#include "app/WindowPlacement.h"

#include <algorithm>

namespace tavek::placement {

namespace {

long long overlapArea(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

bool titleBarReachable(const QRect& window, const QRect& screen)
{
    const QRect bar(window.left(), window.top(), window.width(), kTitleBarHeight);
    const QRect shown = bar.intersected(screen);
    // The whole height of the bar: a window whose top is above the screen
    // cannot be dragged down again.
    return window.top() >= screen.top() && shown.height() == kTitleBarHeight
           && shown.width() >= std::min(kTitleBarGrip, window.width());
}

constexpr int kFar = 1'000'000;

}  // namespace

QRect savedRect(int left, int top, int width, int height)
{
    return {std::clamp(left, -kFar, kFar), std::clamp(top, -kFar, kFar), std::clamp(width, 0, kFar),
            std::clamp(height, 0, kFar)};
}

QRect onScreen(const QRect& saved, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return saved;
    // The screen that holds most of the window; the primary when none holds any.
    const QRect* home = &screens.front();
    long long most = 0;
    for (const QRect& screen : screens) {
        if (const long long area = overlapArea(saved, screen); area > most) {
            most = area;
            home = &screen;
        }
    }
    const bool reachable = std::any_of(screens.begin(), screens.end(),
                                       [&](const QRect& screen) { return titleBarReachable(saved, screen); });
    const bool fits = saved.width() <= home->width() && saved.height() <= home->height();
    if (reachable && fits)
        return saved;

    QRect placed(saved.topLeft(),
                 QSize(std::min(saved.width(), home->width()), std::min(saved.height(), home->height())));
    placed.moveLeft(std::clamp(placed.left(), home->left(), home->right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), home->top(), home->bottom() + 1 - placed.height()));
    return placed;
}

}  // namespace tavek::placement
