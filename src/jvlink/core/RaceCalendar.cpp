#include "jvlink/core/RaceCalendar.h"

#include "jvlink/core/Random.h"

#include <algorithm>

namespace tavek::jvlink::calendar {

namespace {

constexpr int kCourses = 10;
constexpr int kWeekendsPerBlock = 4;

QDate firstSaturday(int year)
{
    QDate d(year, 1, 1);
    while (d.dayOfWeek() != Qt::Saturday)
        d = d.addDays(1);
    return d;
}

// The courses racing in one block of a year, as a bit set: one course of the
// east (Tokyo, Nakayama), one of the west (Chukyo, Kyoto, Hanshin), and in most
// blocks a local course; Sapporo and Hakodate race only in summer.
unsigned coursesOfBlock(int year, int block)
{
    Random rng(Random::seed({static_cast<uint64_t>(year), static_cast<uint64_t>(block), 0xCA1}));
    constexpr int east[] = {5, 6};
    constexpr int west[] = {7, 8, 9};
    const int month = firstSaturday(year).addDays(7 * kWeekendsPerBlock * block).month();
    const bool summer = month >= 6 && month <= 9;
    const std::vector<int> local = summer ? std::vector<int>{1, 2, 3, 4, 10} : std::vector<int>{3, 4, 10};
    unsigned set = (1u << east[rng.below(2)]) | (1u << west[rng.below(3)]);
    if (rng.uniform() < 0.75)
        set |= 1u << local[rng.below(static_cast<int>(local.size()))];
    return set;
}

int digits(QByteArrayView text, int from, int length)
{
    int v = 0;
    for (int i = from; i < from + length; ++i)
        v = v * 10 + (text[i] - '0');
    return v;
}

}  // namespace

QDate firstDay()
{
    return QDate(2003, 1, 1);
}

std::vector<Meeting> meetingsOn(const QDate& date)
{
    std::vector<Meeting> meetings;
    const int dow = date.dayOfWeek();
    if (!date.isValid() || date < firstDay() || (dow != Qt::Saturday && dow != Qt::Sunday))
        return meetings;
    const QDate start = firstSaturday(date.year());
    if (date < start)
        return meetings;
    const int weekend = static_cast<int>(start.daysTo(date) / 7);
    const int block = weekend / kWeekendsPerBlock;
    const int day = (weekend % kWeekendsPerBlock) * 2 + (dow == Qt::Sunday ? 2 : 1);
    const unsigned set = coursesOfBlock(date.year(), block);
    for (int course = 1; course <= kCourses; ++course) {
        if (!(set & (1u << course)))
            continue;
        int meeting = 1;
        for (int b = 0; b < block; ++b)
            meeting += (coursesOfBlock(date.year(), b) >> course) & 1u;
        meetings.push_back({course, meeting, day});
    }
    return meetings;
}

QByteArray Race::key() const
{
    return date.toString(QStringLiteral("yyyyMMdd")).toLatin1()
           + QByteArray::number(meeting.course).rightJustified(2, '0')
           + QByteArray::number(meeting.meeting).rightJustified(2, '0')
           + QByteArray::number(meeting.day).rightJustified(2, '0') + QByteArray::number(number).rightJustified(2, '0');
}

QDateTime Race::postTime() const
{
    // 1R at about ten, one race every half hour, courses five minutes apart.
    return QDateTime(date, QTime(9, 50)).addSecs(60 * (30 * (number - 1) + 5 * slot));
}

bool wellFormedKey(QByteArrayView key)
{
    if (key.size() != 16 || !std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return QDate(digits(key, 0, 4), digits(key, 4, 2), digits(key, 6, 2)).isValid();
}

std::optional<Race> raceOf(QByteArrayView key)
{
    if (!wellFormedKey(key))
        return std::nullopt;
    const QDate date(digits(key, 0, 4), digits(key, 4, 2), digits(key, 6, 2));
    const Meeting wanted{digits(key, 8, 2), digits(key, 10, 2), digits(key, 12, 2)};
    const int number = digits(key, 14, 2);
    if (number < 1 || number > kRacesPerMeeting)
        return std::nullopt;
    const auto meetings = meetingsOn(date);
    for (size_t slot = 0; slot < meetings.size(); ++slot) {
        const Meeting& m = meetings[slot];
        if (m.course == wanted.course && m.meeting == wanted.meeting && m.day == wanted.day)
            return Race{date, m, number, static_cast<int>(slot)};
    }
    return std::nullopt;
}

}  // namespace tavek::jvlink::calendar
