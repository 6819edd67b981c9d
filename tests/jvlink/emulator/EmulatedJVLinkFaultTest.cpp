// The emulated service with a settings file that is a FIFO or a gigabyte
// large: the defaults serve, nothing waits, and the file is never written.
// (A storage folder it cannot make: tests/cli/AcquisitionCommandsFaultTest.)
#include "appfiles/AppFolder.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "support/FaultInjection.h"

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
