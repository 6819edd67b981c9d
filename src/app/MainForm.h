#pragma once

#include "appfiles/IniGT.h"
#include "history/HistoryAccess.h"
#include "jvlink/client/JVDTLabLib_TLB.h"
#include "jvlink/client/QuickReport.h"

#include <QDateTime>
#include <QMainWindow>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class OddsHistoryView;
class TReplayForm;
class Label3D;
class WinSheet;
class QuinellaTab;
class BracketTab;
class ReferenceTab;
class AdvisorTab;
class PoolTab;
class ValueTab;
class ResultBoard;
class TicketsTab;

namespace tavek {
struct DayData;
namespace results {
class Winners;
}
}  // namespace tavek

// The main window: tool bar with the date and race selectors, menus, race
// header, the six tabs (the win, bracket-quinella and quinella simulations,
// the reference lists, the stake advisor and the odds history) and the status
// line. It owns the loaded day and everything else that lives longer than one
// handler. Controls keep their designer names (also as objectName) and are
// public, because the other windows drive them the way the program always did.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The application folder is tavek::appfolder::path(): the data folder,
    // the settings file and the error log live there.
    TMainForm();
    ~TMainForm() override;

    QString applicationFolder() const { return appFolder_; }
    QString dataFolder() const;
    QString versionText() const { return version_; }
    tavek::DayData& dayData() { return *day_; }

    // The program's JV-Link instance, used by the acquisition window and the
    // quick report; empty when it could not be created.
    std::unique_ptr<tavek::jvlink::JVDTLabLib_TLB> JVLink1;

    // Tool bar
    QFrame* SpeedBar;
    QPushButton* JVBtn;
    QComboBox* DateCombo;
    QComboBox* lbRace;
    QPushButton* SokuhoHyosuBtn;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton4;
    QPushButton* calcBtn;
    QPushButton* calcUbtn;
    QComboBox* lbRaceU;
    QToolButton* AutoRefreshBtn;  // 自動更新: the quick report of the selected race, repeated up to post time

    // Menus
    QAction* N11;
    QAction* CsvExportItem;
    QAction* ReplayItem;
    QAction* FileExitItem;
    QAction* HelpContentsItem;
    QAction* HelpAboutItem;

    // Race header
    QFrame* Panel5;
    Label3D* Label3D1;   // race number
    Label3D* Label3D2;   // course
    Label3D* Label3D3;   // date and meeting
    Label3D* Label3D5;   // registered runners
    Label3D* Label3D6;   // starters
    Label3D* Label3D12;  // race name
    Label3D* Label3D14;  // 速報 and when it was fetched, while the votes are a quick report's
    QListWidget* FileListBox1;
    QPushButton* MakeDataListBtn;
    QPushButton* ReadHyosuBtn;
    // Under it, once the race has its result: the first three and every
    // payout beside the program's own figure (ResultBoard, scrolled
    // sideways where the window is too narrow for it).
    QScrollArea* ResultPanel;
    ResultBoard* resultBoard;
    // Where the race would be: what to do when there is none to show yet
    // (no race data, no day selected, a race without its votes).
    QLabel* HintLabel;

    // Tabs, in their order on screen
    QTabWidget* PageControl1;
    QWidget* TabSheet1;                // win
    QWidget* TabSheet3;                // bracket quinella
    QWidget* TabSheet2;                // quinella
    QWidget* TabSheet4;                // reference
    QWidget* TabSheet7;                // place, wide, exacta and trio boards
    QWidget* TabSheet5;                // stake advisor
    WinSheet* winSheet;                // the content of TabSheet1
    BracketTab* bracketTab;            // the content of TabSheet3
    QuinellaTab* quinellaTab;          // the content of TabSheet2
    ReferenceTab* referenceTab;        // the content of TabSheet4
    PoolTab* poolTab;                  // the content of TabSheet7
    AdvisorTab* advisorTab;            // the content of TabSheet5
    QWidget* TabSheet8;                // 妙味, the bets of the highest expected return
    ValueTab* valueTab;                // the content of TabSheet8
    QWidget* TabSheet9;                // 買い目, a purchase of many tickets of one pool
    TicketsTab* ticketsTab;            // the content of TabSheet9
    QWidget* TabSheet6;                // odds history
    OddsHistoryView* oddsHistoryView;  // the content of TabSheet6

    QStatusBar* StatusLine;
    QLabel* RefreshStatus;  // last and next automatic fetch, beside the hint
    QTimer* RefreshTimer;

    // Handlers other windows call.
    void MakeDataListBtnClick();
    void DateComboChange();
    void ReadHyosuBtnClick();
    void lbRaceChange();
    void lbRaceUChange();
    void calcBtnClick();
    void calcUbtnClick();
    void FileExitItemClick();
    void HelpContentsItemClick();
    void HelpAboutItemClick();
    void JVBtnClick();
    void SokuhoHyosuBtnClick();
    void N11Click();
    void AutoRefreshBtnClick();
    void RefreshTimerTimer();
    void CsvExportItemClick();
    void ReplayItemClick();
    // Shows the race `race` (its item) of the day `date` (its date text), as a
    // double-click in the 回収率 window asks.
    void openRace(const QString& date, const QString& race);

    // The odds history, opened at its first use; none when it cannot be. A
    // failed open shows its cause: a newer schema in a box once, any other
    // cause in the status line at each use that meets it.
    tavek::history::OddsHistory* oddsHistory();
    // Redraws the odds history tab for the current race when it is on screen.
    void showOddsHistory();
    // The automatic refresh's interval in seconds (settings::kRefreshInterval).
    int refreshInterval() const;

    // Copies the current hint into the status line.
    void ShowHint(const QString& hint);

    // Slot whose vote figures ReadHyosuBtnClick reads.
    int voteSlot = 0;
    // Set while the whole-day quick report runs: the single-race fetches skip their reload.
    bool BulkQuickReport = false;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormCloseQuery();

    void buildMenus();
    void buildSpeedBar();
    void buildRaceHeader();
    void buildTabs();
    void assembleClientArea();

    // The quinella, bracket-quinella, reference and stake advisor tabs (their own files).
    void buildPairTabs();
    void clearPairFigures();
    void runBracketSection(int race);
    void runReferenceSection(int race);

    // The handlers' steps that can fail; the handlers show the failure.
    // The day of the date selector, at race item `race` when it has it.
    void showSelectedDay(const QString& race = QString());
    // No day selected: no race on screen, and the hint what to do.
    void clearRaceDisplay();
    void showRaceHint(const QString& hint);
    // What a race without votes asks for: a quick report, or patience while
    // the automatic refresh runs; and that hint again when the refresh starts
    // or stops under it.
    QString noVotesHint() const;
    void refreshNoVotesHint();
    // The quick report of the race in slot `race`: none when a failure box ended it.
    std::optional<tavek::jvlink::QuickReport::Result> fetchQuickReport(int race);
    tavek::jvlink::QuickReport::Result runQuickReport(int race);  // throws; fetchQuickReport shows the failure
    // The status line after the quick report of race item `race`; `why` a
    // failure is, empty when a box said it already.
    static QString quickReportStatus(const QString& race, const tavek::jvlink::QuickReport::Result& result);
    static QString quickFailureStatus(const QString& race, const QString& why);
    // `text` with the notes of a reload after it.
    static QString withNotes(const QString& text, const QString& notes);
    // Reloads the day after a quick report and shows the same race again,
    // with the user's simulations run on the fresh votes. Returns the notes
    // on those that are refused now (empty when none was).
    QString reloadKeepingRace();

    // The race header of the win tab's current race.
    void showRaceHeader();
    // The result of race slot `race` under the race header, when it has one;
    // what of the day's payouts file could not be used, on the status line.
    void showResult(int race);
    // What race slot `race`'s result means for each board's entries.
    tavek::results::Winners winnersOf(int race);
    // The trifecta's record of race slot `race`; what of the day's trifecta
    // file could not be read, on the status line.
    QByteArray trifectaRecord(int race);
    // Label3D14: 速報 and when the votes on screen were fetched; empty for final figures.
    QString reportText() const;
    // When the odds history says the quick report's votes of race slot `race`
    // were fetched; none for final figures, or without a history.
    std::optional<QDateTime> quickReportFetched(int race);
    void restorePlacement();
    void buildHistoryTab();
    void stopAutoRefresh(const QString& why);
    void scheduleRefresh();

    QString appFolder_;
    QString version_;
    bool shown_ = false;
    // The data folder's problem has been shown: the date list, rebuilt after
    // every acquisition, reports it again only once the folder was readable.
    bool dataFolderReported_ = false;
    QStringList leftOutReported_;  // the days the date list has told the user it leaves out
    std::unique_ptr<tavek::DayData> day_;
    tavek::TIniGT ini_;
    // The odds history of the application folder, shared by the quick
    // report and the tabs that read it.
    std::unique_ptr<tavek::history::HistoryAccess> history_;
    TReplayForm* replayForm_ = nullptr;  // the 回収率 window, made at its first opening
    QDateTime lastRefresh_;
    QByteArray refreshedRace_;  // race key of the automatic refresh's last fetch
    QString resultProblem_;     // the payouts file's problem last told, told again only when it changes
};
