#include "manual-shots/Callouts.h"

#include "manual/Marker.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace tavek::callouts {

namespace {

bool shows(const QWidget* window, const QWidget* widget)
{
    return (widget == window || widget->isVisibleTo(window)) && !shownRect(window, widget).isEmpty();
}

// The widget above `widget` that is still part of `window`.
const QWidget* up(const QWidget* window, const QWidget* widget)
{
    return widget == window ? nullptr : widget->parentWidget();
}

bool inside(const QWidget* window, const QWidget* widget, const QStringList& path)
{
    const QWidget* at = widget;
    for (qsizetype i = path.size() - 2; i >= 0; --i) {
        do
            at = up(window, at);
        while (at && at->objectName() != path[i]);
        if (!at)
            return false;
    }
    return true;
}

qreal area(const QRectF& r)
{
    return r.isValid() ? r.width() * r.height() : 0;
}

// Where a picture shows something: pixels that differ clearly from the one
// to their right (an upright stroke) or below (a level one), each kind summed
// so that any rectangle is counted at once. Text has strokes both ways; a
// frame's straight line only one way, and a marker across it hides nothing.
class Ink {
public:
    explicit Ink(const QImage& picture)
        : width_(picture.width() + 1)
        , across_(size_t(width_) * size_t(picture.height() + 1), 0)
        , down_(across_.size(), 0)
    {
        const QImage image = picture.convertToFormat(QImage::Format_RGB32);
        auto differs = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 60;
        };
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            const auto* below = reinterpret_cast<const QRgb*>(image.constScanLine(std::min(y + 1, image.height() - 1)));
            int across = 0, down = 0;
            for (int x = 0; x < image.width(); ++x) {
                across += differs(line[x], line[std::min(x + 1, image.width() - 1)]);
                down += differs(line[x], below[x]);
                at(across_, x + 1, y + 1) = at(across_, x + 1, y) + across;
                at(down_, x + 1, y + 1) = at(down_, x + 1, y) + down;
            }
        }
    }

    // What a marker over `box` (device pixels) would hide.
    qreal under(const QRect& box) const
    {
        const qreal across = sum(across_, box), down = sum(down_, box);
        return 4 * std::min(across, down) + (across + down) / 4;
    }

private:
    int& at(std::vector<int>& sums, int x, int y) { return sums[size_t(y) * size_t(width_) + size_t(x)]; }
    int at(const std::vector<int>& sums, int x, int y) const { return sums[size_t(y) * size_t(width_) + size_t(x)]; }

    qreal sum(const std::vector<int>& sums, const QRect& box) const
    {
        const QRect r = box & QRect(0, 0, width_ - 1, int(sums.size() / size_t(width_)) - 1);
        if (r.isEmpty())
            return 0;
        return at(sums, r.right() + 1, r.bottom() + 1) - at(sums, r.left(), r.bottom() + 1)
               - at(sums, r.right() + 1, r.top()) + at(sums, r.left(), r.top());
    }

    int width_;
    std::vector<int> across_;
    std::vector<int> down_;
};

}  // namespace

QWidget* find(QWidget* window, const QStringList& path)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    std::vector<QWidget*> hits;
    for (QWidget* w : widgets)
        if (w->objectName() == path.last() && shows(window, w) && inside(window, w, path))
            hits.push_back(w);
    const QString written = u'{' + path.join(u'/') + u'}';
    if (hits.empty())
        throw std::runtime_error(
            QStringLiteral("%1 names no widget that shows in the picture").arg(written).toStdString());
    if (hits.size() > 1)
        throw std::runtime_error(QStringLiteral("%1 names %2 widgets in the picture; name a widget around the one "
                                                "meant as well, {Outer/%3}")
                                     .arg(written)
                                     .arg(hits.size())
                                     .arg(path.last())
                                     .toStdString());
    return hits.front();
}

QStringList offered(QWidget* window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    QStringList paths;
    for (QWidget* w : widgets) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_")) || !shows(window, w))
            continue;
        // The name alone, then with the named widgets around it, nearest first.
        QStringList path{w->objectName()};
        for (const QWidget* around = up(window, w);; around = up(window, around)) {
            bool unique = false;
            try {
                unique = find(window, path) == w;
            } catch (const std::runtime_error&) {
            }
            if (unique) {
                paths.append(u'{' + path.join(u'/') + u'}');
                break;
            }
            while (around && around->objectName().isEmpty())
                around = up(window, around);
            if (!around)
                break;
            path.prepend(around->objectName());
        }
    }
    return paths;
}

QRect shownRect(const QWidget* window, const QWidget* widget)
{
    // Cut by every widget around it (a scroll area's viewport), not by those
    // inside it: QWidget::visibleRegion leaves out the area of opaque children.
    QRect shown = window->rect();
    for (const QWidget* w = widget; w; w = up(window, w))
        shown &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    return shown;
}

QRect contentRect(const QWidget* window, const QWidget* widget)
{
    const QRect shown = shownRect(window, widget);
    const QPoint at = widget->mapTo(window, QPoint(0, 0));
    QRect content;
    if (const auto* menus = qobject_cast<const QMenuBar*>(widget)) {
        for (QAction* a : menus->actions())
            if (a->isVisible())
                content |= menus->actionGeometry(a);
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
        // The tab of the page in view, the one a picture of it is about.
        const QTabBar* bar = tabs->tabBar();
        content = bar->tabRect(bar->currentIndex()).translated(bar->pos());
    } else if (const auto* status = qobject_cast<const QStatusBar*>(widget)) {
        if (!status->currentMessage().isEmpty())
            content = QRect(0, 0, status->fontMetrics().horizontalAdvance(status->currentMessage()) + 8,
                            status->height());
    } else if (const auto* table = qobject_cast<const QTableView*>(widget)) {
        // The cells the table has, with their headings, not the empty
        // space beside and below them.
        const QPoint origin = table->viewport()->mapTo(table, QPoint(0, 0));
        const int left = table->verticalHeader()->isVisible() ? 0 : origin.x();
        const int top = table->horizontalHeader()->isVisible() ? 0 : origin.y();
        content = QRect(QPoint(left, top), QPoint(origin.x() + table->horizontalHeader()->length(),
                                                  origin.y() + table->verticalHeader()->length()));
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        // A record's text keeps the blanks that pad its field.
        QString text = label->text();
        while (text.endsWith(u' '))
            text.chop(1);
        if (!text.isEmpty())
            content = label->fontMetrics().boundingRect(
                label->contentsRect(), int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), text);
    }
    return content.isEmpty() ? shown : content.translated(at) & shown;
}

QRect regionOf(const QWidget* window, const QWidget* widget)
{
    for (const QWidget* w = widget; w && w != window; w = up(window, w)) {
        const QWidget* stack = up(window, w);
        if (stack && qobject_cast<const QStackedWidget*>(stack) && qobject_cast<const QTabWidget*>(up(window, stack)))
            return shownRect(window, w);
    }
    return window->rect();
}

namespace {

qreal distance(QPointF p, const QRectF& r)
{
    const qreal dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const qreal dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

QPointF nearest(QPointF p, const QRectF& r)
{
    return {std::clamp(p.x(), r.left(), r.right()), std::clamp(p.y(), r.top(), r.bottom())};
}

// A marker centred at `c` needs a leader to `named`: it stands apart from it,
// or on another widget, which it would seem to name.
bool leads(QPointF c, const QRectF& named, const std::vector<QRect>& others)
{
    if (distance(c, named) > kDiameter / 2 + 3)
        return true;
    return !named.contains(c) && std::any_of(others.begin(), others.end(), [&](const QRect& o) {
        return QRectF(o).contains(c) && !QRectF(o).contains(named);
    });
}

}  // namespace

std::vector<Marker> place(const QImage& picture, const std::vector<QRect>& named, const std::vector<QRect>& within,
                          const std::vector<std::vector<QRect>>& others)
{
    const qreal dpr = picture.devicePixelRatio();
    const Ink ink(picture);
    const qreal d = kDiameter, r = d / 2, gap = 2;
    const QRectF frame = QRectF(QPointF(0, 0), picture.deviceIndependentSize()).adjusted(1, 1, -1, -1);
    const auto device = [dpr](const QRectF& box) {
        return QRectF(box.topLeft() * dpr, box.size() * dpr).toAlignedRect();
    };
    std::vector<QRectF> parts(named.begin(), named.end());
    std::vector<Marker> placed;
    for (size_t t = 0; t < named.size(); ++t) {
        const QRectF w = parts[t];
        const QRectF bounds = t < within.size() && !within[t].isEmpty() ? frame & QRectF(within[t]) : frame;
        // Beside a tall part, level with its top, where a tab bar, a heading
        // row or a title is: its middle may be far from what it is.
        const qreal side = w.height() > 3 * d ? w.top() + r + gap : w.center().y();
        const qreal far = d + r;  // a marker apart, joined by a leader
        // Touching the part from outside first, where the marker hides
        // nothing of it; then on its corners and in them; then apart.
        const QPointF candidates[] = {
            {w.left() - r - gap, side},
            {w.center().x(), w.top() - r - gap},
            {w.left() + r, w.top() - r - gap},
            {w.right() + r + gap, side},
            {w.left() - r * 0.7, w.top() - r * 0.7},
            {w.right() - r, w.top() - r - gap},
            {w.left() + r + gap, w.bottom() + r + gap},
            {w.center().x(), w.bottom() + r + gap},
            {w.right() + r * 0.7, w.top() - r * 0.7},
            {w.left(), w.top()},
            {w.right(), w.top()},
            {w.left() + r + gap, w.top() + r + gap},
            {w.left() + r + d + 2 * gap, w.top() + r + gap},  // beside a marker that took the corner
            {w.right() - r - gap, w.top() + r + gap},
            {w.left() + r + gap, w.bottom() - r - gap},
            {w.right() - r - gap, w.bottom() - r - gap},
            {w.left() - far, side},
            {w.left() + r + gap, w.top() - far},
            {w.right() + far, side},
            {w.left() - far, w.top() - far},
            {w.left() + r + gap, w.bottom() + far},
            {w.right() + far, w.top() - far},
            {w.left() - far, w.bottom() + far},
            {w.right() + far, w.bottom() + far},
        };
        // A small widget under its marker would be gone from the picture.
        const bool small = w.width() * w.height() < 20 * d * d;
        std::optional<QPointF> best;
        qreal bestCost = 0;
        for (size_t i = 0; i < std::size(candidates); ++i) {
            const QPointF c = candidates[i];
            const QRectF box(c.x() - r, c.y() - r, d, d);
            if (!bounds.contains(box))
                continue;
            if (std::any_of(placed.begin(), placed.end(), [&](const Marker& p) {
                    return std::hypot(p.centre.x() - c.x(), p.centre.y() - c.y()) < d;
                }))
                continue;
            // What it hides weighs most: a leader costs less than a word.
            qreal cost = 2 * ink.under(device(box));
            if (small)
                cost += area(box & w) * dpr * dpr;
            // Standing on another named widget, a marker seems to name that
            // one; on another widget, a little (what it hides there counts
            // as ink already).
            for (size_t o = 0; o < named.size(); ++o)
                if (o != t && !named[o].contains(named[t]) && !named[t].contains(named[o]))
                    cost += area(box & QRectF(named[o])) * dpr * dpr;
            if (t < others.size())
                for (const QRect& o : others[t])
                    cost += area(box & QRectF(o)) * dpr * dpr / 4;
            // Apart from its widget, or standing on another one, a marker
            // needs a leader to say which it names.
            const qreal apart = distance(c, w) - r;
            if (leads(c, w, t < others.size() ? others[t] : std::vector<QRect>()))
                cost += 150 + 8 * std::max(apart, 0.0) * dpr;
            cost += qreal(i) * 20;  // among spots alike, the earlier one
            if (!best || cost < bestCost) {
                best = c;
                bestCost = cost;
            }
        }
        // Crowded beyond every spot: on the part's corner, held in the picture.
        const QPointF centre = best.value_or(QPointF(std::clamp(w.left(), frame.left() + r, frame.right() - r),
                                                     std::clamp(w.top(), frame.top() + r, frame.bottom() - r)));
        Marker marker{centre, std::nullopt};
        if (leads(centre, w, t < others.size() ? others[t] : std::vector<QRect>()))
            marker.leader = nearest(centre, w);
        placed.push_back(marker);
    }
    return placed;
}

QImage framed(const QImage& window)
{
    const qreal dpr = window.devicePixelRatio();
    const QSizeF size = window.deviceIndependentSize();
    QImage picture((size + QSizeF(2 * kMargin, 2 * kMargin) * 1.0).toSize() * dpr, QImage::Format_RGB32);
    picture.setDevicePixelRatio(dpr);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(QPointF(kMargin, kMargin), window);
    painter.setPen(QPen(QColor(0x80, 0x8A, 0x96), 1));
    painter.drawRect(QRectF(QPointF(kMargin - 0.5, kMargin - 0.5), size + QSizeF(1, 1)));
    return picture;
}

std::vector<QRect> othersOf(const QWidget* window, const QWidget* widget)
{
    std::vector<QRect> others;
    for (const QWidget* w : window->findChildren<const QWidget*>()) {
        if (!shows(window, w) || w == widget || w->isAncestorOf(widget) || widget->isAncestorOf(w))
            continue;
        others.push_back(shownRect(window, w));
    }
    return others;
}

void draw(QImage& picture, const std::vector<Marker>& markers)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Marker& m : markers)
        if (m.leader) {
            painter.setPen(QPen(manual::kMarkerColour, 1.5));
            painter.drawLine(m.centre, *m.leader);
            painter.setBrush(manual::kMarkerColour);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(*m.leader, 2.5, 2.5);
        }
    for (size_t i = 0; i < markers.size(); ++i)
        manual::drawMarker(painter, markers[i].centre, kDiameter, int(i) + 1);
}

}  // namespace tavek::callouts
