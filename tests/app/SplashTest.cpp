#include "app/Splash.h"
#include "app/TavekApplication.h"
#include "support/gui/MainWindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(Splash, IsPaintedAtOnceAndStaysItsMinimumTime)
{
    QPointer<TSplash> splash = new TSplash;
    QElapsedTimer clock;
    clock.start();
    splash->showNow();
    EXPECT_TRUE(splash->painted()) << "painted before the start-up work runs";
    EXPECT_TRUE(splash->isVisible());

    // Released at once (a start-up that took no time): it stays a second.
    splash->release();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(splash.isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 3000));
    EXPECT_GE(clock.elapsed(), TSplash::kMinimumShown);
}

// The application-wide error box shown while the splash is up, and the splash
// deleted while the box runs (it goes on its first loss of activation): the
// box must neither belong to the splash nor go with it.
TEST(Splash, AnErrorBoxOutlivesTheSplash)
{
    tavek::test::MainWindowFixture fx;  // the error log goes into its folder
    QPointer<TSplash> splash = new TSplash;
    splash->showNow();
    splash->activateWindow();
    QApplication::processEvents();

    bool seen = false;
    bool survived = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen)
            return;
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("エラー"));
        EXPECT_EQ(box->text(), QStringLiteral("ファイル X は開けません"));
        QPointer<QMessageBox> watched = box;
        EXPECT_TRUE(splash.isNull() || splash->isHidden()) << "the splash, kept on top, would hide the box";
        delete splash.data();
        survived = !watched.isNull();
        if (watched)
            watched->accept();
    });
    poll.start();
    EXPECT_FALSE(deliverGuarded([]() -> bool { throw std::runtime_error("ファイル X は開けません"); }));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(survived);
}
