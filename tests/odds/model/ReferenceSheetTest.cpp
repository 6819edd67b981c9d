#include "odds/model/ReferenceSheet.h"

#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

using namespace tavek::sim;
using tavek::test::H1Record;
namespace layout = tavek::layout;

TEST(ReferenceSheet, TotalsOfTheSevenPools)
{
    H1Record race;
    race.winTotal(1234567).votes(layout::kTrioTotal, 0);
    const ReferenceSheet sheet = referenceSheet(race);
    EXPECT_EQ(sheet.totals[size_t(tavek::pools::Pool::Win)], "  1,234,567");
    EXPECT_EQ(sheet.totals[size_t(tavek::pools::Pool::Place)], "          0");
    EXPECT_EQ(sheet.totals[size_t(tavek::pools::Pool::Trio)], "          0");
    EXPECT_TRUE(sheet.exacta.isEmpty());
    EXPECT_TRUE(sheet.trio.isEmpty());
}

TEST(ReferenceSheet, ExactaRankedByVotesThenHigherCombinationFirst)
{
    H1Record race;
    race.votes(layout::kExactaTotal, 1300000)
        .exacta(0, 1, 2, 20000)
        .exacta(1, 2, 1, 30000)
        .exacta(2, 3, 4, 20000)
        .exacta(3, 3, 7, 52000)
        .exacta(4, 1, 3, 520)  // 0.04 %
        .exacta(5, 1, 4, 780)  // 0.06 %
        .exacta(6, 1, 5, 0)
        .put(layout::exactaVotes(7), "       abc ");
    const ReferenceSheet sheet = referenceSheet(race);
    const QStringList& lines = sheet.exacta;
    const QStringList expected = {
        "  1  3- 7    52,000   4.0%", "  2  2- 1    30,000   2.3%", "  3  3- 4    20,000   1.5%",
        "  4  1- 2    20,000   1.5%", "  5  1- 4       780   0.1%", "  6  1- 3       520   0.0%",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines[0].size(), 26);
    const auto exacta = [](int a, int b) { return tavek::pools::entryOf(tavek::pools::Pool::Exacta, a, b); };
    EXPECT_EQ(sheet.exactaEntries,
              (std::vector<int>{exacta(3, 7), exacta(2, 1), exacta(3, 4), exacta(1, 2), exacta(1, 4), exacta(1, 3)}))
        << "each line's entry, for the line of a winning entry";
}

TEST(ReferenceSheet, TrioLinesShowAllThreeRunners)
{
    H1Record race;
    race.votes(layout::kTrioTotal, 100000).trio(0, 1, 2, 3, 100).trio(815, 16, 17, 18, 2500);
    const ReferenceSheet sheet = referenceSheet(race);
    const QStringList& lines = sheet.trio;
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(sheet.trioEntries, (std::vector<int>{816, 1}));
    EXPECT_EQ(lines[0], "  1 16-17-18     2,500   2.5%");
    EXPECT_EQ(lines[1], "  2  1- 2- 3       100   0.1%");
    EXPECT_EQ(lines[0].size(), 29);
}
