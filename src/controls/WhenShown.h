#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tavek::controls {

// The part of a tab's race selection that only matters on screen: run at once
// while the tab is visible, or while its window is not shown at all (a test, an
// export), and otherwise kept until the tab is next shown. A race switch then
// spends nothing on the tabs no one is looking at; only the latest work is kept.
class WhenShown : public QObject {
public:
    explicit WhenShown(QWidget* tab);

    void run(std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* tab_;
    std::function<void()> pending_;
};

}  // namespace tavek::controls
