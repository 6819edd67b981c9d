#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

namespace tavek::test {

// Answers every modal window that opens while it lives, so a test that runs a
// handler with a dialog does not block: dialogs are rejected, message boxes
// get OK. Records what each one said. For message boxes BoxAnswerer is the
// better tool (no window, no timer, the answer chosen); the box branch here
// serves the tests that have not moved to it yet.
class ModalCatcher {
public:
    // `inspect` sees each modal window before it is answered.
    explicit ModalCatcher(std::function<void(QWidget*)> inspect = {});

    struct Seen {
        QString title;
        QString text;  // the message of a message box; the object name otherwise
    };
    const QList<Seen>& seen() const { return seen_; }
    int count() const { return int(seen_.size()); }
    QStringList texts() const;

private:
    void poll();

    std::function<void(QWidget*)> inspect_;
    QTimer timer_;
    QList<Seen> seen_;
};

}  // namespace tavek::test
