#include "simulation/ui/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

void showErrorBox(const QString& text)
{
    QApplication::beep();
    // Without a parent the box is centred on the screen, not on the dialog.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("エラー"), text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MsgDlg1"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
