#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QStringList>
#include <vector>

class QWidget;

// The numbered markers of a picture: which widget each callout of the manual
// names, and where its marker goes so that it points at the widget without
// hiding what the widget shows.
namespace tavek::callouts {

// The diameter of a marker, in the window's pixels.
inline constexpr qreal kDiameter = 22;
// The white margin around a window in the manual, where the marker of a
// widget at the window's edge goes without hiding anything.
inline constexpr int kMargin = 26;

// `window` on white with kMargin all round and a thin frame: the window's
// grey edge would fade into the page without it.
QImage framed(const QImage& window);

// The one widget of `window` (the window itself included) visible in it that
// `path` names: {A} a widget named A, {A/B} a widget named B inside one named
// A. Throws std::runtime_error saying why when none or several are.
QWidget* find(QWidget* window, const QStringList& path);

// Every callout `window` offers, for the manual's writers: for each named
// widget that shows, the shortest path that find() takes to it alone.
QStringList offered(QWidget* window);

// The part of `widget` that shows in `window`, in the window's coordinates.
QRect shownRect(const QWidget* window, const QWidget* widget);

// The centres of the markers for the widgets at `named` (in their order, in
// the logical pixels of `picture`): each touches its widget, outside it when
// there is room, where it hides the least of what the picture shows (text,
// lines, edges: wherever neighbouring pixels differ), never another marker
// nor the picture's edge, and never most of a small widget it names.
// A marker of named[i] also stays inside within[i] when given: the part of
// the window its widget belongs to, so that no marker stands on a tab bar or
// a neighbouring panel and seems to name what is there.
std::vector<QPointF> place(const QImage& picture, const std::vector<QRect>& named,
                           const std::vector<QRect>& within = {});

// The part of `window` a marker of `widget` belongs in: the tab page holding
// it, or the whole window.
QRect regionOf(const QWidget* window, const QWidget* widget);

// Draws marker i + 1 at centres[i] on `picture` (in logical pixels of its
// device pixel ratio).
void draw(QImage& picture, const std::vector<QPointF>& centres);

}  // namespace tavek::callouts
