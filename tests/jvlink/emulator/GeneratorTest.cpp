#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "racedata/Cp932.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QList>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

QList<QByteArray> recordsOf(const QByteArray& file)
{
    QList<QByteArray> out;
    for (qsizetype at = 0; at < file.size();) {
        const QByteArrayView record = recordlines::recordAt(file, at);
        out.append(record.toByteArray());
        at += record.size();
    }
    return out;
}

QList<QByteArray> h1Records(const QDate& day)
{
    QList<QByteArray> h1;
    for (const QByteArray& r : recordsOf(GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts)))
        if (r.startsWith("H1"))
            h1.append(r);
    return h1;
}

int votes(const QByteArray& rec, int position)
{
    return record::blankAsAbsent(rec, position, layout::kVoteLen);
}

// Sum of the entries of a table (blank entries count nothing).
long long sum(const QByteArray& rec, int first, int stride, int count)
{
    long long s = 0;
    for (int k = 0; k < count; ++k)
        s += std::max(0, votes(rec, first + stride * k));
    return s;
}

}  // namespace

TEST(RaceCalendar, WeekendsWithTwoOrThreeMeetingsCountingUp)
{
    int races = 0;
    std::map<int, int> lastDayOfCourse;
    for (QDate d(2023, 1, 1); d.year() == 2023; d = d.addDays(1)) {
        const auto meetings = calendar::meetingsOn(d);
        if (d.dayOfWeek() < Qt::Saturday && d != calendar::hopefulDay(2023)) {
            EXPECT_TRUE(meetings.empty()) << d.toString().toStdString();
            continue;
        }
        if (meetings.empty())
            continue;
        EXPECT_GE(meetings.size(), 2u);
        EXPECT_LE(meetings.size(), 3u);
        for (const auto& m : meetings) {
            EXPECT_GE(m.course, 1);
            EXPECT_LE(m.course, 10);
            EXPECT_GE(m.day, 1);
            EXPECT_LE(m.day, 12);
            const int code = m.meeting * 100 + m.day;
            EXPECT_GT(code, lastDayOfCourse[m.course]);  // meeting and day numbers only go up
            lastDayOfCourse[m.course] = code;
        }
        races += static_cast<int>(meetings.size()) * calendar::kRacesPerMeeting;
    }
    EXPECT_GT(races, 3000);
    EXPECT_LT(races, 4000);
    EXPECT_TRUE(calendar::meetingsOn(QDate(2002, 12, 28)).empty());
}

TEST(RaceCalendar, KeysNameTheirRaces)
{
    const QDate sat(2005, 4, 16);
    const auto meetings = calendar::meetingsOn(sat);
    ASSERT_FALSE(meetings.empty());
    const calendar::Race race{sat, meetings.back(), 11, static_cast<int>(meetings.size() - 1)};
    const QByteArray key = race.key();
    EXPECT_EQ(key.size(), 16);
    EXPECT_TRUE(key.startsWith("20050416"));
    const auto found = calendar::raceOf(key);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->key(), key);
    EXPECT_EQ(found->postTime(), race.postTime());
    EXPECT_FALSE(calendar::raceOf(key.left(14) + "13"));        // race 13
    EXPECT_FALSE(calendar::raceOf("2005041899010101"));         // course 99
    EXPECT_FALSE(calendar::raceOf("2005041805020811"));         // a Monday
    EXPECT_FALSE(calendar::wellFormedKey("2005023005020811"));  // 30 February
    EXPECT_FALSE(calendar::wellFormedKey("200504160502081"));
}

TEST(Generator, RecordsHaveTheirLengthsHeadersAndFields)
{
    const QDate day(2024, 5, 26);
    const QByteArray details = GeneratedSource::dayFile(day, GeneratedSource::FileKind::RaceDetails);
    std::set<QByteArray> types;
    int ra = 0;
    for (const QByteArray& r : recordsOf(details)) {
        types.insert(r.left(2));
        EXPECT_TRUE(r.endsWith("\r\n"));
        EXPECT_EQ(layout::creationDate(r), "20240525");  // published the day before
        EXPECT_EQ(layout::raceDate(r), "20240526");
        if (r.startsWith("RA")) {
            ++ra;
            EXPECT_EQ(r.size(), layout::kRaLength);
            const QString name = cp932::decode(record::field(r, layout::kRaceName, layout::kRaceNameLen)).trimmed();
            EXPECT_FALSE(name.isEmpty());
            EXPECT_EQ(cp932::encode(cp932::decode(r)), r);  // survives the wide-string buffer
        }
    }
    EXPECT_EQ(types, (std::set<QByteArray>{"RA", "SE"}));
    EXPECT_EQ(ra, static_cast<int>(calendar::meetingsOn(day).size()) * 12);
    for (const QByteArray& r : h1Records(day)) {
        EXPECT_EQ(r.size(), layout::kH1Length);
        EXPECT_EQ(r[2], GeneratedSource::kFinalCategory);
        EXPECT_EQ(layout::creationDate(r), "20240526");
        EXPECT_GT(record::blankAsZero(r, layout::kRaceNumber, 2), 0);
    }
}

TEST(Generator, SameDateGivesTheSameRecords)
{
    const QDate day(2010, 10, 3);
    EXPECT_EQ(GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts),
              GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts));
    EXPECT_NE(GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts),
              GeneratedSource::dayFile(day.addDays(-1), GeneratedSource::FileKind::VoteCounts));
    EXPECT_TRUE(GeneratedSource::dayFile(QDate(2010, 10, 4), GeneratedSource::FileKind::VoteCounts).isEmpty());
}

TEST(Generator, VotesAgreeWithTheFieldAndTotalsAreSums)
{
    using namespace layout;
    bool sawScratch = false, sawSmallField = false, sawFullField = false;
    // Days of April until every kind of field was seen, then the biggest pools of the year
    // (the Arima Kinen) and a race day on a weekday (the Hopeful Stakes).
    std::vector<QDate> days;
    for (QDate day(2023, 4, 1); day < QDate(2023, 5, 1); day = day.addDays(1))
        days.push_back(day);
    const std::vector<QDate> bigDays = {calendar::arimaDay(2025), calendar::hopefulDay(2023)};
    for (size_t i = 0; i < days.size() + bigDays.size(); ++i) {
        const bool big = i >= days.size();
        if (!big && sawScratch && sawSmallField && sawFullField)
            continue;
        for (const QByteArray& r : h1Records(big ? bigDays[i - days.size()] : days[i])) {
            const int n = record::blankAsZero(r, kRegistered, 2);
            const int starters = record::blankAsZero(r, kStarters, 2);
            ASSERT_GE(n, 8);
            ASSERT_LE(n, 18);
            int scratched = 0;
            for (int h = 1; h <= kMaxWinEntries; ++h) {
                const bool refund = r[refundFlag(h) - 1] != '0';
                if (h > n) {
                    EXPECT_FALSE(refund);
                    EXPECT_EQ(record::field(r, winEntry(h), 15), QByteArray(15, ' '));
                    continue;
                }
                EXPECT_EQ(record::blankAsZero(r, winEntry(h), 2), h);
                if (refund) {
                    ++scratched;
                    EXPECT_EQ(votes(r, winVotes(h)), 0);
                    // No quinella with a scratched runner has votes.
                    for (int other = 1; other <= n; ++other)
                        if (other != h) {
                            const int a = std::min(h, other), b = std::max(h, other);
                            EXPECT_EQ(votes(r, quinellaVotes((a - 1) * (36 - a) / 2 + (b - a))), 0);
                        }
                } else {
                    EXPECT_GT(votes(r, winVotes(h)), 0);
                }
            }
            EXPECT_EQ(starters, n - scratched);
            sawScratch |= scratched > 0;
            sawSmallField |= n <= 8;
            sawFullField |= n == 18;

            EXPECT_EQ(votes(r, kWinTotal), sum(r, winVotes(1), 15, 28));
            EXPECT_EQ(votes(r, kPlaceTotal), sum(r, placeEntry(1) + 2, 15, 28));
            EXPECT_EQ(votes(r, kBracketTotal), sum(r, bracketVotes(1), 15, 36));
            EXPECT_EQ(votes(r, kQuinellaTotal), sum(r, quinellaVotes(1), 18, 153));
            EXPECT_EQ(votes(r, kWideTotal), sum(r, wideEntry(1) + 4, 18, 153));
            EXPECT_EQ(votes(r, kExactaTotal), sum(r, exactaVotes(0), 18, 306));
            EXPECT_EQ(votes(r, kTrioTotal), sum(r, trioVotes(0), 20, 816));
            EXPECT_GT(votes(r, kTrioTotal), votes(r, kWinTotal));

            // Same-bracket pairs are blank exactly when the bracket holds one runner.
            int k = 1;
            for (int a = 1; a <= 8; ++a)
                for (int b = a; b <= 8; ++b, ++k) {
                    int inA = 0;
                    for (int h = 1; h <= n; ++h)
                        inA += keiba::bracketOf(n, h) == a;
                    const bool impossible = a == b && inA < 2;
                    EXPECT_EQ(votes(r, bracketVotes(k)) == -1, impossible) << a << "-" << b << " of " << n;
                    EXPECT_EQ(record::zeroDefault(r, bracketEntry(k), 2), impossible ? 0 : a * 10 + b);
                }
            // Exacta and trio entries carry their combinations; beyond the field they are blank.
            k = 0;
            for (int a = 1; a <= 18; ++a)
                for (int b = 1; b <= 18; ++b)
                    if (a != b) {
                        const int combination = record::zeroDefault(r, exactaEntry(k), 4);
                        EXPECT_EQ(combination, (a <= n && b <= n) ? a * 100 + b : 0);
                        ++k;
                    }
            EXPECT_EQ(record::zeroDefault(r, trioEntry(0), 6), 10203);
            if (n == 18)
                EXPECT_EQ(record::zeroDefault(r, trioEntry(815), 6), 161718);
            else
                EXPECT_EQ(record::field(r, trioEntry(815), 20), QByteArray(20, ' '));
        }
    }
    EXPECT_TRUE(sawScratch);
    EXPECT_TRUE(sawSmallField);
    EXPECT_TRUE(sawFullField);
}

TEST(Generator, StoredFilesArePublishedAroundTheRaceDay)
{
    GeneratedSource source;
    const auto files = source.filesBetween(QDateTime(QDate(2024, 5, 20), QTime(0, 0)),
                                           QDateTime(QDate(2024, 5, 27), QTime(12, 0)));
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].stamp, "20240524160000");
    EXPECT_EQ(files[1].stamp, "20240525160000");
    EXPECT_EQ(files[2].stamp, "20240525173000");
    EXPECT_EQ(files[3].stamp, "20240526173000");
    EXPECT_EQ(source.content(files[3]),
              GeneratedSource::dayFile(QDate(2024, 5, 26), GeneratedSource::FileKind::VoteCounts));
    EXPECT_TRUE(
        source.filesBetween(QDateTime(QDate(2024, 5, 26), QTime(17, 30)), QDateTime(QDate(2024, 5, 27), QTime(12, 0)))
            .empty());
}
