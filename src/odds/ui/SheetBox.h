#pragma once

#include <QLabel>

// A bold caption over a board or a list of a simulation tab.
QLabel* caption(QWidget* parent, const QString& text);

// A box of the totals strips and the matrix headings: centred bold text in
// the given colours, optionally sunken.
QLabel* makeBox(QWidget* parent, const QString& objectName, const QColor& background, const QColor& text, bool sunken);

// The three boxes of a simulation tab's totals strip: the real and the virtual
// total (aqua, red text) and the stake or excess (yellow, blue text), each as
// wide as the largest total in yen.
struct TotalBoxes {
    QLabel* real;
    QLabel* virtualTotal;
    QLabel* excess;
};
TotalBoxes makeTotalBoxes(QWidget* strip);
