#pragma once

#include <QApplication>
#include <functional>

// The application object. Handlers stop their own failures (see
// tavek::MessageBox::guarded); its notify() is the last resort for one that
// still leaves a handler: that handler ends, the message is added to the
// error log and shown in the standard error box, and the program runs on.
class TavekApplication : public QApplication {
    Q_OBJECT
public:
    TavekApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `deliver`; an exception leaving it is logged and shown as notify()
// does, and counts as an unhandled event. Split out of notify() for tests.
bool deliverGuarded(const std::function<bool()>& deliver);

// Installs Qt's own Japanese texts (qtbase_ja.qm from Qt's translations
// folder): the standard buttons (はい/いいえ), the line edits' context menus
// and the file dialogs. False when the translation is not installed; the
// program then runs with Qt's English texts.
bool installQtTranslation();

// Maps the Windows font names the windows are designed with to the installed
// Japanese fonts and makes "ＭＳ Ｐゴシック" 12 px the application font.
void installFonts();
