#include "app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

void showInformation(QWidget* parent, const QString& text)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Information, QStringLiteral("情報"), text, QMessageBox::Ok, parent);
    box.exec();
}

void showPlain(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}
