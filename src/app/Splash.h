#pragma once

#include <QElapsedTimer>
#include <QWidget>

// The borderless window that is on screen while the program starts. It has no
// close control: it goes away on its first loss of activation, or when
// start-up calls release() (a display without a window manager may never
// activate it). Start-up on a fast machine takes a fraction of a second, so
// it stays at least kMinimumShown ms to be seen at all, above the main
// window; a modal box that opens meanwhile ends it at once.
class TSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumShown = 1000;

    TSplash();

    // Shows the window centred on the screen and paints it before returning,
    // waiting (at most half a second) for the window system to map it.
    void showNow();
    // Deletes the window once it has been shown kMinimumShown ms; safe to
    // call more than once.
    void release();

    // Whether the window has been painted on screen.
    bool painted() const { return painted_; }

protected:
    void changeEvent(QEvent* event) override;
    // Watches the application for a modal box (a start-up problem): the
    // splash, kept above other windows for its second, must not hide it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QElapsedTimer shown_;
    bool wasActive_ = false;
    bool released_ = false;
    bool painted_ = false;
};
