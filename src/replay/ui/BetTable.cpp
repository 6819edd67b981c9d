#include "replay/ui/BetTable.h"

namespace tavek::replay {

void BetTable::setBets(std::vector<BetRow> bets)
{
    beginResetModel();
    bets_ = std::move(bets);
    endResetModel();
}

int BetTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(bets_.size());
}

int BetTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant BetTable::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return betRow(bets_[size_t(index.row())]).value(index.column());
}

QVariant BetTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(columns_.value(section)) : QVariant(section + 1);
}

}  // namespace tavek::replay
