#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QStringList>
#include <optional>
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

// The part of it a marker points at: what the widget shows, not an empty end
// of it (a menu bar's menus, a tab widget's tab in view, a status line's
// message, a label's text, a table's cells), or the whole part that shows.
QRect contentRect(const QWidget* window, const QWidget* widget);

// Where a marker goes, and where its leader line ends when it stands apart
// from its widget.
struct Marker {
    QPointF centre;
    std::optional<QPointF> leader;
};

// The markers of the widgets at `named` (in their order, in the logical
// pixels of `picture`). Each points at its widget's part that shows
// something (the menu bar's menus, a table's first cells, a status line's
// text: the start of what the picture shows there, not an empty end of a wide
// widget). It touches that part where it hides the least of what the
// picture shows (text, lines, edges: wherever neighbouring pixels differ) and
// stands the least on other widgets (others[i], which it would seem to name)
// and on other named widgets; where no such spot is free, it stands farther
// off with a leader line to the part. It never covers another marker nor the
// picture's edge, nor most of a small widget it names, and stays inside
// within[i] when given: the part of the window its widget belongs to, so that
// no marker stands on a tab bar or a neighbouring panel (an empty within[i]:
// anywhere in the picture).
std::vector<Marker> place(const QImage& picture, const std::vector<QRect>& named, const std::vector<QRect>& within = {},
                          const std::vector<std::vector<QRect>>& others = {});

// The part of `window` a marker of `widget` belongs in: the tab page holding
// it, or the whole window.
QRect regionOf(const QWidget* window, const QWidget* widget);

// The shown parts of the widgets of `window` a marker of `widget` would seem
// to name: every visible widget that neither holds `widget` nor lies in it.
std::vector<QRect> othersOf(const QWidget* window, const QWidget* widget);

// Draws marker i + 1 of `markers` on `picture` (in logical pixels of its
// device pixel ratio), its leader line first.
void draw(QImage& picture, const std::vector<Marker>& markers);

}  // namespace tavek::callouts
