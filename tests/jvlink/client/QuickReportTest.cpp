#include "jvlink/client/QuickReport.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
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
    jvlink::QuickReport quick{jv, view, data.path(), log};
};

}  // namespace

TEST_F(QuickFetch, StoresOnlyLiveH1RecordsWithZerosOverCategoryAndDate)
{
    jv.record(RaRecord());
    jv.record(H1Record(raceKey(), '0'));
    jv.record(H1Record(raceKey(), '9'));
    jv.record(H1Record(raceKey("20050416", "05", 0)));
    jv.code(-1);
    jv.record(H1Record(raceKey(), '4'));
    EXPECT_EQ(quick.fetch(RaRecord()), 1);
    EXPECT_EQ(jv.realTimeKey, "2005041605020811");
    const QByteArray file = votes();
    EXPECT_EQ(file.size(), H1Record().bytes().size());
    EXPECT_TRUE(file.startsWith("H1000000000" + raceKey()));
    EXPECT_EQ(jv.count("JVClose"), 2);
    EXPECT_EQ(errorLines(), 0);
}

TEST_F(QuickFetch, BlankSlotDoesNothing)
{
    EXPECT_EQ(quick.fetch(QByteArray(1272, ' ')), 0);
    EXPECT_TRUE(jv.calls.isEmpty());
}

TEST_F(QuickFetch, EachFailureAddsExactlyOneErrorLine)
{
    jv.rtOpenResult = -1;
    quick.fetch(RaRecord());
    EXPECT_EQ(errorLines(), 1);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(jv.calls, QStringList({"JVRTOpen", "JVClose", "JVClose"}));

    jv.rtOpenResult = 0;
    jv.code(-502);
    quick.fetch(RaRecord());
    EXPECT_EQ(errorLines(), 2);

    // The close runs twice per fetch; each failing close is its own line.
    jv.closeResults = {-1, -1};
    quick.fetch(RaRecord());
    EXPECT_EQ(errorLines(), 4);
    EXPECT_TRUE(votes().isEmpty());
}

TEST_F(QuickFetch, StoreFailureStillClosesTheStream)
{
    test::writeFile(data.path() + "/blocker", {});
    jvlink::QuickReport blocked{jv, view, data.path() + "/blocker", log};
    jv.record(H1Record());
    EXPECT_THROW(blocked.fetch(RaRecord()), std::runtime_error);
    EXPECT_EQ(jv.calls.last(), "JVClose");
}

TEST_F(QuickFetch, LinesSetAsideByTheStoreAreLogged)
{
    const QString path = data.writeVotes(QStringLiteral("2005年04月16日"), {H1Record(raceKey("20050416", "05", 1))});
    test::writeFile(path, test::readFile(path) + "\r\n");
    jv.record(H1Record());
    EXPECT_EQ(quick.fetch(RaRecord()), 1);
    const QString logText = cp932::decode(test::readFile(log.path()));
    EXPECT_TRUE(logText.contains(path + dayfiles::kDamagedSuffix)) << logText.toStdString();
    EXPECT_EQ(beeps, 0) << "the fetch itself went well";
}
