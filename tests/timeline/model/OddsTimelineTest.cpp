#include "support/RaceFixture.h"
#include "timeline/model/OddsTimeline.h"

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;

TEST(OddsTimeline, LeadingPairsAreThoseWithMostVotesInTheLatestSnapshot)
{
    auto snapshot = [](int first, int second) {
        return history::Snapshot{
            {},
            {},
            H1Record().registered(3).quinellaTotal(1000).quinella(1, first).quinella(2, second).quinella(18, 0)};
    };
    const timeline::OddsTimeline timeline({snapshot(600, 400), snapshot(300, 700)});
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
    const timeline::OddsTimeline timeline({snapshot(600, 300, 100), snapshot(200, 700, 100), snapshot(100, 200, 700)});
    EXPECT_EQ(timeline.leadingQuinellaPairs(2), (std::vector<int>{3, 2}));
    EXPECT_EQ(timeline.quinellaPairsInOrderOfLead(2), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(timeline.quinellaPairsInOrderOfLead(1), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(timeline::OddsTimeline().quinellaPairsInOrderOfLead(6).empty());
}

