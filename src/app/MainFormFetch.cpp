// Data acquisition from the main window: the batch acquisition window and the
// quick-report vote counts open from here.
#include "app/MainForm.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "controls/MessageBox.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/QuickReport.h"
#include "jvlink/ui/GetDataUnit.h"
#include "racedata/Clock.h"
#include "racedata/DayData.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStatusBar>

using tavek::jvlink::JVOperation;

namespace {

class MainQuickView : public tavek::jvlink::QuickView {
public:
    void processEvents() override { QApplication::processEvents(); }
    // The handler's busy cursor lasts until the fetch and its reload are
    // over; the handler itself returns the cursor to the default then.
    void restoreCursor() override {}
};

// The main window's busy cursor while a quick-report handler runs; a box
// shown meanwhile keeps its own cursor.
class BusyCursor {
public:
    explicit BusyCursor(QWidget* window)
        : window_(window), hadCursor_(window->testAttribute(Qt::WA_SetCursor)), previous_(window->cursor())
    {
        window_->setCursor(Qt::BusyCursor);
    }
    ~BusyCursor()
    {
        if (hadCursor_)
            window_->setCursor(previous_);
        else
            window_->unsetCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QWidget* window_;
    bool hadCursor_;
    QCursor previous_;
};

// Passes every call on to the program's JV-Link and keeps the first answer
// that the quick report logs as a failure, so that the status line can say
// what went wrong (the error log has the time only).
class FailureWatch : public tavek::jvlink::JVDTLabLib_TLB {
public:
    explicit FailureWatch(tavek::jvlink::JVDTLabLib_TLB& jvlink) : jvlink_(jvlink) {}

    int32_t JVInit(const QString& sid) override { return jvlink_.JVInit(sid); }
    int32_t JVSetUIProperties() override { return jvlink_.JVSetUIProperties(); }
    int32_t JVOpen(const QString& spec, const QString& from, int32_t option, int32_t& readCount, int32_t& downloadCount,
                   QString& stamp) override
    {
        return jvlink_.JVOpen(spec, from, option, readCount, downloadCount, stamp);
    }
    int32_t JVRTOpen(const QString& spec, const QString& key) override
    {
        const int32_t r = jvlink_.JVRTOpen(spec, key);
        // The real-time open answers the codes of the stored-data open.
        if (r == -1)
            note(QStringLiteral("JVRTOpenエラー:該当する速報データがありません。(-1)"));
        else if (r != 0)
            note(QStringLiteral("JVRTOpenエラー:") + tavek::jvlink::messageText(JVOperation::JVOpen, r));
        return r;
    }
    int32_t JVStatus() override { return jvlink_.JVStatus(); }
    int32_t JVRead(QString& buff, int32_t& size, QString& fileName) override
    {
        const int32_t r = jvlink_.JVRead(buff, size, fileName);
        if (r < -3)
            note(QStringLiteral("JVReadエラー:") + tavek::jvlink::messageText(JVOperation::JVRead, r));
        return r;
    }
    void JVCancel() override { jvlink_.JVCancel(); }
    int32_t JVClose() override
    {
        const int32_t r = jvlink_.JVClose();
        if (r != 0)
            note(QStringLiteral("JVCloseエラー:") + tavek::jvlink::messageText(JVOperation::JVClose, r));
        return r;
    }

    // Empty when nothing failed.
    const QString& failure() const { return failure_; }

private:
    void note(const QString& text)
    {
        if (failure_.isEmpty())
            failure_ = text;
    }

    tavek::jvlink::JVDTLabLib_TLB& jvlink_;
    QString failure_;
};

QString timeNow()
{
    return tavek::clock::now().toString(QStringLiteral("HH:mm:ss"));
}

// Clears a flag when the handler ends, also by an error.
struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
};

}  // namespace

void TMainForm::JVBtnClick()
{
    if (!JVLink1)
        return;
    {
        TGetDataForm form(*JVLink1, dataFolder(), this);
        form.exec();
    }
    MakeDataListBtnClick();
}

bool TMainForm::fetchQuickReport(int race, QString& failure)
{
    return tavek::MessageBox::guarded(this, [&] { runQuickReport(race, failure); });
}

void TMainForm::runQuickReport(int race, QString& failure)
{
    failure.clear();
    tavek::ErrorLog log(tavek::identity::errorLogIn(appFolder_));
    MainQuickView view;
    FailureWatch watch(*JVLink1);
    tavek::jvlink::QuickReport quick(watch, view, dataFolder(), log);
    quick.setHistory(oddsHistory());
    const auto& record = day_->RaceRecords[race];
    quick.fetch(QByteArrayView(record.data(), record.size()));
    failure = watch.failure();
}

void TMainForm::SokuhoHyosuBtnClick()
{
    if (!JVLink1 || lbRace->currentIndex() < 0 || DateCombo->currentIndex() < 0)
        return;
    BusyCursor busy(this);
    const QString race = lbRace->currentText();
    QString failure;
    const bool done = fetchQuickReport(day_->CurrentRace, failure);
    if (done && !BulkQuickReport) {
        day_->KeepRaceOnReload = true;
        ClearOnExit keep{day_->KeepRaceOnReload};
        DateComboChange();
        lbRaceChange();
        showOddsHistory();
    }
    if (!done || !failure.isEmpty())
        StatusLine->showMessage(
            QStringLiteral("速報票数の取得に失敗しました：%1（%2）%3").arg(race, timeNow(), failure));
    else
        StatusLine->showMessage(QStringLiteral("速報票数を取得しました：%1（%2）").arg(race, timeNow()));
}

void TMainForm::N11Click()
{
    // Without a selected date there is no day to fetch for (the list may
    // still show the races of a day whose files were just rewritten).
    if (!JVLink1 || lbRace->count() == 0 || DateCombo->currentIndex() < 0)
        return;
    BusyCursor busy(this);
    const QString day = DateCombo->currentText();
    const int races = lbRace->count();
    int failed = 0;
    QString firstFailure;
    bool stopped = false;
    {
        BulkQuickReport = true;
        ClearOnExit bulk{BulkQuickReport};
        // The race selector and the shown race stay as they are while the
        // races are fetched; the reload below shows the day once.
        for (int i = 0; i < races && !stopped; ++i) {
            QString failure;
            // A failure box would meet every later race as well: one box, and the day is reloaded.
            stopped = !fetchQuickReport(i, failure);
            if (stopped || !failure.isEmpty()) {
                ++failed;
                if (firstFailure.isEmpty())
                    firstFailure = failure;
            }
        }
    }
    DateComboChange();
    QString text;
    if (stopped)
        text = QStringLiteral("1日分の速報票数の取得を中断しました：%1（%2）").arg(day, timeNow());
    else if (failed > 0)
        text = QStringLiteral("1日分の速報票数を取得しました：%1 %2レース中%3レースで失敗（%4）%5")
                   .arg(day)
                   .arg(races)
                   .arg(failed)
                   .arg(timeNow(), firstFailure);
    else
        text = QStringLiteral("1日分の速報票数を取得しました：%1 %2レース（%3）").arg(day).arg(races).arg(timeNow());
    StatusLine->showMessage(text);
    showOddsHistory();
}
