// The odds history from the main window: its tab, the automatic refresh of
// the quick report and the CSV export.
#include "app/CsvExportForm.h"
#include "app/MainForm.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "appfiles/SettingsKeys.h"
#include "controls/MessageBox.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/PoolTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinSheet.h"
#include "purchase/ui/TicketsTab.h"
#include "racedata/Clock.h"
#include "racedata/DayData.h"
#include "racedata/PostTime.h"
#include "racedata/RecordLayout.h"
#include "replay/ui/ReplayForm.h"
#include "timeline/ui/OddsHistoryView.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString clockText(const QDateTime& t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

void TMainForm::buildHistoryTab()
{
    TabSheet6 = new QWidget;
    TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
    PageControl1->addTab(TabSheet6, QStringLiteral("オッズ推移"));
    oddsHistoryView = new OddsHistoryView(TabSheet6);
    auto* layout = new QVBoxLayout(TabSheet6);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(oddsHistoryView);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { showOddsHistory(); });
    // After the selectors' own handlers, which connected first.
    connect(lbRace, &QComboBox::activated, this, [this] { showOddsHistory(); });
    connect(DateCombo, &QComboBox::activated, this, [this] { showOddsHistory(); });

    RefreshStatus = new QLabel;
    RefreshStatus->setObjectName(QStringLiteral("RefreshStatus"));
    RefreshTimer = new QTimer(this);
    RefreshTimer->setObjectName(QStringLiteral("RefreshTimer"));
    RefreshTimer->setSingleShot(true);
    connect(RefreshTimer, &QTimer::timeout, this, &TMainForm::RefreshTimerTimer);
}

tavek::history::OddsHistory* TMainForm::oddsHistory()
{
    return history_->get();
}

void TMainForm::showOddsHistory()
{
    if (PageControl1->currentWidget() != TabSheet6)
        return;
    const int race = day_->currentRace();
    if (lbRace->currentIndex() < 0 || race >= day_->raceCount()) {
        oddsHistoryView->showTimeline(QString(), {}, std::nullopt);
        return;
    }
    tavek::MessageBox::guarded(this, [&] {
        const QByteArrayView ra = day_->raceRecord(race);
        const tavek::history::OddsHistory* h = oddsHistory();
        oddsHistoryView->showTimeline(lbRace->currentText(), tavek::timeline::OddsTimeline::ofRace(h, ra),
                                      tavek::posttime::of(ra), h ? QString() : history_->whyNone(), winnersOf(race));
    });
}

int TMainForm::refreshInterval() const
{
    return tavek::settings::read(ini_, tavek::settings::kRefreshInterval);
}

void TMainForm::AutoRefreshBtnClick()
{
    if (!AutoRefreshBtn->isChecked()) {
        stopAutoRefresh(QStringLiteral("自動更新を止めました"));
        return;
    }
    if (!JVLink1 || lbRace->currentIndex() < 0 || DateCombo->currentIndex() < 0) {
        stopAutoRefresh(QStringLiteral("自動更新：日付とレースを選んでから押してください"));
        return;
    }
    refreshNoVotesHint();
    RefreshTimerTimer();
}

void TMainForm::stopAutoRefresh(const QString& why)
{
    RefreshTimer->stop();
    AutoRefreshBtn->setChecked(false);
    refreshedRace_.clear();
    RefreshStatus->setText(why);
    refreshNoVotesHint();
}

void TMainForm::scheduleRefresh()
{
    const int seconds = refreshInterval();
    RefreshTimer->start(seconds * 1000);
    RefreshStatus->setText(QStringLiteral("自動更新：前回 %1 ／ 次回 %2")
                               .arg(lastRefresh_.isValid() ? clockText(lastRefresh_) : QStringLiteral("―"),
                                    clockText(tavek::clock::now().addSecs(seconds))));
}

void TMainForm::RefreshTimerTimer()
{
    if (!AutoRefreshBtn->isChecked())
        return;
    if (!JVLink1 || lbRace->currentIndex() < 0 || DateCombo->currentIndex() < 0) {
        stopAutoRefresh(QStringLiteral("自動更新：レースが選ばれていないため止めました"));
        return;
    }
    // A dialog of the simulation works on the loaded day: a reload under it
    // would change its race. The fetch waits for the next turn.
    if (QApplication::activeModalWidget()) {
        scheduleRefresh();
        return;
    }
    const QByteArrayView raceRecord = day_->raceRecord(day_->currentRace());
    const auto post = tavek::posttime::of(raceRecord);
    const bool last = post && tavek::clock::now() >= *post;
    lastRefresh_ = tavek::clock::now();
    refreshedRace_ = tavek::layout::raceKey(raceRecord).toByteArray();
    const QString race = lbRace->currentText();
    bool fetched = false;
    try {
        const tavek::jvlink::QuickReport::Result result = runQuickReport(day_->currentRace());
        fetched = result.problem().isEmpty();
        // Refused on the fresh votes, a simulation goes with a note, never a box at every turn.
        const QString notes = result.stored > 0 ? reloadKeepingRace() : QString();
        // Each fetch names its race and time: a line of the race picked
        // before would stand for this one's.
        StatusLine->showMessage(withNotes(quickReportStatus(race, result), notes));
    } catch (const std::runtime_error& e) {
        // No box: the refresh goes on. As the quick report's own failures, a
        // line in the error log, and the cause in the status line.
        const QString why = QString::fromStdString(e.what());
        tavek::ErrorLog(tavek::identity::errorLogIn(appFolder_)).tryWriteFailure(why);
        StatusLine->showMessage(quickFailureStatus(race, why));
    }
    if (last) {
        stopAutoRefresh(QStringLiteral("自動更新：発走時刻 %1 を過ぎたので終了しました（最終取得 %2）")
                            .arg(post->toString(QStringLiteral("HH:mm")), clockText(lastRefresh_)));
        return;
    }
    scheduleRefresh();
    if (!fetched)
        RefreshStatus->setText(RefreshStatus->text() + QStringLiteral("（前回は失敗、エラーログを参照）"));
}

void TMainForm::CsvExportItemClick()
{
    const int race = day_->currentRace();
    if (lbRace->currentIndex() < 0 || race >= day_->raceCount()) {
        tavek::MessageBox::information(this, QStringLiteral("CSV出力するレースを選んでください。"));
        return;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The board the user is looking at is the one to save, as a rule.
    using tavek::csv::Content;
    const QWidget* tab = PageControl1->currentWidget();
    const Content shown = tab == TabSheet3   ? Content::Bracket
                          : tab == TabSheet2 ? Content::Quinella
                          : tab == TabSheet4 ? Content::Reference
                          : tab == TabSheet7 ? tavek::csv::poolContent(poolTab->pool())
                          : tab == TabSheet6 ? Content::History
                          : tab == TabSheet9 ? Content::Tickets
                                             : Content::Win;
    TCsvExportForm form(this, QDir(documents).exists() ? documents : QDir::homePath(),
                        tavek::csv::raceFileStem(lbRace->currentText()), shown);
    if (form.exec() != QDialog::Accepted)
        return;
    tavek::MessageBox::guarded(this, [&] {
        const auto poolBoard = [&](tavek::pools::Pool pool) -> const tavek::sim::PoolBoard& {
            return poolTab->board(pool);
        };
        const auto history = [&] {
            return tavek::timeline::OddsTimeline::ofRace(oddsHistory(), day_->raceRecord(race));
        };
        const auto tickets = [&] { return tavek::csv::ticketTable(ticketsTab->shownPurchase()); };
        const tavek::csv::RaceBoards boards{winSheet->board(),          bracketTab->board(),
                                            quinellaTab->board(),       poolBoard,
                                            day_->voteRecord(race),     history,
                                            day_->trifectaRecord(race), tickets};
        tavek::csv::save(tavek::csv::contentTable(form.content(), boards), form.encoding(), form.fileName());
        StatusLine->showMessage(QStringLiteral("%1 に保存しました").arg(QDir::toNativeSeparators(form.fileName())));
    });
}

void TMainForm::ReplayItemClick()
{
    if (!replayForm_) {
        replayForm_ = new TReplayForm(dataFolder(), tavek::history::databaseIn(applicationFolder()), this);
        connect(replayForm_, &TReplayForm::raceRequested, this, &TMainForm::openRace);
    }
    replayForm_->show();
    replayForm_->raise();
    replayForm_->activateWindow();
}

void TMainForm::openRace(const QString& date, const QString& race)
{
    const int day = DateCombo->findText(date, Qt::MatchExactly);
    if (day < 0) {
        tavek::MessageBox::information(this, QStringLiteral("%1 のデータがありません。").arg(date));
        return;
    }
    {
        QSignalBlocker block(DateCombo);
        DateCombo->setCurrentIndex(day);
    }
    tavek::MessageBox::guarded(this, [&] { showSelectedDay(race); });
    showOddsHistory();
    raise();
    activateWindow();
}
