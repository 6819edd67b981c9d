// Faults around the day files: a full disk, a read-only folder, a data folder
// that is a file, a process killed in the middle of a rewrite, and two
// processes storing into the same day file at once. None may lose or mix
// stored records.
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");

QByteArray race(int number, char category = '7')
{
    return RaRecord(raceKey("20050416", "05", number), category);
}

void store(const QString& folder, const QByteArray& record)
{
    dayfiles::storeRecord(folder, record, dayfiles::Writer::Batch);
}

// Asserts that a day file holds only whole lines of `known` records, sorted,
// one per race key; returns its race keys.
QSet<QByteArray> checkDayFile(const QString& path, int length, const QSet<QByteArray>& known)
{
    const QByteArray all = test::readFile(path);
    QSet<QByteArray> keys;
    EXPECT_EQ(all.size() % length, 0) << "a torn day file of " << all.size() << " bytes";
    QByteArray previous;
    for (qsizetype at = 0; at + length <= all.size(); at += length) {
        const QByteArray line = all.mid(at, length);
        EXPECT_TRUE(known.contains(line)) << "a line that was never stored at byte " << at;
        EXPECT_TRUE(previous < line) << "unsorted or repeated line at byte " << at;
        const QByteArray key = layout::raceKey(line).toByteArray();
        EXPECT_FALSE(keys.contains(key)) << "two lines of race " << key.constData();
        keys.insert(key);
        previous = line;
    }
    return keys;
}

// The files of a data folder: the store's lock takes no file of its own.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

// A full disk first shortens a write and only then fails it; the short write
// must not be taken for a whole file (QSaveFile alone would commit it).
TEST(DayFilesFault, FullDiskLeavesTheOldFileAndSaysWhichFile)
{
    test::DataFolder data;
    const QString path = data.writeRaces(kDay, {race(1), race(3)});
    const QByteArray before = test::readFile(path);
    try {
        const test::FileSizeLimit full(before.size() + 100);
        store(data.path(), race(2));
        FAIL() << "a full disk must be reported";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("日ファイル ") + path
                                                           + QStringLiteral(" に書き込めません")))
            << e.what();
    }
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_EQ(filesIn(data.path()), QStringList{QFileInfo(path).fileName()}) << "no temporary file is left";
    store(data.path(), race(2));
    EXPECT_EQ(test::readFile(path).size(), 3 * layout::kRaLength);
}

TEST(DayFilesFault, ReadOnlyFolderLeavesTheOldFile)
{
    test::DataFolder data;
    const QString path = data.writeRaces(kDay, {race(1)});
    const QByteArray before = test::readFile(path);
    const int code = test::withoutWriteRights({data.path()}, [&] {
        try {
            store(data.path(), race(2));
            return 1;
        } catch (const std::runtime_error& e) {
            return QString::fromUtf8(e.what()).contains(path) ? 0 : 2;
        }
    });
    EXPECT_EQ(code, 0) << "1: stored into a read-only folder, 2: the message does not name the file";
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_EQ(filesIn(data.path()).size(), 1);
}

TEST(DayFilesFault, DataFolderThatIsAFile)
{
    test::DataFolder data;
    const QString notAFolder = data.path() + QStringLiteral("/Data");
    test::writeFile(notAFolder, "not a folder");
    try {
        store(notAFolder, race(1));
        FAIL() << "storing into a file must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(notAFolder)) << e.what();
    }
    EXPECT_EQ(test::readFile(notAFolder), "not a folder");
    // Reading such a folder shows an empty program, nothing worse.
    EXPECT_TRUE(dayfiles::dateList(notAFolder).isEmpty());
    DayData day;
    EXPECT_EQ(day.load(notAFolder, kDay).selection, -1);
}

// Found by fuzzing the store: a record with CR LF inside became two lines of
// its day file, which the next store sorted apart into broken records.
TEST(DayFilesFault, RecordWithALineBreakInsideIsRefused)
{
    test::DataFolder data;
    const QString path = data.writeRaces(kDay, {race(1)});
    const QByteArray before = test::readFile(path);
    for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
        QByteArray broken = race(2);
        broken.replace(278, qstrlen(lineBreak), lineBreak);
        try {
            store(data.path(), broken);
            FAIL() << "stored a record with a line break inside";
        } catch (const std::runtime_error& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("改行"))) << e.what();
        }
    }
    EXPECT_EQ(test::readFile(path), before);
}

TEST(DayFilesFault, MissingDataFolderIsCreatedByTheFirstStore)
{
    test::DataFolder data;
    const QString folder = data.path() + QStringLiteral("/Data");
    EXPECT_TRUE(dayfiles::dateList(folder).isEmpty());
    store(folder, race(1));
    EXPECT_EQ(dayfiles::dateList(folder), QStringList{kDay});
}

// A child rewrites a large vote file again and again and is killed at a
// random moment; the file must then be some earlier whole state, and the next
// store (taking over the dead child's lock) must work.
TEST(DayFilesFault, KilledRewriteLeavesOldOrNewFileNeverAMix)
{
    test::DataFolder data;
    constexpr int kRaces = 12;
    QSet<QByteArray> known;
    QList<QByteArray> versions[2];
    for (int v = 0; v < 2; ++v)
        for (int r = 1; r <= kRaces; ++r) {
            const QByteArray record = test::exampleWinRace(raceKey("20050416", r % 2 ? "05" : "06", (r - 1) / 2 + 1))
                                          .put(layout::kDataCategory, v ? "2" : "1")
                                          .bytes();
            versions[v] << record;
            known.insert(record);
        }
    QList<QByteArray> sorted = versions[0];
    std::sort(sorted.begin(), sorted.end());
    const QString path = data.writeVotes(kDay, sorted);
    // Kill moments spread over the first three store cycles of a child,
    // however fast this machine is.
    const auto started = std::chrono::steady_clock::now();
    test::waitChild(
        test::forkChild([&] { dayfiles::storeRecord(data.path(), versions[0][0], dayfiles::Writer::Batch); }));
    const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now()
                                                                             - started);
    std::uniform_int_distribution<long> killAfter(0, std::min<long>(3 * cycle.count(), 300'000));
    std::mt19937 random(20050416);
    QByteArray last = test::readFile(path);
    int changed = 0;
    int cutShort = 0;
    for (int round = 0; round < 60; ++round) {
        const int pid = test::forkChild([&] {
            // Each child starts elsewhere, so its first store changes the file.
            for (int i = round * 5;; ++i)
                dayfiles::storeRecord(data.path(), versions[(i / kRaces + 1) % 2][i % kRaces], dayfiles::Writer::Batch);
        });
        std::this_thread::sleep_for(std::chrono::microseconds(killAfter(random)));
        kill(pid, SIGKILL);
        ASSERT_EQ(test::waitChild(pid), 100 + SIGKILL);
        EXPECT_EQ(checkDayFile(path, layout::kH1Length, known).size(), kRaces) << "round " << round;
        // A child killed while writing may leave its temporary file (never
        // read: it does not end in ".jvH1"); remove it to see the next one.
        for (const QString& name : filesIn(data.path()))
            if (!name.endsWith(QLatin1String(dayfiles::kVoteSuffix)))
                cutShort += QFile::remove(QDir(data.path()).filePath(name));
        const QByteArray now = test::readFile(path);
        changed += now != last;
        last = now;
        if (HasFailure())
            return;
    }
    std::printf("of 60 children killed, %d had rewritten the file, %d were killed while writing it\n", changed,
                cutShort);
    dayfiles::storeRecord(data.path(), versions[0][0], dayfiles::Writer::Batch);
    EXPECT_EQ(checkDayFile(path, layout::kH1Length, known).size(), kRaces);
}

// Two processes store different races into the same new day file, each
// store a read-merge-rewrite cycle of its own; every race must end up in it.
TEST(DayFilesFault, TwoProcessesStoringAtOnceLoseNothing)
{
    test::DataFolder data;
    QList<QByteArray> records[2];
    QSet<QByteArray> known;
    for (int w = 0; w < 2; ++w)
        for (int day = 1; day <= 3; ++day)
            for (int r = 1; r <= 12; ++r) {
                records[w] << RaRecord(raceKey("20050416", w ? "06" : "05", r, 2, day));
                known.insert(records[w].back());
            }
    int pids[2];
    for (int w = 0; w < 2; ++w)
        pids[w] = test::forkChild([&, w] {
            for (const QByteArray& record : records[w])
                store(data.path(), record);
        });
    for (const int pid : pids)
        ASSERT_EQ(test::waitChild(pid), 0);
    EXPECT_EQ(checkDayFile(dayfiles::raceFilePath(data.path(), kDay), layout::kRaLength, known).size(), known.size());
    EXPECT_EQ(filesIn(data.path()).size(), 1);
}
