// Data acquisition from the main window: the batch acquisition window and the
// quick-report vote counts open from here.
#include "app/MainForm.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "controls/MessageBox.h"
#include "jvlink/core/QuickReport.h"
#include "jvlink/ui/GetDataUnit.h"
#include "racedata/DayData.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>

namespace {

class MainQuickView : public tavek::jvlink::QuickView {
public:
    void processEvents() override { QApplication::processEvents(); }
    void restoreCursor() override
    {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
};

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

bool TMainForm::fetchQuickReport()
{
    return tavek::MessageBox::guarded(this, [this] { runQuickReport(); });
}

void TMainForm::runQuickReport()
{
    tavek::ErrorLog log(tavek::identity::errorLogIn(appFolder_));
    MainQuickView view;
    tavek::jvlink::QuickReport quick(*JVLink1, view, dataFolder(), log);
    quick.setHistory(oddsHistory());
    const auto& race = day_->RaceRecords[day_->CurrentRace];
    quick.fetch(QByteArrayView(race.data(), race.size()));
}

void TMainForm::SokuhoHyosuBtnClick()
{
    if (!JVLink1 || lbRace->currentIndex() < 0 || DateCombo->currentIndex() < 0)
        return;
    if (!fetchQuickReport() || BulkQuickReport)
        return;
    day_->KeepRaceOnReload = true;
    ClearOnExit keep{day_->KeepRaceOnReload};
    DateComboChange();
    lbRaceChange();
    showOddsHistory();
}

void TMainForm::N11Click()
{
    // Without a selected date there is no day to fetch for (the list may
    // still show the races of a day whose files were just rewritten).
    if (!JVLink1 || lbRace->count() == 0 || DateCombo->currentIndex() < 0)
        return;
    {
        BulkQuickReport = true;
        ClearOnExit bulk{BulkQuickReport};
        for (int i = 0; i < lbRace->count(); ++i) {
            {
                QSignalBlocker block(lbRace);
                lbRace->setCurrentIndex(i);
            }
            day_->CurrentRace = i;
            // A failure would meet every later race as well: one box, and the day is reloaded.
            if (!fetchQuickReport())
                break;
        }
    }
    DateComboChange();
    showOddsHistory();
}
