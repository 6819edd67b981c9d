#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordField.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");

QList<QByteArray> races(int count, const char* course = "05")
{
    QList<QByteArray> list;
    for (int i = 1; i <= count; ++i)
        list.append(RaRecord(raceKey("20050416", course, (i - 1) % 12 + 1)));
    return list;
}

}  // namespace

TEST(DayData, LoadsRaceItemsAndMatchesVoteRecords)
{
    test::DataFolder data;
    data.writeRaces(kDay, {RaRecord(raceKey("20050416", "05", 1)), RaRecord(raceKey("20050416", "05", 11)),
                           RaRecord(raceKey("20050416", "08", 11))});
    // Vote records in another order; the first match of course and race wins.
    data.writeVotes(kDay, {H1Record(raceKey("20050416", "08", 11)).winTotal(800).win(1, 8).quinella(153, 3),
                           H1Record(raceKey("20050416", "05", 11)).winTotal(500).win(18, 7).quinellaTotal(40),
                           H1Record(raceKey("20050416", "05", 11)).winTotal(999)});
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);

    EXPECT_EQ(load.raceItems, QStringList({QStringLiteral("2005/04/16 東京 01R"), QStringLiteral("2005/04/16 東京 11R"),
                                           QStringLiteral("2005/04/16 京都 11R")}));
    EXPECT_EQ(load.selection, 0);
    EXPECT_TRUE(load.problem.isEmpty());
    EXPECT_EQ(day->raceCount(), 3);
    EXPECT_EQ(day->winTotal(0), -1) << "no vote record for race 1";
    EXPECT_EQ(day->winTotal(1), 500);
    EXPECT_EQ(day->winVotes(1)[17], 7);
    EXPECT_EQ(day->winVotes(1)[0], -1);
    EXPECT_EQ(day->quinellaTotal(1), 40);
    EXPECT_EQ(day->winTotal(2), 800);
    EXPECT_EQ(day->winVotes(2)[0], 8);
    EXPECT_EQ(day->quinellaVotes(2)[152], 3);
    EXPECT_EQ(day->voteRecord(2).first(2), "H1");
    EXPECT_EQ(day->voteRecord(0), QByteArray(layout::kH1Length, ' '));
    EXPECT_EQ(day->raceRecord(3), QByteArray(layout::kRaLength, ' '));
}

TEST(DayData, ThirtySevenRacesLoadThirtySixAndPartialBlocksAreIgnored)
{
    test::DataFolder data;
    auto day = std::make_unique<DayData>();
    data.writeRaces(kDay, races(37, "05").mid(0, 12) + races(25, "06"));
    // The vote file lists the races the other way round, one more than the day loads.
    QList<QByteArray> votes;
    for (int i = 0; i < 37; ++i) {
        const QByteArray key = raceKey("20050416", i < 12 ? "05" : "06", i < 12 ? i + 1 : (i - 12) % 12 + 1);
        votes.prepend(H1Record(key).winTotal(1000 + i));
    }
    data.writeVotes(kDay, votes);
    EXPECT_EQ(day->load(data.path(), kDay).raceItems.size(), 36);
    EXPECT_EQ(day->winTotal(0), 1000) << "its block is the 37th of the file";
    // Each slot takes the first block of its course and race in the file.
    EXPECT_EQ(day->winTotal(13), 1025);
    EXPECT_EQ(day->winTotal(24), 1036);
    EXPECT_EQ(day->winTotal(35), 1035);

    QList<QByteArray> two = races(2);
    two.append(RaRecord().bytes().first(1000));
    data.writeRaces(kDay, two);
    data.writeVotes(kDay, {H1Record(raceKey("20050416", "05", 2)).winTotal(7).bytes().first(28000)});
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_EQ(load.raceItems.size(), 2);
    EXPECT_EQ(day->raceRecord(2), QByteArray(layout::kRaLength, ' '));
    EXPECT_EQ(day->winTotal(1), -1);
}

// A slot points into the day file only where CR LF follows the record's line;
// after LF alone, a lone CR or at the file's end it keeps a copy, and every
// slot shows its record with CR LF.
TEST(DayData, RecordsEndWithCrLfWhateverEndedTheirLines)
{
    const QByteArray first = races(1)[0], second = races(2)[1];
    const QByteArray votes1 = H1Record(raceKey("20050416", "05", 1)).winTotal(100).bytes();
    const QByteArray votes2 = H1Record(raceKey("20050416", "05", 2)).winTotal(200).bytes();
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r"), QByteArray()}) {
        test::DataFolder data;
        test::writeFile(dayfiles::raceFilePath(data.path(), kDay), first.chopped(2) + "\n" + second.chopped(2) + end);
        test::writeFile(dayfiles::voteFilePath(data.path(), kDay), votes2 + votes1.chopped(2) + end);
        auto day = std::make_unique<DayData>();
        const DayLoad load = day->load(data.path(), kDay);
        SCOPED_TRACE(end.toStdString());
        EXPECT_TRUE(load.problem.isEmpty()) << load.problem.toStdString();
        EXPECT_EQ(day->raceRecord(0), first);
        EXPECT_EQ(day->raceRecord(1), second);
        EXPECT_EQ(day->voteRecord(0), votes1);
        EXPECT_EQ(day->voteRecord(1), votes2);
        EXPECT_EQ(day->winTotal(0), 100);
    }
}

TEST(DayData, RecordPutIntoASlotIsCutOrPaddedAndLeavesTheOthers)
{
    test::DataFolder data;
    data.writeRaces(kDay, races(2));
    const QByteArray votes = H1Record(raceKey("20050416", "05", 2)).winTotal(200).bytes();
    data.writeVotes(kDay, {votes});
    auto day = std::make_unique<DayData>();
    day->load(data.path(), kDay);
    ASSERT_EQ(day->winTotal(1), 200);
    day->setVoteRecord(0, "H1 short");
    day->setVoteRecord(2, votes + "tail");
    day->setVoteRecord(1, H1Record(raceKey("20050416", "05", 2)).winTotal(300).bytes());
    day->setRaceRecord(1, "RA");
    EXPECT_EQ(day->voteRecord(0), QByteArray("H1 short").leftJustified(layout::kH1Length, ' '));
    EXPECT_EQ(day->voteRecord(2), votes);
    EXPECT_EQ(day->winTotal(1), 300) << "the figures follow the record put in";
    EXPECT_EQ(day->winTotal(2), 200);
    EXPECT_EQ(day->raceRecord(0), races(1)[0]);
    EXPECT_EQ(day->raceRecord(1), QByteArray("RA").leftJustified(layout::kRaLength, ' '));
    EXPECT_EQ(day->raceCount(), 2);

    day->load(data.path(), kDay);
    EXPECT_EQ(day->voteRecord(0), QByteArray(layout::kH1Length, ' ')) << "the next load starts afresh";
    EXPECT_EQ(day->voteRecord(2), QByteArray(layout::kH1Length, ' '));
    EXPECT_EQ(day->raceRecord(1), races(2)[1]);
}

TEST(DayData, BlankOrZeroRaceNumberGetsNoVoteRecord)
{
    test::DataFolder data;
    RaRecord blank(raceKey("20050416", "05", 0));
    blank.put(layout::kRaceNumber, "  ");
    data.writeRaces(kDay, {blank, RaRecord(raceKey("20050416", "05", 0))});
    H1Record votes(raceKey("20050416", "05", 0));
    votes.put(layout::kRaceNumber, "  ").winTotal(5);
    data.writeVotes(kDay, {votes, H1Record(raceKey("20050416", "05", 0)).winTotal(5)});
    auto day = std::make_unique<DayData>();
    day->load(data.path(), kDay);
    for (int r : {0, 1}) {
        EXPECT_EQ(day->winTotal(r), -1);
        EXPECT_EQ(day->voteRecord(r), QByteArray(layout::kH1Length, ' '));
    }
}

TEST(DayData, DayWithoutVoteFileResetsThePreviousFigures)
{
    test::DataFolder data;
    data.writeRaces(kDay, races(1));
    data.writeVotes(kDay, {test::exampleWinRace(raceKey("20050416", "05", 1))});
    const QString other = QStringLiteral("2005年04月17日");
    data.writeRaces(other, races(1));
    auto day = std::make_unique<DayData>();
    day->load(data.path(), kDay);
    ASSERT_EQ(day->winTotal(0), 1'000'000);
    day->load(data.path(), other);
    EXPECT_EQ(day->winTotal(0), -1);
    EXPECT_EQ(day->winVotes(0)[0], -1);
    EXPECT_EQ(day->quinellaVotes(0)[0], -1);
}

TEST(DayData, MissingRaceFileGivesNoRaces)
{
    test::DataFolder data;
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_TRUE(load.raceItems.isEmpty());
    EXPECT_EQ(load.selection, -1);
    EXPECT_FALSE(day->selectRace(0));
}

TEST(DayData, BadVoteFieldsAreReportedOnceAndReadAsBlank)
{
    test::DataFolder data;
    data.writeRaces(kDay, races(2));
    const QString votes = data.writeVotes(
        kDay, {H1Record(raceKey("20050416", "05", 1)).winTotal(100).put(layout::winVotes(3), "0000000001x"),
               H1Record(raceKey("20050416", "05", 2)).put(layout::kQuinellaTotal, "abc")});
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_EQ(load.raceItems.size(), 2);
    EXPECT_EQ(day->winTotal(0), 100);
    EXPECT_EQ(day->winVotes(0)[2], -1);
    EXPECT_EQ(day->quinellaTotal(1), -1);
    EXPECT_TRUE(load.problem.contains(votes)) << load.problem.toStdString();
    EXPECT_TRUE(load.problem.contains(QStringLiteral("2005/04/16 東京 01R")));
    EXPECT_TRUE(load.problem.contains(QStringLiteral("3番の単勝票数")));
    EXPECT_TRUE(load.problem.contains(QStringLiteral("ほかに 1 か所"))) << load.problem.toStdString();
    EXPECT_EQ(load.raceProblems[0], load.problem.left(load.raceProblems[0].size()));
    EXPECT_TRUE(load.raceProblems[1].contains(QStringLiteral("東京 02R")));
    EXPECT_TRUE(load.raceProblems[1].endsWith(QStringLiteral("で数値ではないため、読めません。")))
        << "no promise of a display tavek-cli does not give";
    EXPECT_TRUE(load.raceProblems[2].isEmpty());
}

// The load vouches for most records with a quick look at their vote fields
// and reads only the others field by field: each field the reading refuses
// must be reported, in a record otherwise of digits and in one otherwise
// blank, at the first and last field of every table it checks.
TEST(DayData, EveryVoteFieldTheReadingRefusesIsReported)
{
    // The bytes near the ends of '0'..'9' and where a byte's sum or
    // difference wraps (octal \260 is 0xb0, \261 0xb1, \271 0xb9, \272 0xba).
    // clang-format off
    const QByteArray texts[] = {
        "00000001234", "           ", "   00001234", "01234567890", "02147483647", "02147483648",
        "10000000000", "99999999999", "+0000000001", "0000000001x", "-0000000100", "00000 00001",
        "0/000000000", "0:000000000", "\2600000000000", "0\261000000000", "000000000\2710", "0000000000\272"};
    // clang-format on
    const int positions[] = {layout::kWinTotal,        layout::winVotes(kWinFigures), layout::kQuinellaTotal,
                             layout::quinellaVotes(1), layout::quinellaVotes(153),    layout::kBracketTotal,
                             layout::bracketVotes(36)};
    struct Case {
        QByteArray text;
        int position;
        bool blankRest;
    };
    std::vector<Case> cases;
    for (const QByteArray& text : texts)
        for (int position : positions)
            for (bool blankRest : {false, true})
                cases.push_back({text, position, blankRest});
    const QList<QByteArray> day = races(12, "05") + races(12, "06") + races(12, "08");
    for (size_t from = 0; from < cases.size(); from += kRaceSlots) {
        const int count = int(std::min<size_t>(kRaceSlots, cases.size() - from));
        QList<QByteArray> votes;
        for (int i = 0; i < count; ++i) {
            const Case& c = cases[from + size_t(i)];
            H1Record h1(layout::raceKey(day[i]).toByteArray());
            if (!c.blankRest) {
                h1.winTotal(1000).quinellaTotal(2000).bracketTotal(3000);
                for (int h = 1; h <= kWinFigures; ++h)
                    h1.win(h, h);
                for (int k = 1; k <= layout::kQuinellaPairs; ++k)
                    h1.quinella(k, k);
                for (int k = 1; k <= layout::kBracketPairs; ++k)
                    h1.bracket(k, k);
            }
            votes.append(h1.put(c.position, c.text));
        }
        test::DataFolder data;
        data.writeRaces(kDay, day.mid(0, count));
        data.writeVotes(kDay, votes);
        auto loaded = std::make_unique<DayData>();
        const DayLoad load = loaded->load(data.path(), kDay);
        for (int i = 0; i < count; ++i) {
            const Case& c = cases[from + size_t(i)];
            int value = 0;
            EXPECT_EQ(load.raceProblems[size_t(i)].isEmpty(), record::tryBlankAsAbsent(c.text, value))
                << c.text.toStdString() << " at " << c.position << (c.blankRest ? " among blanks" : " among digits");
        }
    }
}

TEST(DayData, BadBracketFieldIsReportedToo)
{
    test::DataFolder data;
    data.writeRaces(kDay, races(1));
    data.writeVotes(kDay, {H1Record(raceKey("20050416", "05", 1)).put(layout::bracketVotes(7), "12 34")});
    auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(data.path(), kDay);
    EXPECT_TRUE(load.problem.contains(QStringLiteral("組番7の枠連票数"))) << load.problem.toStdString();
}

TEST(DayData, SelectionKeptOnReloadAndClampedToTheList)
{
    test::DataFolder data;
    data.writeRaces(kDay, races(12));
    auto day = std::make_unique<DayData>();
    EXPECT_EQ(day->load(data.path(), kDay).selection, 0);
    ASSERT_TRUE(day->selectRace(9));
    EXPECT_EQ(day->currentRace(), 9);
    EXPECT_EQ(day->lastRaceIndex(), 9);
    EXPECT_FALSE(day->selectRace(12));
    EXPECT_FALSE(day->selectRace(-1));
    EXPECT_EQ(day->currentRace(), 9);

    day->setKeepRaceOnReload(true);
    const DayLoad kept = day->load(data.path(), kDay);
    EXPECT_EQ(kept.selection, 9);
    EXPECT_EQ(day->currentRace(), 0) << "the load itself makes slot 0 current";

    data.writeRaces(kDay, races(4));
    EXPECT_EQ(day->load(data.path(), kDay).selection, 3);
    day->setKeepRaceOnReload(false);
    EXPECT_EQ(day->load(data.path(), kDay).selection, 0);
}
