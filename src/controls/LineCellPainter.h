#pragma once

#include <QStyledItemDelegate>

namespace tavek::controls {

// Paints a table cell as one line of text, in the alignment its model gives,
// with the view's selection colours. The style's own item painting lays each
// text out as a paragraph, which in a table refilled at every race switch
// cost more than the rest of the repaint.
class LineCellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tavek::controls
