#include "jvlink/client/DayFileBatch.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

TEST(DayFileBatch, WritesTheSameFilesAsStoringRecordByRecord)
{
    test::DataFolder single, batched;
    const QList<QByteArray> existing = {RaRecord(raceKey("20050416", "05", 3)), RaRecord(raceKey("20050416", "06", 1))};
    single.writeRaces("2005年04月16日", existing);
    batched.writeRaces("2005年04月16日", existing);

    const QList<QByteArray> records = {
        RaRecord(raceKey("20050416", "05", 2), '1'),
        RaRecord(raceKey("20050416", "05", 3), '2'),
        H1Record(raceKey("20050416", "05", 2)),
        RaRecord(raceKey("20050417", "05", 1)),
        RaRecord(raceKey("20050416", "05", 2), '3'),
        RaRecord(raceKey("20050416", "05", 1), '1'),
        test::sampleResult(raceKey("20050416", "05", 2)),
        test::sampleResult(raceKey("20050416", "05", 2)).payout(pools::Pool::Win, 0, "05", 440, 2),
    };
    jvlink::DayFileBatch batch(batched.path());
    for (const QByteArray& r : records) {
        dayfiles::storeRecord(single.path(), r, dayfiles::Writer::Batch);
        batch.add(r);
    }
    EXPECT_FALSE(QFile::exists(batched.path() + "/2005年04月17日.jvRA")) << "nothing is written before the flush";
    batch.flush();
    EXPECT_TRUE(batch.empty());
    EXPECT_EQ(batch.takeNotes().size(), 1) << "the earlier of two results of a race";
    for (const char* name :
         {"2005年04月16日.jvRA", "2005年04月16日.jvH1", "2005年04月17日.jvRA", "2005年04月16日.jvHR"})
        EXPECT_EQ(test::readFile(batched.path() + u'/' + QString::fromUtf8(name)),
                  test::readFile(single.path() + u'/' + QString::fromUtf8(name)))
            << name;
}

TEST(DayFileBatch, RefusedRecordIsNotKeptAndFailedFileStaysPending)
{
    test::DataFolder data;
    jvlink::DayFileBatch batch(data.path());
    EXPECT_THROW(batch.add(RaRecord(raceKey("2005/416"))), std::runtime_error);
    EXPECT_TRUE(batch.empty());

    // A folder where the day file should be: that file cannot be written,
    // the other one still is.
    QDir(data.path()).mkpath("2005年04月16日.jvRA");
    batch.add(RaRecord());
    batch.add(H1Record());
    EXPECT_THROW(batch.flush(), std::runtime_error);
    EXPECT_EQ(test::readFile(data.path() + "/2005年04月16日.jvH1"), H1Record().bytes());
    EXPECT_FALSE(batch.empty());
}
