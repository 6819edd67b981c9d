#pragma once

#include "controls/SaNumEdit.h"

#include <QComboBox>
#include <QStringList>
#include <QTableWidget>
#include <QTest>

// Input and reading of the widgets the tab tests drive, as a user would.
namespace tavek::test {

// Picks the item whose data is `data`.
inline void choose(QComboBox* combo, int data)
{
    combo->setCurrentIndex(combo->findData(data));
}

// The old text backspaced away, the new one keyed in.
inline void retype(TSaNumEdit* field, const QString& text)
{
    for (qsizetype i = field->Text().size(); i > 0; --i)
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// The texts of a table row, empty for a cell without an item.
inline QStringList tableRow(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells << (table->item(row, c) ? table->item(row, c)->text() : QString());
    return cells;
}

}  // namespace tavek::test
