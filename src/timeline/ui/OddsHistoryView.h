#pragma once

#include "results/Winners.h"
#include "timeline/model/OddsTimeline.h"

#include <QColor>
#include <QDateTime>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QTableView;
class QChartView;
class QLineSeries;
class QDateTimeAxis;
class QAbstractAxis;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;

namespace tavek::timeline {
class SnapshotTable;
}

// The オッズ推移 tab: the win odds of every runner against the time of each
// quick report, the odds of the leading quinella pairs likewise, each line
// named at its end, and a table of the snapshots. The time axis spans the
// snapshots, and post time, marked by a vertical line, when it is near them.
// Once the race has its result, the lines of the first three are drawn
// bolder and named with their place ("7 1着"), and a winning pair "2-7 的中".
// Everything it shows comes from an OddsTimeline; it computes nothing itself.
class OddsHistoryView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeadingPairs = 6;

    explicit OddsHistoryView(QWidget* parent = nullptr);

    // Shows the race `item` ("2005/04/16 東京 11R"); an empty timeline shows
    // how a history comes about instead of empty charts, or, given
    // `unavailable`, why there is no history to show. `winners` is the
    // race's result; none without one.
    void showTimeline(const QString& item, tavek::timeline::OddsTimeline timeline, std::optional<QDateTime> postTime,
                      const QString& unavailable = QString(),
                      const tavek::results::Winners& winners = tavek::results::Winners());
    const tavek::timeline::OddsTimeline& timeline() const { return timeline_; }

    // The colour of runner `horse`'s line: eighteen that stay apart.
    static QColor runnerColour(int horse);

    QLabel* CaptionLabel;
    QChartView* WinChart;
    QChartView* QuinellaChart;
    QTableView* SnapshotGrid;

private:
    class CaptionBox;

    void fillWinChart(const std::optional<QDateTime>& postTime);
    void fillQuinellaChart(const std::optional<QDateTime>& postTime);

    // What a chart shows, kept between races: building series and axes anew
    // on every switch cost tens of milliseconds of layout and legend work.
    struct ChartParts {
        std::vector<QLineSeries*> lines;
        std::vector<QGraphicsSimpleTextItem*> names;  // each line's, at its end
        std::vector<QGraphicsLineItem*> leaders;      // from a line's end to its name moved away
        std::vector<QPointF> ends;                    // each line's last point
        QLineSeries* post = nullptr;
        QGraphicsSimpleTextItem* postName = nullptr;
        qint64 postAt = 0;        // post time, milliseconds since the epoch
        bool postBeyond = false;  // off the time axis: named at its edge
        bool postBefore = false;  // off it on the left: the reports came after the race
        QDateTimeAxis* x = nullptr;
        QAbstractAxis* y = nullptr;
        bool logY = false;
    };

    tavek::timeline::OddsTimeline timeline_;
    tavek::results::Winners winners_;
    // Each snapshot's time in milliseconds since the epoch, worked out once:
    // every conversion of a local time asks the C library for the time zone,
    // which reads the zone file's status each time.
    std::vector<qint64> times_;
    tavek::timeline::SnapshotTable* table_;
    CaptionBox* captionBox_;
    ChartParts winParts_;
    ChartParts quinellaParts_;
};
