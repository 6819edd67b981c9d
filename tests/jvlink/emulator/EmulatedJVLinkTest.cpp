#include "appfiles/AppFolder.h"
#include "jvlink/client/DownloadPoll.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/StoredFile.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "support/FaultInjection.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

const QString kSid = QStringLiteral("SA481927/SD305716/QmrvXK/Version 2.00");
// A Monday after the race weekend of 25-26 May 2024.
const QDateTime kMonday(QDate(2024, 5, 27), QTime(12, 0));
const QString kLastMonday = QStringLiteral("20240520000000");

class EmulatedJVLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appfolder::setPath(dir.path());
        settings.storageFolder = dir.filePath("store");
        settings.downloadPaceMs = 0;
    }
    void TearDown() override { setSettingsEditor({}); }

    std::unique_ptr<EmulatedJVLink> ready(int paceMs = 0)
    {
        EmulatorSettings s = settings;
        s.downloadPaceMs = paceMs;
        auto jv = std::make_unique<EmulatedJVLink>(s);
        EXPECT_EQ(jv->JVInit(kSid), 0);
        return jv;
    }
    int32_t open(EmulatedJVLink& jv, const QString& from = kLastMonday)
    {
        return jv.JVOpen("RACE", from, 1, readCount, downloadCount, lastStamp);
    }
    // Polls JVStatus like the acquisition window until the download is complete.
    void waitForDownload(EmulatedJVLink& jv)
    {
        pollDownload([&] { return jv.JVStatus() != downloadCount; }, QDeadlineTimer(10000));
        ASSERT_EQ(jv.JVStatus(), downloadCount);
    }

    // What is under a name, as the name shows it: kind, size and inode.
    static QString entry(const QString& path)
    {
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            return {};
        return QStringLiteral("%1 %2 %3").arg(st.st_mode).arg(st.st_size).arg(st.st_ino);
    }

    QTemporaryDir dir;
    EmulatorSettings settings;
    clock::FixedNow now{kMonday};
    int32_t readCount = -9, downloadCount = -9;
    QString lastStamp;
};

}  // namespace

TEST_F(EmulatedJVLinkTest, InitChecksTheSoftwareIdentifier)
{
    EmulatedJVLink jv(settings);
    EXPECT_EQ(jv.JVInit(""), -101);
    EXPECT_EQ(jv.JVInit(QString(64, u'A')), -102);
    EXPECT_EQ(jv.JVInit(QString(32, u'あ')), -102);  // 64 bytes in CP932
    EXPECT_EQ(jv.JVInit(" SA481927"), -103);
    EXPECT_EQ(open(jv), -201);  // none of them initialised
    EXPECT_EQ(jv.JVInit(QString(63, u'A')), 0);
    EXPECT_EQ(jv.JVInit(kSid), 0);
}

TEST_F(EmulatedJVLinkTest, CallOrderIsEnforced)
{
    EmulatedJVLink jv(settings);
    QString buff, name;
    int32_t size = 60000;
    EXPECT_EQ(jv.JVRTOpen("0B20", "2024052605020811"), -201);
    EXPECT_EQ(jv.JVStatus(), -201);
    EXPECT_EQ(jv.JVRead(buff, size, name), -201);
    EXPECT_EQ(jv.JVClose(), 0);
    jv.JVInit(kSid);
    EXPECT_EQ(jv.JVStatus(), -203);
    EXPECT_EQ(jv.JVRead(buff, size, name), -203);
    ASSERT_EQ(open(jv), 0);
    EXPECT_EQ(open(jv), -202);
    EXPECT_EQ(jv.JVRTOpen("0B20", "2024052605020811"), -202);
    EXPECT_EQ(jv.JVClose(), 0);
    EXPECT_EQ(jv.JVClose(), 0);  // nothing open any more
}

TEST_F(EmulatedJVLinkTest, OpenChecksItsArguments)
{
    auto jv = ready();
    EXPECT_EQ(jv->JVOpen("", kLastMonday, 1, readCount, downloadCount, lastStamp), -111);
    EXPECT_EQ(jv->JVOpen("RAC", kLastMonday, 1, readCount, downloadCount, lastStamp), -111);
    EXPECT_EQ(jv->JVOpen("RACEXXXX", kLastMonday, 1, readCount, downloadCount, lastStamp), -111);
    EXPECT_EQ(jv->JVOpen("RACE", "2024052000000", 1, readCount, downloadCount, lastStamp), -112);
    EXPECT_EQ(jv->JVOpen("RACE", "20241320000000", 1, readCount, downloadCount, lastStamp), -112);
    EXPECT_EQ(jv->JVOpen("RACE", "2024052000000x", 1, readCount, downloadCount, lastStamp), -112);
    EXPECT_EQ(jv->JVOpen("RACE", kLastMonday + "-2024", 1, readCount, downloadCount, lastStamp), -113);
    EXPECT_EQ(jv->JVOpen("RACE", kLastMonday, 0, readCount, downloadCount, lastStamp), -115);
    EXPECT_EQ(jv->JVOpen("RACE", kLastMonday, 5, readCount, downloadCount, lastStamp), -115);
    EXPECT_EQ(jv->JVOpen("RACE", "20240526173000", 1, readCount, downloadCount, lastStamp), -1);
    EXPECT_EQ(readCount, 0);
    EXPECT_EQ(jv->JVOpen("BLOD", kLastMonday, 1, readCount, downloadCount, lastStamp), -1);
    EXPECT_EQ(jv->JVOpen("RACE", kLastMonday + "-20240525170000", 1, readCount, downloadCount, lastStamp), 0);
    EXPECT_EQ(readCount, 2);
    EXPECT_EQ(lastStamp, "20240525160000");
}

TEST_F(EmulatedJVLinkTest, DownloadThenReadFileByFile)
{
    auto jv = ready(150);  // slow enough that the first read comes before the first file
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(readCount, 4);
    EXPECT_EQ(downloadCount, 4);
    EXPECT_EQ(lastStamp, "20240526173000");
    QString buff, name;
    int32_t size = 60000;
    EXPECT_EQ(jv->JVRead(buff, size, name), -3);  // the first file is still on its way
    const int first = jv->JVStatus();
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 4);
    waitForDownload(*jv);

    int fileEnds = 0;
    std::set<QByteArray> types;
    int32_t r = 0;
    QByteArray lastH1;
    while ((r = jv->JVRead(buff, size, name)) != 0) {
        ASSERT_GE(r, -1);
        if (r == -1) {
            ++fileEnds;
            continue;
        }
        const QByteArray record = cp932::encode(buff);
        ASSERT_EQ(record.size(), r);
        ASSERT_TRUE(record.endsWith("\r\n"));
        types.insert(record.left(2));
        if (record.startsWith("H1"))
            lastH1 = record;
    }
    EXPECT_EQ(fileEnds, 4);
    EXPECT_EQ(types, (std::set<QByteArray>{"RA", "SE", "H1", "H6", "HR"}));
    EXPECT_EQ(lastH1.size(), layout::kH1Length);
    EXPECT_EQ(layout::raceDate(lastH1), "20240526");
    EXPECT_EQ(jv->JVRead(buff, size, name), 0);
    EXPECT_EQ(jv->JVClose(), 0);

    // The files are stored now: the same start point needs no download.
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(readCount, 4);
    EXPECT_EQ(downloadCount, 0);
    EXPECT_EQ(jv->JVStatus(), 0);
    EXPECT_GT(jv->JVRead(buff, size, name), 0);
}

TEST_F(EmulatedJVLinkTest, CancelStopsTheDownloadAndTheNextOpenWorks)
{
    auto jv = ready(5000);
    ASSERT_EQ(open(*jv), 0);
    EXPECT_FALSE(pollDownload([&] { return jv->JVStatus() == 0; }, QDeadlineTimer(30))) << "the bound ends the wait";
    jv->JVCancel();
    EXPECT_EQ(jv->JVStatus(), 0);
    QString buff, name;
    int32_t size = 60000;
    EXPECT_EQ(jv->JVRead(buff, size, name), -502);  // never arrives: no endless -3
    EXPECT_EQ(jv->JVClose(), 0);
    EXPECT_EQ(open(*jv), 0);
}

TEST_F(EmulatedJVLinkTest, DamagedStorageGivesItsCodes)
{
    test::writeFile(dir.filePath("blocker"), {});
    settings.storageFolder = dir.filePath("blocker/store");
    {
        auto jv = ready();
        ASSERT_EQ(open(*jv), 0);
        int32_t s = 0;
        pollDownload([&] { return (s = jv->JVStatus()) >= 0 && s < downloadCount; }, QDeadlineTimer(5000));
        EXPECT_EQ(s, -502);
    }
    settings.storageFolder = dir.filePath("store");
    auto jv = ready();
    ASSERT_EQ(open(*jv), 0);
    waitForDownload(*jv);
    jv->JVClose();
    ASSERT_EQ(QDir(settings.storageFolder).entryList(QDir::Files).size(), 4);
    // The file read first.
    const QStringList stored = QDir(settings.storageFolder).entryList({"*_20240524160000.jvd"}, QDir::Files);
    ASSERT_EQ(stored.size(), 1);
    QString buff, name;
    int32_t size = 60000;

    QFile::remove(QDir(settings.storageFolder).filePath(stored[0]));
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(downloadCount, 1);  // a missing file is fetched again
    waitForDownload(*jv);
    QFile::remove(QDir(settings.storageFolder).filePath(stored[0]));
    EXPECT_EQ(jv->JVRead(buff, size, name), -503);
    jv->JVClose();

    const QString cut = QDir(settings.storageFolder).filePath(stored[0]);
    test::writeFile(cut, "RA1");
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(jv->JVRead(buff, size, name), -402);
    EXPECT_EQ(name, stored[0]);
    EXPECT_FALSE(QFile::exists(cut)) << "a damaged copy is dropped";
    jv->JVClose();
    test::writeFile(cut, "RA1\r\n");
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(jv->JVRead(buff, size, name), -403);
    EXPECT_FALSE(QFile::exists(cut));
    jv->JVClose();

    // The next open downloads it again, and the read gets past it.
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(downloadCount, 1);
    waitForDownload(*jv);
    EXPECT_GT(jv->JVRead(buff, size, name), 0);
    EXPECT_EQ(name, stored[0]);
}

// Under a download's name a user may leave anything. What is not read ends
// the read as a damaged copy does, named, but stays as it was: the service
// wrote none of these, so it removes none, and downloads the file again only
// once it is taken away.
TEST_F(EmulatedJVLinkTest, DownloadedFileThatIsNoFileOrTooLargeEndsTheReadNamedAndIsKept)
{
    auto jv = ready();
    ASSERT_EQ(open(*jv), 0);
    waitForDownload(*jv);
    jv->JVClose();
    const QDir store(settings.storageFolder);
    QMap<QString, QByteArray> others;
    for (const QString& name : store.entryList(QDir::Files))
        others[name] = test::readFile(store.filePath(name));
    const QString name = store.entryList({"*_20240524160000.jvd"}, QDir::Files).value(0);  // the file read first
    ASSERT_EQ(others.remove(name), 1);
    const QString odd = store.filePath(name);
    const QString tooLarge = QStringLiteral("%1 バイトあり、大きすぎる（上限 %2 バイト）")
                                 .arg(test::kHugeFileBytes)
                                 .arg(storedfile::maxDownloadedFileBytes());
    const struct {
        test::Unusable kind;
        QString why;
    } cases[] = {
        {test::Unusable::Fifo, QStringLiteral("通常のファイルではない")},
        {test::Unusable::Folder, QStringLiteral("通常のファイルではない")},
        {test::Unusable::ZeroLink, QStringLiteral("シンボリックリンクである")},
        {test::Unusable::Huge, tooLarge},
    };
    QString buff, read;
    int32_t size = 60000;
    for (const auto& c : cases) {
        SCOPED_TRACE(test::unusableName(c.kind));
        ASSERT_TRUE(QFile::remove(odd) || QDir().rmdir(odd));
        test::makeUnusable(odd, c.kind);
        const QString before = entry(odd);
        ASSERT_EQ(open(*jv), 0);
        EXPECT_EQ(downloadCount, 0) << "what is under the name is not replaced";
        int32_t r = 0;
        EXPECT_TRUE(test::endsWithoutWaitingOn(odd, [&] { r = jv->JVRead(buff, size, read); }));
        EXPECT_EQ(r, -402);
        EXPECT_EQ(read, name);
        EXPECT_EQ(jv->downloadFailure(),
                  QStringLiteral("取得したファイル %1 は%2ため読みません。取り除けば、次の取得でダウンロードし直します")
                      .arg(odd, c.why));
        jv->JVClose();
        EXPECT_EQ(entry(odd), before) << "kept as it was";
    }
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        EXPECT_EQ(test::readFile(store.filePath(it.key())), it.value()) << it.key().toStdString();
    ASSERT_TRUE(QFile::remove(odd));
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(downloadCount, 1);
    waitForDownload(*jv);
    EXPECT_GT(jv->JVRead(buff, size, read), 0);
    EXPECT_EQ(read, name);
}

TEST_F(EmulatedJVLinkTest, ForcedResultsOnceOrAlways)
{
    auto jv = ready();
    jv->forceResult(JVOperation::JVOpen, -504);
    EXPECT_EQ(open(*jv), -504);
    EXPECT_EQ(open(*jv), 0);
    jv->forceResult(JVOperation::JVClose, -1, true);
    EXPECT_EQ(jv->JVClose(), -1);
    EXPECT_EQ(jv->JVClose(), -1);
    jv->clearForcedResults();
    EXPECT_EQ(jv->JVClose(), 0);
    jv->forceResult(JVOperation::JVInit, -103);
    EXPECT_EQ(jv->JVInit(kSid), -103);
    jv->forceResult(JVOperation::JVStatus, -502);
    jv->forceResult(JVOperation::JVRead, -3);
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(jv->JVStatus(), -502);
    QString buff, name;
    int32_t size = 60000;
    EXPECT_EQ(jv->JVRead(buff, size, name), -3);
}

TEST_F(EmulatedJVLinkTest, RealTimeVotesGrowTowardTheFinalRecord)
{
    const QDate day(2024, 5, 26);
    // The day's first race, 1R, from the stored votes file.
    const QByteArray finalH1 =
        GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts).left(layout::kH1Length);
    const QByteArray key = layout::raceKey(finalH1).toByteArray();
    auto jv = ready();
    EXPECT_EQ(jv->JVRTOpen("0B20", "20240526"), -114);
    EXPECT_EQ(jv->JVRTOpen("0B20", "2024052605020x11"), -114);
    EXPECT_EQ(jv->JVRTOpen("0B99", key), -111);
    EXPECT_EQ(jv->JVRTOpen("0B20", "2024052799010101"), -1);

    // One read gives the race's H1 and then its H6 (sold in every race of 2024).
    auto fetch = [&](const QDateTime& at) {
        clock::FixedNow fixed{at};
        QString buff, name;
        int32_t size = 60000;
        QByteArray record;
        const int32_t opened = jv->JVRTOpen("0B20", key);
        EXPECT_TRUE(opened == 0 || opened == -1) << opened;
        if (opened == 0) {
            EXPECT_EQ(jv->JVRead(buff, size, name), layout::kH1Length);
            record = cp932::encode(buff);
            EXPECT_EQ(jv->JVRead(buff, size, name), layout::kH6Length);
            const QByteArray h6 = cp932::encode(buff);
            EXPECT_EQ(layout::recordType(h6), "H6");
            EXPECT_EQ(layout::raceKey(h6), key);
            EXPECT_EQ(jv->JVRead(buff, size, name), 0);
        }
        EXPECT_EQ(jv->JVClose(), 0);
        return record;
    };
    EXPECT_TRUE(fetch(QDateTime(day, QTime(6, 0))).isEmpty());  // sales not open yet
    const QByteArray early = fetch(QDateTime(day, QTime(8, 0)));
    const QByteArray late = fetch(QDateTime(day, QTime(9, 40)));
    const QByteArray past = fetch(QDateTime(day.addDays(3), QTime(12, 0)));
    ASSERT_EQ(early.size(), layout::kH1Length);
    EXPECT_EQ(early[2], GeneratedSource::kQuickReportCategory);
    EXPECT_EQ(layout::creationDate(early), "20240526");
    EXPECT_EQ(layout::raceKey(early), key);

    auto total = [](const QByteArray& r) { return record::blankAsAbsent(r, layout::kWinTotal, 11); };
    EXPECT_LT(total(early), total(late));
    EXPECT_LT(total(late), total(finalH1));
    for (int h = 1; h <= 18; ++h) {
        const int e = record::blankAsAbsent(early, layout::winVotes(h), 11);
        const int l = record::blankAsAbsent(late, layout::winVotes(h), 11);
        const int f = record::blankAsAbsent(finalH1, layout::winVotes(h), 11);
        EXPECT_LE(e, l);
        EXPECT_LE(l, f);
    }
    // A past race gives its final record, dated the day it was fetched.
    EXPECT_EQ(past.mid(27), finalH1.mid(27));
    EXPECT_EQ(past[2], GeneratedSource::kFinalCategory);
    EXPECT_EQ(layout::creationDate(past), "20240529");
}

TEST_F(EmulatedJVLinkTest, SettingsDialogEditsAndPersistsTheSettings)
{
    auto jv = ready();
    EXPECT_EQ(jv->JVSetUIProperties(), -100);  // no dialog installed
    setSettingsEditor([](EmulatorSettings& s) {
        s.downloadPaceMs = 123;
        return false;
    });
    EXPECT_EQ(jv->JVSetUIProperties(), 0);
    EXPECT_EQ(jv->settings().downloadPaceMs, 0);
    setSettingsEditor([](EmulatorSettings& s) {
        s.downloadPaceMs = 123;
        s.recordFolder = QStringLiteral("｢記録｣");
        return true;
    });
    EXPECT_EQ(jv->JVSetUIProperties(), 0);
    EXPECT_EQ(jv->settings().downloadPaceMs, 123);
    EXPECT_EQ(EmulatorSettings::load().downloadPaceMs, 123);
    EXPECT_EQ(EmulatorSettings::load().storageFolder, settings.storageFolder);
    EXPECT_EQ(EmulatorSettings::load().recordFolder, QStringLiteral("｢記録｣")) << "the brackets belong to the name";

    QFile::remove(EmulatorSettings::filePath());
    QDir().mkdir(EmulatorSettings::filePath());  // a folder where the file should be
    EXPECT_EQ(jv->JVSetUIProperties(), -100);
}

TEST_F(EmulatedJVLinkTest, DefaultSettingsLiveInTheApplicationFolder)
{
    const EmulatorSettings d = EmulatorSettings::load();
    EXPECT_EQ(d.storageFolder, dir.filePath("JVLinkEmu"));
    EXPECT_TRUE(d.recordFolder.isEmpty());
    EXPECT_EQ(EmulatorSettings::filePath(), dir.filePath("JVLinkEmu.ini"));
    test::writeFile(EmulatorSettings::filePath(), "[Emulator]\r\nDownloadPace=fast\r\n");
    EXPECT_EQ(EmulatorSettings::load().downloadPaceMs, EmulatorSettings::defaults().downloadPaceMs);
}

TEST_F(EmulatedJVLinkTest, ServesAFolderOfRealRecordFiles)
{
    QDir(dir.path()).mkdir("real");
    const QByteArray ra = "RA72024052620240526050208110000" + QByteArray(1239, ' ');
    const QByteArray h1 = "H1720240526202405260502081116" + QByteArray(28924, ' ');
    const QByteArray h6 = "H6720240526202405260502081116" + QByteArray(layout::kH6Length - 31, ' ');
    const QByteArray hr = "HR220240526202405260502081116" + QByteArray(layout::kHrLength - 31, ' ');
    QFile f(dir.filePath("real/records.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(ra + "\n" + h6 + "\n" + hr + "\n" + h1 + "\n");
    f.flush();
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2024, 5, 26), QTime(18, 0, 0, 500)), QFileDevice::FileModificationTime));
    f.close();

    settings.recordFolder = dir.filePath("real");
    auto jv = ready();
    ASSERT_EQ(open(*jv), 0);
    EXPECT_EQ(readCount, 1);
    EXPECT_EQ(lastStamp, "20240526180000");
    waitForDownload(*jv);
    QString buff, name;
    int32_t size = 60000;
    EXPECT_EQ(jv->JVRead(buff, size, name), ra.size() + 2);
    EXPECT_EQ(cp932::encode(buff), ra + "\r\n");
    EXPECT_EQ(jv->JVRead(buff, size, name), h6.size() + 2);
    EXPECT_EQ(jv->JVRead(buff, size, name), hr.size() + 2);
    EXPECT_EQ(jv->JVRead(buff, size, name), h1.size() + 2);
    EXPECT_EQ(jv->JVRead(buff, size, name), -1);
    EXPECT_EQ(jv->JVRead(buff, size, name), 0);
    jv->JVClose();
    EXPECT_EQ(open(*jv, lastStamp), -1);  // nothing newer than its own stamp

    // The quick report: the race's H1, then its H6, wherever the file has them.
    ASSERT_EQ(jv->JVRTOpen("0B20", "2024052605020811"), 0);
    EXPECT_EQ(jv->JVRead(buff, size, name), h1.size() + 2);
    EXPECT_EQ(jv->JVRead(buff, size, name), h6.size() + 2);
    EXPECT_EQ(jv->JVRead(buff, size, name), 0);
    jv->JVClose();
    EXPECT_EQ(jv->JVRTOpen("0B20", "2024052605020812"), -1);
    // The quick result: the race's HR.
    ASSERT_EQ(jv->JVRTOpen("0B12", "2024052605020811"), 0);
    EXPECT_EQ(jv->JVRead(buff, size, name), hr.size() + 2);
    EXPECT_EQ(cp932::encode(buff), hr + "\r\n");
    EXPECT_EQ(jv->JVRead(buff, size, name), 0);
    jv->JVClose();
    EXPECT_EQ(jv->JVRTOpen("0B12", "2024052605020812"), -1);
}
