// A batch acquisition that meets a full disk: the day file that cannot be
// rewritten keeps what it held, the other days are stored, the failure names
// the file, and the start point stays where it was, so the next run fetches
// the lost records again.
#include "appfiles/SettingsKeys.h"
#include "jvlink/client/BatchAcquisition.h"
#include "racedata/DayFiles.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/RecordingBatchView.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using test::raceKey;
using test::RaRecord;

TEST(BatchAcquisitionFault, FullDiskKeepsTheOldDayFileAndTheStartPoint)
{
    QTemporaryDir dir;
    test::DataFolder data;
    const TIniGT settings = test::settingsIn(dir.path());
    settings::write(settings, settings::kLastTime, "2005/04/09 15:30:00");

    QList<QByteArray> stored;
    for (int r = 1; r <= 10; ++r)
        stored << RaRecord(raceKey("20050416", "05", r));
    const QString full = data.writeRaces(QStringLiteral("2005年04月16日"), stored);
    const QByteArray before = test::readFile(full);

    test::ScriptedJVLink jv;
    test::RecordingBatchView view;
    jvlink::BatchAcquisition run(jv, view, data.path(), settings);
    jv.readCount = 1;
    jv.lastFileTimestamp = "20050417173000";
    jv.record(RaRecord(raceKey("20050416", "05", 11)));
    jv.record(RaRecord(raceKey("20050417", "05", 1)));
    {
        // Room for the new day's one line, not for the rewrite of the old day.
        const test::FileSizeLimit disk(4 * 1272);
        try {
            run.start(QDateTime(QDate(2005, 4, 9), QTime(15, 30)));
            FAIL() << "a full disk must end the run with an error";
        } catch (const std::runtime_error& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(full)) << e.what();
        }
    }
    EXPECT_EQ(test::readFile(full), before);
    EXPECT_EQ(test::readFile(dayfiles::raceFilePath(data.path(), QStringLiteral("2005年04月17日"))),
              QByteArray(RaRecord(raceKey("20050417", "05", 1))));
    EXPECT_EQ(settings::read(settings, settings::kLastTime, QString()), "2005/04/09 15:30:00");
    EXPECT_EQ(jv.calls.last(), "JVClose");
    EXPECT_FALSE(run.running());
}
