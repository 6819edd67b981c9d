#pragma once

#include <QString>

class QWidget;

// The two kinds of box the shell shows: the information box (beep first,
// title "情報", information icon, OK) and the plain box (no icon, the
// application's title, OK). Both are modal.
void showInformation(QWidget* parent, const QString& text);
void showPlain(QWidget* parent, const QString& text);
