// The built-in service's results: each race's finish drawn from the runners'
// strengths, its payout record written from the final votes by the payout
// rules, published with the final votes and through the quick result from
// ten minutes after post time.
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceFinish.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using namespace tavek;
using namespace tavek::jvlink;
using pools::Pool;

namespace {

const QDate kDay(2026, 12, 6);

// The race of a record, drawn again.
RaceDraw drawOf(QByteArrayView record)
{
    return drawRace(*calendar::raceOf(layout::raceKey(record)));
}

}  // namespace

TEST(ResultRecord, EachRaceOfTheDayPaysItsFinishFromItsFinalVotes)
{
    const QByteArray file = GeneratedSource::dayFile(kDay, GeneratedSource::FileKind::VoteCounts);
    QByteArray lastVotes;
    int races = 0;
    for (qsizetype at = 0; at < file.size();) {
        const QByteArrayView record = recordlines::recordAt(file, at);
        at += record.size();
        if (layout::recordType(record) != "HR") {
            lastVotes = layout::raceKey(record).toByteArray();
            continue;
        }
        ++races;
        ASSERT_EQ(record.size(), layout::kHrLength);
        EXPECT_EQ(layout::raceKey(record), lastVotes) << "after its race's votes";
        const RaceDraw draw = drawOf(record);
        const result::RaceResult read = result::read(record);
        const pools::RacePayouts expected = payoutsOf(draw, votesOf(draw));
        EXPECT_EQ(read.payouts, expected) << "written as the payout rules give them";
        EXPECT_EQ(read.order, finishOf(draw)) << "and the finish read back from them";
        EXPECT_EQ(read.starters, draw.starters);
        EXPECT_EQ(read.refunds, salesOf(draw, votesOf(draw)).refunds);
        for (const pools::PoolPayout& pool : read.payouts) {
            EXPECT_FALSE(pool.notHeld || pool.special);
            EXPECT_FALSE(pool.payouts.empty());
            for (const pools::EntryPayout& p : pool.payouts)
                EXPECT_TRUE(p.yen >= pools::kLeastPayoutYen && p.yen % 10 == 0 && p.popularity >= 1);
        }
    }
    EXPECT_EQ(races, 36);
}

TEST(ResultRecord, PublishedTenMinutesAfterPostTimeThroughTheQuickResult)
{
    const calendar::Race race{kDay, calendar::meetingsOn(kDay).front(), 11, 0};
    const QDateTime post = race.postTime();
    const GeneratedSource source;
    EXPECT_TRUE(source.quickResult(race.key(), post.addSecs(599)).empty());
    const std::vector<QByteArray> quick = source.quickResult(race.key(), post.addSecs(600));
    ASSERT_EQ(quick.size(), 1u);
    EXPECT_EQ(layout::creationDate(quick.front()), "20261206");
    const QByteArray file = GeneratedSource::dayFile(kDay, GeneratedSource::FileKind::VoteCounts);
    const qsizetype stored = file.indexOf("HR2" + QByteArray("20261206") + race.key());
    ASSERT_GE(stored, 0);
    EXPECT_EQ(quick.front(), file.mid(stored, layout::kHrLength)) << "the same record as the final votes'";
    EXPECT_TRUE(source.quickResult("2026120699010111", post.addDays(1)).empty()) << "no such race";

    // Through the service's real-time open "0B12".
    QTemporaryDir dir;
    EmulatorSettings settings;
    settings.storageFolder = dir.filePath("store");
    EmulatedJVLink jv(settings);
    ASSERT_EQ(jv.JVInit(QStringLiteral("SA481927")), 0);
    QString buff, name;
    int32_t size = 60000;
    {
        clock::FixedNow early{post.addSecs(300)};
        EXPECT_EQ(jv.JVRTOpen("0B12", QString::fromLatin1(race.key())), -1);
    }
    clock::FixedNow later{post.addSecs(900)};
    ASSERT_EQ(jv.JVRTOpen("0B12", QString::fromLatin1(race.key())), 0);
    EXPECT_EQ(jv.JVRead(buff, size, name), layout::kHrLength);
    EXPECT_EQ(cp932::encode(buff), quick.front());
    EXPECT_EQ(jv.JVRead(buff, size, name), 0);
    EXPECT_EQ(jv.JVClose(), 0);
}

TEST(ResultRecord, FavouritesWinAboutAThirdAndDeadHeatsAreRare)
{
    // A season: the market's favourite is the runner of the highest strength
    // (its win votes follow the strengths).
    int races = 0, won = 0, placed = 0, deadHeats = 0;
    for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
        const auto meetings = calendar::meetingsOn(day);
        for (size_t slot = 0; slot < meetings.size(); ++slot)
            for (int number = 1; number <= calendar::kRacesPerMeeting; ++number) {
                const RaceDraw draw = drawRace({day, meetings[slot], number, int(slot)});
                const int favourite = int(std::max_element(draw.strength.begin(), draw.strength.end())
                                          - draw.strength.begin())
                                      + 1;
                const pools::FinishingOrder order = finishOf(draw);
                ++races;
                int runners = 0;
                for (size_t place = 0; place < order.places.size(); ++place) {
                    const bool in = std::ranges::count(order.places[place], favourite) > 0;
                    won += in && place == 0;
                    placed += in && runners < 3;
                    runners += int(order.places[place].size());
                }
                deadHeats += runners > 3 || order.places.size() < 3;
            }
    }
    EXPECT_NEAR(double(won) / races, 0.33, 0.03);
    EXPECT_NEAR(double(placed) / races, 0.64, 0.05);
    EXPECT_NEAR(deadHeats, races * kDeadHeatChance, 8);
}
