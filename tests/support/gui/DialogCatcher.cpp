#include "support/gui/DialogCatcher.h"

#include <QApplication>
#include <QDialog>

namespace tavek::test {

DialogCatcher::DialogCatcher(std::function<void(QDialog*)> handle) : handle_(std::move(handle))
{
    // A modal dialog runs its own event loop, where this timer still fires.
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

void DialogCatcher::poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog)
        return;
    ++count_;
    // The handler may open another loop (a dialog of its own, a wait): the
    // same dialog must not be handed over again from inside it.
    timer_.stop();
    if (handle_)
        handle_(dialog);
    if (dialog->isVisible())
        dialog->reject();
    timer_.start();
}

}  // namespace tavek::test
