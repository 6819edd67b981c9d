#include "timeline/ui/OddsHistoryView.h"

#include "controls/ChartStyle.h"
#include "controls/LineCellPainter.h"
#include "pools/Field.h"
#include "timeline/ui/SnapshotTable.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGraphicsScene>
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
#include <cmath>

using tavek::timeline::OddsTimeline;

namespace {

QChartView* chartView(QWidget* parent, const char* name, const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* view = tavek::chartstyle::makeChartView(chart, parent, QString::fromLatin1(name),
                                                  tavek::chartstyle::Legend::Beside);
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

struct TimeTicks {
    qint64 first;
    qint64 last;
    int ticks;
    bool oneDay;  // the labels need no date
};

// The time axis runs from a whole step to a whole step (local time), with a
// tick on each: labels then never repeat a minute, and a single fetch or a
// few close ones sit inside the plot instead of on its edge.
TimeTicks timeTicks(qint64 first, qint64 last, int maxSteps)
{
    constexpr qint64 kMinute = 60'000;
    constexpr qint64 kLeast = 10 * kMinute;
    if (last - first < kLeast) {
        const qint64 middle = first + (last - first) / 2;
        first = middle - kLeast / 2;
        last = middle + kLeast / 2;
    }
    const qint64 offset = QDateTime::fromMSecsSinceEpoch(first).offsetFromUtc() * 1000LL;
    qint64 step = kMinute;
    for (const int minutes : {1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720, 1440, 2 * 1440, 7 * 1440, 14 * 1440,
                              28 * 1440, 91 * 1440, 182 * 1440, 364 * 1440}) {
        step = minutes * kMinute;
        if ((last - first) / step <= maxSteps)
            break;
    }
    const qint64 from = (first + offset) / step * step - offset;
    const qint64 to = ((last + offset) + step - 1) / step * step - offset;
    const bool oneDay = QDateTime::fromMSecsSinceEpoch(from).date() == QDateTime::fromMSecsSinceEpoch(to).date();
    return {from, to, int((to - from) / step) + 1, oneDay};
}

// At most four steps: five "HH:mm" labels fit below half the window (with
// seven they were cut to "12…"). Labels with the date, for fetches of an
// earlier day (a race looked at again later), are twice as wide: two steps.
TimeTicks timeTicks(qint64 first, qint64 last)
{
    const TimeTicks ticks = timeTicks(first, last, 4);
    return ticks.oneDay ? ticks : timeTicks(first, last, 2);
}

struct Line {
    QString name;
    QColor colour;
    QList<QPointF> points;
};

// Brings the chart to `lines` plus the post-time line, reusing the series and
// axes it already has: only a change in the number of lines adds or removes
// series, and only a change of scale swaps the y axis.
//
// Odds run from 1.0 to several hundred: a logarithmic axis (labels at 2, 4,
// 8, 16, ...) keeps the favourites' moves visible beside the outsiders'. A
// narrow range gets a linear axis, which labels it more finely.
template <typename Parts>
void updateChart(QChart* chart, Parts& parts, const std::vector<Line>& lines, Range range, bool pointsVisible,
                 const std::optional<QDateTime>& postTime)
{
    bool grew = false;
    while (parts.lines.size() > lines.size()) {
        chart->removeSeries(parts.lines.back());
        delete parts.lines.back();
        parts.lines.pop_back();
    }
    while (parts.lines.size() < lines.size()) {
        auto* series = new QLineSeries;
        // A colour set before the chart takes the series keeps the theme from
        // giving it its own, wider pen: the thin lines eighteen runners need.
        series->setColor(lines[parts.lines.size()].colour);
        chart->addSeries(series);
        parts.lines.push_back(series);
        grew = true;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QLineSeries* series = parts.lines[i];
        series->setName(lines[i].name);
        series->setColor(lines[i].colour);
        series->setPointsVisible(pointsVisible);
        series->replace(lines[i].points);
    }

    const bool wantPost = postTime && !range.empty;
    if (parts.post && (!wantPost || grew)) {
        // Removed, and added back below, so that it stays last in the legend.
        chart->removeSeries(parts.post);
        if (!wantPost) {
            delete parts.post;
            parts.post = nullptr;
        }
    }
    if (wantPost) {
        const qint64 post = postTime->toMSecsSinceEpoch();
        range.first = std::min(range.first, post);
        range.last = std::max(range.last, post);
        if (!parts.post) {
            parts.post = new QLineSeries;
            parts.post->setName(QStringLiteral("発走"));
            QPen pen(Qt::red);
            pen.setStyle(Qt::DashLine);
            pen.setWidth(2);
            parts.post->setPen(pen);
        }
        if (!chart->series().contains(parts.post))
            chart->addSeries(parts.post);
        parts.post->replace({QPointF(double(post), range.low * 0.9), QPointF(double(post), range.high * 1.1)});
    }

    if (range.empty) {
        for (QAbstractAxis* axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
        parts.x = nullptr;
        parts.y = nullptr;
        return;
    }
    const auto [first, last, ticks, oneDay] = timeTicks(range.first, range.last);
    range.first = first;
    range.last = last;
    if (!parts.x) {
        parts.x = new QDateTimeAxis;
        tavek::chartstyle::styleAxis(parts.x, QStringLiteral("取得時刻"));
        chart->addAxis(parts.x, Qt::AlignBottom);
    }
    QDateTimeAxis* x = parts.x;
    x->setTickCount(ticks);
    x->setFormat(oneDay ? QStringLiteral("HH:mm") : QStringLiteral("MM/dd HH:mm"));
    x->setRange(QDateTime::fromMSecsSinceEpoch(range.first), QDateTime::fromMSecsSinceEpoch(range.last));
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
        linear->setRange(std::max(0.0, range.low * 0.95), range.high * 1.05);
        linear->applyNiceNumbers();
    }
    for (QAbstractSeries* s : chart->series()) {
        const QList<QAbstractAxis*> attached = s->attachedAxes();
        if (!attached.contains(x))
            s->attachAxis(x);
        if (!attached.contains(parts.y))
            s->attachAxis(parts.y);
    }
}

}  // namespace

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
                                   const QString& unavailable)
{
    timeline_ = std::move(timeline);
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
        // Eighteen runners need eighteen colours: the chart's theme has five.
        line.colour = QColor::fromHsv((horse - 1) * 360 / tavek::pools::kMaxRunners * 7 % 360, 220,
                                      horse % 2 ? 200 : 140);
        for (int i = 0; i < timeline_.size(); ++i)
            if (const auto odds = timeline_.winOdds(i, horse)) {
                line.points.append(QPointF(double(times_[size_t(i)]), double(*odds)));
                range.add(times_[size_t(i)], double(*odds));
            }
        if (line.points.isEmpty())  // a scratched runner has no odds
            continue;
        lines.push_back(std::move(line));
    }
    updateChart(WinChart->chart(), winParts_, lines, range, timeline_.size() < 40, postTime);
}

void OddsHistoryView::fillQuinellaChart(const std::optional<QDateTime>& postTime)
{
    Range range;
    std::vector<Line> lines;
    const std::vector<int> colourOrder = timeline_.quinellaPairsInOrderOfLead(kLeadingPairs);
    for (const int k : timeline_.leadingQuinellaPairs(kLeadingPairs)) {
        Line line;
        line.name = timeline_.quinellaPairName(k);
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
    updateChart(QuinellaChart->chart(), quinellaParts_, lines, range, timeline_.size() < 40, postTime);
}
