#include "appfiles/SettingsKeys.h"
#include "jvlink/client/BatchAcquisition.h"
#include "racedata/Clock.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/RecordingBatchView.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using jvlink::BatchAcquisition;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

const QDateTime kStart(QDate(2005, 4, 9), QTime(15, 30));
const QString kDone = QStringLiteral("データ作成が完了しました。");
const QString kNothing = QStringLiteral("最新のデータがありません。");
const QString kCancelBox = QStringLiteral("JVCancel:キャンセルされました");

class BatchRun : public ::testing::Test {
protected:
    BatchRun() { settings::write(settings, settings::kLastTime, "2005/04/09 15:30:00"); }
    QString lastTime() const { return settings::read(settings, settings::kLastTime, QString()); }
    QByteArray dayFile(const QString& name) const { return test::readFile(data.path() + u'/' + name); }
    // Boxes after the start box.
    QStringList laterBoxes() const { return view.boxes.mid(1); }

    QTemporaryDir dir;
    test::DataFolder data;
    TIniGT settings = test::settingsIn(dir.path());
    test::ScriptedJVLink jv;
    test::RecordingBatchView view;
    BatchAcquisition run{jv, view, data.path(), settings};
};

const QString kRaFile = QStringLiteral("2005年04月16日.jvRA");
const QString kH1File = QStringLiteral("2005年04月16日.jvH1");

}  // namespace

TEST_F(BatchRun, DownloadThenReadStoresRaAndH1AndLeavesLastTime)
{
    jv.readCount = 2;
    jv.downloadCount = 2;
    jv.lastFileTimestamp = "20050416120000";
    jv.statuses = {0, 1, 3, 2};
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    jv.record(H1Record(raceKey("20050416", "05", 11)));
    QByteArray se = RaRecord(raceKey("20050416", "05", 11));
    se.replace(0, 2, "SE");
    jv.record(se);
    jv.code(-1);
    jv.code(-3);
    jv.code(-2);
    jv.record(RaRecord(raceKey("20050416", "05", 1)));
    jv.code(-1);

    run.start(kStart);
    EXPECT_EQ(jv.openedFrom, "20050409153000");
    EXPECT_EQ(view.boxes.value(0), BatchAcquisition::startText(kStart));
    EXPECT_TRUE(view.boxes.value(0).startsWith("2005年04月09日15時30分00秒以降のデータ取込を開始します。"));
    EXPECT_EQ(run.state(), BatchAcquisition::State::Downloading);
    EXPECT_TRUE(view.polling && view.running);
    EXPECT_EQ(view.statuses, QStringList({"JVOpen正常:正常に実行されました。(0)", "ReadCount:2, DownloadCount:2",
                                          "ダウンロード中・・・"}));
    EXPECT_EQ(view.downloadMaximum, 2);

    run.poll();
    run.poll();
    EXPECT_EQ(view.statuses.last(), "ダウンロード中．．．(1/2)");
    EXPECT_EQ(view.downloadPosition, 1);
    run.poll();  // beyond the count: nothing
    EXPECT_EQ(view.statuses.last(), "ダウンロード中．．．(1/2)");
    run.poll();

    EXPECT_FALSE(view.polling);
    EXPECT_FALSE(view.running);
    EXPECT_EQ(run.state(), BatchAcquisition::State::Idle);
    EXPECT_EQ(view.list,
              QStringList({"作成済み:11R/" + kRaFile, "作成済み:11R/" + kH1File, "作成済み:01R/" + kRaFile}));
    EXPECT_EQ(view.statuses.last(), "データ読込み完了(2/2)");
    EXPECT_TRUE(view.statuses.contains("データ読込み中．．．(1/2)"));
    EXPECT_EQ(laterBoxes(), QStringList({kDone}));
    // A complete run leaves both bars full.
    EXPECT_EQ(view.downloadPosition, 2);
    EXPECT_EQ(view.readPosition, 2);
    EXPECT_EQ(jv.calls.last(), "JVClose");
    EXPECT_EQ(dayFile(kRaFile).count("\r\n"), 2);
    EXPECT_EQ(dayFile(kRaFile).left(27), RaRecord(raceKey("20050416", "05", 1)).bytes().left(27));
    EXPECT_EQ(dayFile(kH1File).size(), H1Record().bytes().size());
    EXPECT_EQ(lastTime(), "2005/04/09 15:30:00");
    EXPECT_FALSE(view.shownStartPoint.isValid());
    EXPECT_EQ(run.storedCount(), 3);
}

TEST_F(BatchRun, RunWithoutDownloadAdvancesLastTimeToTheLastFile)
{
    jv.readCount = 1;
    jv.lastFileTimestamp = "20050416173000";
    jv.record(RaRecord());
    run.start(kStart);
    EXPECT_EQ(view.downloadPosition, 100);  // nothing to download: full from the start
    EXPECT_EQ(laterBoxes(), QStringList({kDone}));
    EXPECT_EQ(lastTime(), "2005/04/16 17:30:00");
    EXPECT_EQ(view.shownStartPoint, QDateTime(QDate(2005, 4, 16), QTime(17, 30)));
    EXPECT_EQ(run.storedStartPoint(), QDateTime(QDate(2005, 4, 16), QTime(17, 30)));
}

TEST_F(BatchRun, BlankOrZeroTimestampLeavesLastTime)
{
    for (const char* stamp : {"00000000000000", "              ", ""}) {
        jv.readCount = 1;
        jv.lastFileTimestamp = stamp;
        run.start(kStart);
        EXPECT_EQ(lastTime(), "2005/04/09 15:30:00") << stamp;
        EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
    }
}

TEST_F(BatchRun, UnreadableLastTimeFallsBackToEightDaysAgo)
{
    clock::FixedNow now{QDateTime(QDate(2024, 5, 26), QTime(9, 41, 7))};
    settings::write(settings, settings::kLastTime, "yesterday");
    EXPECT_EQ(run.storedStartPoint(), QDateTime(QDate(2024, 5, 18), QTime(9, 41, 7)));
}

TEST_F(BatchRun, NothingNewEitherWayShowsTheSameBoxAndCloses)
{
    jv.openResult = -1;
    run.start(kStart);
    jv.openResult = 0;
    jv.readCount = 0;
    run.start(kStart);
    EXPECT_EQ(view.boxes, QStringList({BatchAcquisition::startText(kStart), kNothing,
                                       BatchAcquisition::startText(kStart), kNothing}));
    EXPECT_EQ(jv.count("JVClose"), 2);
    EXPECT_EQ(jv.count("JVRead"), 0);
    EXPECT_TRUE(view.statuses.isEmpty());
    EXPECT_FALSE(view.running);
    EXPECT_EQ(lastTime(), "2005/04/09 15:30:00");
}

TEST_F(BatchRun, FailuresShowTheirBoxAndClose)
{
    jv.openResult = -112;
    run.start(kStart);
    EXPECT_EQ(laterBoxes(), QStringList({"JVOpenエラー:fromdate パラメータが不正です。(-112)"}));
    EXPECT_EQ(jv.calls, QStringList({"JVOpen", "JVClose"}));

    view.boxes.clear();
    jv.openResult = 0;
    jv.readCount = 3;
    jv.downloadCount = 3;
    jv.statuses = {1, -502};
    run.start(kStart);
    run.poll();
    run.poll();
    EXPECT_EQ(laterBoxes(),
              QStringList({"JVStatusエラー:ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)"}));
    EXPECT_FALSE(view.polling);
    EXPECT_EQ(jv.calls.last(), "JVClose");
    EXPECT_FALSE(run.running());

    view.boxes.clear();
    jv.downloadCount = 0;
    jv.lastFileTimestamp = "20050416173000";
    jv.record(RaRecord());
    jv.code(-403);
    jv.closeResults = {-1};
    run.start(kStart);
    EXPECT_EQ(laterBoxes(),
              QStringList({"JVReadエラー:ダウンロードしたファイル内容が異常です。(-403)", "JVCloseエラー:(-1)"}));
    EXPECT_EQ(dayFile(kRaFile).size(), RaRecord().bytes().size()) << "what was read before the failure is stored";
    EXPECT_EQ(lastTime(), "2005/04/09 15:30:00") << "the unread files must come again next time";
}

TEST_F(BatchRun, CancelAnsweredNoChangesNothing)
{
    jv.readCount = 2;
    jv.downloadCount = 2;
    run.start(kStart);
    view.answers = {false};
    run.cancel();
    EXPECT_EQ(laterBoxes(), QStringList({"データ取込を中止します。実行しますか？"}));
    EXPECT_EQ(jv.count("JVCancel"), 0);
    EXPECT_TRUE(view.polling);
    EXPECT_EQ(run.state(), BatchAcquisition::State::Downloading);
}

TEST_F(BatchRun, CancelDuringDownloadAlsoClosesSoTheNextStartWorks)
{
    jv.readCount = 2;
    jv.downloadCount = 2;
    jv.statuses = {0};
    run.start(kStart);
    run.poll();
    view.answers = {true};
    run.cancel();
    EXPECT_EQ(laterBoxes(), QStringList({"データ取込を中止します。実行しますか？", kCancelBox}));
    EXPECT_EQ(view.statuses.last(), kCancelBox);
    EXPECT_TRUE(run.cancelRequested());
    EXPECT_FALSE(view.polling);
    EXPECT_FALSE(view.running);
    EXPECT_EQ(jv.calls.mid(jv.calls.size() - 2), QStringList({"JVCancel", "JVClose"}));
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Cancelled);

    jv.downloadCount = 0;
    jv.record(RaRecord());
    run.start(kStart);
    EXPECT_FALSE(run.cancelRequested());
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
}

TEST_F(BatchRun, CancelDuringReadingStoresWhatWasReadAndCloses)
{
    jv.readCount = 2;
    jv.lastFileTimestamp = "20050416173000";
    jv.record(RaRecord(raceKey("20050416", "05", 1)));
    jv.record(RaRecord(raceKey("20050416", "05", 2)));
    jv.record(RaRecord(raceKey("20050416", "05", 3)));
    int turn = 0;
    view.onProcessEvents = [&] {
        if (++turn == 3) {
            view.answers = {true};
            run.cancel();
        }
    };
    run.start(kStart);
    EXPECT_EQ(view.list.size(), 2);
    EXPECT_EQ(dayFile(kRaFile).count("\r\n"), 2);
    EXPECT_EQ(jv.calls.mid(jv.calls.size() - 2), QStringList({"JVCancel", "JVClose"}));
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Cancelled);
    EXPECT_FALSE(view.running);
    EXPECT_EQ(lastTime(), "2005/04/09 15:30:00");
}

TEST_F(BatchRun, ReplacingRecordAddsAListLineAndKeepsOneFileLine)
{
    jv.readCount = 1;
    jv.record(RaRecord(raceKey(), '1'));
    jv.record(RaRecord(raceKey(), '2'));
    run.start(kStart);
    EXPECT_EQ(view.list, QStringList({"作成済み:11R/" + kRaFile, "作成済み:11R/" + kRaFile}));
    const QByteArray file = dayFile(kRaFile);
    EXPECT_EQ(file.count("\r\n"), 1);
    EXPECT_EQ(file.at(2), '2');
}

TEST_F(BatchRun, UnwritableDataFolderEndsTheRunWithTheStreamClosed)
{
    const QString blocked = dir.filePath("blocked");
    test::writeFile(blocked, {});
    BatchAcquisition blockedRun(jv, view, blocked, settings);
    jv.readCount = 1;
    jv.record(RaRecord());
    EXPECT_THROW(blockedRun.start(kStart), std::runtime_error);
    EXPECT_EQ(jv.calls.last(), "JVClose");
    EXPECT_FALSE(blockedRun.running());
    EXPECT_FALSE(view.running);
}
