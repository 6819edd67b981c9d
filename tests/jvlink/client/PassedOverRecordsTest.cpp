// Records that cannot be stored, and writes that fail, in a batch
// acquisition: a bad record is passed over and named in the error log (so it
// cannot end every later run at the same place), the start point stays, and
// the list says which listed records were never written.
#include "appfiles/AppIdentity.h"
#include "appfiles/SettingsKeys.h"
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/RecordingBatchView.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using jvlink::BatchAcquisition;
using test::raceKey;
using test::RaRecord;

namespace {

const QDateTime kStart(QDate(2005, 4, 9), QTime(15, 30));
const QString kRaFile = QStringLiteral("2005年04月16日.jvRA");

class PassedOver : public ::testing::Test {
protected:
    PassedOver() { settings::write(settings, settings::kLastTime, "2005/04/09 15:30:00"); }
    QString lastTime() const { return settings::read(settings, settings::kLastTime, QString()); }
    QString errorLog() const { return cp932::decode(test::readFile(identity::errorLogIn(dir.path()))); }

    QTemporaryDir dir;
    test::DataFolder data;
    TIniGT settings = test::settingsIn(dir.path());
    test::ScriptedJVLink jv;
    test::RecordingBatchView view;
    BatchAcquisition run{jv, view, data.path(), settings};
};

}  // namespace

TEST_F(PassedOver, RecordThatCannotBeStoredIsLoggedAndTheRunGoesOn)
{
    jv.readCount = 1;
    jv.lastFileTimestamp = "20050417173000";
    jv.record(RaRecord(raceKey("20050416", "05", 1)));
    jv.record(RaRecord(raceKey("20050416", "05", 2)).bytes().chopped(100) + "\r\n");
    jv.record(RaRecord(raceKey("20050416", "05", 3)));
    run.start(kStart);
    EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed);
    EXPECT_EQ(run.storedCount(), 2);
    EXPECT_EQ(run.skippedCount(), 1);
    EXPECT_EQ(test::readFile(data.path() + u'/' + kRaFile),
              RaRecord(raceKey("20050416", "05", 1)).bytes() + RaRecord(raceKey("20050416", "05", 3)).bytes());
    EXPECT_EQ(view.list[1], QStringLiteral("読み飛ばし:02R/"));
    EXPECT_TRUE(errorLog().contains(QStringLiteral("2005041605020802"))) << errorLog().toStdString();
    EXPECT_EQ(lastTime(), "2005/04/09 15:30:00") << "the next run must offer the file again";
}

TEST_F(PassedOver, FailedFinalWriteSaysWhichListedRecordsWereNotWritten)
{
    QDir(data.path()).mkpath(kRaFile);
    jv.readCount = 1;
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    jv.record(RaRecord(raceKey("20050417", "05", 1)));
    EXPECT_THROW(run.start(kStart), std::runtime_error);
    EXPECT_EQ(view.list, QStringList({"作成済み:11R/" + kRaFile, QStringLiteral("作成済み:01R/2005年04月17日.jvRA"),
                                      "書込み失敗:11R/" + kRaFile}));
}

TEST_F(PassedOver, LinesSetAsideByTheStoreAreLogged)
{
    const QString path = data.writeRaces(QStringLiteral("2005年04月16日"), {RaRecord(raceKey("20050416", "05", 1))});
    test::writeFile(path, test::readFile(path) + "\r\n");
    jv.readCount = 1;
    jv.record(RaRecord(raceKey("20050416", "05", 2)));
    run.start(kStart);
    EXPECT_TRUE(errorLog().contains(path + dayfiles::kDamagedSuffix)) << errorLog().toStdString();
}

// A record file of the emulated service with a record of a wrong length and
// a half-copied last line: every run gets past them to the later files.
TEST(PassedOverWithEmulator, DamagedRecordFileDoesNotBlockLaterFetches)
{
    const clock::FixedNow now{QDateTime(QDate(2024, 5, 27), QTime(12, 0))};
    QTemporaryDir dir;
    jvlink::EmulatorSettings es = jvlink::EmulatorSettings::defaults();
    es.storageFolder = dir.filePath("store");
    es.downloadPaceMs = 0;
    es.recordFolder = dir.filePath("real");
    QDir(dir.path()).mkdir("real");
    const QByteArray good = RaRecord(raceKey("20240526", "05", 1)).bytes().chopped(2);
    const QByteArray shortRecord = RaRecord(raceKey("20240526", "05", 2)).bytes().chopped(200);
    const QByteArray later = RaRecord(raceKey("20240526", "05", 3)).bytes().chopped(2);
    const auto write = [&](const char* name, const QByteArray& bytes, QTime at) {
        QFile f(dir.filePath(QStringLiteral("real/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.flush();
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2024, 5, 26), at), QFileDevice::FileModificationTime));
    };
    write("a.txt", good + "\n" + shortRecord + "\nRA72024", QTime(18, 0));
    write("b.txt", later + "\n", QTime(19, 0));

    jvlink::EmulatedJVLink jv{es};
    ASSERT_EQ(jv.JVInit(jvlink::softwareId()), 0);
    const TIniGT settings = test::settingsIn(dir.path());
    settings::write(settings, settings::kLastTime, "2024/05/20 00:00:00");
    for (int round = 0; round < 2; ++round) {
        test::RecordingBatchView view;
        BatchAcquisition run(jv, view, dir.filePath("Data"), settings);
        EXPECT_TRUE(run.runHeadless(run.storedStartPoint(), QDeadlineTimer(5000)));
        EXPECT_EQ(run.outcome(), BatchAcquisition::Outcome::Completed) << view.boxes.join('\n').toStdString();
        EXPECT_EQ(run.storedCount(), 2);
        EXPECT_EQ(run.skippedCount(), 1);
    }
    EXPECT_EQ(settings::read(settings, settings::kLastTime, QString()), "2024/05/20 00:00:00");
    EXPECT_EQ(test::readFile(dayfiles::raceFilePath(dir.filePath("Data"), QStringLiteral("2024年05月26日"))),
              good + "\r\n" + later + "\r\n");
    EXPECT_TRUE(cp932::decode(test::readFile(identity::errorLogIn(dir.path()))).contains(QStringLiteral("a.txt")));
}
