// The emulated service with a settings file that is a FIFO or a gigabyte large,
// and with a storage folder it cannot make: the defaults serve, nothing
// waits, and a failed download says which folder and why.
#include "appfiles/AppFolder.h"
#include "jvlink/client/DownloadPoll.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "racedata/Clock.h"
#include "support/FaultInjection.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

class EmulatedJVLinkFault : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appfolder::setPath(dir.path());
    }
    void TearDown() override { setSettingsEditor({}); }

    QTemporaryDir dir;
    clock::FixedNow now{QDateTime(QDate(2024, 5, 27), QTime(12, 0))};
};

}  // namespace

TEST_F(EmulatedJVLinkFault, UnusableSettingsFileGivesTheDefaultsAndIsNotWritten)
{
    setSettingsEditor([](EmulatorSettings&) { return true; });
    for (const test::Unusable kind : test::kUnusableKinds) {
        SCOPED_TRACE(test::unusableName(kind));
        QFile::remove(EmulatorSettings::filePath());
        test::makeUnusable(EmulatorSettings::filePath(), kind);
        EXPECT_EQ(EmulatedJVLink().settings().downloadPaceMs, EmulatorSettings::defaults().downloadPaceMs);
        EXPECT_TRUE(EmulatorSettings::problem().startsWith(
            QStringLiteral("設定ファイル %1 は読みません").arg(EmulatorSettings::filePath())));
        EmulatedJVLink jv;
        EXPECT_EQ(jv.JVSetUIProperties(), -100);
        EXPECT_EQ(QFileInfo(EmulatorSettings::filePath()).size(),
                  kind == test::Unusable::Huge ? test::kHugeFileBytes : 0);
    }
}

TEST_F(EmulatedJVLinkFault, StorageFolderThatCannotBeMadeIsNamedByTheFailedDownload)
{
    const QString file = dir.filePath("file");
    test::writeFile(file, "x");
    EmulatorSettings settings;
    settings.storageFolder = file + "/store";
    settings.downloadPaceMs = 0;
    EmulatedJVLink jv(settings);
    ASSERT_EQ(jv.JVInit("SA481927"), 0);
    int32_t readCount = 0, downloadCount = 0;
    QString last;
    ASSERT_EQ(jv.JVOpen("RACE", "20240520000000", 1, readCount, downloadCount, last), 0);
    pollDownload([&] { return jv.JVStatus() >= 0; }, QDeadlineTimer(10000));
    EXPECT_EQ(jv.JVStatus(), -502);
    jv.JVClose();
    EXPECT_EQ(jv.downloadFailure(),
              QStringLiteral("取得したファイルの保存フォルダを使えません：フォルダ %1/store を作成できません"
                             "（%1 はフォルダではありません）。")
                  .arg(file));
}
