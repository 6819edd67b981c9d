#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "pools/VotePools.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

const QDate kDay(2024, 5, 26);

// The vote tables of a quick report, its H1 record and then its H6: first votes
// field, stride, entries, total field (the H6's after the H1's length).
struct Table {
    int first, stride, count, total;
};
const pools::VotePool& kTrifecta = pools::pool(pools::Pool::Trifecta);
constexpr Table kTables[] = {{layout::winVotes(1), 15, 28, layout::kWinTotal},
                             {layout::placeEntry(1) + 2, 15, 28, layout::kPlaceTotal},
                             {layout::bracketVotes(1), 15, 36, layout::kBracketTotal},
                             {layout::quinellaVotes(1), 18, 153, layout::kQuinellaTotal},
                             {layout::wideEntry(1) + 4, 18, 153, layout::kWideTotal},
                             {layout::exactaVotes(0), 18, 306, layout::kExactaTotal},
                             {layout::trioVotes(0), 20, 816, layout::kTrioTotal},
                             {layout::kH1Length + kTrifecta.entry(1) + kTrifecta.votesOffset, kTrifecta.entrySize,
                              kTrifecta.entries, layout::kH1Length + kTrifecta.total}};

// Every entry of every table (-1 for a blank one); checks that each total is its table's sum.
std::vector<long long> entries(const QByteArray& h1)
{
    std::vector<long long> out;
    for (const Table& t : kTables) {
        long long sum = 0;
        for (int k = 0; k < t.count; ++k) {
            const long long v = record::blankAsAbsent(h1, t.first + t.stride * k, layout::kVoteLen);
            sum += std::max(0LL, v);
            out.push_back(v);
        }
        EXPECT_EQ(record::blankAsAbsent(h1, t.total, layout::kVoteLen), sum) << t.total;
    }
    return out;
}

QByteArray quick(const calendar::Race& race, const QDateTime& at)
{
    QByteArray records;
    for (const QByteArray& r : GeneratedSource().quickReport(race.key(), at))
        records += r;
    return records;
}

}  // namespace

TEST(QuickReportGrowth, EveryEntryGrowsToItsFinalFigureAndTotalsStaySums)
{
    const auto meeting = calendar::meetingsOn(kDay).front();
    const QByteArray day = GeneratedSource::dayFile(kDay, GeneratedSource::FileKind::VoteCounts);
    for (int number = 1; number <= calendar::kRacesPerMeeting; ++number) {
        const calendar::Race race{kDay, meeting, number, 0};
        const QDateTime post = race.postTime();
        // The stored H1 and H6 of the race, one after the other as the quick report gives them.
        const QByteArray header = "2" + kDay.toString("yyyyMMdd").toLatin1() + race.key();
        const QByteArray stored = day.mid(day.indexOf("H1" + header), layout::kH1Length)
                                  + day.mid(day.indexOf("H6" + header), layout::kH6Length);
        ASSERT_EQ(stored.size(), layout::kH1Length + layout::kH6Length) << number;
        // At post time the records are the stored ones, byte for byte; a second before it is not yet.
        EXPECT_EQ(quick(race, post), stored) << number;
        EXPECT_EQ(quick(race, post.addSecs(-1))[2], GeneratedSource::kQuickReportCategory);

        const std::vector<long long> final = entries(stored);
        std::vector<long long> last(final.size(), 0);
        for (QDateTime at(kDay, QTime(7, 0)); at < post; at = at.addSecs(at.secsTo(post) > 600 ? 1200 : 60)) {
            const std::vector<long long> now = entries(quick(race, at));
            for (size_t k = 0; k < final.size(); ++k) {
                if (final[k] <= 0) {  // blank or scratched: stays so
                    ASSERT_EQ(now[k], final[k]) << number << " " << k;
                    continue;
                }
                ASSERT_GE(now[k], last[k]) << number << " entry " << k << " at " << at.toString().toStdString();
                ASSERT_LE(now[k], final[k]) << number << " " << k;
                last[k] = now[k];
            }
        }
    }
}

TEST(QuickReportGrowth, OddsDriftThroughTheMorningAndTheFavouriteShortensLate)
{
    // Win odds three hours before post time against those at post time, in the
    // races of a weekend with that much of their sales (the payout rate cancels out).
    auto winOdds = [](const QByteArray& h1, int h) {
        return static_cast<double>(record::blankAsAbsent(h1, layout::kWinTotal, layout::kVoteLen))
               / record::blankAsAbsent(h1, layout::winVotes(h), layout::kVoteLen);
    };
    std::vector<double> favouriteMoves, largestMoves;
    int shortened = 0;
    for (const QDate& day : {kDay.addDays(-1), kDay}) {
        const auto meetings = calendar::meetingsOn(day);
        for (size_t slot = 0; slot < meetings.size(); ++slot) {
            for (int number = 5; number <= calendar::kRacesPerMeeting; ++number) {
                const calendar::Race race{day, meetings[slot], number, static_cast<int>(slot)};
                const QByteArray early = quick(race, race.postTime().addSecs(-3 * 3600));
                const QByteArray final = quick(race, race.postTime());
                double largest = 0, favourite = 0, favouriteOdds = 1e9;
                for (int h = 1; h <= 18; ++h) {
                    if (record::blankAsAbsent(early, layout::winVotes(h), layout::kVoteLen) <= 0)
                        continue;
                    const double move = winOdds(early, h) / winOdds(final, h) - 1.0;
                    largest = std::max(largest, std::abs(move));
                    if (winOdds(final, h) < favouriteOdds) {
                        favouriteOdds = winOdds(final, h);
                        favourite = move;
                    }
                }
                favouriteMoves.push_back(std::abs(favourite));
                largestMoves.push_back(largest);
                shortened += favourite > 0;
            }
        }
    }
    ASSERT_GE(favouriteMoves.size(), 20u);
    auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    // Not a flat line: every race has a runner whose odds move by a tenth or more, typically by a
    // quarter; the favourite's by several percent, without wild jumps, and mostly shortening.
    EXPECT_GT(*std::min_element(largestMoves.begin(), largestMoves.end()), 0.1);
    EXPECT_GT(median(largestMoves), 0.2);
    EXPECT_GT(median(favouriteMoves), 0.05);
    EXPECT_LT(*std::max_element(favouriteMoves.begin(), favouriteMoves.end()), 0.5);
    EXPECT_GT(shortened * 3, static_cast<int>(favouriteMoves.size()) * 2);
}
