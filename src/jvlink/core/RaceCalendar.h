#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <optional>
#include <vector>

// The emulated service's JRA-like calendar: racing every Saturday and Sunday,
// two or three of the courses 01-10 per day (one in the east, one in the west,
// mostly a local one), twelve races each. A year is cut
// into blocks of four weekends; a course races through a whole block (days 1-8
// of its meeting), and its meeting number counts the blocks it has raced in
// that year. Everything follows from the date, so any range exists without storage.
namespace tavek::jvlink::calendar {

constexpr int kRacesPerMeeting = 12;

// The first day the service has data for.
QDate firstDay();

struct Meeting {
    int course;   // 1..10
    int meeting;  // the N-th meeting of the course in the year
    int day;      // the N-th day of the meeting, 1..8
};

// The meetings held on `date`, in course order; empty on a day without racing.
std::vector<Meeting> meetingsOn(const QDate& date);

struct Race {
    QDate date;
    Meeting meeting;
    int number;  // 1..12
    int slot;    // index of the meeting among the day's meetings (staggers post times)

    // The 16-digit race key: yyyymmdd, course, meeting, day, race number.
    QByteArray key() const;
    QDateTime postTime() const;
};

// The race that a 16-digit key names; nothing when no such race is held.
std::optional<Race> raceOf(QByteArrayView key);

// True for a key of 16 digits that forms a valid date (it may still name no race).
bool wellFormedKey(QByteArrayView key);

}  // namespace tavek::jvlink::calendar
