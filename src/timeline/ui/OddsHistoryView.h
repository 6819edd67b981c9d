#pragma once

#include "timeline/model/OddsTimeline.h"

#include <QDateTime>
#include <QWidget>

#include <optional>

class QLabel;
class QTableWidget;
class QChartView;

// The オッズ推移 tab: the win odds of every runner against the time of each
// quick report, the odds of the leading quinella pairs likewise, and a table
// of the snapshots. A vertical line marks post time. Everything it shows
// comes from an OddsTimeline; it computes nothing itself.
class OddsHistoryView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeadingPairs = 6;

    explicit OddsHistoryView(QWidget* parent = nullptr);

    // Shows the race `item` ("2005/04/16 東京 11R"); an empty timeline shows
    // how a history comes about instead of empty charts.
    void showTimeline(const QString& item, tavek::sim::OddsTimeline timeline, std::optional<QDateTime> postTime);
    const tavek::sim::OddsTimeline& timeline() const { return timeline_; }

    QLabel* CaptionLabel;
    QChartView* WinChart;
    QChartView* QuinellaChart;
    QTableWidget* SnapshotGrid;

private:
    void fillWinChart(const std::optional<QDateTime>& postTime);
    void fillQuinellaChart(const std::optional<QDateTime>& postTime);
    void fillGrid();

    tavek::sim::OddsTimeline timeline_;
};
