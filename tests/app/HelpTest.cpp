#include "app/AboutBox.h"
#include "app/HelpCommands.h"
#include "app/StartUp.h"
#include "app/TavekApplication.h"
#include "app/TitlePicture.h"
#include "appfiles/AppIdentity.h"
#include "controls/DesktopShell.h"
#include "controls/Label3D.h"
#include "jvlink/emulator/JVLinkFactory.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <stdexcept>

using tavek::test::BoxAnswerer;
using tavek::test::DialogCatcher;
using tavek::test::MainWindowFixture;

TEST(Help, ManualOpenedWhenPresentAndReportedWhenMissing)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    QList<QUrl> opened;
    tavek::desktop::ScopedHooks hooks({[&](const QUrl& u) {
        opened << u;
        return true;
                                       },
                                       {},
                                       {}});
    {
        BoxAnswerer boxes;
        form.HelpContentsItemClick();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("情報"));
        EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("使用解説書[Tavek.pdf]が見つかりません。"));
    }
    EXPECT_TRUE(opened.isEmpty());

    const QString pdf = QDir(fx.folder()).filePath(QStringLiteral("Tavek.pdf"));
    tavek::test::writeFile(pdf, {});
    BoxAnswerer boxes;
    form.SpeedButton5->click();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(pdf)});
}

TEST(Help, EveryOpeningOfTheAboutBoxIsAFreshWindow)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    QList<QPointer<TAboutBox>> boxes;
    QStringList versions;
    DialogCatcher catcher([&](QDialog* modal) {
        auto* box = qobject_cast<TAboutBox*>(modal);
        ASSERT_NE(box, nullptr);
        boxes << box;
        versions << box->Label3D1->text();
        EXPECT_EQ(box->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(), QSize(300, 200));
    });
    for (int i = 0; i < 2; ++i) {
        form.HelpAboutItemClick();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(versions, QStringList(2, QStringLiteral("Version 2.00")));
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].isNull());
    EXPECT_TRUE(boxes[1].isNull());
}

TEST(StartUp, WithoutJVLinkOnlyTheInformationBoxAppears)
{
    MainWindowFixture fx;
    tavek::jvlink::setFactory(
        []() -> std::unique_ptr<tavek::jvlink::JVDTLabLib_TLB> { throw std::runtime_error("class not registered"); });
    EXPECT_FALSE(jvLinkPresent());
    tavek::jvlink::setFactory([] { return std::unique_ptr<tavek::jvlink::JVDTLabLib_TLB>(); });
    EXPECT_FALSE(jvLinkPresent());
    {
        BoxAnswerer boxes;
        showJVLinkMissing();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("情報"));
        EXPECT_EQ(boxes.seen()[0].text,
                  QStringLiteral("JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"));
    }
    tavek::jvlink::setFactory({});
    EXPECT_TRUE(jvLinkPresent());
    EXPECT_TRUE(QDir(fx.folder()).isEmpty());
}

TEST(StartUp, AFailureNoHandlerStoppedIsLoggedAndShown)
{
    MainWindowFixture fx;  // the error log goes into its folder
    const tavek::clock::FixedNow now{QDateTime(QDate(2024, 5, 26), QTime(9, 41, 7))};
    BoxAnswerer boxes;
    EXPECT_FALSE(deliverGuarded([]() -> bool { throw std::runtime_error("ファイル X は開けません"); }));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Unexpected);
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("ファイル X は開けません"));
    EXPECT_EQ(tavek::test::readFile(fx.logPath()),
              tavek::cp932::encode(QStringLiteral("【エラー】09:41:07：ファイル X は開けません\r\n")));

    // A log that cannot be written does not hold the box back.
    ASSERT_TRUE(QFile::remove(fx.logPath()) && QDir().mkpath(fx.logPath()));
    EXPECT_FALSE(deliverGuarded([]() -> bool { throw 42; }));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[1].text, QStringLiteral("予期しないエラーが発生しました。"));
    EXPECT_TRUE(deliverGuarded([] { return true; }));
    EXPECT_EQ(boxes.count(), 2);
}

TEST(HomePage, FallsBackToTheBrowserCommandAndReportsFailure)
{
    QStringList started;
    bool startWorks = true;
    QString command = QStringLiteral("mybrowser \"%1\"");
    tavek::desktop::ScopedHooks hooks({[](const QUrl&) { return false; }, [&] { return command; },
                                       [&](const QString& line) {
        started << line;
        return startWorks;
                                       }});
    {
        BoxAnswerer boxes;
        openHomePage(nullptr);
        EXPECT_EQ(boxes.count(), 0);
    }
    EXPECT_EQ(started, QStringList{QStringLiteral("mybrowser ") + tavek::identity::homePage()});

    for (bool noBrowser : {false, true}) {
        startWorks = false;
        command = noBrowser ? QString() : QStringLiteral("mybrowser");
        BoxAnswerer boxes;
        openHomePage(nullptr);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Plain);
        EXPECT_EQ(boxes.texts().first(), QStringLiteral("ホームページの表示に失敗しました。"));
    }
}

TEST(Help, AManualTheDesktopCannotOpenIsReportedWithItsPath)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    const QString pdf = QDir(fx.folder()).filePath(QStringLiteral("Tavek.pdf"));
    tavek::test::writeFile(pdf, {});
    tavek::desktop::ScopedHooks hooks({[](const QUrl&) { return false; }, {}, {}});
    BoxAnswerer boxes;
    form.HelpContentsItemClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("情報"));
    EXPECT_TRUE(boxes.seen()[0].text.contains(QDir::toNativeSeparators(pdf)));
    EXPECT_TRUE(boxes.seen()[0].text.contains(QStringLiteral("PDFビューア")));
}
