// The built-in service's results: each race's finish drawn from the runners'
// strengths, its payout record written as the payout rules give it, from ten
// minutes after post time.
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceFinish.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavek;
using namespace tavek::jvlink;

TEST(ResultRecord, EachRacePaysItsFinishAfterItsVotesFromTenMinutesAfterPostTime)
{
    const QDate day(2026, 12, 6);
    const QByteArray file = GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts);
    QByteArrayView votes;
    int races = 0;
    for (qsizetype at = 0; at < file.size();) {
        const QByteArrayView record = recordlines::recordAt(file, at);
        at += record.size();
        if (layout::recordType(record) == "H1")
            votes = record;
        if (layout::recordType(record) != "HR")
            continue;
        ++races;
        EXPECT_EQ(layout::raceKey(record), layout::raceKey(votes)) << "after its race's votes";
        const calendar::Race race = *calendar::raceOf(layout::raceKey(record));
        const RaceDraw draw = drawRace(race);
        const result::RaceResult read = result::read(record);
        EXPECT_EQ(read.payouts, payoutsOf(draw, votesOf(draw)));
        EXPECT_EQ(read.order, finishOf(draw));
        EXPECT_EQ(read.refunds, salesOf(draw, votesOf(draw)).refunds);
        const QDateTime published = race.postTime().addSecs(GeneratedSource::kResultMinutes * 60);
        EXPECT_TRUE(GeneratedSource().quickResult(race.key(), published.addSecs(-1)).empty());
        EXPECT_EQ(GeneratedSource().quickResult(race.key(), published).front().mid(layout::kHeaderLength),
                  record.sliced(layout::kHeaderLength));
    }
    EXPECT_EQ(races, 36);
}

TEST(ResultRecord, FavouritesWinAboutAThirdAndDeadHeatsAreRare)
{
    // A season; the market's favourite is the runner of the highest strength.
    int races = 0, won = 0, placed = 0, deadHeats = 0;
    for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
        const auto meetings = calendar::meetingsOn(day);
        for (size_t slot = 0; slot < meetings.size(); ++slot)
            for (int number = 1; number <= calendar::kRacesPerMeeting; ++number, ++races) {
                const RaceDraw draw = drawRace({day, meetings[slot], number, int(slot)});
                const int favourite = int(std::ranges::max_element(draw.strength) - draw.strength.begin()) + 1;
                const auto places = finishOf(draw).places;
                int runners = 0;
                for (size_t place = 0; place < places.size(); runners += int(places[place++].size())) {
                    const bool in = std::ranges::count(places[place], favourite) > 0;
                    won += in && place == 0;
                    placed += in && runners < 3;
                }
                deadHeats += runners != int(places.size());
            }
    }
    EXPECT_NEAR(double(won) / races, 0.33, 0.03);
    EXPECT_NEAR(double(placed) / races, 0.64, 0.05);
    EXPECT_NEAR(deadHeats, races * kDeadHeatChance, 8);
}
