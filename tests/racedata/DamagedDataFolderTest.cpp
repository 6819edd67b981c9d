// Data folders as users and other tools leave them: stray lines in day
// files, links, FIFOs, huge files, names that are no dates, names copied from
// Windows in CP932. The store must keep every whole record and write nothing
// outside the folder; the day load and the date list must neither hang nor
// misread.
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "racedata/ShownText.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");

QByteArray race(int number)
{
    return RaRecord(raceKey("20050416", "05", number));
}

QString storeRace(const QString& folder, int number)
{
    return dayfiles::storeRecord(folder, race(number), dayfiles::Writer::Batch);
}

std::string errorOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

bool contains(const std::string& text, const QString& part)
{
    return QString::fromStdString(text).contains(part);
}

}  // namespace

TEST(DamagedDataFolder, StoreKeepsOnlyWholeRecordsAndKeepsTheDamagedOriginal)
{
    test::DataFolder data;
    const QString path = data.writeRaces(kDay, {race(3)});
    // An editor's final empty line, and a half-copied record after it.
    QByteArray damaged = "\r\n" + test::readFile(path) + race(4).left(500) + "\r\n";
    test::writeFile(path, damaged);

    const QString note = storeRace(data.path(), 1);
    EXPECT_TRUE(note.contains(path) && note.contains(QStringLiteral("1行目（0バイト）"))
                && note.contains(QStringLiteral("3行目（500バイト）")))
        << note.toStdString();
    EXPECT_EQ(test::readFile(path), race(1) + race(3)) << "only whole records, sorted";
    EXPECT_EQ(test::readFile(path + dayfiles::kDamagedSuffix), damaged);
    EXPECT_TRUE(note.contains(path + dayfiles::kDamagedSuffix));

    // A second damaged store keeps the first copy too.
    test::writeFile(path, test::readFile(path) + "x\r\n");
    EXPECT_FALSE(storeRace(data.path(), 2).isEmpty());
    EXPECT_EQ(test::readFile(path + dayfiles::kDamagedSuffix), damaged);
    EXPECT_EQ(test::readFile(path + dayfiles::kDamagedSuffix + "2"), race(1) + race(3) + "x\r\n");
    EXPECT_EQ(test::readFile(path), race(1) + race(2) + race(3));
    EXPECT_TRUE(storeRace(data.path(), 2).isEmpty()) << "a whole file gives no note";
}

TEST(DamagedDataFolder, DayLoadSkipsStrayLinesAndSaysWhich)
{
    test::DataFolder data;
    const QString races = data.writeRaces(kDay, {race(1), race(2)});
    test::writeFile(races, "\r\n" + test::readFile(races) + "\r\n");
    const QString votes = data.writeVotes(kDay, {H1Record(raceKey("20050416", "05", 2)).winTotal(77)});
    test::writeFile(votes, "half a line\r\n" + test::readFile(votes));
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_EQ(load.raceItems,
              QStringList({QStringLiteral("2005/04/16 東京 01R"), QStringLiteral("2005/04/16 東京 02R")}));
    EXPECT_EQ(day->raceRecord(1), race(2));
    EXPECT_EQ(day->winTotal(1), 77);
    EXPECT_TRUE(load.skipped.contains(races) && load.skipped.contains(QStringLiteral("1行目（0バイト）"))
                && load.skipped.contains(QStringLiteral("4行目（0バイト）")))
        << load.skipped.toStdString();
    EXPECT_TRUE(load.skipped.contains(votes) && load.skipped.contains(QStringLiteral("1行目（11バイト）")));
    EXPECT_TRUE(load.problem.contains(load.skipped));
}

TEST(DamagedDataFolder, StoreNeverWritesThroughALinkAndTakesNoLockFile)
{
    test::DataFolder data;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("elsewhere.txt"));
    test::writeFile(target, "not a day file\r\n");
    const QString path = dayfiles::raceFilePath(data.path(), kDay);
    ASSERT_TRUE(QFile::link(target, path));
    EXPECT_TRUE(contains(errorOf([&] { storeRace(data.path(), 1); }), QStringLiteral("シンボリックリンク")));
    EXPECT_EQ(test::readFile(target), "not a day file\r\n");
    EXPECT_TRUE(QFileInfo(path).isSymLink());

    QFile::remove(path);
    storeRace(data.path(), 1);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{kDay + ".jvRA"});
}

TEST(DamagedDataFolder, FifoIsReportedInsteadOfWaitedOn)
{
    test::DataFolder data;
    const QString path = dayfiles::raceFilePath(data.path(), kDay);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    const QString notRegular = QStringLiteral("通常のファイルではありません");
    auto day = std::make_unique<DayData>();
    EXPECT_TRUE(contains(errorOf([&] { day->load(data.path(), kDay); }), notRegular));
    EXPECT_TRUE(contains(errorOf([&] { storeRace(data.path(), 1); }), notRegular));
    EXPECT_TRUE(dayfiles::dateList(data.path()).isEmpty());
}

TEST(DamagedDataFolder, HugeDayFileIsRefusedWithoutBeingRead)
{
    test::DataFolder data;
    data.writeRaces(kDay, {race(1)});
    const QString votes = dayfiles::voteFilePath(data.path(), kDay);
    QFile file(votes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(1) << 30));  // sparse: takes no disk
    file.close();
    auto day = std::make_unique<DayData>();
    const std::string error = errorOf([&] { day->load(data.path(), kDay); });
    EXPECT_TRUE(contains(error, votes) && contains(error, QStringLiteral("大きすぎる"))) << error;
    EXPECT_TRUE(contains(errorOf([&] {
                             dayfiles::storeRecord(data.path(), H1Record(raceKey("20050416", "05", 1)),
                                                   dayfiles::Writer::Batch);
                         }),
                         QStringLiteral("大きすぎる")));
}

TEST(DamagedDataFolder, DateListHoldsRealDatesOnlyInEitherEncoding)
{
    test::DataFolder data;
    for (const QString& name : {QStringLiteral("hello"), QStringLiteral("-x"), QStringLiteral("2005年02月30日"),
                                QStringLiteral("2005年04月1\n日"), QStringLiteral("2005年04月16日 ")})
        test::writeFile(data.path() + u'/' + name + ".jvRA", race(1));
    data.writeRaces(kDay, {race(1)});
    // A zip made on Windows keeps the CP932 bytes of the name.
    const QByteArray cp932Name = test::writeFileNamedInCp932(data.path(), QStringLiteral("2005年04月17日.jvRA"),
                                                             RaRecord(raceKey("20050417", "05", 9)));
    ASSERT_NE(QString::fromUtf8(cp932Name), QString::fromUtf8(QFile::encodeName(data.path())) + "/2005年04月17日.jvRA");

    EXPECT_EQ(dayfiles::dateList(data.path()), QStringList({QStringLiteral("2005年04月17日"), kDay}));
    test::writeFileNamedInCp932(data.path(), QStringLiteral("2005年04月17日.jvH1"),
                                H1Record(raceKey("20050417", "05", 9)).winTotal(900));
    auto day = std::make_unique<DayData>();
    EXPECT_EQ(day->load(data.path(), QStringLiteral("2005年04月17日")).raceItems,
              QStringList{QStringLiteral("2005/04/17 東京 09R")});
    EXPECT_EQ(day->winTotal(0), 900);

    // A store into that day reads the CP932 file and leaves one UTF-8 file.
    dayfiles::storeRecord(data.path(), RaRecord(raceKey("20050417", "05", 10)), dayfiles::Writer::Batch);
    EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(cp932Name)) || ::access(cp932Name.constData(), F_OK) == 0);
    EXPECT_EQ(day->load(data.path(), QStringLiteral("2005年04月17日")).raceItems.size(), 2);
}

TEST(DamagedDataFolder, UnreadableDataFolderIsReported)
{
    test::DataFolder data;
    const QString notAFolder = data.path() + QStringLiteral("/Data");
    test::writeFile(notAFolder, "x");
    QString problem;
    EXPECT_TRUE(dayfiles::dateList(notAFolder, &problem).isEmpty());
    EXPECT_TRUE(problem.contains(notAFolder)) << problem.toStdString();
    problem.clear();
    dayfiles::dateList(data.path() + QStringLiteral("/missing"), &problem);
    EXPECT_TRUE(problem.isEmpty()) << "a missing folder is only empty";
}

TEST(DamagedDataFolder, NegativeOrMixedVoteFieldsAreNoNumbers)
{
    test::DataFolder data;
    data.writeRaces(kDay, {race(1)});
    data.writeVotes(kDay, {H1Record(raceKey("20050416", "05", 1))
                               .put(layout::winVotes(1), "-0000000100")
                               .put(layout::winVotes(2), "12a45678901")
                               .winTotal(500)});
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_EQ(day->winVotes(0)[0], -1);
    EXPECT_EQ(day->winVotes(0)[1], -1);
    EXPECT_EQ(day->winTotal(0), 500);
    EXPECT_TRUE(load.problem.contains(QStringLiteral("「-0000000100」"))) << load.problem.toStdString();
}

TEST(DamagedDataFolder, MessagesShowControlBytesAsEscapes)
{
    QByteArray record = race(1);
    record[0] = 'X';
    record[2] = '\0';
    record[3] = '\x1b';
    const std::string error = errorOf([&] { dayfiles::fileName(record); });
    EXPECT_TRUE(contains(error, QStringLiteral("XA\\x00\\x1b"))) << error;
    EXPECT_EQ(shown::escapeControls(QStringLiteral("a\tb\nc\u009b"), true), QStringLiteral("a\tb\nc\\x9b"));
}
