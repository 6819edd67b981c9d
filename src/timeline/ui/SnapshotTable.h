#pragma once

#include "timeline/model/OddsTimeline.h"

#include <QAbstractTableModel>

namespace tavek::timeline {

// The table of the オッズ推移 tab: one row per quick report, newest first,
// with its time, the win total and each runner's win odds. A text is made
// when the view asks for it, and a new race changes only the rows and
// columns that differ, so that a race switch formats and lays out no more
// than the cells in sight.
class SnapshotTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `timeline` must outlive its showing here (the view keeps it).
    void show(const OddsTimeline& timeline);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const OddsTimeline* timeline_ = nullptr;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace tavek::timeline
