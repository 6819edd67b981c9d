#pragma once

#include <QLabel>

// A box of the totals strips and the matrix headings: centred bold text in
// the given colours, optionally sunken.
QLabel* makeBox(QWidget* parent, const QString& objectName, const QColor& background, const QColor& text, bool sunken);
