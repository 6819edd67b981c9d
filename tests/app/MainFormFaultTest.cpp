// The main window with a broken application folder: an error log it cannot
// read or write, a data folder that is a file, a settings file it cannot
// write, files that are FIFOs or a gigabyte large. Each is reported in the
// standard error box and the window works on.
#include "appfiles/AppIdentity.h"
#include "racedata/DayFiles.h"
#include "support/FaultInjection.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/MainWindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <gtest/gtest.h>

using tavek::test::BoxAnswerer;
using tavek::test::MainWindowFixture;

TEST(MainFormFault, OpensAndWorksWhenTheErrorLogCannotBeRead)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    ASSERT_TRUE(QDir().mkpath(fx.logPath()));
    BoxAnswerer boxes;
    TMainForm& form = fx.start();
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("ファイル %1 は開けません").arg(fx.logPath())});
    ASSERT_EQ(form.DateCombo->count(), 1);
    fx.pickDate(MainWindowFixture::kFixtureDate);
    EXPECT_TRUE(form.PageControl1->isVisible());
    EXPECT_EQ(form.lbRace->count(), 3);
}

TEST(MainFormFault, DataFolderThatIsAFileIsReported)
{
    MainWindowFixture fx;
    tavek::test::writeFile(fx.dataFolder(), {});
    BoxAnswerer boxes;
    TMainForm& form = fx.start();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.texts().front().contains(fx.dataFolder())) << boxes.texts().front().toStdString();
    EXPECT_EQ(form.DateCombo->count(), 0);
    EXPECT_TRUE(QFileInfo(fx.dataFolder()).isFile());
    EXPECT_TRUE(QFile::exists(fx.logPath())) << "the start-up entry is still written";
}

TEST(MainFormFault, ClosesWhenTheSettingsCannotBeWritten)
{
    MainWindowFixture fx;
    ASSERT_TRUE(QDir().mkpath(fx.settingsPath()));
    BoxAnswerer boxes;
    TMainForm& form = fx.start();
    ASSERT_EQ(boxes.count(), 1) << "the settings are not read";
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(boxes.texts().last(),
              fx.settingsPath() + QStringLiteral(" に書き込めません：通常のファイルではありません"));
}

TEST(MainFormFault, OpensOnDefaultsWhenItsFilesAreAFifoOrAGigabyte)
{
    for (const tavek::test::Unusable kind : tavek::test::kUnusableKinds) {
        SCOPED_TRACE(tavek::test::unusableName(kind));
        MainWindowFixture fx;
        const QString emulatorSettings = QDir(fx.folder()).filePath(QStringLiteral("JVLinkEmu.ini"));
        for (const QString& path : {fx.settingsPath(), emulatorSettings, fx.logPath()})
            tavek::test::makeUnusable(path, kind);
        BoxAnswerer boxes;
        TMainForm& form = fx.start();
        EXPECT_TRUE(form.isVisible());
        ASSERT_EQ(boxes.count(), 3) << boxes.texts().join(u'\n').toStdString();
        EXPECT_TRUE(boxes.texts()[0].startsWith(QStringLiteral("設定ファイル %1 は読みません").arg(fx.settingsPath())));
        EXPECT_TRUE(boxes.texts()[1].startsWith(QStringLiteral("設定ファイル %1 は読みません").arg(emulatorSettings)));
        EXPECT_TRUE(boxes.texts()[2].startsWith(QStringLiteral("エラーログ %1 は").arg(fx.logPath())));
        EXPECT_LT(QFileInfo(fx.logPath()).size(), 1000) << "a new log";
    }
}

TEST(MainFormFault, ADayThatCannotBeReadIsReportedByTheDateSelectorItself)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    const QString votes = QDir(fx.dataFolder()).filePath(MainWindowFixture::kFixtureDate + QStringLiteral(".jvH1"));
    ASSERT_TRUE(QFile::remove(votes) && QDir().mkpath(votes));
    TMainForm& form = fx.start();
    const QByteArray log = tavek::test::readFile(fx.logPath());
    BoxAnswerer boxes;
    // Called directly, not through an event: a failure leaving the handler would end the test.
    fx.pickDate(MainWindowFixture::kFixtureDate);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Unexpected);
    EXPECT_TRUE(boxes.texts()[0].contains(votes)) << boxes.texts()[0].toStdString();
    EXPECT_EQ(tavek::test::readFile(fx.logPath()), log) << "only the last resort logs";
    EXPECT_FALSE(form.PageControl1->isVisible());
}

TEST(MainFormFault, ADayWhoseRaceFileIsNoRegularFileIsNamedOnceByTheDateList)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    BoxAnswerer boxes;
    TMainForm& form = fx.start();
    ASSERT_EQ(boxes.count(), 0);
    const QString odd = tavek::dayfiles::raceFilePath(fx.dataFolder(), QStringLiteral("2005年04月17日"));
    ASSERT_TRUE(QDir().mkdir(odd));
    form.MakeDataListBtnClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains(QStringLiteral("2005年04月17日.jvRA"))
                && boxes.texts()[0].contains(fx.dataFolder()))
        << boxes.texts()[0].toStdString();
    EXPECT_EQ(form.DateCombo->count(), 1);
    form.MakeDataListBtnClick();
    EXPECT_EQ(boxes.count(), 1) << "the same day is not named at every rebuild";
}

TEST(MainFormFault, ADataFolderThatCannotBeReadIsReportedOnceByTheDateList)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    ASSERT_EQ(form.DateCombo->count(), 1);
    const QString moved = fx.folder() + QStringLiteral("/Data.moved");
    ASSERT_TRUE(QDir().rename(fx.dataFolder(), moved));
    tavek::test::writeFile(fx.dataFolder(), {});

    BoxAnswerer boxes;
    form.MakeDataListBtnClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Unexpected);
    EXPECT_TRUE(boxes.texts()[0].startsWith(QStringLiteral("データフォルダ %1 を読めません").arg(fx.dataFolder())))
        << boxes.texts()[0].toStdString();
    EXPECT_EQ(form.DateCombo->count(), 0);
    form.MakeDataListBtnClick();
    EXPECT_EQ(boxes.count(), 1) << "the same problem is not shown at every rebuild";

    ASSERT_TRUE(QFile::remove(fx.dataFolder()) && QDir().rename(moved, fx.dataFolder()));
    form.MakeDataListBtnClick();
    EXPECT_EQ(form.DateCombo->count(), 1);
    ASSERT_TRUE(QDir(fx.dataFolder()).removeRecursively());
    tavek::test::writeFile(fx.dataFolder(), {});
    form.MakeDataListBtnClick();
    EXPECT_EQ(boxes.count(), 2) << "readable in between: reported again";
}
