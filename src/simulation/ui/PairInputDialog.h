#pragma once

#include <QDialog>

class PairSheet;
class QLabel;
class QMessageBox;
class QPushButton;
class TSaNumEditExC;

// The common frame of the four combination dialogs: instruction, the pair box
// Label3D9 that the opening tab fills, the numeric field, "閉じる(&C)" and "OK".
// OK runs the stake or odds simulation on the tab that opened the dialog.
class PairInputDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Stake, Odds };

    QLabel* Label3D9;
    TSaNumEditExC* SaNumEditExC1;
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // 閉じる(&C)
    QMessageBox* MsgDlg1 = nullptr;  // the odds dialogs' error box

    void BitBtn1Click();

protected:
    PairInputDialog(PairSheet& sheet, Kind kind, const QString& caption, const QString& pairCaption,
                    QWidget* parent);

private:
    void showError(const QString& message);

    PairSheet& sheet_;
    Kind kind_;
};
