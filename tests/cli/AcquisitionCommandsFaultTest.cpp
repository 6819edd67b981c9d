// fetch and quick when the files beside the data folder are a FIFO or a
// gigabyte large, and when the emulated service cannot make its storage
// folder: nothing waits, each file is named on standard error, and the work
// goes on as far as it can.
#include "appfiles/AppFolder.h"
#include "cli/Cli.h"
#include "jvlink/emulator/JVLinkFactory.h"
#include "racedata/Clock.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

class AcquisitionFault : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appfolder::setPath(dir.path());
    }
    void TearDown() override
    {
        appfolder::setPath(savedFolder_);
        jvlink::setFactory({});
    }
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int code = cli::run(QStringList{"--data", dir.filePath("Data")} + args, o, e);
        o.flush();
        e.flush();
        return code;
    }

    QTemporaryDir dir;
    QString out, err;

private:
    QString savedFolder_ = appfolder::path();
};

}  // namespace

TEST_F(AcquisitionFault, SettingsAndLogThatAreAFifoOrAGigabyteAreNamedAndNeverWaitedOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Data"));
    test::writeRecords(dir.filePath("Data/2005年04月16日.jvRA"), {RaRecord(raceKey("20050416", "05", 1))});
    jvlink::setFactory([] {
        auto jv = std::make_unique<test::ScriptedJVLink>();
        jv->readCount = 1;
        jv->lastFileTimestamp = "20050416173000";
        jv->record(H1Record(raceKey("20050416", "05", 1), '4'));
        return std::unique_ptr<jvlink::JVDTLabLib_TLB>(std::move(jv));
    });
    const QStringList files = {dir.filePath("TavekJ.ini"), dir.filePath("JVLinkEmu.ini"), dir.filePath("ErrorLog.txt")};
    for (const test::Unusable kind : test::kUnusableKinds) {
        SCOPED_TRACE(test::unusableName(kind));
        for (const QString& file : files) {
            QFile::remove(file);
            test::makeUnusable(file, kind);
        }
        EXPECT_EQ(run({"quick", "2005-04-16", "1"}), 0) << err.toStdString();
        EXPECT_TRUE(out.endsWith(QStringLiteral("01R 票数を保存しました\n"))) << out.toStdString();
        for (const QString& file : files)
            EXPECT_TRUE(err.contains(file)) << err.toStdString();
        // The start point cannot be kept in settings that are not read.
        EXPECT_EQ(run({"fetch", "--from", "20050409153000"}), 2);
        EXPECT_TRUE(err.contains(files[0] + QStringLiteral(" に書き込めません："))) << err.toStdString();
    }
}

TEST_F(AcquisitionFault, FetchNamesTheStorageFolderTheEmulatedServiceCannotMake)
{
    const clock::FixedNow now{QDateTime(QDate(2024, 5, 27), QTime(12, 0))};
    const QString file = dir.filePath("file");
    test::writeFile(file, "x");
    test::writeFile(dir.filePath("JVLinkEmu.ini"),
                    "[Emulator]\r\nStorageFolder=" + file.toUtf8() + "/store\r\nDownloadPace=0\r\n");
    EXPECT_EQ(run({"fetch", "--from", "20240520000000"}), 2);
    EXPECT_TRUE(err.contains("(-502)")) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("保存フォルダを使えません：フォルダ %1/store を作成できません").arg(file)))
        << err.toStdString();
}
