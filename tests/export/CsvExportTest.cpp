#include "export/CsvExport.h"
#include "odds/model/PairBoard.h"
#include "odds/model/PoolBoard.h"
#include "odds/model/ReferenceSheet.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
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
        {"+1,000.5", "+1000.5"},  // numbers without separators
        {"1,804,072", "1804072"},
        {"12,34", "\"12,34\""},  // no grouped number: text as it is
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
    ASSERT_EQ(table.size(), 1u + 8u + 3u);
    EXPECT_EQ(table[0], (QStringList{"区分", "順位", "組番", "馬番1", "馬番2", "馬番3", "票数", "得票率(%)"}));
    EXPECT_EQ(table[6], (QStringList{"馬単合計票数", "", "", "", "", "", "1,000", ""}));
    EXPECT_EQ(table[8], (QStringList{"3連単合計票数", "", "", "", "", "", "", ""})) << "no trifecta record";
    EXPECT_EQ(table[9], (QStringList{"馬単", "1", "12-1", "12", "1", "", "700", "70.0"}));
    EXPECT_EQ(table[10], (QStringList{"馬単", "2", "1-2", "1", "2", "", "300", "30.0"}));
    EXPECT_EQ(table[11], (QStringList{"3連複", "1", "2-3-17", "2", "3", "17", "500", "100.0"}));
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

// CSV出力's file: the race item as a name without slashes or blanks, then
// the content; the pool board in view is saved as its own content.
TEST(CsvExport, SuggestedFilesNameTheRaceAndTheContent)
{
    const QString stem = csv::raceFileStem("2005/04/16 東京 11R");
    EXPECT_EQ(stem, "2005-04-16_東京_11R");
    const struct {
        csv::Content content;
        const char* suffix;
    } cases[] = {{csv::Content::Win, "単勝"},           {csv::Content::Quinella, "馬連"},
                 {csv::Content::Reference, "参考資料"}, {csv::Content::Trio, "3連複"},
                 {csv::Content::History, "オッズ推移"}, {csv::Content::Tickets, "買い目"}};
    for (const auto& c : cases)
        EXPECT_EQ(csv::suggestedFile("/home/a", stem, c.content),
                  "/home/a/2005-04-16_東京_11R_" + QString::fromUtf8(c.suffix) + ".csv");
    for (const auto& [pool, content] : {std::pair{pools::Pool::Place, csv::Content::Place},
                                        {pools::Pool::Wide, csv::Content::Wide},
                                        {pools::Pool::Exacta, csv::Content::Exacta},
                                        {pools::Pool::Trio, csv::Content::Trio}})
        EXPECT_EQ(csv::poolContent(pool), content);
}

TEST(CsvExport, ASaveWritesTheChosenCodeOrSaysWhichFileItCouldNotWrite)
{
    QTemporaryDir dir;
    const csv::Table table{{"枠", "1"}};
    const QString path = dir.filePath("a.csv");
    test::writeFile(path, "old");
    csv::save(table, csv::Encoding::Cp932, path);
    EXPECT_EQ(test::readFile(path), csv::bytes(table, csv::Encoding::Cp932));
    QDir(dir.path()).mkdir("folder");
    try {
        csv::save(table, csv::Encoding::Utf8Bom, dir.filePath("folder"));
        ADD_FAILURE() << "a folder is no file";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromStdString(e.what()).startsWith("CSVファイル " + dir.filePath("folder")
                                                                + " を保存できません："))
            << e.what();
    }
}
