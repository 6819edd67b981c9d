#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tavek {

// Every message box the program shows goes through here, so that each kind
// keeps one look (title, icon, buttons, beep) and tests can answer boxes
// without showing them. All boxes are modal.
class MessageBox {
public:
    enum class Kind {
        Information,  // "情報", information icon, OK; a beep first unless told otherwise
        Plain,        // no icon, "エラー", OK
        Error,        // MsgDlg1: beep, "エラー", error icon, OK, centred on the screen
        Question,     // "確認", question icon, Yes and No
        Unexpected,   // the application-wide error report: beep, "エラー", error icon, OK
    };
    enum class Answer { Ok, Yes, No };

    enum class Sound { Beep, Silent };

    // Silent: the caller has sounded the beep already, or wants none.
    static void information(QWidget* parent, const QString& text, Sound sound = Sound::Beep);
    static void plain(QWidget* parent, const QString& text);
    static void error(const QString& text);
    // True for Yes.
    static bool question(QWidget* parent, const QString& text);
    static void unexpected(QWidget* parent, const QString& text);

    // Runs one handler's `step`. An exception leaving it ends the step and is
    // shown in the Unexpected box; false then. Handlers stop their failures
    // here, so the application's catch-all stays the last resort.
    static bool guarded(QWidget* parent, const std::function<void()>& step);

    // The message of the exception being handled (call inside a catch block):
    // its what() (after a Japanese lead when it is the system's English), or
    // a general sentence for one that is no std::exception.
    static QString currentFailure();

    // What a box would show.
    struct Request {
        Kind kind;
        QString title;
        QString text;
    };

    // Tests: while a hook is installed no box is shown; the hook gets each
    // box's request and returns the button pressed. Returns the hook it
    // replaces, so that a test helper can put it back.
    using Hook = std::function<Answer(const Request&)>;
    static Hook setHook(Hook hook);

private:
    static Answer show(QWidget* parent, Kind kind, const QString& text, Sound sound);
};

}  // namespace tavek
