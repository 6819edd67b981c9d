#include "appfiles/SettingsKeys.h"
#include "jvlink/ui/GetDataUnit.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavek;
using test::raceKey;
using test::RaRecord;

namespace {

class GetDataWindow : public ::testing::Test {
protected:
    GetDataWindow() { settings::write(settings, settings::kLastTime, "2005/04/09 15:30:00"); }
    std::unique_ptr<TGetDataForm> open()
    {
        auto form = std::make_unique<TGetDataForm>(jv, data.path(), nullptr, settings);
        form->show();
        return form;
    }

    QTemporaryDir dir;
    test::DataFolder data;
    TIniGT settings = test::settingsIn(dir.path());
    test::ScriptedJVLink jv;
    test::BoxAnswerer boxes;
};

}  // namespace

TEST_F(GetDataWindow, ShowsItsControlsAndTheStoredStartPoint)
{
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "ＪＶデータ取込");
    EXPECT_EQ(form->ButtonStart->text(), "データ取込み開始");
    EXPECT_EQ(form->ButtonCancel->text(), "データ取込み中止");
    EXPECT_EQ(form->SpeedButton1->text(), "JVLink設定");
    EXPECT_TRUE(form->ProgressLabel->text().isEmpty());
    EXPECT_EQ(form->ProgressBar1->maximum(), 100);
    EXPECT_EQ(form->ProgressBar2->value(), 0);
    EXPECT_EQ(form->TimerJVStatus->interval(), 10);
    EXPECT_FALSE(form->TimerJVStatus->isActive());
    EXPECT_FALSE(form->Label5->isVisible());
    EXPECT_EQ(form->Label5->text(), "2005/04/09 15:30:00");
    EXPECT_EQ(form->DateTimePicker1->date(), QDate(2005, 4, 9));
    EXPECT_EQ(form->startPoint(), QDateTime(QDate(2005, 4, 9), QTime(15, 30)));
    EXPECT_FALSE(form->ButtonCancel->isEnabled()) << "nothing runs that a cancel could stop";
}

TEST_F(GetDataWindow, APickedDayStartsAtMidnightAndDigitsTypedReplaceThePartClicked)
{
    auto form = open();
    // Only the stored start point keeps its time of day; a day picked is the whole day.
    form->DateTimePicker1->setDate(QDate(2005, 4, 2));
    EXPECT_EQ(form->startPoint(), QDateTime(QDate(2005, 4, 2), QTime(0, 0)));
    EXPECT_EQ(form->Label5->text(), "2005/04/02 00:00:00");

    auto* field = form->DateTimePicker1->findChild<QLineEdit*>();
    const auto clickAt = [&](const QString& before) {
        const int x = field->fontMetrics().horizontalAdvance(before) + 2;
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(x, field->height() / 2));
    };
    clickAt("2005年04月0");
    QTest::keyClicks(form->DateTimePicker1, "16");
    EXPECT_EQ(form->DateTimePicker1->date(), QDate(2005, 4, 16));
    clickAt("20");
    QTest::keyClicks(form->DateTimePicker1, "200603");  // the year, then on to the month
    EXPECT_EQ(form->startPoint(), QDateTime(QDate(2006, 3, 16), QTime(0, 0)));
}

TEST_F(GetDataWindow, DownloadIsPolledByTheTimerThenReadWhileTheWindowStaysLive)
{
    jv.readCount = 1;
    jv.downloadCount = 2;
    jv.statuses = {0, 1, 2};
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    jv.record(RaRecord(raceKey("20050416", "05", 12)));
    auto form = open();
    QTest::mouseClick(form->ButtonStart, Qt::LeftButton);
    EXPECT_TRUE(form->TimerJVStatus->isActive());
    EXPECT_FALSE(form->ButtonStart->isEnabled());
    EXPECT_TRUE(form->ButtonCancel->isEnabled());
    EXPECT_EQ(form->ProgressLabel->text(), "ダウンロード中・・・");
    EXPECT_EQ(form->ProgressBar1->maximum(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!form->acquisition().running(), 5000);
    EXPECT_FALSE(form->TimerJVStatus->isActive());
    EXPECT_TRUE(form->ButtonStart->isEnabled());
    EXPECT_EQ(form->ProgressLabel->text(), "データ読込み完了(0/1)");
    ASSERT_EQ(form->ListBox1->count(), 2);
    EXPECT_EQ(form->ListBox1->item(1)->text(), "作成済み:12R/2005年04月16日.jvRA");
    EXPECT_EQ(boxes.texts().mid(1), QStringList({"データ作成が完了しました。"}));
    EXPECT_EQ(boxes.seen().back().title, "情報");
    EXPECT_EQ(settings::read(settings, settings::kLastTime, {}), "2005/04/09 15:30:00");
}

TEST_F(GetDataWindow, CancelButtonDuringDownloadStopsAndCloses)
{
    jv.readCount = 1;
    jv.downloadCount = 2;
    jv.statuses = {0};
    auto form = open();
    QTest::mouseClick(form->ButtonStart, Qt::LeftButton);
    boxes.setNextAnswer(test::BoxAnswerer::Answer::Yes);
    QTest::mouseClick(form->ButtonCancel, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(boxes.seen()[1].title, "確認");
    EXPECT_EQ(boxes.seen()[1].text, "データ取込を中止します。実行しますか？");
    EXPECT_FALSE(form->TimerJVStatus->isActive());
    EXPECT_EQ(form->ProgressLabel->text(), "JVCancel:キャンセルされました");
    EXPECT_EQ(jv.calls.mid(jv.calls.size() - 2), QStringList({"JVCancel", "JVClose"}));
    EXPECT_TRUE(form->ButtonStart->isEnabled());
}

TEST_F(GetDataWindow, ClosingDuringTheReadLoopCancelsFirstAndKeepsWhatWasRead)
{
    jv.readCount = 1;
    jv.record(RaRecord());
    for (int i = 0; i < 300000; ++i)
        jv.code(-2);
    auto form = open();
    boxes.afterAnswer = [&](const MessageBox::Request& box) {
        if (box.text.startsWith("2005年04月09日15時30分00秒"))
            QTimer::singleShot(30, form.get(), [&] { form->close(); });
    };
    form->ButtonStartClick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_LT(jv.count("JVRead"), 300001);
    EXPECT_EQ(jv.calls.mid(jv.calls.size() - 2), QStringList({"JVCancel", "JVClose"}));
    EXPECT_TRUE(QFile::exists(data.path() + "/2005年04月16日.jvRA"));
}

TEST_F(GetDataWindow, SettingsButtonFailureShowsItsBox)
{
    jv.setUIResult = -100;
    auto form = open();
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(
        boxes.texts(),
        QStringList({"JVSetUIPropertiesエラー：パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)"}));
}

TEST_F(GetDataWindow, ARecordThatCannotBeStoredIsReportedByTheWindowAndTheRunEnds)
{
    const QString blocked = data.path() + "/2005年04月16日.jvRA";
    ASSERT_TRUE(QDir().mkpath(blocked));
    jv.readCount = 1;
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    auto form = open();
    // Called directly, not through an event: a failure leaving the handler would end the test.
    form->ButtonStartClick();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[1].kind, MessageBox::Kind::Unexpected);
    EXPECT_TRUE(boxes.texts()[1].contains(blocked)) << boxes.texts()[1].toStdString();
    EXPECT_FALSE(form->acquisition().running());
    EXPECT_TRUE(form->ButtonStart->isEnabled());
    EXPECT_EQ(jv.calls.last(), "JVClose");
}

TEST_F(GetDataWindow, HasACloseButtonOnlyAndShowsTheDateAsTheProgramDoes)
{
    auto form = open();
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    // A fixed size, so that no window manager offers to maximise it.
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->DateTimePicker1->text(), "2005年04月09日");
}

TEST_F(GetDataWindow, AfterARunFocusIsOnStartAndACancelWhileIdleDoesNothing)
{
    jv.readCount = 1;
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    auto form = open();
    form->ButtonStart->setFocus();
    form->ButtonStartClick();
    EXPECT_EQ(form->focusWidget(), form->ButtonStart);
    const int boxesBefore = boxes.count();
    const QStringList callsBefore = jv.calls;
    EXPECT_FALSE(form->ButtonCancel->isEnabled());
    form->ButtonCancelClick();
    EXPECT_EQ(boxes.count(), boxesBefore);
    EXPECT_EQ(jv.calls, callsBefore);
    EXPECT_EQ(form->ProgressLabel->text(), "データ読込み完了(0/1)");
}

TEST_F(GetDataWindow, EachRunStartsWithABlankStatusLine)
{
    jv.readCount = 1;
    auto form = open();
    form->ButtonStartClick();
    ASSERT_EQ(form->ProgressLabel->text(), "データ読込み完了(0/1)");
    QStringList statusAtStartNotice;
    boxes.afterAnswer = [&](const MessageBox::Request& box) {
        if (box.text.startsWith("2005年04月09日"))
            statusAtStartNotice << form->ProgressLabel->text();
    };
    jv.openResult = -1;
    form->ButtonStartClick();
    EXPECT_EQ(statusAtStartNotice, QStringList({QString()}));
    EXPECT_TRUE(form->ProgressLabel->text().isEmpty());
}

TEST_F(GetDataWindow, ALongRunListsEveryRecordAndEndsWithItsLastStatus)
{
    // Lines arrive faster than the window paints them; none may be lost,
    // and a box shows what the run has reached.
    constexpr int kFiles = 40;
    constexpr int kRacesPerFile = 12;
    jv.readCount = kFiles;
    for (int f = 0; f < kFiles; ++f) {
        const QByteArray day = QDate(2005, 1, 1).addDays(f).toString("yyyyMMdd").toLatin1();
        for (int race = 1; race <= kRacesPerFile; ++race)
            jv.record(RaRecord(raceKey(day.constData(), "05", race)));
        jv.code(-1);
    }
    auto form = open();
    int linesAtCompletion = -1;
    boxes.afterAnswer = [&](const MessageBox::Request& box) {
        if (box.text == "データ作成が完了しました。")
            linesAtCompletion = form->ListBox1->count();
    };
    form->ButtonStartClick();
    EXPECT_EQ(linesAtCompletion, kFiles * kRacesPerFile);
    ASSERT_EQ(form->ListBox1->count(), kFiles * kRacesPerFile);
    EXPECT_EQ(form->ListBox1->item(kFiles * kRacesPerFile - 1)->text(), "作成済み:12R/2005年02月09日.jvRA");
    EXPECT_EQ(form->ProgressLabel->text(), "データ読込み完了(40/40)");
    // Full bars after a complete run.
    EXPECT_EQ(form->ProgressBar1->value(), form->ProgressBar1->maximum());
    EXPECT_EQ(form->ProgressBar2->value(), 40);
    EXPECT_EQ(form->ProgressBar2->maximum(), 40);
}
