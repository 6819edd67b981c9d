// The emulated service's H6 records: written where JRA sold the trifecta,
// laid out as the record is, their totals the sums of their entries, and
// drawn without touching the seven pools of the race's H1.
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/VoteModel.h"
#include "pools/PoolIndex.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

const pools::VotePool& kTrifecta = pools::pool(pools::Pool::Trifecta);

long long votes(QByteArrayView record, int position)
{
    return record::blankAsAbsent(record, position, layout::kVoteLen);
}

// Checks one H6 record against its race's H1: header, counts, refund flags,
// every entry's combination and votes, the totals.
void checkH6(const QByteArray& h6, const QByteArray& h1)
{
    using namespace layout;
    ASSERT_EQ(h6.size(), kH6Length);
    EXPECT_TRUE(h6.endsWith("\r\n"));
    EXPECT_EQ(h6.mid(2, kHeaderLength - 2), h1.mid(2, kHeaderLength - 2));  // category, dates, race key
    EXPECT_EQ(h6.mid(kRegistered - 1, 4), h1.mid(kRegistered - 1, 4));      // registered, starters
    EXPECT_EQ(h6[kH6SaleFlag - 1], '7');
    const int n = record::blankAsZero(h1, kRegistered, kCountLen);
    std::array<bool, pools::kMaxRunners + 1> scratched{};
    for (int h = 1; h <= pools::kMaxRunners; ++h) {
        scratched[size_t(h)] = h1[refundFlag(h) - 1] != '0';
        EXPECT_EQ(h6[h6RefundFlag(h) - 1], h1[refundFlag(h) - 1]) << h;
    }
    long long sum = 0, most = 0;
    int favourite = 0;
    for (int k = 1; k <= kTrifecta.entries; ++k) {
        const auto [a, b, c] = pools::entryRunners(pools::Pool::Trifecta, k);
        const int at = kTrifecta.entry(k);
        if (a > n || b > n || c > n) {
            ASSERT_EQ(record::field(h6, at, kTrifecta.entrySize), QByteArray(kTrifecta.entrySize, ' ')) << k;
            continue;
        }
        ASSERT_EQ(record::blankAsZero(h6, at, 6), a * 10000 + b * 100 + c) << k;
        const long long v = votes(h6, at + kTrifecta.votesOffset);
        ASSERT_EQ(v == 0, scratched[size_t(a)] || scratched[size_t(b)] || scratched[size_t(c)]) << k;
        sum += v;
        if (v > most) {
            most = v;
            favourite = k;
        }
    }
    EXPECT_EQ(votes(h6, kTrifecta.total), sum);
    EXPECT_EQ(votes(h6, kH6RefundTotal), 0);
    EXPECT_EQ(record::blankAsZero(h6, kTrifecta.entry(favourite) + kTrifecta.votesOffset + kVoteLen, 4), 1);
    // The trifecta's share of the race: 28-32 % of the eight pools.
    long long seven = 0;
    for (const pools::VotePool& p : pools::voteCountPools())
        seven += votes(h1, p.total);
    EXPECT_NEAR(static_cast<double>(sum) / static_cast<double>(sum + seven), 0.30, 0.025);
}

}  // namespace

// Sold from 2004-09-11 in races 9-12 of a day, in every race from 2008-07-01;
// each race's H6 follows its H1 in the day's vote file.
TEST(TrifectaRecord, WrittenWhereSoldAndLaidOutAsTheRecord)
{
    struct Case {
        QDate day;
        int firstRaceSold;  // 0: none that day
    };
    const Case cases[] = {{QDate(2004, 9, 5), 0},
                          {QDate(2004, 9, 11), 9},
                          {QDate(2008, 6, 29), 9},
                          {QDate(2008, 7, 5), 1},
                          {calendar::arimaDay(2024), 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const QByteArray file = GeneratedSource::dayFile(c.day, GeneratedSource::FileKind::VoteCounts);
        ASSERT_FALSE(file.isEmpty());
        QByteArray h1;
        QHash<int, int> h6ByNumber;
        int races = 0;
        for (qsizetype at = 0; at < file.size();) {
            const QByteArray r = recordlines::recordAt(file, at).toByteArray();
            at += r.size();
            if (r.startsWith("H1")) {
                h1 = r;
                ++races;
            } else if (r.startsWith("H6")) {
                ASSERT_EQ(layout::raceKey(r), layout::raceKey(h1));
                ++h6ByNumber[record::blankAsZero(layout::raceNumber(r))];
                checkH6(r, h1);
            }
        }
        const int meetings = races / calendar::kRacesPerMeeting;
        for (int number = 1; number <= calendar::kRacesPerMeeting; ++number)
            EXPECT_EQ(h6ByNumber.value(number), c.firstRaceSold > 0 && number >= c.firstRaceSold ? meetings : 0)
                << number << "R";
    }
}

// The seven pools of a race keep their figures whether or not its trifecta is drawn.
TEST(TrifectaRecord, SevenPoolsKeepTheirFigures)
{
    const QDate day(2024, 5, 26);
    const RaceDraw sold = drawRace({day, calendar::meetingsOn(day).front(), 11, 0});
    ASSERT_GT(sold.trifectaPool, 0);
    RaceDraw unsold = sold;
    unsold.trifectaPool = 0;
    const Votes with = votesOf(sold), without = votesOf(unsold);
    EXPECT_EQ(with.win, without.win);
    EXPECT_EQ(with.place, without.place);
    EXPECT_EQ(with.bracket, without.bracket);
    EXPECT_EQ(with.quinella, without.quinella);
    EXPECT_EQ(with.wide, without.wide);
    EXPECT_EQ(with.exacta, without.exacta);
    EXPECT_EQ(with.trio, without.trio);
    EXPECT_EQ(without.trifecta.front(), -1);
}
