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

// A fetch on another day than the race's (the votes fetched again later)
// shows its date; a race without post time counts its first fetch's day.
TEST(OddsTimeline, TheCaptionNamesTheRaceItsPostTimeAndTheFetchesKept)
{
    auto at = [](int day, int hour, int minute) {
        return history::Snapshot{QDateTime(QDate(2005, 4, day), QTime(hour, minute)), {}, H1Record().bytes()};
    };
    const QDateTime post(QDate(2005, 4, 16), QTime(15, 40));
    const timeline::OddsTimeline two({at(16, 9, 30), at(16, 11, 2)});
    const timeline::OddsTimeline later({at(16, 9, 30), at(18, 10, 0)});
    const struct {
        const timeline::OddsTimeline& timeline;
        std::optional<QDateTime> post;
        QString unavailable, caption;
    } cases[] = {
        {two, post, "", "11R　発走 15:40　―　2回分の速報（09:30:00〜11:02:00）"},
        {later, std::nullopt, "", "11R　―　2回分の速報（09:30:00〜04/18 10:00:00）"},
        {timeline::OddsTimeline(), post, "",
         "11R　発走 15:40　―　このレースのオッズ推移はまだありません。"
         "「速報票数」か「自動更新」で票数を取得するたびに記録されます。"},
        {two, post, "壊れています", "11R　発走 15:40　―　オッズ推移を表示できません：壊れています"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.timeline.caption("11R", c.post, c.unavailable), c.caption);
}
