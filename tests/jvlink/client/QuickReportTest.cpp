#include "appfiles/AppIdentity.h"
#include "jvlink/client/JVResult.h"
#include "jvlink/client/QuickReport.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using jvlink::JVOperation;
using jvlink::JVResult;
using Kind = jvlink::QuickReport::Result::Kind;
using test::H1Record;
using test::kFixtureDate;
using test::raceKey;
using test::RaRecord;

namespace {

struct NullQuickView : jvlink::QuickView {
    int events = 0;
    void processEvents() override { ++events; }
    void restoreCursor() override {}
};

class QuickFetch : public ::testing::Test {
protected:
    QuickFetch()
    {
        ErrorLog::setBeep([this] { ++beeps; });
        log.writeStartupEntry(dir.path());
    }
    ~QuickFetch() override { ErrorLog::setBeep({}); }

    int errorLines() const
    {
        return int(cp932::decode(test::readFile(log.path())).count(QStringLiteral("【エラー】")));
    }
    QByteArray votes() const { return test::readFile(data.path() + "/2005年04月16日.jvH1"); }

    QTemporaryDir dir;
    test::DataFolder data;
    ErrorLog log{dir.filePath("ErrorLog.txt")};
    int beeps = 0;
    test::ScriptedJVLink jv;
    NullQuickView view;
    history::HistoryAccess odds{dir.path()};
    jvlink::QuickReport quick{jv, view, data.path(), odds};
};

}  // namespace

// The race's H1 and then its H6 from the one read: each into its day file,
// both as received into the history, one snapshot.
TEST_F(QuickFetch, StoresOnlyLiveH1AndH6RecordsWithZerosOverCategoryAndDate)
{
    jv.record(RaRecord());
    jv.record(H1Record(raceKey(), '0'));
    jv.record(H1Record(raceKey(), '9'));
    jv.record(H1Record(raceKey("20050416", "05", 0)));
    jv.code(JVResult::NextFile);
    jv.record(H1Record(raceKey(), '4'));
    jv.record(test::H6Record(raceKey(), '0'));
    const QByteArray received = test::H6Record(raceKey(), '4').registered(16).starters(16);
    jv.record(received);
    const auto result = quick.fetch(RaRecord());
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(result.recorded, 1);
    EXPECT_EQ(result.kind(), Kind::Stored);
    EXPECT_EQ(jv.realTimeKey, "2005041605020811");
    const QByteArray file = votes();
    EXPECT_EQ(file.size(), H1Record().bytes().size());
    EXPECT_TRUE(file.startsWith("H1000000000" + raceKey()));
    const QByteArray trifecta = test::readFile(data.path() + "/2005年04月16日.jvH6");
    EXPECT_EQ(trifecta.size(), layout::kH6Length);
    EXPECT_TRUE(trifecta.startsWith("H6000000000" + raceKey()));
    const auto kept = odds.get()->latestSnapshot(raceKey(), history::Detail::Votes, history::Trifecta::With);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->trifecta, received);
    EXPECT_EQ(kept->record, H1Record(raceKey(), '4').bytes());
    EXPECT_EQ(jv.count("JVClose"), 2);
    EXPECT_EQ(errorLines(), 0);
}

// Past its post time a race's result follows its votes, through a stream of
// its own: its HR as it came into the day's fourth file. None yet is no
// failure; other payouts than those stored are named in the log.
TEST_F(QuickFetch, PastPostTimeTheResultFollowsTheVotes)
{
    const QByteArray race = RaRecord().put(layout::kPostTime, "1545");
    const auto fetchAt = [&](QTime time, QList<QByteArray> result) {
        const clock::FixedNow at{QDateTime(QDate(2005, 4, 16), time)};
        jv.realTimeSpecs.clear();
        jv.record(H1Record());
        jv.code(JVResult::AllRead);
        for (const QByteArray& r : result)
            jv.record(r);
        return quick.fetch(race);
    };
    EXPECT_EQ(fetchAt(QTime(15, 44), {}).results, 0);
    EXPECT_EQ(jv.realTimeSpecs, QStringList{"0B20"});
    const auto result = fetchAt(QTime(15, 45), {H1Record(), test::sampleResult()});  // the H1 not of its stream
    EXPECT_EQ(jv.realTimeSpecs, (QStringList{"0B20", "0B12"}));
    EXPECT_TRUE(result.stored == 1 && result.results == 1 && result.kind() == Kind::Stored);
    EXPECT_EQ(test::readFile(dayfiles::resultFilePath(data.path(), kFixtureDate)), test::sampleResult().bytes());

    EXPECT_EQ(fetchAt(QTime(16, 0), {test::sampleResult().payout(pools::Pool::Win, 0, "05", 440, 2)}).results, 1);
    EXPECT_TRUE(cp932::decode(test::readFile(log.path()))
                    .contains(QStringLiteral("それまでのレコード：")
                              + QString::fromLatin1(test::sampleResult().bytes().chopped(2))));
    jv.onRealTimeOpen = [this] { jv.rtOpenResult = jv.realTimeSpecs.last() == "0B12" ? JVResult::NoData : 0; };
    EXPECT_EQ(fetchAt(QTime(16, 0), {}).kind(), Kind::Stored) << "no result yet";
    EXPECT_EQ(errorLines(), 1) << "the replaced payouts' line only";
}

TEST_F(QuickFetch, BlankSlotDoesNothing)
{
    EXPECT_EQ(quick.fetch(QByteArray(1272, ' ')).kind(), Kind::NoVotes);
    EXPECT_TRUE(jv.calls.isEmpty());
}

TEST_F(QuickFetch, AFailureIsReturnedWithItsOperationAndMessageAndLoggedOnceEach)
{
    struct Case {
        const char* what;
        std::function<void(test::ScriptedJVLink&)> script;
        Kind kind;
        int stored;
        std::optional<JVOperation> operation;
        QString problem;
        int errorLines;
    };
    const Case cases[] =
        {
            {"no votes yet", [](auto& jv) { jv.rtOpenResult = JVResult::NoData; }, Kind::NoVotes, 0, {}, "", 0},
            {"open refused", [](auto& jv) { jv.rtOpenResult = JVResult::StillOpen; }, Kind::Failed, 0,
             JVOperation::JVRTOpen,
             "JVRTOpenエラー:前回のJVOpen/JVRTOpen に対してJVClose が呼ばれていません。（オープン中）(-202)", 1},
            {"votes, then a read fails",
             [](auto& jv) {
        jv.record(H1Record());
        jv.code(JVResult::DownloadFailed);
             },
             Kind::Failed, 1, JVOperation::JVRead,
             "JVReadエラー:ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)", 1},
            // The close runs twice per fetch: the first failure is returned, each has its line.
            {"both closes fail",
             [](auto& jv) {
        jv.closeResults = {JVResult::NoData, JVResult::NotOpen};
             },
             Kind::Failed, 0, JVOperation::JVClose, "JVCloseエラー:(-1)", 2},
               };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedJVLink jv;
        c.script(jv);
        const int linesBefore = errorLines();
        const int beepsBefore = beeps;
        const auto result = jvlink::QuickReport(jv, view, data.path(), odds).fetch(RaRecord());
        EXPECT_EQ(result.kind(), c.kind);
        EXPECT_EQ(result.stored, c.stored);
        EXPECT_EQ(result.failure ? std::optional(result.failure->operation) : std::nullopt, c.operation);
        EXPECT_EQ(result.problem(), c.problem);
        EXPECT_EQ(errorLines() - linesBefore, c.errorLines);
        EXPECT_EQ(beeps - beepsBefore, c.errorLines);
        EXPECT_EQ(jv.calls.last(), "JVClose");
    }
}

// On a full disk: the failures are still returned, and the log that cannot
// take their lines ends nothing.
TEST_F(QuickFetch, ALogThatCannotBeWrittenNeitherStopsTheFetchNorHidesItsCause)
{
    // Room for the day file, none for the log to grow.
    const qsizetype room = 2 * H1Record().bytes().size();
    test::writeFile(log.path(), QByteArray(room, 'x') + "\r\n");
    jv.record(H1Record());
    jv.code(JVResult::DamagedFileContent);
    jvlink::QuickReport::Result result;
    {
        const test::FileSizeLimit disk(room);
        EXPECT_NO_THROW(result = quick.fetch(RaRecord()));
    }
    EXPECT_EQ(result.stored, 1);
    EXPECT_EQ(result.problem(), "JVReadエラー:ダウンロードしたファイル内容が異常です。(-403)");
    EXPECT_EQ(errorLines(), 0);
}

TEST_F(QuickFetch, StoreFailureStillClosesTheStream)
{
    test::writeFile(data.path() + "/blocker", {});
    jvlink::QuickReport blocked{jv, view, data.path() + "/blocker", odds};
    jv.record(H1Record());
    EXPECT_THROW(blocked.fetch(RaRecord()), std::runtime_error);
    EXPECT_EQ(jv.calls.last(), "JVClose");
}

// The H1 waits for its H6 in vain: it is kept alone whatever ends the read.
TEST_F(QuickFetch, AnH1WhoseH6CannotBeStoredIsKeptAlone)
{
    ASSERT_TRUE(QDir(data.path()).mkdir(QStringLiteral("2005年04月16日.jvH6")));
    jv.record(H1Record(raceKey(), '4'));
    jv.record(test::H6Record(raceKey(), '4'));
    EXPECT_THROW(quick.fetch(RaRecord()), std::runtime_error);
    const auto kept = odds.get()->latestSnapshot(raceKey(), history::Detail::Votes, history::Trifecta::With);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->trifecta.isEmpty());
}

TEST_F(QuickFetch, LinesSetAsideByTheStoreAreLogged)
{
    const QString path = data.writeVotes(QStringLiteral("2005年04月16日"), {H1Record(raceKey("20050416", "05", 1))});
    test::writeFile(path, test::readFile(path) + "\r\n");
    jv.record(H1Record());
    EXPECT_EQ(quick.fetch(RaRecord()).kind(), Kind::Stored);
    const QString logText = cp932::decode(test::readFile(log.path()));
    EXPECT_TRUE(logText.contains(path + dayfiles::kDamagedSuffix)) << logText.toStdString();
    EXPECT_EQ(beeps, 0) << "the fetch itself went well";
}

// What two fetches of one race come to, and the lines the error log gets
// from them: a history that cannot be opened is one line, not one per fetch,
// and the day file has the votes all the same.
TEST(QuickRoute, StoredHistoryFailedOrFetchFailedOverTwoFetches)
{
    struct Case {
        const char* what;
        QByteArray history;  // the bytes under the history's name; empty: none
        int32_t openResult;
        Kind kind;
        int stored, recorded, errorLines;  // of both fetches
    };
    const Case cases[] = {
        {"stored", {}, JVResult::Ok, Kind::Stored, 2, 1, 0},
        {"history failed", QByteArray(4096, 'x'), JVResult::Ok, Kind::HistoryNotSaved, 2, 0, 1},
        {"fetch failed", {}, JVResult::StillOpen, Kind::Failed, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir app;
        const QString data = identity::dataFolderIn(app.path());
        ASSERT_TRUE(QDir().mkpath(data));
        if (!c.history.isEmpty())
            test::writeFile(history::databaseIn(app.path()), c.history);
        history::HistoryAccess odds(app.path());
        test::ScriptedJVLink jv;
        jv.rtOpenResult = c.openResult;
        NullQuickView view;
        jvlink::QuickReport quick(jv, view, data, odds);
        int stored = 0, recorded = 0;
        for (int fetch = 0; fetch < 2; ++fetch) {
            jv.record(H1Record());
            const auto result = quick.fetch(RaRecord());
            EXPECT_EQ(result.kind(), c.kind);
            EXPECT_EQ(result.historyFailure, odds.whyNone());
            stored += result.stored;
            recorded += result.recorded;
        }
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(recorded, c.recorded);
        const QString log = cp932::decode(test::readFile(identity::errorLogIn(app.path())));
        EXPECT_EQ(log.count(QStringLiteral("【エラー】")), c.errorLines) << log.toStdString();
    }
}
