#pragma once

#include <QTimer>
#include <functional>

class QDialog;

namespace tavek::test {

// Handles every modal dialog opened while it lives, so a test can run a
// handler that opens one without blocking. Message boxes do not come here:
// BoxAnswerer answers them before any window exists.
class DialogCatcher {
public:
    // `handle` gets each dialog once, inside the call that opened it; a dialog
    // it leaves open is then rejected.
    explicit DialogCatcher(std::function<void(QDialog*)> handle = {});

    // How many dialogs opened so far.
    int count() const { return count_; }

private:
    void poll();

    std::function<void(QDialog*)> handle_;
    QTimer timer_;
    int count_ = 0;
};

}  // namespace tavek::test
