#include "appfiles/AppFolder.h"
#include "appfiles/IniFile.h"
#include "appfiles/IniGT.h"
#include "racedata/Cp932.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavek;

namespace {

class IniGTTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ini = test::settingsIn(dir.path());
    }
    void writeFile(const QByteArray& bytes) const { test::writeFile(ini.FileName, bytes); }
    QByteArray fileBytes() const { return test::readFile(ini.FileName); }
    QTemporaryDir dir;
    TIniGT ini;
};

}  // namespace

TEST_F(IniGTTest, MissingFileGivesDefaultsExactly)
{
    EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 10);
    EXPECT_EQ(ini.ReadString("JvDataGet", "LastTime", " 2024/05/18 09:00:00 "), " 2024/05/18 09:00:00 ");
}

TEST_F(IniGTTest, IntegerReadingRules)
{
    writeFile("[locate]\r\ntop=0x20\r\nleft=abc\r\nwidth=$1F\r\nheight=0x\r\nA=-15\r\nB= 640 \r\n"
              "C=0xZZ\r\nD=99999999999\r\n");
    EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 32);
    EXPECT_EQ(ini.ReadInteger("locate", "left", 10), 10);
    EXPECT_EQ(ini.ReadInteger("locate", "width", 800), 31);
    EXPECT_EQ(ini.ReadInteger("locate", "height", 600), 600);
    EXPECT_EQ(ini.ReadInteger("locate", "A", 0), -15);
    EXPECT_EQ(ini.ReadInteger("locate", "B", 0), 640);
    EXPECT_EQ(ini.ReadInteger("locate", "C", 7), 7);
    EXPECT_EQ(ini.ReadInteger("locate", "D", 7), 7);
}

TEST_F(IniGTTest, QuotesAndCornerBracketsAreStripped)
{
    writeFile(cp932::encode(
        QStringLiteral("[JvDataGet]\r\nA=｢ 2005/04/09 15:30:00 ｣\r\nB=\" x \"\r\nC=\"\"\r\nD=｢｣\r\nE=\"x\r\nF=\r\n")));
    EXPECT_EQ(ini.ReadString("JvDataGet", "A", "d"), " 2005/04/09 15:30:00 ");
    EXPECT_EQ(ini.ReadString("JvDataGet", "B", "d"), " x ");
    EXPECT_EQ(ini.ReadString("JvDataGet", "C", "d"), "");
    EXPECT_EQ(ini.ReadString("JvDataGet", "D", "d"), "");
    EXPECT_EQ(ini.ReadString("JvDataGet", "E", "d"), "\"x");
    EXPECT_EQ(ini.ReadString("JvDataGet", "F", "d"), "");
}

TEST_F(IniGTTest, SectionsAndKeysIgnoreCase)
{
    writeFile("[Locate]\r\nTOP=5\r\n[other]\r\ntop=9\r\n");
    EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 5);
    ini.WriteInteger("LOCATE", "Top", 6);
    EXPECT_EQ(fileBytes(), "[Locate]\r\nTop=6\r\n[other]\r\ntop=9\r\n");
}

TEST_F(IniGTTest, WritesKeepEveryOtherLine)
{
    const QByteArray before = cp932::encode(QStringLiteral(
        "; 設定ファイル\r\n[locate]\r\ntop=1\r\n\r\n[JvDataGet]\r\nLastTime=2005/04/09 15:30:00\nstray line\r\n"));
    writeFile(before);
    ini.WriteInteger("locate", "left", 20);
    ini.WriteString("JvDataGet", "LastTime", "2006/01/01 00:00:00");
    ini.WriteInteger("new", "k", 1);
    EXPECT_EQ(
        fileBytes(),
        cp932::encode(QStringLiteral(
            "; 設定ファイル\r\n[locate]\r\ntop=1\r\nleft=20\r\n\r\n[JvDataGet]\r\nLastTime=2006/01/01 00:00:00\r\n"
            "stray line\r\n[new]\r\nk=1\r\n")));
}

TEST_F(IniGTTest, WriteCreatesTheFileAndReadsBack)
{
    ini.WriteInteger("locate", "top", 10);
    ini.WriteString("JvDataGet", "LastTime", "ｱ 2005/04/09");
    EXPECT_EQ(fileBytes(),
              cp932::encode(QStringLiteral("[locate]\r\ntop=10\r\n[JvDataGet]\r\nLastTime=ｱ 2005/04/09\r\n")));
    EXPECT_EQ(ini.ReadString("JvDataGet", "LastTime", ""), "ｱ 2005/04/09");
}

TEST_F(IniGTTest, ValuesAreCutAt2047BytesWithoutSplittingACharacter)
{
    writeFile("[s]\r\na=" + QByteArray(3000, 'x') + "\r\nb=" + QByteArray(2046, 'y')
              + cp932::encode(QStringLiteral("漢字")) + "\r\n");
    EXPECT_EQ(ini.ReadString("s", "a", "").size(), 2047);
    EXPECT_EQ(ini.ReadString("s", "b", ""), QString(2046, u'y'));
}

TEST_F(IniGTTest, UnwritableFileRaises)
{
    // A path below a plain file can be neither created nor written, whoever runs the test.
    writeFile("[locate]\r\ntop=1\r\n");
    ini.FileName += "/TavekJ.ini";
    try {
        ini.WriteInteger("locate", "top", 2);
        FAIL() << "no error raised";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), ini.FileName + QStringLiteral(" に書き込めません"));
    }
    EXPECT_EQ(ini.ReadInteger("locate", "top", 10), 10);
    // A folder in the file's place is not overwritten either.
    EXPECT_THROW(ini::writeString(dir.path(), "s", "k", "v"), std::runtime_error);
}

TEST(IniGTFileName, NamedAfterTheExecutableInTheApplicationFolder)
{
    QTemporaryDir dir;
    appfolder::setPath(dir.path());
    TIniGT ini;
    EXPECT_EQ(ini.path(), dir.filePath(QFileInfo(appfolder::executablePath()).fileName() + ".ini"));
    ini.FileName = "other.ini";
    EXPECT_EQ(ini.path(), dir.filePath("other.ini"));
    ini.FileName = "/tmp/x/other.ini";
    EXPECT_EQ(ini.path(), "/tmp/x/other.ini");
}
