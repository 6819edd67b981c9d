#include "appfiles/SettingsKeys.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/ScriptedCli.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

// The scripted tavek-cli, and the start point its settings keep.
class AcquisitionCommands : public test::ScriptedCli {
protected:
    QString lastTime() const { return settings::read(test::settingsIn(dir.path()), settings::kLastTime, QString()); }
};

}  // namespace

TEST_F(AcquisitionCommands, FetchStoresListsCountsAndAdvancesTheStartPoint)
{
    script = [](test::ScriptedJVLink& jv) {
        jv.readCount = 1;
        jv.lastFileTimestamp = "20050416173000";
        jv.record(RaRecord(raceKey("20050416", "05", 11)));
        jv.record(H1Record(raceKey("20050416", "05", 11)));
    };
    EXPECT_EQ(run({"fetch", "--from", "20050409153000"}), 0);
    EXPECT_TRUE(out.contains("作成済み:11R/2005年04月16日.jvRA\n作成済み:11R/2005年04月16日.jvH1\n"));
    EXPECT_TRUE(out.endsWith("データ作成が完了しました。\n作成済みデータ: 2件\n"));
    EXPECT_EQ(lastTime(), "2005/04/16 17:30:00");

    // A start point after a day's races were published brings its votes alone:
    // the day would be missing from the date list, so the run says so.
    script = [](test::ScriptedJVLink& jv) {
        jv.readCount = 1;
        jv.lastFileTimestamp = "20050423173000";
        jv.record(H1Record(raceKey("20050423", "05", 11)));
    };
    EXPECT_EQ(run({"fetch", "--from", "20050423000000"}), 0);
    EXPECT_TRUE(
        out.contains(QStringLiteral("データ作成が完了しました。\n2005年04月23日 は票数だけでレースの情報がない")))
        << out.toStdString();

    script = [](test::ScriptedJVLink& jv) { jv.openResult = -504; };
    // A failing service is input that cannot be read: exit 2, its words on standard error.
    EXPECT_EQ(run({"fetch"}), 2);
    EXPECT_TRUE(err.contains("JVOpenエラー:サーバーがメンテナンス中です。(-504)")) << err.toStdString();
    EXPECT_FALSE(out.contains("エラー")) << out.toStdString();
    EXPECT_EQ(run({"fetch", "--from", "2005-04-09"}), 2);
}

TEST_F(AcquisitionCommands, QuickFetchesOneRaceOrTheWholeDay)
{
    QDir().mkpath(dataFolder());
    test::writeRecords(dataFolder() + "/2005年04月16日.jvRA",
                       {RaRecord(raceKey("20050416", "05", 1)), RaRecord(raceKey("20050416", "05", 2))});
    script = [](test::ScriptedJVLink& jv) { jv.record(H1Record(raceKey("20050416", "05", 2), '4')); };
    EXPECT_EQ(run({"quick", "2005-04-16", "2"}), 0);
    EXPECT_TRUE(out.endsWith("02R 票数を保存しました\n")) << out.toStdString();
    EXPECT_TRUE(QFile::exists(dataFolder() + "/2005年04月16日.jvH1"));
    EXPECT_EQ(run({"quick", "2005-04-16", "all"}), 0);
    EXPECT_EQ(out.count("\n"), 2);
    EXPECT_EQ(run({"quick", "2005-04-16", "3"}), 2);
}
