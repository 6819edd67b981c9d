#include "timeline/ui/OddsHistoryView.h"

#include "controls/ChartStyle.h"
#include "controls/LineCellPainter.h"
#include "pools/Field.h"
#include "timeline/model/TimeAxis.h"
#include "timeline/ui/SnapshotTable.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

using tavek::timeline::OddsTimeline;
using tavek::timeline::TimeAxis;

namespace {

// The right margin of a chart, where the lines' names stand, each this far
// right of its line's end: room for a leader to a name moved up or down; more
// once the names carry the result ("16 1着", "12-16 的中").
constexpr int kNameRoom = 44;
constexpr int kMarkedNameRoom = 72;
constexpr int kNameGap = 16;
// Fewer snapshots than this show a mark at each: a single one would
// otherwise draw nothing.
constexpr int kPointsUpTo = 4;

QChartView* chartView(QWidget* parent, const char* name, const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* view = tavek::chartstyle::makeChartView(chart, parent, QString::fromLatin1(name));
    // Each line is named at its end instead of in a legend: eighteen names
    // beside the plot took a third of its width and were matched to their
    // lines by colour alone. The right margin holds the names. The hidden
    // legend is also taken out of the chart's layout: its markers follow
    // every new pen (the result's bolder lines), and each change laid the
    // whole chart out again.
    chart->legend()->hide();
    chart->legend()->detachFromChart();
    chart->setMargins(QMargins(4, 4, kNameRoom, 4));
    // The chart's own background cost a fifth of a race switch; a plain
    // white behind the scene looks the same.
    chart->setBackgroundVisible(false);
    view->setBackgroundBrush(Qt::white);
    // A race switch changes the whole chart. Repainted piece by piece, the
    // pieces' union made a clip that every line had to be cut against, which
    // took longer than drawing the lines; nor is an index of the items worth
    // keeping when all of them move.
    view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    view->scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    view->setMinimumHeight(220);
    return view;
}

struct Range {
    double low = 0, high = 0;
    qint64 first = 0, last = 0;
    bool empty = true;
    void add(qint64 t, double v)
    {
        if (empty) {
            low = high = v;
            first = last = t;
            empty = false;
        }
        low = std::min(low, v);
        high = std::max(high, v);
        first = std::min(first, t);
        last = std::max(last, t);
    }
};

// A range from a whole tick to a whole tick, about four ticks apart: 1, 2
// or 5 times a power of ten.
struct NiceRange {
    double low, high;
    int ticks;
};

NiceRange niceRange(double low, double high)
{
    const double least = std::max(high - low, 1e-9) / 4;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= least) {
            step = m * power;
            break;
        }
    const double from = std::floor(low / step) * step, to = std::ceil(high / step) * step;
    return {from, to, int(std::lround((to - from) / step)) + 1};
}

struct Line {
    QString name;
    QColor colour;
    QList<QPointF> points;
    // A line of the result (one of the first three, a winning pair): drawn
    // bolder and named at its end with its mark ("7 1着"). The series keeps
    // its plain name: a new series name lays the chart out again.
    QString mark;
};

QGraphicsSimpleTextItem* nameItem(QChart* chart, const QColor& colour)
{
    auto* item = new QGraphicsSimpleTextItem(chart);
    item->setFont(tavek::chartstyle::font(11, true));
    item->setBrush(colour);
    item->setZValue(10);
    return item;
}

// Brings the chart to `lines` plus the post-time line, reusing the series and
// axes it already has: only a change in the number of lines adds or removes
// series, and only a change of scale swaps the y axis. Each line's name
// stands at its end; post time, marked by a red line, is named at its top,
// or at the right edge with an arrow when it lies beyond the axis.
//
// Odds run from 1.0 to several hundred: a logarithmic axis (labels at 2, 4,
// 8, 16, ...) keeps the favourites' moves visible beside the outsiders'. A
// narrow range gets a linear axis, which labels it more finely.
template <typename Parts>
void placeNames(QChart* chart, const Parts& parts);

template <typename Parts>
void updateChart(QChart* chart, Parts& parts, const std::vector<Line>& lines, Range range, bool pointsVisible,
                 const std::optional<QDateTime>& postTime)
{
    while (parts.lines.size() > lines.size()) {
        chart->removeSeries(parts.lines.back());
        delete parts.lines.back();
        parts.lines.pop_back();
        delete parts.names.back();
        parts.names.pop_back();
        delete parts.leaders.back();
        parts.leaders.pop_back();
    }
    while (parts.lines.size() < lines.size()) {
        auto* series = new QLineSeries;
        // A colour set before the chart takes the series keeps the theme from
        // giving it its own, wider pen: the thin lines eighteen runners need.
        series->setColor(lines[parts.lines.size()].colour);
        chart->addSeries(series);
        parts.lines.push_back(series);
        parts.names.push_back(nameItem(chart, lines[parts.names.size()].colour));
        parts.leaders.push_back(new QGraphicsLineItem(chart));
    }
    parts.ends.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QLineSeries* series = parts.lines[i];
        series->setName(lines[i].name);
        QPen pen = series->pen();
        pen.setColor(lines[i].colour);
        pen.setWidthF(lines[i].mark.isEmpty() ? 1 : 3);
        series->setPen(pen);
        series->setPointsVisible(pointsVisible);
        series->replace(lines[i].points);
        parts.names[i]->setText(lines[i].mark.isEmpty() ? lines[i].name : lines[i].name + u' ' + lines[i].mark);
        parts.names[i]->setBrush(lines[i].colour);
        // Solid but faint: a dash pattern cost more to draw than the lines themselves.
        QColor faint = lines[i].colour;
        faint.setAlpha(110);
        parts.leaders[i]->setPen(QPen(faint, 1));
        parts.ends.push_back(lines[i].points.isEmpty() ? QPointF() : lines[i].points.back());
    }

    const std::optional<qint64> post = postTime ? std::optional(postTime->toMSecsSinceEpoch()) : std::nullopt;
    const TimeAxis axis = range.empty ? TimeAxis{} : TimeAxis::fit(range.first, range.last, post);
    const bool postLine = post && !range.empty && axis.showsPost;
    if (!parts.post) {
        // Parented to the chart: a series taken out of a chart belongs to no one,
        // and the post line is out whenever the axis does not reach post time.
        parts.post = new QLineSeries(chart);
        parts.post->setName(QStringLiteral("発走"));
        QPen pen(Qt::red);
        pen.setStyle(Qt::DashLine);
        pen.setWidth(2);
        parts.post->setPen(pen);
        parts.postName = nameItem(chart, Qt::red);
    }
    if (postLine && !chart->series().contains(parts.post))
        chart->addSeries(parts.post);
    else if (!postLine && chart->series().contains(parts.post)) {
        chart->removeSeries(parts.post);
        parts.post->setParent(chart);
    }
    if (postLine)
        parts.post->replace({QPointF(double(*post), range.low * 0.9), QPointF(double(*post), range.high * 1.1)});
    parts.postAt = post && !range.empty ? *post : 0;
    parts.postBeyond = post && !range.empty && !axis.showsPost;
    parts.postBefore = parts.postBeyond && *post < axis.from;
    parts.postName->setVisible(post && !range.empty);
    if (post && !range.empty) {
        // Dated when the axis shows another day; the arrow points where it lies.
        const bool sameDay = postTime->date() == QDateTime::fromMSecsSinceEpoch(axis.from).date();
        const QString at = postTime->toString(sameDay ? QStringLiteral("HH:mm") : QStringLiteral("MM/dd HH:mm"));
        parts.postName->setText(!parts.postBeyond  ? QStringLiteral("発走 %1").arg(at)
                                : parts.postBefore ? QStringLiteral("← 発走 %1").arg(at)
                                                   : QStringLiteral("発走 %1 →").arg(at));
    }

    if (range.empty) {
        for (QAbstractAxis* a : chart->axes()) {
            chart->removeAxis(a);
            delete a;
        }
        parts.x = nullptr;
        parts.y = nullptr;
        placeNames(chart, parts);
        return;
    }
    if (!parts.x) {
        parts.x = new QDateTimeAxis;
        tavek::chartstyle::styleAxis(parts.x, QStringLiteral("取得時刻"));
        chart->addAxis(parts.x, Qt::AlignBottom);
    }
    QDateTimeAxis* x = parts.x;
    x->setTickCount(axis.ticks);
    x->setFormat(axis.oneDay ? QStringLiteral("HH:mm") : QStringLiteral("MM/dd HH:mm"));
    x->setRange(QDateTime::fromMSecsSinceEpoch(axis.from), QDateTime::fromMSecsSinceEpoch(axis.to));
    const bool logY = range.high > 4 * range.low;
    if (parts.y && parts.logY != logY) {
        chart->removeAxis(parts.y);
        delete parts.y;
        parts.y = nullptr;
    }
    if (!parts.y) {
        if (logY) {
            auto* log = new QLogValueAxis;
            log->setBase(2);
            log->setLabelFormat(QStringLiteral("%.0f"));
            log->setMinorTickCount(1);
            parts.y = log;
        } else {
            auto* linear = new QValueAxis;
            linear->setLabelFormat(QStringLiteral("%.1f"));
            parts.y = linear;
        }
        tavek::chartstyle::styleAxis(parts.y, QStringLiteral("オッズ"));
        parts.logY = logY;
        chart->addAxis(parts.y, Qt::AlignLeft);
    }
    if (logY) {
        static_cast<QLogValueAxis*>(parts.y)->setRange(std::max(1.0, range.low * 0.9), range.high * 1.1);
    } else {
        auto* linear = static_cast<QValueAxis*>(parts.y);
        // Round ends and ticks, set at once: each new range lays the labels out again.
        const auto [low, high, ticks] = niceRange(std::max(0.0, range.low * 0.95), range.high * 1.05);
        linear->setTickCount(ticks);
        linear->setRange(low, high);
    }
    for (QAbstractSeries* s : chart->series()) {
        const QList<QAbstractAxis*> attached = s->attachedAxes();
        if (!attached.contains(x))
            s->attachAxis(x);
        if (!attached.contains(parts.y))
            s->attachAxis(parts.y);
    }
    placeNames(chart, parts);
}

// Each line's name just right of its last point, moved up or down only as
// far as it takes to keep the names from covering each other; post time's
// at the top of its line or, beyond the axis, at the plot's right edge.
template <typename Parts>
void placeNames(QChart* chart, const Parts& parts)
{
    const QRectF plot = chart->plotArea();
    const bool axes = parts.x && parts.y && !parts.lines.empty();
    struct Placed {
        QGraphicsSimpleTextItem* item;
        QGraphicsLineItem* leader;
        QPointF end;
        qreal x, y;
    };
    std::vector<Placed> names;
    for (std::size_t i = 0; i < parts.names.size(); ++i) {
        QGraphicsSimpleTextItem* item = parts.names[i];
        item->setVisible(axes && !parts.lines[i]->points().isEmpty());
        parts.leaders[i]->setVisible(false);
        if (!item->isVisible())
            continue;
        const QPointF end = chart->mapToPosition(parts.ends[i], parts.lines[i]);
        names.push_back({item, parts.leaders[i], end, end.x() + kNameGap, end.y() - item->boundingRect().height() / 2});
    }
    std::sort(names.begin(), names.end(), [](const Placed& a, const Placed& b) { return a.y < b.y; });
    const qreal step = tavek::chartstyle::font(11, true).pixelSize() + 1;
    for (std::size_t i = 1; i < names.size(); ++i)
        names[i].y = std::max(names[i].y, names[i - 1].y + step);
    // Pushed below the plot, the names move up again as a block.
    qreal limit = plot.bottom() - step;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        it->y = std::min(it->y, limit);
        limit = it->y - step;
    }
    // A name moved off its line's end is joined to it by a thin line of its colour.
    for (const Placed& n : names) {
        n.item->setPos(n.x, n.y);
        const qreal middle = n.y + n.item->boundingRect().height() / 2;
        if (std::abs(middle - n.end.y()) > 3) {
            n.leader->setLine(QLineF(n.end + QPointF(4, 0), QPointF(n.x - 2, middle)));
            n.leader->setVisible(true);
        }
    }

    // Above the plot, clear of the lines and their names: over its line, or
    // at the end of the axis it lies beyond.
    if (parts.postName && parts.postName->isVisible() && axes) {
        const QRectF box = parts.postName->boundingRect();
        const qreal x = parts.postBefore ? plot.left()
                        : parts.postBeyond
                            ? plot.right() - box.width()
                            : chart->mapToPosition(QPointF(double(parts.postAt), 1), parts.post).x() - box.width() / 2;
        parts.postName->setPos(std::clamp(x, plot.left(), plot.right() + chart->margins().right() - box.width()),
                               plot.top() - box.height() - 1);
    }
}

}  // namespace

QColor OddsHistoryView::runnerColour(int horse)
{
    // Eighteen colours dark enough for a thin line on white, chosen as far
    // apart as such colours go (CIE Lab distances of 26 and more), in an
    // order that puts neighbouring numbers and those ten apart (3 and 13)
    // farther still (78 and more).
    static const std::array<QColor, 18> colours = {
        QColor(0x00, 0x00, 0x00), QColor(0xE8, 0x6A, 0x10), QColor(0xA0, 0x50, 0xA0), QColor(0x00, 0x58, 0x1E),
        QColor(0xE6, 0x19, 0x4B), QColor(0x70, 0x70, 0x70), QColor(0x00, 0x00, 0x75), QColor(0x76, 0x76, 0x00),
        QColor(0xE8, 0x4C, 0x9C), QColor(0x00, 0x8E, 0xB8), QColor(0x2E, 0x9E, 0x3C), QColor(0x58, 0x18, 0x38),
        QColor(0x00, 0xA8, 0x7C), QColor(0x80, 0x00, 0x00), QColor(0x2F, 0x80, 0x78), QColor(0x91, 0x1E, 0xB4),
        QColor(0xA8, 0x78, 0x50), QColor(0x43, 0x63, 0xD8)};
    return colours[size_t(std::max(horse - 1, 0)) % colours.size()];
}

// Holds the caption outside any layout. A label in a layout lays out the
// whole window at each new text (its page, the tab widget and every other
// tab's page): most of a race switch. The box gives the label its own width
// and takes the height the text needs, so only a change of that height
// reaches the layout.
class OddsHistoryView::CaptionBox : public QWidget {
public:
    explicit CaptionBox(QWidget* parent) : QWidget(parent), label(new QLabel(this))
    {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    void fit()
    {
        const int height = std::max(label->heightForWidth(width()), label->fontMetrics().height());
        setFixedHeight(height);
        label->setGeometry(0, 0, width(), height);
    }

    QLabel* const label;

protected:
    void resizeEvent(QResizeEvent*) override { fit(); }
};

OddsHistoryView::OddsHistoryView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OddsHistoryView"));
    captionBox_ = new CaptionBox(this);
    CaptionLabel = captionBox_->label;
    CaptionLabel->setObjectName(QStringLiteral("CaptionLabel"));
    CaptionLabel->setWordWrap(true);
    WinChart = chartView(this, "WinChart", QStringLiteral("単勝オッズ"));
    QuinellaChart = chartView(this, "QuinellaChart", QStringLiteral("馬連オッズ（上位%1組）").arg(kLeadingPairs));
    // A plot resized with the window carries the names along.
    connect(WinChart->chart(), &QChart::plotAreaChanged, this, [this] { placeNames(WinChart->chart(), winParts_); });
    connect(QuinellaChart->chart(), &QChart::plotAreaChanged, this,
            [this] { placeNames(QuinellaChart->chart(), quinellaParts_); });
    table_ = new tavek::timeline::SnapshotTable(this);
    SnapshotGrid = new QTableView(this);
    SnapshotGrid->setObjectName(QStringLiteral("SnapshotGrid"));
    SnapshotGrid->setModel(table_);
    SnapshotGrid->setItemDelegate(new tavek::controls::LineCellPainter(SnapshotGrid));
    SnapshotGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SnapshotGrid->verticalHeader()->hide();
    SnapshotGrid->verticalHeader()->setDefaultSectionSize(20);
    SnapshotGrid->horizontalHeader()->setDefaultSectionSize(52);

    // The win chart takes the whole height, so that the legend of eighteen
    // runners fits; the pairs and the table share the other side.
    auto* side = new QSplitter(Qt::Vertical);
    side->addWidget(QuinellaChart);
    side->addWidget(SnapshotGrid);
    side->setSizes({500, 500});
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(WinChart);
    split->addWidget(side);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({500, 500});
    WinChart->setMinimumWidth(300);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(captionBox_);
    column->addWidget(split, 1);
}

void OddsHistoryView::showTimeline(const QString& item, OddsTimeline timeline, std::optional<QDateTime> postTime,
                                   const QString& unavailable, const tavek::results::Winners& winners)
{
    timeline_ = std::move(timeline);
    winners_ = winners;
    for (QChartView* view : {WinChart, QuinellaChart})
        if (const int room = winners_.any() ? kMarkedNameRoom : kNameRoom; view->chart()->margins().right() != room)
            view->chart()->setMargins(QMargins(4, 4, room, 4));
    CaptionLabel->setText(timeline_.caption(item, postTime, unavailable));
    captionBox_->fit();
    times_.clear();
    for (int i = 0; i < timeline_.size(); ++i)
        times_.push_back(timeline_.snapshot(i).fetched.toMSecsSinceEpoch());
    fillWinChart(postTime);
    fillQuinellaChart(postTime);
    const bool hadColumns = table_->columnCount() > 0;
    table_->show(timeline_);
    if (!hadColumns && table_->columnCount() > 0) {  // a width the user gave them stays
        SnapshotGrid->setColumnWidth(0, 70);
        SnapshotGrid->setColumnWidth(1, 96);
    }
}

void OddsHistoryView::fillWinChart(const std::optional<QDateTime>& postTime)
{
    Range range;
    std::vector<Line> lines;
    for (int horse = 1; horse <= timeline_.runners(); ++horse) {
        Line line;
        line.name = QString::number(horse);
        line.mark = tavek::results::placeMark(winners_.placeOf(horse));
        line.colour = runnerColour(horse);
        for (int i = 0; i < timeline_.size(); ++i)
            if (const auto odds = timeline_.winOdds(i, horse)) {
                line.points.append(QPointF(double(times_[size_t(i)]), double(*odds)));
                range.add(times_[size_t(i)], double(*odds));
            }
        if (line.points.isEmpty())  // a scratched runner has no odds
            continue;
        lines.push_back(std::move(line));
    }
    updateChart(WinChart->chart(), winParts_, lines, range, timeline_.size() < kPointsUpTo, postTime);
}

void OddsHistoryView::fillQuinellaChart(const std::optional<QDateTime>& postTime)
{
    Range range;
    std::vector<Line> lines;
    const std::vector<int> colourOrder = timeline_.quinellaPairsInOrderOfLead(kLeadingPairs);
    for (const int k : timeline_.leadingQuinellaPairs(kLeadingPairs)) {
        Line line;
        line.name = timeline_.quinellaPairName(k);
        if (winners_.won(tavek::pools::Pool::Quinella, k))
            line.mark = tavek::results::wonMark();
        // The theme has five colours, so the first and the sixth pair shared
        // one; each pair keeps the colour of its first place in the lead.
        const int slot = int(std::find(colourOrder.begin(), colourOrder.end(), k) - colourOrder.begin());
        line.colour = slot < 6 ? tavek::chartstyle::lineColour(slot)
                               : QColor::fromHsv(slot * 360 * 5 / 13 % 360, 230, slot % 2 ? 200 : 140);
        for (int i = 0; i < timeline_.size(); ++i)
            if (const auto odds = timeline_.quinellaOdds(i, k)) {
                line.points.append(QPointF(double(times_[size_t(i)]), double(*odds)));
                range.add(times_[size_t(i)], double(*odds));
            }
        lines.push_back(std::move(line));
    }
    updateChart(QuinellaChart->chart(), quinellaParts_, lines, range, timeline_.size() < kPointsUpTo, postTime);
}
