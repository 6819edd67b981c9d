#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <optional>
#include <vector>

// The emulated service's calendar, following JRA's yearly rotation: racing on
// Saturdays and Sundays at two or three courses (one in the east, one in the
// west, mostly a third, local one), twelve races each. Each course races its
// meetings in the same season every year: Tokyo and Nakayama take turns in
// the east, Kyoto and Hanshin in the west; Sapporo and Hakodate race only in
// summer, Niigata in spring, summer and autumn; at most five meetings per
// course and year. The seasons are placed by two anchor Sundays, the Tokyo
// Yushun (Derby) and the Arima Kinen, so that every G1 falls on its
// traditional weekend and course. Everything follows from the date, so any
// range exists without storage.
namespace tavek::jvlink::calendar {

constexpr int kRacesPerMeeting = 12;

// The first day the service has data for.
QDate firstDay();

// The anchors of a year: the Derby on the Sunday from 26 May to 1 June, the
// Arima Kinen on the fourth Sunday of December.
QDate derbyDay(int year);
QDate arimaDay(int year);
// The Hopeful Stakes: 28 December, or the Saturday before when the Arima
// Kinen takes that Sunday. A race day of its own when it falls after the
// Arima Kinen's weekend.
QDate hopefulDay(int year);

struct Meeting {
    int course;   // 1..10
    int meeting;  // the N-th meeting of the course in the year, 1..5
    int day;      // the N-th day of the meeting, 1..12
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
