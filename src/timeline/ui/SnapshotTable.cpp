#include "timeline/ui/SnapshotTable.h"

namespace tavek::timeline {

void SnapshotTable::show(const OddsTimeline& timeline)
{
    const int rows = timeline.size();
    const int columns = timeline.empty() ? 0 : 2 + timeline.runners();
    // Rows and columns come and go at the end: the view keeps the widths of
    // the columns that stay, and repaints only what it shows.
    if (columns < columns_) {
        beginRemoveColumns({}, columns, columns_ - 1);
        columns_ = columns;
        endRemoveColumns();
    }
    if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    timeline_ = &timeline;
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    if (columns > columns_) {
        beginInsertColumns({}, columns_, columns - 1);
        columns_ = columns;
        endInsertColumns();
    }
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
}

int SnapshotTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int SnapshotTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant SnapshotTable::data(const QModelIndex& index, int role) const
{
    if (!timeline_ || !index.isValid() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    // Newest first: the row a user looks for during a refresh is the last fetch.
    const int i = rows_ - 1 - index.row();
    if (i >= timeline_->size())  // the view replaces the timeline's contents before it tells this table
        return {};
    switch (index.column()) {
    case 0:
        return timeline_->fetchedTime(i);
    case 1:
        return timeline_->winTotalText(i);
    default:
        return timeline_->winOddsText(i, index.column() - 1);
    }
}

QVariant SnapshotTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QStringLiteral("取得時刻");
    case 1:
        return QStringLiteral("単勝合計票数");
    default:
        return QString::number(section - 1);
    }
}

}  // namespace tavek::timeline
