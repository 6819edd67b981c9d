#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

QList<QByteArray> fileLines(const QString& path)
{
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    QList<QByteArray> lines = test::readFile(path).split('\n');
    EXPECT_TRUE(lines.takeLast().isEmpty()) << "the file ends with CR LF";
    for (QByteArray& l : lines) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return lines;
}

const QString kDay = QStringLiteral("2005年04月16日");

}  // namespace

TEST(DayFiles, NamesTheFileByRaceDateAndType)
{
    EXPECT_EQ(dayfiles::fileName(RaRecord()), QStringLiteral("2005年04月16日.jvRA"));
    EXPECT_EQ(dayfiles::fileName(H1Record()), QStringLiteral("2005年04月16日.jvH1"));
    EXPECT_EQ(dayfiles::fileName(test::H6Record()), QStringLiteral("2005年04月16日.jvH6"));
}

TEST(DayFiles, RefusesRecordsThatWouldWriteAnywhereElse)
{
    test::DataFolder data;
    const QByteArray badDates[] = {raceKey("2005/416"), raceKey("../../x1"), raceKey("2005 416")};
    for (const QByteArray& key : badDates)
        EXPECT_THROW(dayfiles::storeRecord(data.path(), RaRecord(key), dayfiles::Writer::Batch), std::runtime_error)
            << key.constData();
    QByteArray se = RaRecord();
    se.replace(0, 2, "SE");
    EXPECT_THROW(dayfiles::storeRecord(data.path(), se, dayfiles::Writer::Batch), std::runtime_error);
    EXPECT_THROW(dayfiles::storeRecord(data.path(), RaRecord().bytes().chopped(3) + "\r\n", dayfiles::Writer::Batch),
                 std::runtime_error);
    EXPECT_THROW(
        dayfiles::storeRecord(data.path(), test::H6Record().bytes().chopped(3) + "\r\n", dayfiles::Writer::Batch),
        std::runtime_error);
    EXPECT_TRUE(QDir(data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(DayFiles, StoreCreatesReplacesAppendsAndSorts)
{
    test::DataFolder data;
    const QString path = QDir(data.path()).filePath(kDay + ".jvRA");
    const auto store = [&](const QByteArray& r) { dayfiles::storeRecord(data.path(), r, dayfiles::Writer::Batch); };

    store(RaRecord(raceKey("20050416", "05", 11)).name(QStringLiteral("古い名前")));
    ASSERT_EQ(fileLines(path).size(), 1);
    EXPECT_EQ(QFileInfo(path).size(), layout::kRaLength);

    store(RaRecord(raceKey("20050416", "05", 2)));
    store(RaRecord(raceKey("20050416", "05", 11)).name(QStringLiteral("新しい名前")));
    // A lower data category sorts first even with a later race key.
    store(RaRecord(raceKey("20050416", "06", 12), '2'));
    const QList<QByteArray> lines = fileLines(path);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(layout::raceKey(lines[0]), raceKey("20050416", "06", 12));
    EXPECT_EQ(layout::raceKey(lines[1]), raceKey("20050416", "05", 2));
    EXPECT_EQ(lines[2], RaRecord(raceKey("20050416", "05", 11)).name(QStringLiteral("新しい名前")).bytes().chopped(2));
}

TEST(DayFiles, SortIgnoresCaseOfLetters)
{
    test::DataFolder data;
    dayfiles::storeRecord(data.path(), RaRecord(raceKey("20050416", "b0", 1)), dayfiles::Writer::Batch);
    dayfiles::storeRecord(data.path(), RaRecord(raceKey("20050416", "A2", 1)), dayfiles::Writer::Batch);
    dayfiles::storeRecord(data.path(), RaRecord(raceKey("20050416", "C0", 1)), dayfiles::Writer::Batch);
    const QList<QByteArray> lines = fileLines(QDir(data.path()).filePath(kDay + ".jvRA"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].mid(19, 2), "A2");
    EXPECT_EQ(lines[1].mid(19, 2), "b0");
    EXPECT_EQ(lines[2].mid(19, 2), "C0");
}

TEST(DayFiles, QuickReportDropsABlankFirstLineAndSortsAheadOfBatchLines)
{
    test::DataFolder data;
    const QString path = data.writeVotes(kDay, {QByteArray("   \r\n"), H1Record(raceKey("20050416", "05", 1))});
    const QString note = dayfiles::storeRecord(data.path(), H1Record(raceKey("20050416", "05", 1)),
                                               dayfiles::Writer::Batch);
    EXPECT_EQ(fileLines(path).size(), 1) << "the batch sets the blank line aside too";
    EXPECT_TRUE(note.contains(QStringLiteral("1行目（3バイト）"))) << note.toStdString();

    QByteArray quick = H1Record(raceKey("20050416", "05", 2));
    quick.replace(2, 9, "000000000");
    dayfiles::storeRecord(data.path(), quick, dayfiles::Writer::QuickReport);
    const QList<QByteArray> lines = fileLines(path);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], quick.chopped(2));
}

TEST(DayFiles, AFullDiskLeavesTheOldFileWhole)
{
    test::DataFolder data;
    const QString path = data.writeVotes(
        kDay, {H1Record(raceKey("20050416", "05", 1)), H1Record(raceKey("20050416", "05", 2))});
    const QByteArray before = fileLines(path).join();

    // A file-size limit stands in for a full disk: writes beyond it fail.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 3 * layout::kH1Length / 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        dayfiles::storeRecord(data.path(), H1Record(raceKey("20050416", "05", 3)), dayfiles::Writer::Batch);
    } catch (const std::runtime_error& e) {
        threw = QString::fromUtf8(e.what()).contains(path);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(threw) << "the error names the day file";
    EXPECT_EQ(fileLines(path).join(), before);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), QStringList{kDay + ".jvH1"}) << "no temporary file is left";
}

TEST(DayFiles, DateListIsNewestFirstAndNeedsARaceFile)
{
    test::DataFolder data;
    data.writeRaces(QStringLiteral("2005年04月16日"), {});
    data.writeRaces(QStringLiteral("2005年04月17日"), {});
    data.writeRaces(QStringLiteral("2004年12月26日"), {});
    data.writeVotes(QStringLiteral("2005年05月01日"), {});
    QDir(data.path()).mkdir(QStringLiteral("2006年01月01日.jvRA"));
    EXPECT_EQ(dayfiles::dateList(data.path()), QStringList({"2005年04月17日", "2005年04月16日", "2004年12月26日"}));
    EXPECT_TRUE(dayfiles::dateList(data.path() + "/missing").isEmpty());
}

TEST(DayFiles, DateTextFromEitherSpelling)
{
    EXPECT_EQ(dayfiles::dateText("2005-04-16"), QStringLiteral("2005年04月16日"));
    EXPECT_EQ(dayfiles::dateText(QStringLiteral("2005年04月16日")), QStringLiteral("2005年04月16日"));
    EXPECT_TRUE(dayfiles::dateText("2005-4-16").isEmpty());
    EXPECT_TRUE(dayfiles::dateText("../2005-04-16").isEmpty());
}
