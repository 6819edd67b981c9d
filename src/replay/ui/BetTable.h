#pragma once

#include "replay/model/ReplayReport.h"

#include <QAbstractTableModel>

#include <vector>

// The bets of a replay as the 回収率 window's table shows them: one row per
// bet, the columns and texts of replay::betColumns and replay::betRow. A
// model over the bets, so a season of tens of thousands stays quick.
namespace tavek::replay {

class BetTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setBets(std::vector<BetRow> bets);
    const std::vector<BetRow>& bets() const { return bets_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<BetRow> bets_;
    QStringList columns_ = betColumns();
};

}  // namespace tavek::replay
