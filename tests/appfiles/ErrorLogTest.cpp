#include "appfiles/ErrorLog.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavek;

namespace {

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { ErrorLog::setBeep({}); }
    QString path() const { return dir.filePath("ErrorLog.txt"); }
    void writeLines(int count) const
    {
        QByteArray lines;
        for (int i = 1; i <= count; ++i)
            lines += cp932::encode(QStringLiteral("行%1\r\n").arg(i));
        test::writeFile(path(), lines);
    }
    QByteArray bytes() const { return test::readFile(path()); }
    QTemporaryDir dir;
    clock::FixedNow now{QDateTime(QDate(2024, 5, 26), QTime(9, 41, 7))};
};

}  // namespace

TEST_F(ErrorLogTest, StartupKeepsTheLast100LinesAndAddsTwo)
{
    writeLines(150);
    ErrorLog log(path());
    log.writeStartupEntry("/opt/tavek");
    const QStringList& lines = log.lines();
    ASSERT_EQ(lines.size(), 102);
    EXPECT_EQ(lines.front(), "行51");
    EXPECT_EQ(lines[99], "行150");
    EXPECT_EQ(lines[100], "ソフト起動：2024/05/26 09:41:07");
    EXPECT_EQ(lines[101], "/opt/tavek");
    EXPECT_TRUE(
        bytes().endsWith(cp932::encode(QStringLiteral("行150\r\nソフト起動：2024/05/26 09:41:07\r\n/opt/tavek\r\n"))));
}

TEST_F(ErrorLogTest, FirstStartCreatesTheLogWithTwoLines)
{
    ErrorLog log(path());
    log.writeStartupEntry("/opt/tavek");
    EXPECT_EQ(bytes(), cp932::encode(QStringLiteral("ソフト起動：2024/05/26 09:41:07\r\n/opt/tavek\r\n")));
}

TEST_F(ErrorLogTest, ErrorEntryBeepsAndAppendsOneLine)
{
    writeLines(3);
    const QByteArray before = bytes();
    int beeps = 0;
    ErrorLog::setBeep([&] { ++beeps; });
    clock::FixedNow later{QDateTime(QDate(2024, 5, 26), QTime(15, 2, 33))};
    ErrorLog log(path());
    log.writeErrorEntry();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(bytes(), before + cp932::encode(QStringLiteral("【エラー】15:02:33：\r\n")));
    EXPECT_EQ(log.lines().size(), 4);
}

TEST_F(ErrorLogTest, FailuresNameTheFile)
{
    ErrorLog log(path());
    try {
        log.writeErrorEntry();
        FAIL() << "a missing log must be reported";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("ファイル %1 は開けません").arg(path()));
    }
    writeLines(1);
    ErrorLog blocked(path() + "/ErrorLog.txt");
    try {
        blocked.writeStartupEntry("/opt/tavek");
        FAIL() << "a log that cannot be created must be reported";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("ファイル %1 を作成できません").arg(blocked.path()));
    }
    EXPECT_EQ(bytes(), cp932::encode(QStringLiteral("行1\r\n")));
}

TEST_F(ErrorLogTest, FailureEntryAddsTheMessageOnOneLineWithoutABeep)
{
    int beeps = 0;
    ErrorLog::setBeep([&] { ++beeps; });
    ErrorLog log(path());
    log.writeFailure(QStringLiteral("ファイル X は\r\n開けません"));
    const QByteArray first = cp932::encode(QStringLiteral("【エラー】09:41:07：ファイル X は 開けません\r\n"));
    EXPECT_EQ(bytes(), first) << "a missing log is created";
    log.writeFailure(QStringLiteral("二行目\nまで"));
    EXPECT_EQ(bytes(), first + cp932::encode(QStringLiteral("【エラー】09:41:07：二行目 まで\r\n")));
    EXPECT_EQ(beeps, 0);
}
