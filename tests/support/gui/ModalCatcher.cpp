#include "support/gui/ModalCatcher.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace tavek::test {

ModalCatcher::ModalCatcher(std::function<void(QWidget*)> inspect) : inspect_(std::move(inspect))
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

QStringList ModalCatcher::texts() const
{
    QStringList out;
    for (const Seen& s : seen_)
        out << s.text;
    return out;
}

void ModalCatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (inspect_)
        inspect_(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen_.append({box->windowTitle(), box->text()});
        box->done(QMessageBox::Ok);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        seen_.append({dialog->windowTitle(), dialog->objectName()});
        dialog->reject();
    }
}

}  // namespace tavek::test
