// The settings file and the error log on a full disk, in a read-only folder,
// read-only, unreadable, a FIFO or a gigabyte large: each failure names the
// file, the file keeps what it held, what can still be read is read, and
// nothing waits on a FIFO.
#include "appfiles/ErrorLog.h"
#include "appfiles/IniFile.h"
#include "appfiles/IniGT.h"
#include "racedata/Cp932.h"
#include "support/FaultInjection.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavek;

namespace {

class SettingsFault : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ini = test::settingsIn(dir.path());
        test::writeFile(ini.FileName, "[locate]\r\ntop=40\r\n");
        test::writeFile(logPath(), cp932::encode(QStringLiteral("ソフト起動：2024/05/26 09:41:07\r\n/opt/tavek\r\n")));
    }
    QString logPath() const { return dir.filePath(QStringLiteral("ErrorLog.txt")); }
    // Runs `step` and returns the message it raised.
    template <typename Step>
    static QString messageOf(Step step)
    {
        try {
            step();
        } catch (const std::runtime_error& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

    QTemporaryDir dir;
    TIniGT ini;
};

}  // namespace

TEST_F(SettingsFault, FullDiskKeepsBothFilesAndNamesThem)
{
    const QByteArray settings = test::readFile(ini.FileName);
    const QByteArray log = test::readFile(logPath());
    {
        const test::FileSizeLimit full(40);
        EXPECT_EQ(messageOf([&] { ini.WriteString("JvDataGet", "LastTime", "2024/05/26 09:41:07"); }),
                  ini.FileName + QStringLiteral(" に書き込めません"));
        EXPECT_EQ(messageOf([&] { ErrorLog(logPath()).writeErrorEntry(); }),
                  QStringLiteral("ファイル %1 を作成できません").arg(logPath()));
    }
    EXPECT_EQ(test::readFile(ini.FileName), settings);
    EXPECT_EQ(test::readFile(logPath()), log);
    EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 40);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

TEST_F(SettingsFault, ReadOnlyFilesAreReportedAndStillRead)
{
    const QByteArray settings = test::readFile(ini.FileName);
    const QByteArray log = test::readFile(logPath());
    const int code = test::withoutWriteRights({dir.path(), ini.FileName, logPath()}, [&] {
        if (messageOf([&] { ini.WriteInteger("locate", "top", 1); })
            != ini.FileName + QStringLiteral(" に書き込めません"))
            return 1;
        if (ini.ReadInteger("locate", "top", 10) != 40)
            return 2;
        ErrorLog startup(logPath());
        if (messageOf([&] { startup.writeStartupEntry("/opt/tavek"); })
            != QStringLiteral("ファイル %1 を作成できません").arg(logPath()))
            return 3;
        return startup.lines().size() == 4 ? 0 : 4;
    });
    EXPECT_EQ(code, 0) << "1: settings written, 2: settings unread, 3: log written, 4: log unread";
    EXPECT_EQ(test::readFile(ini.FileName), settings);
    EXPECT_EQ(test::readFile(logPath()), log);
}

TEST_F(SettingsFault, UnreadableErrorLogIsReportedAndKept)
{
    // A folder where the log should be cannot be read by anyone.
    ASSERT_TRUE(QFile::remove(logPath()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ErrorLog.txt")));
    ErrorLog log(logPath());
    const QString unreadable = QStringLiteral("ファイル %1 は開けません").arg(logPath());
    EXPECT_EQ(messageOf([&] { log.writeErrorEntry(); }), unreadable);
    EXPECT_EQ(messageOf([&] { log.writeStartupEntry("/opt/tavek"); }), unreadable);
    EXPECT_TRUE(QFileInfo(logPath()).isDir());
}

TEST_F(SettingsFault, UnusableSettingsRunOnDefaultsAndAreNeverWritten)
{
    for (const test::Unusable kind : test::kUnusableKinds) {
        SCOPED_TRACE(test::unusableName(kind));
        ASSERT_TRUE(QFile::remove(ini.FileName));
        test::makeUnusable(ini.FileName, kind);
        const QString problem = ini::problem(ini.FileName);
        EXPECT_TRUE(problem.startsWith(QStringLiteral("設定ファイル %1 は読みません：").arg(ini.FileName)));
        EXPECT_TRUE(problem.contains(kind == test::Unusable::Fifo ? QStringLiteral("通常のファイルではありません")
                                                                  : QStringLiteral("1073741824 バイトあり")))
            << problem.toStdString();
        EXPECT_TRUE(problem.endsWith(QStringLiteral("既定の設定で続けます。")));
        EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 10);
        EXPECT_TRUE(messageOf([&] {
                        ini.WriteInteger("locate", "top", 1);
                    }).startsWith(ini.FileName + QStringLiteral(" に書き込めません：")));
        EXPECT_EQ(QFileInfo(ini.FileName).size(), kind == test::Unusable::Huge ? test::kHugeFileBytes : 0);
    }
    EXPECT_TRUE(ini::problem(dir.filePath("missing.ini")).isEmpty());
}

TEST_F(SettingsFault, UnusableErrorLogIsSetAsideAndBegunAfresh)
{
    // The second is kept beside the first.
    const QString kept[] = {logPath() + ".old", logPath() + ".old2"};
    for (const test::Unusable kind : test::kUnusableKinds) {
        SCOPED_TRACE(test::unusableName(kind));
        ASSERT_TRUE(QFile::remove(logPath()));
        test::makeUnusable(logPath(), kind);
        const QString& keptAs = kept[kind == test::Unusable::Fifo ? 0 : 1];
        ErrorLog log(logPath());
        const QString notice = log.setAsideIfUnusable();
        EXPECT_TRUE(notice.startsWith(QStringLiteral("エラーログ %1 は").arg(logPath()))) << notice.toStdString();
        EXPECT_TRUE(notice.endsWith(QStringLiteral("%1 に名前を変えて残し、新しいログを始めました。").arg(keptAs)));
        EXPECT_EQ(QFileInfo(keptAs).size(), kind == test::Unusable::Huge ? test::kHugeFileBytes : 0);
        log.writeStartupEntry("/opt/tavek");
        ASSERT_EQ(log.lines().size(), 3);
        EXPECT_TRUE(log.lines()[0].endsWith(notice)) << "the new log says where the old one is";
        EXPECT_TRUE(log.setAsideIfUnusable().isEmpty());
    }
}
