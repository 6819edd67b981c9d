#include "controls/WhenShown.h"

#include <QEvent>
#include <QWidget>

#include <utility>

namespace tavek::controls {

WhenShown::WhenShown(QWidget* tab) : QObject(tab), tab_(tab)
{
    tab_->installEventFilter(this);
}

void WhenShown::run(std::function<void()> work)
{
    if (tab_->isVisible() || !tab_->window()->isVisible()) {
        pending_ = nullptr;
        work();
        return;
    }
    pending_ = std::move(work);
}

bool WhenShown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tab_ && event->type() == QEvent::Show && pending_)
        std::exchange(pending_, nullptr)();
    return false;
}

}  // namespace tavek::controls
