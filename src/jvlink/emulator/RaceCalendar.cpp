#include "jvlink/emulator/RaceCalendar.h"

#include <algorithm>
#include <array>

namespace tavek::jvlink::calendar {

namespace {

enum Course { Sapporo = 1, Hakodate, Fukushima, Niigata, Tokyo, Nakayama, Chukyo, Kyoto, Hanshin, Kokura };

// Where a season's weekends are counted from.
enum class Anchor { FirstWeekend, February, Satsuki, Derby, Arima };

// A season of one course: the Sundays from `from` to `to` weeks after their
// anchors, both included. A season of more than six weekends is two meetings.
struct Season {
    int course;
    Anchor fromAnchor;
    int from;
    Anchor toAnchor;
    int to;
};

using A = Anchor;
// Three lanes race side by side; a lane without a season on a weekend leaves
// that weekend to two courses (early January, one weekend of March, around
// the Derby, and September, as JRA does).
// clang-format off
constexpr std::array kSeasons = {
    // East: Nakayama and Tokyo, Fukushima and Niigata in summer.
    Season{Nakayama, A::FirstWeekend, 0, A::February, -4}, Season{Tokyo, A::February, -3, A::February, 0},
    Season{Nakayama, A::February, 1, A::Satsuki, -4},      Season{Nakayama, A::Satsuki, -3, A::Satsuki, 0},
    Season{Tokyo, A::Satsuki, 1, A::Derby, 0},             Season{Tokyo, A::Derby, 1, A::Derby, 4},
    Season{Fukushima, A::Derby, 5, A::Derby, 8},           Season{Niigata, A::Derby, 9, A::Arima, -16},
    Season{Nakayama, A::Arima, -15, A::Arima, -12},        Season{Tokyo, A::Arima, -11, A::Arima, -8},
    Season{Tokyo, A::Arima, -7, A::Arima, -4},             Season{Nakayama, A::Arima, -3, A::Arima, 0},
    // West: Kyoto and Hanshin, Chukyo and Kokura in summer.
    Season{Kyoto, A::FirstWeekend, 0, A::February, -4},    Season{Kyoto, A::February, -3, A::February, 0},
    Season{Hanshin, A::February, 1, A::Satsuki, -4},       Season{Hanshin, A::Satsuki, -3, A::Satsuki, 0},
    Season{Kyoto, A::Satsuki, 1, A::Derby, 0},             Season{Hanshin, A::Derby, 1, A::Derby, 4},
    Season{Chukyo, A::Derby, 5, A::Derby, 8},              Season{Kokura, A::Derby, 9, A::Arima, -16},
    Season{Hanshin, A::Arima, -15, A::Arima, -12},         Season{Kyoto, A::Arima, -11, A::Arima, -8},
    Season{Kyoto, A::Arima, -7, A::Arima, -4},             Season{Hanshin, A::Arima, -3, A::Arima, 0},
    // Local: Chukyo, Kokura, Fukushima, Niigata; Hakodate and Sapporo in summer.
    Season{Chukyo, A::February, -5, A::February, -4},      Season{Kokura, A::February, -3, A::February, 0},
    Season{Chukyo, A::Satsuki, -6, A::Satsuki, -3},        Season{Fukushima, A::Satsuki, -2, A::Satsuki, 1},
    Season{Niigata, A::Satsuki, 2, A::Derby, -1},          Season{Hakodate, A::Derby, 2, A::Derby, 7},
    Season{Sapporo, A::Derby, 8, A::Arima, -16},           Season{Niigata, A::Arima, -11, A::Arima, -8},
    Season{Fukushima, A::Arima, -7, A::Arima, -4},         Season{Chukyo, A::Arima, -3, A::Arima, 0},
};
// clang-format on

constexpr int kLongestMeeting = 6;  // weekends

QDate sundayOnOrAfter(const QDate& d)
{
    return d.addDays((Qt::Sunday - d.dayOfWeek()) % 7);
}

QDate anchorDay(int year, Anchor a)
{
    switch (a) {
    case Anchor::FirstWeekend:
        return sundayOnOrAfter(QDate(year, 1, 5));
    case Anchor::February:  // the February Stakes
        return derbyDay(year).addDays(-7 * 14);
    case Anchor::Satsuki:
        return derbyDay(year).addDays(-7 * 6);
    case Anchor::Derby:
        return derbyDay(year);
    case Anchor::Arima:
        return arimaDay(year);
    }
    return {};
}

// One meeting of a year: its Sundays and its number.
struct Held {
    int course;
    QDate firstSunday, lastSunday;
    int meeting;
};

std::vector<Held> meetingsOfYear(int year)
{
    std::vector<Held> held;
    for (const Season& s : kSeasons) {
        const QDate from = anchorDay(year, s.fromAnchor).addDays(7 * s.from);
        const QDate to = anchorDay(year, s.toAnchor).addDays(7 * s.to);
        const int weekends = static_cast<int>(from.daysTo(to) / 7) + 1;
        if (weekends > kLongestMeeting) {
            const QDate cut = from.addDays(7 * ((weekends + 1) / 2));
            held.push_back({s.course, from, cut.addDays(-7), 0});
            held.push_back({s.course, cut, to, 0});
        } else {
            held.push_back({s.course, from, to, 0});
        }
    }
    std::stable_sort(held.begin(), held.end(),
                     [](const Held& a, const Held& b) { return a.firstSunday < b.firstSunday; });
    std::array<int, 11> count{};
    for (Held& h : held)
        h.meeting = ++count[h.course];
    return held;
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

QDate derbyDay(int year)
{
    return sundayOnOrAfter(QDate(year, 5, 26));
}

QDate arimaDay(int year)
{
    return sundayOnOrAfter(QDate(year, 12, 22));
}

QDate hopefulDay(int year)
{
    const QDate d(year, 12, 28);
    return d == arimaDay(year) ? d.addDays(-1) : d;
}

std::vector<Meeting> meetingsOn(const QDate& date)
{
    std::vector<Meeting> meetings;
    if (!date.isValid() || date < firstDay())
        return meetings;
    const int dow = date.dayOfWeek();
    const QDate arima = arimaDay(date.year());
    const bool extraDay = date > arima && date == hopefulDay(date.year());
    if (dow != Qt::Saturday && dow != Qt::Sunday && !extraDay)
        return meetings;
    const QDate sunday = extraDay ? arima : date.addDays(dow == Qt::Saturday ? 1 : 0);
    for (const Held& h : meetingsOfYear(date.year())) {
        if (sunday < h.firstSunday || sunday > h.lastSunday)
            continue;
        if (extraDay && h.course != Nakayama && h.course != Hanshin)
            continue;
        const int weekend = static_cast<int>(h.firstSunday.daysTo(sunday) / 7);
        const int day = extraDay ? 2 * weekend + 3 : 2 * weekend + (dow == Qt::Sunday ? 2 : 1);
        meetings.push_back({h.course, h.meeting, day});
    }
    std::sort(meetings.begin(), meetings.end(), [](const Meeting& a, const Meeting& b) { return a.course < b.course; });
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
    // 1R at about ten, one race every 35 minutes (11R at about 15:40), courses five minutes apart.
    return QDateTime(date, QTime(9, 50)).addSecs(60 * (35 * (number - 1) + 5 * slot));
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
