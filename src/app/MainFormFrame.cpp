// The main window's controls: menus, tool bar, race header and tabs, placed
// as the program always placed them.
#include "app/MainForm.h"

#include "app/ResultBoard.h"
#include "controls/Label3D.h"
#include "controls/PixelFont.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The selectors: bold text on pale cyan, 36 rows when dropped down.
QComboBox* selector(QWidget* parent, const char* name)
{
    auto* c = named(new QComboBox(parent), name);
    c->setMaxVisibleItems(36);
    QFont f = c->font();
    f.setBold(true);
    c->setFont(f);
    QPalette p = c->palette();
    const QColor paleCyan(208, 255, 255);
    p.setColor(QPalette::Base, paleCyan);
    p.setColor(QPalette::Button, paleCyan);
    c->setPalette(p);
    c->view()->setPalette(p);  // the drop-down list is a window of its own
    return c;
}

QToolButton* flatButton(QWidget* parent, const char* name, const QString& caption, const QString& hint)
{
    auto* b = named(new QToolButton(parent), name);
    b->setText(caption);
    b->setAutoRaise(true);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    return b;
}

// The width a bar of absolutely placed controls needs to show every control
// it shows (those hidden on purpose do not count), with its left margin on
// the right too.
int placedControlsWidth(const QFrame* bar)
{
    int right = 0;
    int left = bar->width();
    for (const QWidget* w : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            continue;
        right = std::max(right, w->geometry().right() + 1);
        left = std::min(left, w->geometry().left());
    }
    return right + std::max(left, 0);
}

}  // namespace

void TMainForm::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    N11 = named(file->addAction(QStringLiteral("1日分の全速報票数を一括取得")), "N11");
    connect(N11, &QAction::triggered, this, &TMainForm::N11Click);
    CsvExportItem = named(file->addAction(QStringLiteral("CSV出力...")), "CsvExportItem");
    CsvExportItem->setStatusTip(QStringLiteral(
        "表示中のレースの単勝・枠連・馬連・参考資料・賭式別オッズ・オッズ推移をCSVファイルに保存します"));
    connect(CsvExportItem, &QAction::triggered, this, &TMainForm::CsvExportItemClick);
    ReplayItem = named(file->addAction(QStringLiteral("回収率...")), "ReplayItem");
    ReplayItem->setStatusTip(QStringLiteral("期間のレースを買い方と賭け金の決め方で再生し、回収率を調べます"));
    connect(ReplayItem, &QAction::triggered, this, &TMainForm::ReplayItemClick);
    FileExitItem = named(file->addAction(QStringLiteral("終了(&X)")), "FileExitItem");
    FileExitItem->setStatusTip(QStringLiteral("このｱﾌﾟﾘｹｰｼｮﾝを終了します"));
    connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    HelpContentsItem = named(help->addAction(QStringLiteral("使用解説書(&C)")), "HelpContentsItem");
    HelpContentsItem->setStatusTip(QStringLiteral("ﾍﾙﾌﾟの目次を表示します"));
    connect(HelpContentsItem, &QAction::triggered, this, &TMainForm::HelpContentsItemClick);
    help->addSeparator();
    HelpAboutItem = named(help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)...")), "HelpAboutItem");
    HelpAboutItem->setStatusTip(QStringLiteral("ソフトに関する情報の表示などをします"));
    connect(HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAboutItemClick);
}

void TMainForm::buildSpeedBar()
{
    SpeedBar = named(new QFrame, "SpeedBar");
    SpeedBar->setFixedHeight(35);
    SpeedBar->setFrameStyle(QFrame::Panel | QFrame::Raised);

    JVBtn = named(new QPushButton(QStringLiteral("JVデータ取得"), SpeedBar), "JVBtn");
    JVBtn->setFont(pixelFont(QStringLiteral("ＭＳ ゴシック"), 12, true));
    JVBtn->setGeometry(4, 4, 109, 25);
    connect(JVBtn, &QPushButton::clicked, this, &TMainForm::JVBtnClick);

    DateCombo = selector(SpeedBar, "DateCombo");
    DateCombo->setGeometry(114, 6, 163, 22);
    connect(DateCombo, &QComboBox::activated, this, &TMainForm::DateComboChange);

    lbRace = selector(SpeedBar, "lbRace");
    lbRace->setGeometry(278, 6, 163, 22);
    connect(lbRace, &QComboBox::activated, this, &TMainForm::lbRaceChange);

    SokuhoHyosuBtn = named(new QPushButton(QStringLiteral("速報票数"), SpeedBar), "SokuhoHyosuBtn");
    SokuhoHyosuBtn->setGeometry(446, 6, 71, 22);
    connect(SokuhoHyosuBtn, &QPushButton::clicked, this, &TMainForm::SokuhoHyosuBtnClick);

    SpeedButton5 = flatButton(SpeedBar, "SpeedButton5", QStringLiteral("使用解説書"),
                              QStringLiteral("ﾍﾙﾌﾟの目次を表示します"));
    SpeedButton5->setGeometry(518, 4, 91, 25);
    connect(SpeedButton5, &QToolButton::clicked, this, &TMainForm::HelpContentsItemClick);
    SpeedButton6 = flatButton(SpeedBar, "SpeedButton6", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"),
                              QStringLiteral("ソフトに関する情報の表示などをします"));
    SpeedButton6->setGeometry(610, 4, 103, 25);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMainForm::HelpAboutItemClick);
    SpeedButton4 = flatButton(SpeedBar, "SpeedButton4", QStringLiteral("終了"), QStringLiteral("ソフトを終了します"));
    SpeedButton4->setGeometry(714, 4, 57, 25);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::FileExitItemClick);
    AutoRefreshBtn = flatButton(SpeedBar, "AutoRefreshBtn", QStringLiteral("自動更新"),
                                QStringLiteral("選択中のレースの速報票数を発走時刻まで一定の間隔で取得します"
                                               "（間隔は設定ファイルの[AutoRefresh] Interval、既定60秒）"));
    // The status line shares its width with the refresh status: its tip is
    // the short part; the tool tip, a window of its own, keeps the setting.
    AutoRefreshBtn->setStatusTip(QStringLiteral("選択中のレースの速報票数を発走時刻まで自動で取得します"));
    AutoRefreshBtn->setCheckable(true);
    AutoRefreshBtn->setGeometry(776, 4, 75, 25);
    connect(AutoRefreshBtn, &QToolButton::clicked, this, &TMainForm::AutoRefreshBtnClick);

    // Never shown: other code presses them or keeps them in step.
    calcBtn = named(new QPushButton(QStringLiteral("単勝計算"), SpeedBar), "calcBtn");
    calcBtn->hide();
    connect(calcBtn, &QPushButton::clicked, this, &TMainForm::calcBtnClick);
    calcUbtn = named(new QPushButton(QStringLiteral("馬連計算"), SpeedBar), "calcUbtn");
    calcUbtn->hide();
    connect(calcUbtn, &QPushButton::clicked, this, &TMainForm::calcUbtnClick);
    lbRaceU = named(new QComboBox(SpeedBar), "lbRaceU");
    lbRaceU->hide();
    connect(lbRaceU, &QComboBox::activated, this, &TMainForm::lbRaceUChange);
}

void TMainForm::buildRaceHeader()
{
    Panel5 = named(new QFrame, "Panel5");
    Panel5->setFixedHeight(54);
    Panel5->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel5->setAutoFillBackground(true);
    QPalette pal = Panel5->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, Qt::black);
    Panel5->setPalette(pal);

    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    Label3D1 = named(new Label3D(QString(), Panel5), "Label3D1");
    Label3D1->setGeometry(5, 5, 52, 44);
    Label3D1->setAlignment(Qt::AlignCenter);
    Label3D1->setFont(pixelFont(gothic, 32, true));
    Label3D1->setAutoFillBackground(true);
    QPalette number = Label3D1->palette();
    number.setColor(QPalette::Window, Qt::black);
    number.setColor(QPalette::WindowText, Qt::white);
    Label3D1->setPalette(number);

    auto place = [&](Label3D* l, int x, int y, int pixels, bool bold) {
        l->setFont(pixelFont(gothic, pixels, bold));
        l->move(x, y);
        return l;
    };
    Label3D2 = place(named(new Label3D(QString(), Panel5), "Label3D2"), 66, 5, 18, true);
    Label3D12 = place(named(new Label3D(QString(), Panel5), "Label3D12"), 150, 5, 18, true);
    Label3D3 = place(named(new Label3D(QString(), Panel5), "Label3D3"), 66, 32, 13, false);
    Label3D5 = place(named(new Label3D(QString(), Panel5), "Label3D5"), 320, 32, 13, true);
    Label3D6 = place(named(new Label3D(QString(), Panel5), "Label3D6"), 370, 32, 13, false);
    Label3D12->setStyle3D(Label3D::Style::Raised);
    Label3D14 = place(named(new Label3D(QString(), Panel5), "Label3D14"), 480, 32, 13, true);
    QPalette report = Label3D14->palette();
    report.setColor(QPalette::WindowText, QColor(192, 0, 0));
    Label3D14->setPalette(report);

    // Never shown: the day-file list and the two actions other code presses.
    FileListBox1 = named(new QListWidget(Panel5), "FileListBox1");
    FileListBox1->hide();
    MakeDataListBtn = named(new QPushButton(QStringLiteral("リスト作成"), Panel5), "MakeDataListBtn");
    MakeDataListBtn->hide();
    connect(MakeDataListBtn, &QPushButton::clicked, this, &TMainForm::MakeDataListBtnClick);
    ReadHyosuBtn = named(new QPushButton(QStringLiteral("票数読込"), Panel5), "ReadHyosuBtn");
    ReadHyosuBtn->hide();
    connect(ReadHyosuBtn, &QPushButton::clicked, this, &TMainForm::ReadHyosuBtnClick);
    Panel5->hide();

    // The result under the header, on the header's colour.
    resultBoard = new ResultBoard;
    ResultPanel = named(new QScrollArea, "ResultPanel");
    ResultPanel->setWidget(resultBoard);
    ResultPanel->setFrameStyle(QFrame::NoFrame);
    ResultPanel->setAutoFillBackground(true);
    ResultPanel->setPalette(pal);
    ResultPanel->viewport()->setAutoFillBackground(false);
    ResultPanel->setContentsMargins(5, 2, 5, 2);
    ResultPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ResultPanel->setFocusPolicy(Qt::NoFocus);
    // Where the window is too narrow for every payout, the scroll bar comes below them.
    connect(ResultPanel->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int most) {
        const QMargins m = ResultPanel->contentsMargins();
        ResultPanel->setFixedHeight(resultBoard->height() + m.top() + m.bottom()
                                    + (most > 0 ? ResultPanel->horizontalScrollBar()->sizeHint().height() : 0));
    });
    ResultPanel->hide();

    HintLabel = named(new QLabel, "HintLabel");
    HintLabel->setWordWrap(true);
    HintLabel->setContentsMargins(12, 12, 12, 12);
    QFont hint = HintLabel->font();
    hint.setPixelSize(14);
    hint.setBold(true);
    HintLabel->setFont(hint);
    HintLabel->hide();
}

void TMainForm::buildTabs()
{
    PageControl1 = named(new QTabWidget, "PageControl1");
    TabSheet1 = named(new QWidget, "TabSheet1");
    TabSheet3 = named(new QWidget, "TabSheet3");
    TabSheet2 = named(new QWidget, "TabSheet2");
    TabSheet4 = named(new QWidget, "TabSheet4");
    TabSheet7 = named(new QWidget, "TabSheet7");
    PageControl1->addTab(TabSheet1, QStringLiteral("単勝ｼﾐｭﾚｰｼｮﾝ"));
    PageControl1->addTab(TabSheet3, QStringLiteral("枠連ｼﾐｭﾚｰｼｮﾝ"));
    PageControl1->addTab(TabSheet2, QStringLiteral("馬連ｼﾐｭﾚｰｼｮﾝ"));
    PageControl1->addTab(TabSheet4, QStringLiteral("参考資料"));
    PageControl1->addTab(TabSheet7, QStringLiteral("賭式別オッズ"));

    winSheet = new WinSheet(*day_, TabSheet1);
    auto* win = new QVBoxLayout(TabSheet1);
    win->setContentsMargins(0, 0, 0, 0);
    win->addWidget(winSheet);
    buildPairTabs();
    buildHistoryTab();
    PageControl1->setCurrentIndex(0);
    PageControl1->hide();
}

void TMainForm::assembleClientArea()
{
    auto* client = new QWidget;
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(SpeedBar);
    column->addWidget(Panel5);
    column->addWidget(ResultPanel);
    column->addWidget(HintLabel);
    column->addWidget(PageControl1, 1);
    column->addStretch(0);
    setCentralWidget(client);
    // Narrowed further, the window would cut off its last tool-bar controls
    // ("終了" first); measured here, after every control is placed.
    SpeedBar->setMinimumWidth(placedControlsWidth(SpeedBar));
}
