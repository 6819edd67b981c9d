#pragma once

#include "controls/MessageBox.h"
#include "manual/ShotSyntax.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class QDialog;
class QWidget;
class TMainForm;

namespace tavek::shots {

// One run of the program on the fixture day, taking the pictures of every
// screen (Screens.h) on the way: the main window starts in an empty
// application folder on Sunday 2026-12-06 at 08:30 (the clock is fixed), the
// acquisition window fetches the week's data from the emulated service, the
// quick report of 中京 11R (チャンピオンズカップ, 16 runners) is taken every
// half hour from 09:00 to 12:00, a second acquisition at 17:45 brings the
// final votes and the race's result, and on them each tab and dialog is shown
// as a user would bring it up, with the simulation of the manual's example of
// that chapter.
// The emulated service generates the same data on every run, so every picture
// is the same until the program changes.
//
// The run happens in a temporary home folder; the pictures show it as the
// home of a user "tavek", so that no picture depends on where it was taken.
class ShotSession {
public:
    struct Options {
        QString folder;                                         // where <screen>.png go
        std::map<QString, std::vector<manual::Callout>> marks;  // per screen, from the manual
        QString manualName;                                     // names the manual in messages
        QStringList only;                                       // the screens to write; empty for all
        bool plain = false;                                     // no markers
        bool names = false;  // print the callouts each screen offers instead of writing pictures
    };

    // Sets up the process for a run in the empty folder `root`: its home
    // there, the offscreen platform with a screen of twice the pixels.
    // Called before the application object exists.
    static void prepare(const QString& root);

    ShotSession(const QString& root, Options options);
    ~ShotSession();
    ShotSession(const ShotSession&) = delete;
    ShotSession& operator=(const ShotSession&) = delete;

    // Takes the pictures; returns the screens written. Throws std::runtime_error
    // naming the screen when one cannot be taken: a widget or the fixture data
    // missing, a box the program should not show, an empty picture.
    QStringList run();

private:
    void firstStart();
    void fetch();
    void pickFixtureRace();
    void quickReports();
    void finalVotes();
    void winTab();
    void pairTabs();
    void poolTabs();
    void advisorTab();
    void lastTabs();
    void ticketsTab();
    void results();
    void windows();
    void replayWeek();

    void take(const QString& screen, QWidget* window);
    void showPage(QWidget* page);
    // Runs `open`, which opens a modal dialog, and `handle` on that dialog
    // inside it; the dialog is then closed unless `handle` closed it.
    void whileOpen(const QString& screen, const std::function<void()>& open,
                   const std::function<void(QDialog*)>& handle);
    // Types `text` into the number dialog (a `Dialog`) that `open` opens,
    // takes its picture as `screen` and presses OK.
    template <typename Dialog>
    void enterInDialog(const QString& screen, const std::function<void()>& open, const QString& text);
    [[noreturn]] void fail(const QString& screen, const QString& why) const;
    void expect(bool holds, const QString& screen, const QString& why) const;
    void checkBoxes(const QString& screen);
    // Runs an acquisition in the open acquisition window to its end.
    void acquire(const QString& screen, QDialog* dialog);

    Options options_;
    QString home_;
    MessageBox::Hook previousHook_;
    QDateTime now_;
    QStringList unexpectedBoxes_;
    std::unique_ptr<TMainForm> form_;
    QStringList written_;
};

}  // namespace tavek::shots
