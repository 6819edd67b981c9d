#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/HelpCommands.h"
#include "app/WindowPlacement.h"
#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "appfiles/IniFile.h"
#include "appfiles/SettingsKeys.h"
#include "controls/MessageBox.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatorSettings.h"
#include "jvlink/emulator/JVLinkFactory.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>

TMainForm::TMainForm() : day_(std::make_unique<tavek::DayData>())
{
    FormCreate();
}

TMainForm::~TMainForm() = default;

QString TMainForm::dataFolder() const
{
    return tavek::identity::dataFolderIn(appFolder_);
}

void TMainForm::FormCreate()
{
    appFolder_ = tavek::appfolder::path();
    // Without its data folder the program has no races to show, but it still
    // opens: the user learns why the date list stays empty.
    if (!QDir().mkpath(dataFolder())) {
        dataFolderReported_ = true;
        tavek::MessageBox::unexpected(
            this, QStringLiteral("データフォルダ %1 を作成できません").arg(QDir::toNativeSeparators(dataFolder())));
    }

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tavek for JRA-VAN Data Lab."));
    buildMenus();
    buildSpeedBar();
    buildRaceHeader();
    buildTabs();
    assembleClientArea();
    StatusLine = new QStatusBar(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    StatusLine->setFixedHeight(23);
    setStatusBar(StatusLine);
    StatusLine->addPermanentWidget(RefreshStatus);
    history_ = std::make_unique<tavek::history::HistoryAccess>(appFolder_);
    history_->setNotice([this](tavek::history::HistoryAccess::Failure failure, const QString& why) {
        // Once per start: the quick report goes on into the day files.
        if (failure == tavek::history::HistoryAccess::Failure::Refused)
            tavek::MessageBox::information(this, why);
        else
            StatusLine->showMessage(why);
    });

    restorePlacement();
    JVLink1 = tavek::jvlink::createJVLink();
    MakeDataListBtnClick();
    winSheet->StringGrid1->clearSelection();
    // A log that cannot be written is reported; the window opens nevertheless.
    QString logNotice;
    tavek::MessageBox::guarded(this, [this, &logNotice] {
        tavek::ErrorLog log(tavek::ErrorLog::defaultPath());
        logNotice = log.setAsideIfUnusable();
        log.writeStartupEntry(appFolder_);
    });
    // Settings that are not read leave the program on its defaults, and a log
    // set aside is begun afresh: neither stops the start, but the user learns why.
    for (const QString& problem :
         {tavek::ini::problem(ini_.path()), tavek::jvlink::EmulatorSettings::problem(), logNotice})
        if (!problem.isEmpty())
            tavek::MessageBox::unexpected(this, problem);
}

void TMainForm::restorePlacement()
{
    using namespace tavek::settings;
    const int top = read(ini_, kWindowTop);
    const int left = read(ini_, kWindowLeft);
    const int width = read(ini_, kWindowWidth);
    const int height = read(ini_, kWindowHeight);
    // A placement saved on a screen that is gone (or edited by hand) must not
    // leave the window where the user cannot reach it.
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    const QRect placed = tavek::placement::onScreen(tavek::placement::savedRect(left, top, width, height), screens);
    move(placed.topLeft());
    // Never below the minimum the tool bar needs: were the window made wider
    // only when shown, X11 would place its client area, not its frame, at the
    // saved position, and the title bar would go off the top of the screen.
    resize(placed.size().expandedTo(minimumSizeHint()));
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    version_ = tavek::identity::versionText();
    if (!JVLink1)
        return;
    const int code = JVLink1->JVInit(tavek::jvlink::softwareId());
    if (code != tavek::jvlink::JVResult::Ok) {
        tavek::MessageBox::plain(this, QStringLiteral("JVInitエラー：")
                                           + tavek::jvlink::messageText(tavek::jvlink::JVOperation::JVInit, code));
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The window closes even when its placement cannot be saved: the user
    // sees why, and is never left with a window that refuses to go.
    tavek::MessageBox::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
}

void TMainForm::FormCloseQuery()
{
    using namespace tavek::settings;
    write(ini_, kWindowTop, y());
    write(ini_, kWindowLeft, x());
    write(ini_, kWindowWidth, width());
    write(ini_, kWindowHeight, height());
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::ShowHint(const QString& hint)
{
    StatusLine->showMessage(hint);
}

void TMainForm::FileExitItemClick()
{
    close();
}

void TMainForm::HelpContentsItemClick()
{
    openUserManual(this, appFolder_);
}

void TMainForm::HelpAboutItemClick()
{
    auto* box = new TAboutBox(this, version_);
    box->exec();
}
