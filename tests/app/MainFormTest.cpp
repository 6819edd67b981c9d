#include "appfiles/IniGT.h"
#include "appfiles/SettingsKeys.h"
#include "controls/Label3D.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/emulator/JVLinkFactory.h"
#include "racedata/Cp932.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>

using tavek::test::MainWindowFixture;

namespace {

QStringList logLines(const QString& path)
{
    return tavek::cp932::decode(tavek::test::readFile(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QRect placement()
{
    using namespace tavek::settings;
    const tavek::TIniGT ini;
    return {read(ini, kWindowLeft), read(ini, kWindowTop), read(ini, kWindowWidth), read(ini, kWindowHeight)};
}

}  // namespace

TEST(MainForm, FirstStartInAnEmptyFolder)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();

    EXPECT_TRUE(QDir(fx.dataFolder()).exists());
    const QStringList log = logLines(fx.logPath());
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("ソフト起動：")));
    EXPECT_EQ(log[1], fx.folder());
    // 800 wide unless the tool bar needs more: every control stays visible.
    EXPECT_EQ(QRect(form.x(), form.y(), form.width(), form.height()),
              QRect(10, 10, std::max(800, form.minimumWidth()), 600));
    EXPECT_FALSE(form.PageControl1->isVisible());
    EXPECT_FALSE(form.Panel5->isVisible());
    EXPECT_EQ(form.DateCombo->count(), 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tavek for JRA-VAN Data Lab."));
    EXPECT_EQ(form.versionText(), QStringLiteral("Version 2.00"));
    EXPECT_FALSE(QFile::exists(fx.settingsPath()));
}

TEST(MainForm, PlacementRestoredAndSavedByEveryWayOfClosing)
{
    MainWindowFixture fx;
    using namespace tavek::settings;
    const tavek::TIniGT ini;
    write(ini, kWindowTop, 40);
    write(ini, kWindowLeft, 50);
    write(ini, kWindowWidth, 700);
    write(ini, kWindowHeight, 500);

    int way = 0;
    for (auto close : std::initializer_list<void (*)(TMainForm&)>{
             [](TMainForm& f) { f.FileExitItem->trigger(); },
             [](TMainForm& f) { f.SpeedButton4->click(); },
             [](TMainForm& f) { f.close(); },
         }) {
        TMainForm& form = fx.start();
        if (way == 0) {
            EXPECT_EQ(QRect(form.x(), form.y(), form.width(), form.height()),
                      QRect(50, 40, std::max(700, form.minimumWidth()), 500));
        }
        form.setGeometry(20 + way, 30, 840 + way, 480);
        const QRect expected(form.x(), form.y(), form.width(), form.height());
        close(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(placement(), expected) << "way " << way;
        ++way;
    }
}

TEST(MainForm, APlacementOffEveryScreenIsBroughtBackOntoOne)
{
    MainWindowFixture fx;
    using namespace tavek::settings;
    const tavek::TIniGT ini;
    write(ini, kWindowTop, -4000);
    write(ini, kWindowLeft, 30000);
    write(ini, kWindowWidth, 640);
    write(ini, kWindowHeight, 90000);
    TMainForm& form = fx.start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QPoint(form.x(), form.y()))) << form.x() << ',' << form.y();
    EXPECT_LE(form.height(), screen.height());
}

TEST(MainForm, DatesListedNewestFirstAndARaceFillsTheHeader)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    fx.writeDay(QStringLiteral("2005年04月17日"), {}, {});
    TMainForm& form = fx.start();
    ASSERT_EQ(form.DateCombo->count(), 2);
    EXPECT_EQ(form.DateCombo->itemText(0), QStringLiteral("2005年04月17日"));
    EXPECT_EQ(form.DateCombo->itemText(1), QStringLiteral("2005年04月16日"));
    EXPECT_EQ(form.DateCombo->currentIndex(), -1);

    fx.pickDate(MainWindowFixture::kFixtureDate);
    ASSERT_EQ(form.lbRace->count(), 3);
    EXPECT_EQ(form.lbRace->itemText(0), QStringLiteral("2005/04/16 東京 11R"));
    EXPECT_EQ(form.lbRaceU->count(), 3);
    EXPECT_TRUE(form.PageControl1->isVisible());
    EXPECT_TRUE(form.Panel5->isVisible());
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
    EXPECT_EQ(form.Label3D1->text(), QStringLiteral("11"));
    EXPECT_EQ(form.Label3D3->text(), QStringLiteral("2005年04月16日東京  02回08日11R"));
    EXPECT_EQ(form.Label3D5->text(), QStringLiteral("16頭"));
    EXPECT_EQ(form.Label3D6->text(), QStringLiteral("[ 出走頭数：15頭]"));
    EXPECT_TRUE(form.Label3D12->text().startsWith(QStringLiteral("テストステークス")));

    fx.pickRace(1);
    EXPECT_EQ(form.Label3D1->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.Label3D3->text().endsWith(QStringLiteral("01R")));
    EXPECT_EQ(form.lbRaceU->currentIndex(), 1);
    EXPECT_EQ(form.dayData().currentRace(), 1);

    EXPECT_FALSE(form.HintLabel->isVisible());

    // A race whose votes are not fetched yet: its race card in the header,
    // no tabs, and where its votes come from.
    fx.pickRace(2);
    EXPECT_FALSE(form.PageControl1->isVisible());
    EXPECT_EQ(form.Label3D1->text(), QStringLiteral("12"));
    EXPECT_EQ(form.Label3D3->text(), QStringLiteral("2005年04月16日中山  03回04日12R"));
    EXPECT_TRUE(form.Label3D5->text().isEmpty());
    EXPECT_TRUE(form.Label3D12->text().startsWith(QStringLiteral("中山最終")));
    EXPECT_TRUE(form.HintLabel->isVisible());
    EXPECT_TRUE(form.HintLabel->text().contains(QStringLiteral("「速報票数」")))
        << form.HintLabel->text().toStdString();

    // Choosing the date again starts from its first race.
    fx.pickDate(MainWindowFixture::kFixtureDate);
    EXPECT_EQ(form.lbRace->currentIndex(), 0);
    EXPECT_TRUE(form.PageControl1->isVisible());
    EXPECT_FALSE(form.HintLabel->isVisible());
}

TEST(MainForm, DayWithoutVotesKeepsTheTabsHidden)
{
    MainWindowFixture fx;
    fx.writeDay(QStringLiteral("2005年04月17日"),
                {tavek::test::RaRecord(tavek::test::raceKey("20050417", "05", 1)).bytes()}, {});
    TMainForm& form = fx.start();
    fx.pickDate(QStringLiteral("2005年04月17日"));
    EXPECT_EQ(form.lbRace->count(), 1);
    EXPECT_FALSE(form.PageControl1->isVisible());
    EXPECT_TRUE(form.Panel5->isVisible()) << "the race card names the race";
    EXPECT_TRUE(form.HintLabel->text().contains(QStringLiteral("票数はまだ")));
}

TEST(MainForm, FirstStartSaysWhereTheRaceDataComesFrom)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    EXPECT_TRUE(form.HintLabel->isVisible());
    EXPECT_TRUE(form.HintLabel->text().contains(QStringLiteral("「JVデータ取得」")));
    EXPECT_FALSE(form.Panel5->isVisible());
}

TEST(MainForm, HintsGoToTheStatusLine)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    QTest::mouseMove(form.SpeedButton4);
    QTRY_COMPARE(form.StatusLine->currentMessage(), QStringLiteral("ソフトを終了します"));
    QTest::mouseMove(form.JVBtn);
    QTRY_COMPARE(form.StatusLine->currentMessage(), QString());

    form.FileExitItem->showStatusText(&form);
    EXPECT_EQ(form.StatusLine->currentMessage(), QStringLiteral("このｱﾌﾟﾘｹｰｼｮﾝを終了します"));
    form.HelpContentsItem->showStatusText(&form);
    EXPECT_EQ(form.StatusLine->currentMessage(), QStringLiteral("ﾍﾙﾌﾟの目次を表示します"));
}

TEST(MainForm, ControlsCarryTheirDesignerNames)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    for (const char* name :
         {"SpeedBar",     "JVBtn",           "DateCombo",    "lbRace",       "SokuhoHyosuBtn", "SpeedButton5",
          "SpeedButton6", "SpeedButton4",    "calcBtn",      "calcUbtn",     "lbRaceU",        "Panel5",
          "FileListBox1", "MakeDataListBtn", "ReadHyosuBtn", "PageControl1", "TabSheet1",      "TabSheet2",
          "TabSheet3",    "TabSheet4",       "StringGrid1",  "Panel3",       "StatusLine"})
        EXPECT_NE(form.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    const QStringList tabs{QStringLiteral("単勝ｼﾐｭﾚｰｼｮﾝ"), QStringLiteral("枠連ｼﾐｭﾚｰｼｮﾝ"),
                           QStringLiteral("馬連ｼﾐｭﾚｰｼｮﾝ"), QStringLiteral("参考資料")};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(form.PageControl1->tabText(i), tabs[i]);
    for (QWidget* hidden : std::initializer_list<QWidget*>{form.calcBtn, form.calcUbtn, form.lbRaceU, form.FileListBox1,
                                                           form.MakeDataListBtn, form.ReadHyosuBtn})
        EXPECT_TRUE(hidden->isHidden());
}

TEST(MainForm, UnwritableFilesAreReportedAndTheWindowStillOpensAndCloses)
{
    MainWindowFixture fx;
    QDir(fx.folder()).mkpath(QStringLiteral("ErrorLog.txt"));
    QDir(fx.folder()).mkpath(QFileInfo(fx.settingsPath()).fileName());
    tavek::test::writeFile(fx.dataFolder(), {});

    tavek::test::BoxAnswerer boxes;
    TMainForm& form = fx.start();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.DateCombo->count(), 0);
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_TRUE(boxes.texts()[0].contains(QStringLiteral("作成できません")));
    EXPECT_TRUE(boxes.texts()[1].contains(QStringLiteral("ErrorLog.txt")));
    EXPECT_TRUE(boxes.texts()[2].contains(QStringLiteral("設定ファイル")));

    form.close();
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(boxes.count(), 4);
    EXPECT_TRUE(boxes.texts()[3].contains(QStringLiteral("書き込めません")));
}

TEST(MainForm, JVInitFailureIsReportedAndTheWindowStaysUsable)
{
    MainWindowFixture fx;
    tavek::test::ScriptedJVLink* jv = nullptr;
    tavek::jvlink::setFactory([&] {
        auto scripted = std::make_unique<tavek::test::ScriptedJVLink>();
        scripted->initResult = -103;
        jv = scripted.get();
        return scripted;
    });
    tavek::test::BoxAnswerer boxes;
    TMainForm& form = fx.start();
    tavek::jvlink::setFactory({});
    ASSERT_NE(jv, nullptr);
    EXPECT_EQ(jv->softwareId, QStringLiteral("SA481927/SD305716/QmrvXK/Version 2.00"));
    EXPECT_EQ(jv->calls, QStringList{QStringLiteral("JVInit")});
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Plain);
    EXPECT_EQ(boxes.texts().first(),
              QStringLiteral("JVInitエラー：") + tavek::jvlink::messageText(tavek::jvlink::JVOperation::JVInit, -103));
    EXPECT_TRUE(form.isVisible());
}
