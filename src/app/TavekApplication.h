#pragma once

#include <QApplication>
#include <functional>

// The application object. Its notify() is the program's one catch-all: an
// exception that leaves any handler ends that handler only; the user sees its
// message in a standard error box and the program runs on.
class TavekApplication : public QApplication {
    Q_OBJECT
public:
    TavekApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `deliver`; an exception leaving it is shown by reportUnexpectedError()
// and counts as an unhandled event. Split out of notify() for tests.
bool deliverGuarded(const std::function<bool()>& deliver);

// The standard error box for a failure nothing else handled.
void reportUnexpectedError(const QString& message);

// Maps the Windows font names the windows are designed with to the installed
// Japanese fonts and makes "ＭＳ Ｐゴシック" 12 px the application font.
void installFonts();
