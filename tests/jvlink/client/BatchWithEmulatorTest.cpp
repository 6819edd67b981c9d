#include "appfiles/AppIdentity.h"
#include "appfiles/SettingsKeys.h"
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/client/QuickReport.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/emulator/StoredFile.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/PostTime.h"
#include "racedata/RecordLayout.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/RecordingBatchView.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

// The emulated service in a temporary folder, on the Monday after the race
// weekend of 25-26 May 2024, downloading without pause.
class BatchWithEmulator : public ::testing::Test {
protected:
    BatchWithEmulator()
    {
        EXPECT_EQ(jv.JVInit(softwareId()), 0);
        settings::write(settings, settings::kLastTime, "2024/05/20 00:00:00");
    }
    static EmulatorSettings emulatorIn(const QTemporaryDir& dir)
    {
        EmulatorSettings s = EmulatorSettings::defaults();
        s.storageFolder = dir.filePath("store");
        s.downloadPaceMs = 0;
        return s;
    }
    void runToTheEnd() { EXPECT_TRUE(run.runHeadless(run.storedStartPoint(), QDeadlineTimer(5000))); }
    QString lastTime() const { return settings::read(settings, settings::kLastTime, QString()); }
    QString data() const { return dir.filePath("Data"); }

    clock::FixedNow now{QDateTime(QDate(2024, 5, 27), QTime(12, 0))};
    QTemporaryDir dir;
    EmulatedJVLink jv{emulatorIn(dir)};
    TIniGT settings = test::settingsIn(dir.path());
    test::RecordingBatchView view;
    BatchAcquisition run{jv, view, data(), settings};
};

}  // namespace

TEST_F(BatchWithEmulator, FirstRunDownloadsSecondRunAdvancesTheStartPoint)
{
    runToTheEnd();
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
    EXPECT_EQ(view.boxes.last(), "データ作成が完了しました。");
    EXPECT_EQ(dayfiles::dateList(data()), QStringList({"2024年05月26日", "2024年05月25日"}));
    EXPECT_EQ(run.storedCount(), view.list.size());
    EXPECT_EQ(lastTime(), "2024/05/20 00:00:00") << "a run that downloaded keeps its start point";
    // The trifecta's votes, sold in every race, in the day's third file, one line a race.
    const QByteArray trifecta = test::readFile(dayfiles::trifectaFilePath(data(), "2024年05月26日"));
    EXPECT_EQ(trifecta.size(), trifecta.count("\r\n") * layout::kH6Length);
    EXPECT_TRUE(trifecta.startsWith("H6"));
    EXPECT_EQ(trifecta.count("\r\n"), test::readFile(dayfiles::voteFilePath(data(), "2024年05月26日")).count("\r\n"));

    const QByteArray before = test::readFile(dayfiles::voteFilePath(data(), "2024年05月26日"));
    runToTheEnd();  // everything is downloaded now: read straight away
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
    EXPECT_TRUE(lastTime().startsWith("2024/05/26 ")) << lastTime().toStdString();
    EXPECT_EQ(test::readFile(dayfiles::voteFilePath(data(), "2024年05月26日")), before)
        << "stored again by replacement";

    runToTheEnd();
    EXPECT_EQ(view.boxes.last(), "最新のデータがありません。");
}

TEST_F(BatchWithEmulator, TheFirstRunKeepsItsStartPointSoALaterRunSkipsNoDay)
{
    settings::write(settings, settings::kLastTime, "");  // a new user: nothing stored yet
    runToTheEnd();
    EXPECT_EQ(lastTime(), "2024/05/19 12:00:00") << "eight days before now, kept although the run downloaded";

    const clock::FixedNow fortnightLater(QDateTime(QDate(2024, 6, 10), QTime(12, 0)));
    runToTheEnd();
    EXPECT_EQ(dayfiles::dateList(data()), QStringList({"2024年06月09日", "2024年06月08日", "2024年06月02日",
                                                       "2024年06月01日", "2024年05月26日", "2024年05月25日"}));
}

TEST_F(BatchWithEmulator, CancelledDownloadAndForcedFailuresLeaveTheServiceUsable)
{
    EmulatorSettings paced = emulatorIn(dir);
    paced.downloadPaceMs = 100;
    EmulatedJVLink slow(paced);
    ASSERT_EQ(slow.JVInit(softwareId()), 0);
    BatchAcquisition slowRun(slow, view, data(), settings);
    auto toTheEnd = [&] { EXPECT_TRUE(slowRun.runHeadless(slowRun.storedStartPoint(), QDeadlineTimer(5000))); };

    view.answers = {true};
    slowRun.start(slowRun.storedStartPoint());
    ASSERT_EQ(slowRun.state(), BatchAcquisition::State::Downloading);
    slowRun.cancel();
    EXPECT_FALSE(slowRun.running());

    slow.forceResult(JVOperation::JVStatus, -502);
    toTheEnd();  // opens again: the cancel closed the stream
    EXPECT_EQ(view.boxes.last(), "JVStatusエラー:ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)");

    slow.forceResult(JVOperation::JVRead, -503);
    toTheEnd();
    EXPECT_EQ(view.boxes.last(), "JVReadエラー:ファイルが見つかりません。(-503)");

    toTheEnd();
    EXPECT_EQ(slowRun.outcome(), BatchAcquisition::Outcome::Completed);
    EXPECT_EQ(dayfiles::dateList(data()).size(), 2);
}

// A stored file cut short (a full disk, a crash) ends one read, named in the
// error log; it must not end every later fetch at the same place.
TEST_F(BatchWithEmulator, TruncatedStoredFileIsNamedAndFetchedAgainByTheNextRun)
{
    runToTheEnd();
    const QDir store(dir.filePath("store"));
    const QStringList stored = store.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(stored.size(), 2);
    const QString cut = store.filePath(stored[1]);
    test::writeFile(cut, test::readFile(cut).chopped(1000));

    runToTheEnd();
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Failed);
    EXPECT_EQ(view.boxes.last(),
              "JVReadエラー:ダウンロードしたファイルサイズが異常です。(-402)\nファイル：" + stored[1]);
    const QString log = cp932::decode(test::readFile(identity::errorLogIn(dir.path())));
    EXPECT_TRUE(log.contains(stored[1])) << log.toStdString();
    EXPECT_EQ(lastTime(), "2024/05/20 00:00:00") << "nothing is passed over by the start point";

    runToTheEnd();
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed) << view.boxes.join('\n').toStdString();
    EXPECT_EQ(lastTime(), "2024/05/20 00:00:00") << "a run that downloaded keeps its start point";
    // The trifecta's votes, sold in every race, in the day's third file, one line a race.
    const QByteArray trifecta = test::readFile(dayfiles::trifectaFilePath(data(), "2024年05月26日"));
    EXPECT_EQ(trifecta.size(), trifecta.count("\r\n") * layout::kH6Length);
    EXPECT_TRUE(trifecta.startsWith("H6"));
    EXPECT_EQ(trifecta.count("\r\n"), test::readFile(dayfiles::voteFilePath(data(), "2024年05月26日")).count("\r\n"));
    runToTheEnd();
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
    EXPECT_TRUE(lastTime().startsWith("2024/05/26 ")) << lastTime().toStdString();
}

// One entry of the record folder that is no record file is passed over,
// named in the list and the error log; the other files' records are stored
// and found by the quick report, and the start point stays for its next turn.
TEST_F(BatchWithEmulator, RecordFolderEntryThatIsNoFileOrTooLargeIsNamedAndTheOthersServed)
{
    const QString folder = dir.filePath("records");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QByteArray key = test::raceKey("20240526", "05", 1);
    test::writeRecords(folder + "/records.txt", {test::RaRecord(key), test::H1Record(key)});
    // Every entry counts as published at its modification time, a link's at
    // that of /dev/zero: all of them are new to a clock a day ahead.
    const clock::FixedNow later{QDateTime::currentDateTime().addDays(1)};
    EmulatorSettings s = emulatorIn(dir);
    s.recordFolder = folder;
    EmulatedJVLink real(s);
    ASSERT_EQ(real.JVInit(softwareId()), 0);
    BatchAcquisition realRun(real, view, data(), settings);
    const QString odd = folder + "/odd";
    const QString notRegular = QStringLiteral("通常のファイルではない");
    const struct {
        test::Unusable kind;
        QString why;
    } cases[] = {
        {test::Unusable::Fifo, notRegular},
        {test::Unusable::Folder, notRegular},
        {test::Unusable::ZeroLink, notRegular},  // followed: a user may link record files in
        {test::Unusable::Huge, QStringLiteral("%1 バイトあり、大きすぎる（上限 %2 バイト）")
                                   .arg(test::kHugeFileBytes)
                                   .arg(storedfile::maxRecordFileBytes())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(test::unusableName(c.kind));
        QFile::remove(dayfiles::voteFilePath(data(), "2024年05月26日"));
        test::makeUnusable(odd, c.kind);
        const QString named = QStringLiteral("レコードファイル %1 は%2ため読みません").arg(odd, c.why);
        EXPECT_TRUE(test::endsWithoutWaitingOn(odd, [&] { realRun.runHeadless(realRun.storedStartPoint()); }));
        EXPECT_EQ(realRun.outcome(), BatchAcquisition::Outcome::Completed) << view.boxes.join('\n').toStdString();
        EXPECT_EQ(view.list.value(0), QStringLiteral("読み飛ばし:") + named);
        EXPECT_EQ(realRun.storedCount(), 2);
        EXPECT_EQ(test::readFile(dayfiles::voteFilePath(data(), "2024年05月26日")), test::H1Record(key).bytes());
        EXPECT_TRUE(cp932::decode(test::readFile(identity::errorLogIn(dir.path()))).contains(named));
        EXPECT_EQ(lastTime(), "2024/05/20 00:00:00");

        EXPECT_TRUE(test::endsWithoutWaitingOn(odd, [&] { EXPECT_EQ(real.JVRTOpen("0B20", key), 0); }));
        EXPECT_EQ(real.passedOver(), QStringList{named});
        real.JVClose();
        ASSERT_TRUE(QFile::remove(odd) || QDir().rmdir(odd));
    }
}

namespace {

struct NoQuickView : QuickView {
    void processEvents() override {}
    void restoreCursor() override {}
};

}  // namespace

// The payouts come with the final votes into the day's fourth file, a line a
// race; the quick report of a race past its post time brings the same.
TEST_F(BatchWithEmulator, ResultsInTheDaysFourthFileAndThroughTheQuickReport)
{
    const QString day = QStringLiteral("2024年05月26日"), path = dayfiles::resultFilePath(data(), day);
    runToTheEnd();
    const QByteArray results = test::readFile(path);
    EXPECT_EQ(results.size(), test::readFile(dayfiles::voteFilePath(data(), day)).count("\r\n") * layout::kHrLength);
    auto loaded = std::make_unique<DayData>();
    loaded->load(data(), day);
    EXPECT_TRUE(loaded->result(0) && loaded->result(loaded->raceCount() - 1) && loaded->resultProblem().isEmpty());

    ASSERT_TRUE(QFile::remove(path));
    const QByteArray race = loaded->raceRecord(0).toByteArray();
    const clock::FixedNow afterTheRace{posttime::of(race)->addSecs(15 * 60)};
    history::HistoryAccess odds{dir.path()};
    NoQuickView quickView;
    EXPECT_EQ(QuickReport(jv, quickView, data(), odds).fetch(race).results, 1);
    EXPECT_EQ(test::readFile(path).mid(layout::kHeaderLength),
              results.mid(layout::kHeaderLength, layout::kHrLength - layout::kHeaderLength));
}
