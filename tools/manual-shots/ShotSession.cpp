#include "manual-shots/ShotSession.h"

#include "advisor/ui/AdvisorTab.h"
#include "app/MainForm.h"
#include "app/ResultBoard.h"
#include "app/TavekApplication.h"
#include "appfiles/AppFolder.h"
#include "controls/MessageBox.h"
#include "controls/SaNumEdit.h"
#include "controls/SaNumEditExC.h"
#include "jvlink/client/JVResult.h"
#include "jvlink/ui/EmulatorSettingsForm.h"
#include "jvlink/ui/GetDataUnit.h"
#include "manual-shots/Callouts.h"
#include "manual-shots/Screens.h"
#include "odds/model/PoolListing.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/InputKingakuUnit.h"
#include "odds/ui/InputOddsUnit.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PoolMatrix.h"
#include "odds/ui/PoolTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/ReferenceTab.h"
#include "odds/ui/WinCellStyle.h"
#include "odds/ui/WinSheet.h"
#include "pools/PairIndex.h"
#include "pools/PoolIndex.h"
#include "pools/VotePools.h"
#include "purchase/model/Purchase.h"
#include "purchase/ui/RunnerPicker.h"
#include "purchase/ui/TicketsTab.h"
#include "racedata/Clock.h"
#include "racedata/DayData.h"
#include "replay/ui/ReplayForm.h"
#include "timeline/ui/OddsHistoryView.h"
#include "value/ui/ValueTab.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <stdexcept>

namespace tavek::shots {

namespace {

// The manual's examples: チャンピオンズカップ on its final votes.
const QDate kDay(2026, 12, 6);
const QString kDateText = QStringLiteral("2026年12月06日");
const QString kRaceItem = QStringLiteral("2026/12/06 中京 11R");
// Where the pictures say the program runs: the home of a user named tavek.
const QString kShownHome = QStringLiteral("/home/tavek");

// The program's JV-Link, watched during the fetch: once the read has passed
// half of the files, `atHalf` is called with the window showing that point.
class WatchedJVLink : public jvlink::JVDTLabLib_TLB {
public:
    WatchedJVLink(std::unique_ptr<jvlink::JVDTLabLib_TLB> inner, std::function<void()> atHalf)
        : inner_(std::move(inner)), atHalf_(std::move(atHalf))
    {
    }

    std::unique_ptr<jvlink::JVDTLabLib_TLB> release() { return std::move(inner_); }
    bool reachedHalf() const { return phase_ == Phase::Done; }

    int32_t JVInit(const QString& sid) override { return inner_->JVInit(sid); }
    int32_t JVSetUIProperties() override { return inner_->JVSetUIProperties(); }
    int32_t JVOpen(const QString& dataspec, const QString& fromdate, int32_t option, int32_t& readCount,
                   int32_t& downloadCount, QString& lastFileTimestamp) override
    {
        const int32_t r = inner_->JVOpen(dataspec, fromdate, option, readCount, downloadCount, lastFileTimestamp);
        files_ = readCount;
        return r;
    }
    int32_t JVRTOpen(const QString& dataspec, const QString& key) override { return inner_->JVRTOpen(dataspec, key); }
    int32_t JVStatus() override { return inner_->JVStatus(); }
    int32_t JVRead(QString& buff, int32_t& size, QString& fileName) override
    {
        // The window puts what the run reached on screen at most once a frame
        // (33 ms): after a pause longer than that, the next change shows all
        // of it, and the picture is the same on a fast or a slow machine.
        if (phase_ == Phase::Pause) {
            QThread::msleep(50);
            phase_ = Phase::Take;
        } else if (phase_ == Phase::Take) {
            phase_ = Phase::Done;
            atHalf_();
        }
        const int32_t r = inner_->JVRead(buff, size, fileName);
        if (r == jvlink::JVResult::NextFile && phase_ == Phase::Count && ++read_ >= (files_ + 1) / 2)
            phase_ = Phase::Pause;
        return r;
    }
    void JVCancel() override { inner_->JVCancel(); }
    int32_t JVClose() override { return inner_->JVClose(); }

private:
    enum class Phase { Count, Pause, Take, Done };
    std::unique_ptr<jvlink::JVDTLabLib_TLB> inner_;
    std::function<void()> atHalf_;
    Phase phase_ = Phase::Count;
    int files_ = 0;
    int read_ = 0;
};

// Lets the layouts, the tabs that fill when shown and the charts catch up.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

bool uniform(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

// Whether a board's cell shows `figure` ("  349.9" shows "349.9").
bool shows(const QString& text, const QString& figure)
{
    return text.trimmed() == figure;
}

// The runners of the current race with votes to win.
std::vector<int> runnersOf(const DayData& day)
{
    std::vector<int> runners;
    for (int h = 1; h <= kWinFigures; ++h)
        if (day.winVotes(day.currentRace())[size_t(h - 1)] > 0)
            runners.push_back(h);
    return runners;
}

// As a user types into a numeric field: the old text backspaced away first.
void retype(TSaNumEdit* field, const QString& text)
{
    for (qsizetype i = field->Text().size(); i > 0; --i)
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    settle();
}

}  // namespace

void ShotSession::prepare(const QString& root)
{
    // The home of the run: no setting, font configuration or document folder
    // of whoever builds the program finds its way into a picture.
    const QString home = root + QStringLiteral("/home/tavek");
    QDir().mkpath(home + QStringLiteral("/Documents"));
    QDir().mkpath(root + QStringLiteral("/run"));
    QFile::setPermissions(root + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + QStringLiteral("/run")));
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_DIRS", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        qunsetenv(name);

    // One screen larger than the window, drawn at twice its pixels, so that
    // the pictures stay sharp on a page and on a high-resolution display.
    const QString screen = root + QStringLiteral("/screen.json");
    QFile json(screen);
    if (!json.open(QIODevice::WriteOnly)
        || json.write(R"({"screens": [{"name": "shots", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                      R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})")
               < 0)
        throw std::runtime_error("cannot write " + screen.toStdString());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen));
}

ShotSession::ShotSession(const QString& root, Options options)
    : options_(std::move(options)), home_(root + QStringLiteral("/home/tavek"))
{
    // What TavekJ sets up before its window, once per process.
    static const bool setUp = [] {
        installFonts();
        installQtTranslation();
        // The window's users read Japanese: numbers and dates as on their desktop.
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
        jvlink::ui::installEmulatorSettingsDialog();
        return true;
    }();
    Q_UNUSED(setUp);
    clock::setSource([this] { return now_; });
    previousHook_ = MessageBox::setHook([this](const MessageBox::Request& box) {
        // The acquisition's start and end are told in information boxes;
        // anything else means the run went wrong.
        if (box.kind == MessageBox::Kind::Information)
            return MessageBox::Answer::Ok;
        unexpectedBoxes_.append(box.text);
        return box.kind == MessageBox::Kind::Question ? MessageBox::Answer::No : MessageBox::Answer::Ok;
    });
    // The per-user folder of an installed program.
    appfolder::setPath(home_ + QStringLiteral("/.local/share/Tavek"));
}

ShotSession::~ShotSession()
{
    form_.reset();
    MessageBox::setHook(previousHook_);
    clock::setSource({});
}

QStringList ShotSession::run()
{
    firstStart();
    fetch();
    pickFixtureRace();
    quickReports();
    finalVotes();
    winTab();
    pairTabs();
    poolTabs();
    advisorTab();
    lastTabs();
    results();
    windows();
    return written_;
}

void ShotSession::firstStart()
{
    now_ = QDateTime(kDay, QTime(8, 30));
    form_ = std::make_unique<TMainForm>();
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        fail(QStringLiteral("first-start"), QStringLiteral("the main window did not come up"));
    expect(form_->HintLabel->isVisible() && !form_->HintLabel->text().isEmpty(), QStringLiteral("first-start"),
           QStringLiteral("the main window shows no hint"));
    take(QStringLiteral("first-start"), form_.get());
}

void ShotSession::fetch()
{
    const QString screen = QStringLiteral("fetch");
    std::exception_ptr failure;
    auto watched = std::make_unique<WatchedJVLink>(std::move(form_->JVLink1), [&] {
        try {
            take(screen, QApplication::activeModalWidget());
        } catch (...) {
            failure = std::current_exception();
        }
    });
    WatchedJVLink* jv = watched.get();
    form_->JVLink1 = std::move(watched);
    whileOpen(
        screen, [this] { form_->JVBtnClick(); },
        [&](QDialog* dialog) {
        auto* window = qobject_cast<TGetDataForm*>(dialog);
        expect(window, screen, QStringLiteral("JVデータ取得 opened no acquisition window"));
        whileOpen(
            QStringLiteral("emulator-settings"), [&] { window->SpeedButton1->click(); },
            [&](QDialog* settings) { take(QStringLiteral("emulator-settings"), settings); });
        acquire(screen, dialog);
        });
    const bool reachedHalf = jv->reachedHalf();
    form_->JVLink1 = jv->release();  // the watcher goes with this
    if (failure)
        std::rethrow_exception(failure);
    expect(reachedHalf, screen, QStringLiteral("the acquisition read too few files to show one mid-run"));
}

void ShotSession::acquire(const QString& screen, QDialog* dialog)
{
    auto* window = qobject_cast<TGetDataForm*>(dialog);
    expect(window, screen, QStringLiteral("JVデータ取得 opened no acquisition window"));
    window->ButtonStart->click();
    const QDeadlineTimer deadline(60'000);
    while (window->acquisition().running() && !deadline.hasExpired())
        QTest::qWait(10);
    expect(!window->acquisition().running(), screen, QStringLiteral("the acquisition ran for over a minute"));
    expect(window->acquisition().outcome() == jvlink::BatchAcquisition::Outcome::Completed, screen,
           QStringLiteral("the acquisition did not complete: ") + window->ProgressLabel->text());
}

void ShotSession::pickFixtureRace()
{
    const QString screen = QStringLiteral("main");
    const int date = form_->DateCombo->findText(kDateText);
    expect(date >= 0, screen, QStringLiteral("the acquisition brought no ") + kDateText);
    form_->DateCombo->setCurrentIndex(date);
    form_->DateComboChange();
    const int race = form_->lbRace->findText(kRaceItem);
    expect(race >= 0, screen, QStringLiteral("the day has no ") + kRaceItem);
    form_->lbRace->setCurrentIndex(race);
    form_->lbRaceChange();
}

void ShotSession::quickReports()
{
    for (QTime at(9, 0); at <= QTime(12, 0); at = at.addSecs(30 * 60)) {
        now_ = QDateTime(kDay, at);
        form_->SokuhoHyosuBtnClick();
        const QString status = form_->StatusLine->currentMessage();
        expect(status.startsWith(QStringLiteral("速報票数を取得しました")), QStringLiteral("timeline"),
               QStringLiteral("the quick report at %1 answered: %2").arg(at.toString(u"HH:mm"), status));
    }
    settle();
}

void ShotSession::finalVotes()
{
    // The evening of the race day: the day file takes the final votes, on
    // which every example of the manual is worked out, and the race's result.
    now_ = QDateTime(kDay, QTime(17, 45));
    whileOpen(
        QStringLiteral("main"), [this] { form_->JVBtnClick(); },
        [this](QDialog* dialog) { acquire(QStringLiteral("main"), dialog); });
    pickFixtureRace();
    settle();
    // The window grown by the result under the race header, so that every tab
    // shows as much as it did before the race was run.
    expect(form_->ResultPanel->isVisible(), QStringLiteral("main"), QStringLiteral("the race has no result"));
    form_->resize(form_->width(), form_->height() + form_->ResultPanel->height());
    settle();
}

template <typename Dialog>
void ShotSession::enterInDialog(const QString& screen, const std::function<void()>& open, const QString& text)
{
    whileOpen(screen, open, [&](QDialog* opened) {
        auto* dialog = qobject_cast<Dialog*>(opened);
        expect(dialog, screen,
               QStringLiteral("another dialog than %1 opened").arg(Dialog::staticMetaObject.className()));
        QTest::keyClicks(dialog->SaNumEditExC1, text);
        take(screen, opened);
        dialog->BitBtn1->click();
    });
}

void ShotSession::winTab()
{
    const QString screen = QStringLiteral("main");
    showPage(form_->TabSheet1);
    const win::WinBoard& board = form_->winSheet->board();
    const int runners = int(runnersOf(form_->dayData()).size());
    expect(runners == 16, screen, QStringLiteral("%1 has %2 runners with votes").arg(kRaceItem).arg(runners));
    // The figures the manual works its first example from.
    expect(shows(board.total(), QStringLiteral("10,753,605")), screen,
           QStringLiteral("the win total is ") + board.total());
    expect(shows(board.cellText(10, 2), QStringLiteral("24,586"))
               && shows(board.cellText(10, 4), QStringLiteral("349.9")),
           screen, QStringLiteral("number 10 shows %1 votes at %2").arg(board.cellText(10, 2), board.cellText(10, 4)));
    take(screen, form_.get());

    // The least backed runner, 349.9 to 1, with a million yen more on it.
    enterInDialog<TInputKingakuForm>(
        QStringLiteral("stake-dialog"), [&] { form_->winSheet->openAmountDialog(10); }, QStringLiteral("1000000"));
    expect(shows(board.cellText(10, 6), QStringLiteral("1,000,000"))
               && shows(board.virtualTotal(), QStringLiteral("10,763,605"))
               && shows(board.cellText(10, 10), QStringLiteral("249.0")),
           QStringLiteral("win-stake"),
           QStringLiteral("a million yen on number 10 gives a total of %1 and %2 to 1")
               .arg(board.virtualTotal(), board.cellText(10, 10)));
    take(QStringLiteral("win-stake"), form_.get());

    // The favourite, 3.3 to 1 now and 4.0 a while ago.
    enterInDialog<TInputOddsForm>(
        QStringLiteral("odds-dialog"), [&] { form_->winSheet->openOddsDialog(7); }, QStringLiteral("4.0"));
    expect(shows(board.cellText(7, 6), QStringLiteral("56,944,200"))
               && shows(board.virtualTotal(), QStringLiteral("10,184,163")),
           QStringLiteral("odds-dialog"),
           QStringLiteral("4.0 to 1 on number 7 took %1 yen to a total of %2")
               .arg(board.cellText(7, 6), board.virtualTotal()));
}

void ShotSession::pairTabs()
{
    using pools::PairKind;
    showPage(form_->TabSheet3);
    const sim::PairBoard& brackets = form_->bracketTab->board();
    expect(form_->bracketTab->simulateStake(
               pools::pairLabel(PairKind::Bracket, pools::pairIndexOf(PairKind::Bracket, 2, 4)), 3'000'000)
                   == sim::SimResult::Accepted
               && shows(brackets.realTotal(), QStringLiteral("2,958,855"))
               && shows(brackets.virtualTotal(), QStringLiteral("2,988,855")),
           QStringLiteral("bracket"),
           QStringLiteral("3,000,000 yen on 2-4 gave a total of %1 from %2")
               .arg(brackets.virtualTotal(), brackets.realTotal()));
    take(QStringLiteral("bracket"), form_.get());

    showPage(form_->TabSheet2);
    const sim::PairBoard& pairs = form_->quinellaTab->board();
    expect(form_->quinellaTab->simulateOdds(
               pools::pairLabel(PairKind::Quinella, pools::pairIndexOf(PairKind::Quinella, 2, 7)), 18.0L)
                   == sim::SimResult::Accepted
               && shows(pairs.virtualTotal(), QStringLiteral("21,562,755"))
               && pairs.excess().contains(QStringLiteral("27,037,600")),
           QStringLiteral("quinella"),
           QStringLiteral("2-7 at 18.0 gave a total of %1 and %2").arg(pairs.virtualTotal(), pairs.excess()));
    take(QStringLiteral("quinella"), form_.get());

    showPage(form_->TabSheet4);
    expect(form_->referenceTab->ListBox1->count() > 0, QStringLiteral("reference"),
           QStringLiteral("the exacta list is empty"));
    take(QStringLiteral("reference"), form_.get());
}

void ShotSession::poolTabs()
{
    using pools::Pool;
    showPage(form_->TabSheet7);
    PoolTab* tab = form_->poolTab;
    const auto show = [&](Pool pool, const QString& screen) {
        const int index = tab->PoolCombo->findText(pools::pool(pool).caption());
        expect(index >= 0, screen, QStringLiteral("賭式 offers no ") + pools::pool(pool).caption());
        choose(tab->PoolCombo, index);
        expect(!tab->RealTotalBox->text().trimmed().isEmpty(), screen, QStringLiteral("the board shows no total"));
    };
    const auto stake = [&](const QString& screen, int entry, long long yen) {
        expect(tab->simulateStake(entry, yen) == sim::SimResult::Accepted, screen,
               QStringLiteral("the stake on %1 was refused").arg(tab->board().label(entry)));
        settle();
    };

    show(Pool::Place, QStringLiteral("pools-place"));
    const int place = pools::entryOf(Pool::Place, 10);
    stake(QStringLiteral("pools-place"), place, 1'000'000);
    expect(shows(tab->board().virtualTotalText(), QStringLiteral("11,339,170"))
               && tab->board().virtualVotes(place) == 124'680,
           QStringLiteral("pools-place"),
           QStringLiteral("a million yen on number 10 gave a total of %1").arg(tab->board().virtualTotalText()));
    take(QStringLiteral("pools-place"), form_.get());

    show(Pool::Wide, QStringLiteral("pools-wide"));
    const int wide = pools::entryOf(Pool::Wide, 2, 7);
    stake(QStringLiteral("pools-wide"), wide, 1'000'000);
    expect(shows(tab->board().virtualOddsText(wide), QStringLiteral("4.8-5.1")), QStringLiteral("pools-wide"),
           QStringLiteral("a million yen on 2-7 gave ") + tab->board().virtualOddsText(wide));
    take(QStringLiteral("pools-wide"), form_.get());

    show(Pool::Exacta, QStringLiteral("pools-exacta"));
    take(QStringLiteral("pools-exacta"), form_.get());

    show(Pool::Trio, QStringLiteral("pools-trio"));
    choose(tab->PivotCombo, tab->PivotCombo->findText(QStringLiteral("7")));
    expect(tab->pivot() == 7, QStringLiteral("pools-trio"), QStringLiteral("軸 offers no 7"));
    const int trio = pools::entryOf(Pool::Trio, 2, 3, 7);
    expect(tab->simulateOdds(trio, 35.0L) == sim::SimResult::Accepted, QStringLiteral("pools-trio"),
           QStringLiteral("2-3-7 at 35.0 was refused"));
    settle();
    expect(tab->board().excessText().contains(QStringLiteral("21,997,500"))
               && shows(tab->board().virtualTotalText(), QStringLiteral("34,404,843")),
           QStringLiteral("pools-trio"),
           QStringLiteral("2-3-7 at 35.0 gave %1 and a total of %2")
               .arg(tab->board().excessText(), tab->board().virtualTotalText()));
    take(QStringLiteral("pools-trio"), form_.get());

    // The trifecta on the first place of its most-backed entry, where the day
    // has its record.
    show(Pool::Trifecta, QStringLiteral("pools-trifecta"));
    if (const std::vector<int> top = sim::mostBacked(tab->board(), 1); !top.empty()) {
        const int first = pools::entryRunners(Pool::Trifecta, top[0])[0];
        choose(tab->PivotCombo, first - 1);
        expect(tab->realCell(top[0]) != nullptr, QStringLiteral("pools-trifecta"),
               QStringLiteral("the board on 1着軸 %1 shows no %2").arg(first).arg(tab->board().label(top[0])));
    }
    take(QStringLiteral("pools-trifecta"), form_.get());
}

void ShotSession::advisorTab()
{
    const QString screen = QStringLiteral("advisor");
    showPage(form_->TabSheet5);
    AdvisorTab* tab = form_->advisorTab;
    retype(tab->BankrollEdit, QStringLiteral("1000000"));
    retype(tab->KellyEdit, QStringLiteral("0.5"));

    // The dutching of the manual, 30,000 yen over numbers 2, 3 and 7 to win,
    // which the picture shows below its fold.
    choose(tab->BetKindCombo, tab->BetKindCombo->findText(pools::pool(pools::Pool::Win).caption()));
    for (int i = 0; i < tab->DutchList->count(); ++i) {
        QListWidgetItem* item = tab->DutchList->item(i);
        const int runner = item->data(Qt::UserRole).toInt();
        item->setCheckState(runner == 2 || runner == 3 || runner == 7 ? Qt::Checked : Qt::Unchecked);
    }
    retype(tab->DutchTotalEdit, QStringLiteral("30000"));
    settle();
    expect(tab->DutchMinLabel->text().contains(QStringLiteral("45,540")), screen,
           QStringLiteral("the dutching pays at least ") + tab->DutchMinLabel->text() + tab->DutchMessageLabel->text());

    // The bet the 妙味 tab finds, 馬連 2-7, on the model's chance.
    choose(tab->BetKindCombo, tab->BetKindCombo->findText(pools::pool(pools::Pool::Quinella).caption()));
    choose(tab->BetCombo, tab->BetCombo->findData(pools::pairIndexOf(pools::PairKind::Quinella, 2, 7)));
    tab->ModelProbBtn->click();
    settle();
    expect(tab->MessageLabel->text().isEmpty(), screen, QStringLiteral("no advice: ") + tab->MessageLabel->text());
    expect(tab->ProbEdit->Text() == QStringLiteral("8.3685"), screen,
           QStringLiteral("the model's chance of 2-7 is ") + tab->ProbEdit->Text());
    const QTableWidgetItem* kelly = tab->StakeTable->item(2, 0);
    expect(kelly && kelly->text().contains(QStringLiteral("6,800")), screen,
           QStringLiteral("the Kelly stake is ") + (kelly ? kelly->text() : QString()));
    expect(tab->ChartView->isVisible(), screen, QStringLiteral("the chart is not shown"));
    take(screen, form_.get());
}

void ShotSession::lastTabs()
{
    showPage(form_->TabSheet8);
    expect(form_->valueTab->ValueTable->rowCount() > 0, QStringLiteral("value"),
           QStringLiteral("the table is empty: ") + form_->valueTab->MessageLabel->text());
    bool quoted = false;  // the row of the manual's example: 馬連 2-7 at 118.0%
    const QTableWidget* table = form_->valueTab->ValueTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column) ? table->item(row, column)->text().trimmed() : QString());
        quoted = quoted || (cells.contains(QStringLiteral("2-7")) && cells.contains(QStringLiteral("118.0%")));
    }
    expect(quoted, QStringLiteral("value"), QStringLiteral("the table has no 馬連 2-7 at 118.0%"));
    take(QStringLiteral("value"), form_.get());

    ticketsTab();

    showPage(form_->TabSheet6);
    expect(form_->oddsHistoryView->timeline().size() >= 5, QStringLiteral("timeline"),
           QStringLiteral("the odds history holds %1 quick reports").arg(form_->oddsHistoryView->timeline().size()));
    take(QStringLiteral("timeline"), form_.get());
}

// The manual's formation: 7 or 2 first; 7, 2, 3 or 16 second; 7, 2, 3, 16, 6
// or 1 third; 1,000,000 yen spread so that every hit pays about the same.
void ShotSession::ticketsTab()
{
    const QString screen = QStringLiteral("tickets");
    showPage(form_->TabSheet9);
    TicketsTab* tab = form_->ticketsTab;
    choose(tab->PoolCombo, tab->PoolCombo->findData(int(pools::Pool::Trifecta)));
    choose(tab->FormCombo, tab->FormCombo->findData(int(purchase::FormKind::Formation)));
    const std::vector<int> places[] = {{7, 2}, {7, 2, 3, 16}, {7, 2, 3, 16, 6, 1}};
    for (int row = 0; row < 3; ++row)
        for (int runner : places[row])
            tab->RunnerBoard->toggle(row, runner);
    choose(tab->SplitCombo, tab->SplitCombo->findData(int(purchase::Split::Payout)));
    choose(tab->ModelCombo, tab->ModelCombo->findData(int(finish::Model::Discounted)));
    retype(tab->AmountEdit, QStringLiteral("1000000"));
    settle();
    expect(tab->MessageLabel->isHidden(), screen, QStringLiteral("no purchase: ") + tab->MessageLabel->text());
    expect(tab->TicketTable->rowCount() == 24, screen,
           QStringLiteral("the formation makes %1 tickets, not 24").arg(tab->TicketTable->rowCount()));
    const QTableWidgetItem* combined = tab->SummaryTable->item(2, 1);
    expect(combined && combined->text() == QStringLiteral("11.15倍"), screen,
           QStringLiteral("the combined odds after the purchase are ") + (combined ? combined->text() : QString()));
    take(screen, form_.get());
}

void ShotSession::results()
{
    const QString screen = QStringLiteral("results");
    // The race picked again: the boards without the examples' simulations.
    pickFixtureRace();
    showPage(form_->TabSheet1);
    expect(form_->ResultPanel->isVisible(), screen, QStringLiteral("the race has no result under its header"));
    const ResultBoard* board = form_->resultBoard;
    expect(board->columns() >= 12, screen, QStringLiteral("the result shows %1 payouts").arg(board->columns()));
    for (int c = 0; c < board->columns(); ++c)
        expect(!board->differs(c), screen,
               QStringLiteral("the program's figure of %1 %2 differs from what was paid")
                   .arg(board->cellText(ResultBoard::PoolRow, c), board->cellText(ResultBoard::BetRow, c)));
    take(screen, form_.get());

    // The trifecta's board with the winner as 1着軸: the winning entry in its row.
    const QString trifecta = QStringLiteral("results-trifecta");
    showPage(form_->TabSheet7);
    PoolTab* tab = form_->poolTab;
    choose(tab->PoolCombo, tab->PoolCombo->findText(pools::pool(pools::Pool::Trifecta).caption()));
    choose(tab->AxisCombo, 0);
    const std::vector<results::Placing>& placings = board->sheet().placings;
    expect(placings.size() == 3, trifecta, QStringLiteral("the result tells no first three"));
    choose(tab->PivotCombo, placings[0].runners[0] - 1);
    const int won = pools::entryOf(pools::Pool::Trifecta, placings[0].runners[0], placings[1].runners[0],
                                   placings[2].runners[0]);
    expect(tab->realCell(won) && tab->realCell(won)->background() == wonColour(), trifecta,
           QStringLiteral("the board does not mark %1").arg(pools::entryLabel(pools::Pool::Trifecta, won)));
    // Scrolled to the winning entry, both its lines, as the arrow keys would bring it.
    tab->poolMatrix->setCurrent(2 * (placings[1].runners[0] - 1) + 1, placings[2].runners[0] - 1);
    settle();
    take(trifecta, form_.get());
}

void ShotSession::windows()
{
    // From the 単勝 tab, the board a user saves most.
    showPage(form_->TabSheet1);
    whileOpen(
        QStringLiteral("csv-export"), [this] { form_->CsvExportItemClick(); },
        [this](QDialog* dialog) { take(QStringLiteral("csv-export"), dialog); });
    replayWeek();
    whileOpen(
        QStringLiteral("about"), [this] { form_->HelpAboutItemClick(); },
        [this](QDialog* dialog) { take(QStringLiteral("about"), dialog); });
}

void ShotSession::replayWeek()
{
    // The week up to the manual's race day, every pool by the value rule,
    // a quarter of the Kelly stake from 100,000 yen.
    const QString screen = QStringLiteral("replay");
    form_->ReplayItemClick();
    auto* replay = form_->findChild<TReplayForm*>(QStringLiteral("ReplayForm"));
    expect(replay, screen, QStringLiteral("ﾌｧｲﾙ > 回収率 opened no window"));
    replay->FromDate->setDate(kDay.addDays(-6));
    replay->ToDate->setDate(kDay);
    replay->StakeCombo->setCurrentIndex(1);
    replay->StakeEdit->setText(QStringLiteral("0.25"));
    replay->RunBtn->click();
    const QDeadlineTimer deadline(60'000);
    while (replay->running() && !deadline.hasExpired())
        QTest::qWait(10);
    expect(!replay->running(), screen, QStringLiteral("the replay ran for over a minute"));
    expect(replay->shown() && replay->shown()->report.total().bets > 0, screen,
           QStringLiteral("the replay bet nothing: ") + replay->StatusLabel->text());
    take(screen, replay);
    replay->close();
}

void ShotSession::showPage(QWidget* page)
{
    form_->PageControl1->setCurrentWidget(page);
    settle();
}

void ShotSession::take(const QString& screen, QWidget* window)
{
    expect(window, screen, QStringLiteral("the window is not open"));
    checkBoxes(screen);
    settle();
    if (!options_.only.isEmpty() && !options_.only.contains(screen))
        return;
    if (options_.names) {
        QTextStream out(stdout);
        for (const QString& path : callouts::offered(window))
            out << screen << ' ' << path << '\n';
        return;
    }
    // Where a field shows a folder, the folder of the user the pictures show.
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        if (edit->text().contains(home_))
            edit->setText(edit->text().replace(home_, kShownHome));
    settle();

    // A window is opaque: a picture without an alpha channel is smaller.
    QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    expect(!picture.isNull() && !uniform(picture), screen, QStringLiteral("the picture is empty"));
    if (!options_.plain) {
        const QPoint margin(callouts::kMargin, callouts::kMargin);
        std::vector<QRect> targets, regions;
        std::vector<std::vector<QRect>> others;
        const auto marks = options_.marks.find(screen);
        for (const manual::Callout& mark :
             marks == options_.marks.end() ? std::vector<manual::Callout>() : marks->second) {
            try {
                const QWidget* named = callouts::find(window, mark.path);
                targets.push_back(callouts::contentRect(window, named).translated(margin));
                // A widget of the window itself may take the white margin around it.
                const QRect region = callouts::regionOf(window, named);
                regions.push_back(region == window->rect() ? QRect() : region.translated(margin));
                others.push_back(callouts::othersOf(window, named));
                for (QRect& o : others.back())
                    o.translate(margin);
            } catch (const std::runtime_error& e) {
                fail(screen, QStringLiteral("%1 line %2: %3").arg(options_.manualName).arg(mark.line).arg(e.what()));
            }
        }
        picture = callouts::framed(picture);
        callouts::draw(picture, callouts::place(picture, targets, regions, others));
    }
    // The picture says it holds twice the window's pixels: make-manual prints
    // every window at one scale.
    const int dotsPerMeter = qRound(picture.devicePixelRatio() * 96 / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    const QString path = QDir(options_.folder).filePath(screen + QStringLiteral(".png"));
    expect(picture.save(path, "PNG"), screen, QStringLiteral("cannot write ") + path);
    written_.append(screen);
}

void ShotSession::whileOpen(const QString& screen, const std::function<void()>& open,
                            const std::function<void(QDialog*)>& handle)
{
    // A modal dialog runs an event loop of its own, where this timer fires.
    QTimer timer;
    timer.setSingleShot(true);
    bool opened = false;
    std::exception_ptr failure;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        try {
            handle(dialog);
        } catch (...) {
            failure = std::current_exception();
        }
        if (dialog->isVisible())
            dialog->reject();
    });
    timer.start(0);
    open();
    if (failure)
        std::rethrow_exception(failure);
    expect(opened, screen, QStringLiteral("the window did not open"));
}

void ShotSession::fail(const QString& screen, const QString& why) const
{
    throw std::runtime_error(QStringLiteral("screen \"%1\": %2").arg(screen, why).toStdString());
}

void ShotSession::expect(bool holds, const QString& screen, const QString& why) const
{
    if (!holds)
        fail(screen, why);
}

void ShotSession::checkBoxes(const QString& screen)
{
    if (!unexpectedBoxes_.isEmpty())
        fail(screen, QStringLiteral("the program reported: ") + unexpectedBoxes_.join(QStringLiteral(" / ")));
}

}  // namespace tavek::shots
