#include "cli/Cli.h"
#include "cli/Pause.h"
#include "history/OddsHistory.h"
#include "racedata/Clock.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/ScriptedCli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

// tavek-cli on race 1 of 2005-04-16 (post time 10:30) with a scripted
// JV-Link and a clock that moves only when quick --every waits.
class HistoryCli : public test::ScriptedCli {
protected:
    HistoryCli()
    {
        QDir().mkpath(dataFolder());
        test::writeRecords(dataFolder() + "/2005年04月16日.jvRA",
                           {RaRecord(raceKey("20050416", "05", 1)).put(layout::kPostTime, "1030")});
        script = [this](test::ScriptedJVLink& jv) {
            for (const QByteArray& r : fetches) {
                if (!r.isEmpty())
                    jv.record(r);
                jv.code(0);
            }
        };
        clock::setSource([this] { return now; });
        cli::pause::setHook([this](const QDateTime& at) { now = at; });
    }
    ~HistoryCli() override
    {
        clock::setSource({});
        cli::pause::setHook({});
    }

    static QByteArray h1(long long horse1)
    {
        return H1Record(raceKey("20050416", "05", 1), '1')
            .registered(2)
            .winTotal(1000)
            .win(1, horse1)
            .win(2, 1000 - horse1);
    }

    QDateTime now{QDate(2005, 4, 16), QTime(10, 0)};
    QList<QByteArray> fetches;  // what each fetch reads; empty: nothing
};

}  // namespace

TEST_F(HistoryCli, QuickEveryFetchesUntilPostTimeAndHistoryShowsEachChange)
{
    // Before any quick report: no snapshots, the JSON as printJson writes an object.
    const auto indented = [](const QString& json) {
        return QString::fromUtf8(QJsonDocument::fromJson(json.toUtf8()).toJson(QJsonDocument::Indented));
    };
    EXPECT_EQ(run({"history", "2005-04-16", "1", "--json"}), 0);
    EXPECT_EQ(out, indented(out));
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8())["snapshots"].toArray(), QJsonArray());

    fetches = {h1(400), h1(400), h1(500), QByteArray()};
    EXPECT_EQ(run({"quick", "2005-04-16", "1", "--every", "600"}), 0);
    EXPECT_EQ(out, "10:00:00 2005/04/16 東京 01R 票数を保存しました（オッズ推移に追加）\n"
                   "10:10:00 2005/04/16 東京 01R 票数を保存しました（前回から変化なし）\n"
                   "10:20:00 2005/04/16 東京 01R 票数を保存しました（オッズ推移に追加）\n"
                   "10:30:00 2005/04/16 東京 01R 票数なし\n");

    EXPECT_EQ(run({"history", "2005-04-16", "1", "--json"}), 0);
    EXPECT_EQ(out, indented(out)) << "written a snapshot at a time, as the whole object would be";
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    const QJsonArray snapshots = json["snapshots"].toArray();
    ASSERT_EQ(snapshots.size(), 2);
    EXPECT_EQ(snapshots[0].toObject()["fetched"].toString(), "2005-04-16T10:00:00");
    EXPECT_EQ(snapshots[1].toObject()["win_total"].toInt(), 1000);
    EXPECT_EQ(snapshots[1].toObject()["win"].toArray(), (QJsonArray{500, 500}));
    EXPECT_EQ(snapshots[0].toObject()["odds"].toArray(), (QJsonArray{"2.0", "1.3"}));

    EXPECT_EQ(run({"history", "2005-04-16", "1", "--csv"}), 0);
    EXPECT_EQ(out.count("\r\n"), 5);  // header, two snapshots of two runners
    EXPECT_TRUE(out.contains("2005-04-16 10:20:00,20050415,1000,2,500,1.6\r\n")) << out.toStdString();

    // The window's race header and heading for the quick report on screen.
    EXPECT_EQ(run({"win", "2005-04-16", "1"}), 0);
    EXPECT_EQ(out.section(u'\n', 2, 2), QStringLiteral("速報 10:20:00現在")) << out.toStdString();
    EXPECT_TRUE(out.section(u'\n', 4, 4).contains(QStringLiteral("速報オッズ"))) << out.toStdString();
}

TEST_F(HistoryCli, QuickUntilStopsEarlierAndBadTimesAreRefused)
{
    fetches = {h1(400), h1(450), h1(500)};
    EXPECT_EQ(run({"quick", "2005-04-16", "1", "--every", "600", "--until", "10:15"}), 0);
    EXPECT_EQ(out.count('\n'), 2);
    EXPECT_EQ(run({"quick", "2005-04-16", "1", "--every", "60", "--until", "25:00"}), 2);
    EXPECT_EQ(run({"quick", "2005-04-16", "1", "--until", "10:15"}), 2);
    EXPECT_EQ(run({"quick", "2005-04-16", "1", "--every", "0"}), 2);
    EXPECT_EQ(run({"win", "2005-04-16", "1", "--json", "--csv"}), 2);
}

TEST_F(HistoryCli, ANewerHistoryIsRefusedWhileTheDayFilesStillWork)
{
    const QString path = history::databaseIn(dir.path());
    {
        history::OddsHistory created(path);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 9"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));

    fetches = {h1(400)};
    EXPECT_EQ(run({"quick", "2005-04-16", "1"}), cli::kHistoryNotSaved);
    EXPECT_TRUE(err.contains("オッズ推移に保存できません（票数は日別ファイルに保存しました）：オッズ履歴 "))
        << err.toStdString();
    EXPECT_TRUE(err.contains("新しい版")) << err.toStdString();
    EXPECT_TRUE(test::readFile(dataFolder() + "/2005年04月16日.jvH1").startsWith("H1000000000"));
    EXPECT_EQ(run({"win", "2005-04-16", "1", "--csv"}), 0);
    EXPECT_TRUE(out.startsWith("枠,馬,票数,")) << out.toStdString();
    EXPECT_EQ(run({"history", "2005-04-16", "1"}), 2);
    EXPECT_TRUE(err.contains("第9版")) << err.toStdString();
}
