#include "export/CsvExport.h"
#include "odds/model/PairBoard.h"
#include "odds/model/PoolBoard.h"
#include "odds/model/ReferenceSheet.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "timeline/model/OddsTimeline.h"

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;

TEST(CsvExport, QuotesOnlyWhatNeedsItAndEncodesWithBomOrCp932)
{
    const csv::Table table{{"枠", "a,b", "say \"hi\"", "two\nlines", ""}};
    EXPECT_EQ(csv::text(table), "枠,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
    const QByteArray utf8 = csv::bytes(table, csv::Encoding::Utf8Bom);
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF\xE6\x9E\xA0,"));
    const QByteArray sjis = csv::bytes(table, csv::Encoding::Cp932);
    EXPECT_EQ(sjis.left(3), cp932::encode(u"枠,"));
}

TEST(CsvExport, FormulaTextGetsAnApostropheAndNumbersStayNumbers)
{
    const struct {
        QString cell, written;
    } cases[] = {
        {"=1+\"a,\"x", "\"'=1+\"\"a,\"\"x\""},  // a record folder's creation date
        {"@SUM(A1)", "'@SUM(A1)"},
        {"+cmd", "'+cmd"},
        {"-", "'-"},
        {"-1+2", "'-1+2"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"-5", "-5"},
        {"+1,000.5", "\"+1,000.5\""},
        {"1-2", "1-2"},
        {"a=b", "a=b"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csv::text({{c.cell}}), c.written + "\r\n") << c.cell.toStdString();
}

// A spreadsheet program reads "1-2" as a date: each runner also stands in a column of its own.
TEST(CsvExport, ReferenceListsSplitIntoRankPairRunnersVotesAndShare)
{
    H1Record record;
    record.votes(layout::kExactaTotal, 1000).exacta(0, 1, 2, 300).exacta(1, 12, 1, 700);
    record.votes(layout::kTrioTotal, 500).trio(0, 2, 3, 17, 500);
    const csv::Table table = csv::referenceTable(sim::referenceSheet(record));
    ASSERT_EQ(table.size(), 1u + 7u + 3u);
    EXPECT_EQ(table[0], (QStringList{"区分", "順位", "組番", "馬番1", "馬番2", "馬番3", "票数", "支持率(%)"}));
    EXPECT_EQ(table[6], (QStringList{"馬単合計票数", "", "", "", "", "", "1,000", ""}));
    EXPECT_EQ(table[8], (QStringList{"馬単", "1", "12-1", "12", "1", "", "700", "70.0"}));
    EXPECT_EQ(table[9], (QStringList{"馬単", "2", "1-2", "1", "2", "", "300", "30.0"}));
    EXPECT_EQ(table[10], (QStringList{"3連複", "1", "2-3-17", "2", "3", "17", "500", "100.0"}));
}

TEST(CsvExport, PairTablesGiveBothNumbersBesideThePair)
{
    const csv::Table bracket = csv::pairTable(sim::PairBoard(pools::PairKind::Bracket));
    EXPECT_EQ(bracket[0], (QStringList{"組番", "枠番1", "枠番2", "オッズ", "オッズ(仮想)"}));
    EXPECT_EQ(bracket[1].mid(0, 3), (QStringList{"1-1", "1", "1"}));
    const csv::Table quinella = csv::pairTable(sim::PairBoard(pools::PairKind::Quinella));
    EXPECT_EQ(quinella[0][1], "馬番1");
    EXPECT_EQ(quinella.back().mid(0, 3), (QStringList{"17-18", "17", "18"}));

    H1Record trio;
    trio.registered(8).starters(8).votes(layout::kTrioTotal, 500).trio(0, 1, 2, 3, 500);
    sim::PoolBoard board(pools::Pool::Trio);
    board.calculate(trio.bytes());
    const csv::Table trioTable = csv::poolTable(board);
    EXPECT_EQ(trioTable[0].mid(0, 5), (QStringList{"組番", "馬番1", "馬番2", "馬番3", "票数"}));
    EXPECT_EQ(trioTable[1].mid(0, 5), (QStringList{"1-2-3", "1", "2", "3", "500"}));
}

TEST(OddsTimeline, LeadingPairsAreThoseWithMostVotesInTheLatestSnapshot)
{
    auto snapshot = [](int first, int second) {
        return history::Snapshot{
            {},
            {},
            H1Record().registered(3).quinellaTotal(1000).quinella(1, first).quinella(2, second).quinella(18, 0)};
    };
    const sim::OddsTimeline timeline({snapshot(600, 400), snapshot(300, 700)});
    EXPECT_EQ(timeline.leadingQuinellaPairs(5), (std::vector<int>{2, 1}));
    EXPECT_EQ(timeline.leadingQuinellaPairs(1), (std::vector<int>{2}));
    EXPECT_EQ(timeline.quinellaOddsText(0, 1), "1.3");  // 1000 x 0.75 / 600
    EXPECT_EQ(timeline.quinellaOddsText(0, 3), "");
    EXPECT_EQ(timeline.runners(), 3);
}

TEST(OddsTimeline, APairKeepsItsPlaceInTheColoursWhenTheRankingChanges)
{
    auto snapshot = [](int first, int second, int third) {
        return history::Snapshot{
            {},
            {},
            H1Record().registered(3).quinellaTotal(1000).quinella(1, first).quinella(2, second).quinella(3, third)};
    };
    const sim::OddsTimeline timeline({snapshot(600, 300, 100), snapshot(200, 700, 100), snapshot(100, 200, 700)});
    EXPECT_EQ(timeline.leadingQuinellaPairs(2), (std::vector<int>{3, 2}));
    EXPECT_EQ(timeline.quinellaPairsInOrderOfLead(2), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(timeline.quinellaPairsInOrderOfLead(1), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(sim::OddsTimeline().quinellaPairsInOrderOfLead(6).empty());
}
