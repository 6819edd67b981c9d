#pragma once

#include <QWidget>

// The borderless window that is on screen while the program starts. It has no
// timer and no close control: it goes away on its first loss of activation,
// or when start-up calls release() (a display without a window manager may
// never activate it).
class TSplash : public QWidget {
    Q_OBJECT
public:
    TSplash();

    // Shows the window centred on the screen and paints it at once.
    void showNow();
    // Schedules the window's deletion; safe to call more than once.
    void release();

protected:
    void changeEvent(QEvent* event) override;

private:
    bool wasActive_ = false;
    bool released_ = false;
};
