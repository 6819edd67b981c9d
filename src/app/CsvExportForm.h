#pragma once

#include "export/CsvExport.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// CSV出力: what to save (a tab of the current race or its odds history),
// the character code and the file. OK checks only that a file is named; the
// main window has it written (csv::save).
class TCsvExportForm : public QDialog {
    Q_OBJECT
public:
    // `folder` is where the file name starts; `raceName` (csv::raceFileStem)
    // begins the suggested file name; `shown` is chosen first (the board of
    // the tab in view).
    TCsvExportForm(QWidget* parent, const QString& folder, const QString& raceName,
                   tavek::csv::Content shown = tavek::csv::Content::Win);

    tavek::csv::Content content() const;
    tavek::csv::Encoding encoding() const;
    QString fileName() const;

    QRadioButton* RadioWin;
    QRadioButton* RadioBracket;
    QRadioButton* RadioQuinella;
    QRadioButton* RadioReference;
    QRadioButton* RadioPlace;
    QRadioButton* RadioWide;
    QRadioButton* RadioExacta;
    QRadioButton* RadioTrio;
    QRadioButton* RadioHistory;
    QRadioButton* RadioTrifecta;
    QRadioButton* RadioTickets;
    QComboBox* EncodingCombo;
    QLineEdit* FileNameEdit;
    QPushButton* BrowseBtn;
    QPushButton* BitBtn1;  // 保存
    QPushButton* BitBtn2;  // キャンセル

private:
    void suggestName();
    void BrowseBtnClick();
    void BitBtn1Click();

    QString folder_;
    QString raceName_;
};
