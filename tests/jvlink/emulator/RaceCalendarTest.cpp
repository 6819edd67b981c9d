#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/GradeOneRaces.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceDraw.h"
#include "racedata/Cp932.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QMap>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

constexpr int kSapporo = 1, kHakodate = 2, kNiigata = 4;

QMap<QByteArray, QString> raceNamesOf(const QDate& day)
{
    QMap<QByteArray, QString> names;
    const QByteArray file = GeneratedSource::dayFile(day, GeneratedSource::FileKind::RaceDetails);
    for (qsizetype at = 0; at < file.size();) {
        const QByteArrayView r = recordlines::recordAt(file, at);
        if (r.startsWith("RA"))
            names.insert(layout::raceKey(r).toByteArray(),
                         cp932::decode(record::field(r, layout::kRaceName, layout::kRaceNameLen)).trimmed());
        at += r.size();
    }
    return names;
}

}  // namespace

TEST(RaceCalendar, FollowsJraRotationEveryYear)
{
    for (int year = 2003; year <= 2027; ++year) {
        int courseDays = 0;
        std::map<int, std::set<int>> monthsOfCourse;
        std::map<int, int> lastMeeting, lastDay;
        for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
            const auto meetings = calendar::meetingsOn(d);
            if (meetings.empty())
                continue;
            ASSERT_GE(meetings.size(), 2u) << d.toString(Qt::ISODate).toStdString();
            ASSERT_LE(meetings.size(), 3u) << d.toString(Qt::ISODate).toStdString();
            courseDays += static_cast<int>(meetings.size());
            for (const auto& m : meetings) {
                monthsOfCourse[m.course].insert(d.month());
                // A meeting's days run 1, 2, 3, ... without a gap; the next meeting starts at day 1.
                if (m.meeting == lastMeeting[m.course]) {
                    EXPECT_EQ(m.day, lastDay[m.course] + 1) << d.toString(Qt::ISODate).toStdString() << " " << m.course;
                } else {
                    EXPECT_EQ(m.meeting, lastMeeting[m.course] + 1);
                    EXPECT_EQ(m.day, 1);
                }
                lastMeeting[m.course] = m.meeting;
                lastDay[m.course] = m.day;
                EXPECT_LE(m.day, 12);
            }
        }
        EXPECT_GE(courseDays, 280) << year;
        EXPECT_LE(courseDays, 300) << year;
        for (const auto& [course, meetings] : lastMeeting)
            EXPECT_LE(meetings, 5) << year << " course " << course;
        for (int course : {kSapporo, kHakodate})
            for (int month : monthsOfCourse[course])
                EXPECT_TRUE(month >= 6 && month <= 9) << year << " course " << course << " month " << month;
        const std::set<int>& niigata = monthsOfCourse[kNiigata];
        for (int month : {1, 2, 3, 6, 12})
            EXPECT_FALSE(niigata.count(month)) << year << " Niigata in month " << month;
        EXPECT_TRUE(niigata.count(5) && niigata.count(8) && niigata.count(10)) << year;
        EXPECT_EQ(monthsOfCourse.size(), 10u) << year << ": every course races";
    }
}

TEST(RaceCalendar, AnchorsAndTheHopefulDay)
{
    EXPECT_EQ(calendar::derbyDay(2024), QDate(2024, 5, 26));
    EXPECT_EQ(calendar::derbyDay(2025), QDate(2025, 6, 1));
    EXPECT_EQ(calendar::arimaDay(2024), QDate(2024, 12, 22));
    EXPECT_EQ(calendar::arimaDay(2025), QDate(2025, 12, 28));
    EXPECT_EQ(calendar::hopefulDay(2025), QDate(2025, 12, 27));  // the Saturday before the Arima Kinen
    // 28 December 2023 is a Thursday: Nakayama and Hanshin race on it as their ninth day.
    const auto hopeful = calendar::meetingsOn(QDate(2023, 12, 28));
    ASSERT_EQ(hopeful.size(), 2u);
    EXPECT_EQ(hopeful[0].course, 6);
    EXPECT_EQ(hopeful[0].day, 9);
    EXPECT_EQ(hopeful[1].course, 9);
    EXPECT_TRUE(calendar::meetingsOn(QDate(2023, 12, 29)).empty());
    EXPECT_TRUE(calendar::meetingsOn(QDate(2024, 1, 1)).empty());
}

TEST(GradeOneRaces, RunOnTheirWeekendsAndCoursesAndNowhereElse)
{
    const std::map<QString, QDate> known = {
        {QStringLiteral("東京優駿"), QDate(2024, 5, 26)},
        {QStringLiteral("皐月賞"), QDate(2024, 4, 14)},
        {QStringLiteral("天皇賞（秋）"), QDate(2024, 10, 27)},
        {QStringLiteral("ジャパンカップ"), QDate(2024, 11, 24)},
        {QStringLiteral("有馬記念"), QDate(2024, 12, 22)},
        {QStringLiteral("ホープフルステークス"), QDate(2024, 12, 28)},
        {QStringLiteral("フェブラリーステークス"), QDate(2024, 2, 18)},
        {QStringLiteral("宝塚記念"), QDate(2024, 6, 23)},
    };
    const auto races = gradeone::racesOf(2024);
    EXPECT_EQ(races.size(), 24u);
    std::set<QString> seen;
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
        if (calendar::meetingsOn(d).empty())
            continue;
        const auto names = raceNamesOf(d);
        for (auto it = names.begin(); it != names.end(); ++it) {
            if (!gradeone::isGradeOneName(it.value()))
                continue;
            const auto race = calendar::raceOf(it.key());
            ASSERT_TRUE(race);
            const auto g1 = gradeone::raceOf(*race);
            ASSERT_TRUE(g1) << it.value().toStdString() << " on " << d.toString(Qt::ISODate).toStdString();
            EXPECT_EQ(g1->name, it.value());
            EXPECT_EQ(race->number, 11);
            EXPECT_TRUE(seen.insert(it.value()).second) << it.value().toStdString() << " twice";
            if (known.count(it.value())) {
                EXPECT_EQ(d, known.at(it.value())) << it.value().toStdString();
            }
        }
    }
    EXPECT_EQ(seen.size(), races.size()) << "every G1 is run";
    // Before it became a G1 the Osaka Hai is no G1.
    for (const auto& r : gradeone::racesOf(2016))
        EXPECT_NE(r.name, QStringLiteral("大阪杯"));
    const auto derby2025 = gradeone::racesOf(2025);
    EXPECT_TRUE(std::any_of(derby2025.begin(), derby2025.end(), [](const auto& r) {
        return r.name == QStringLiteral("東京優駿") && r.date == QDate(2025, 6, 1) && r.course == 5;
    }));
}

TEST(Generator, SalesFollowJraTrendAndGradeOneDaysAreHeavier)
{
    EXPECT_NEAR(salesLevel(2011) * 3.3135, 2.3, 1e-9);
    EXPECT_NEAR(salesLevel(2024), 1.0, 1e-9);
    EXPECT_NEAR(salesLevel(2025) * 3.3135, 3.5, 1e-9);
    EXPECT_LT(salesLevel(2015), salesLevel(2020));
    EXPECT_GT(salesLevel(2003), salesLevel(2011));

    const QDate derby = calendar::derbyDay(2024);
    const auto meetings = calendar::meetingsOn(derby);
    for (size_t slot = 0; slot < meetings.size(); ++slot) {
        const RaceDraw main = drawRace({derby, meetings[slot], 11, static_cast<int>(slot)});
        if (meetings[slot].course == 5) {
            EXPECT_EQ(main.raceClass, RaceClass::Grade1);
            EXPECT_EQ(main.gradeOneName, QStringLiteral("東京優駿"));
            EXPECT_GT(main.salesYen, 200e8);
            EXPECT_LT(main.salesYen, 400e8);
            EXPECT_GE(main.registered, 14);
        } else {
            EXPECT_NE(main.raceClass, RaceClass::Grade1);
            EXPECT_TRUE(main.gradeOneName.isEmpty());
        }
    }
}

TEST(Generator, QuickReportVotesGrowSlowlyThenSteeplyBeforePostTime)
{
    const QDate day(2024, 5, 26);
    const calendar::Race race{day, calendar::meetingsOn(day).front(), 11, 0};
    const QDateTime post = race.postTime();
    auto cast = [&](int minutesBefore) { return GeneratedSource::shareCast(race, post.addSecs(-60 * minutesBefore)); };
    EXPECT_EQ(GeneratedSource::shareCast(race, QDateTime(day, QTime(6, 59))), 0.0);
    EXPECT_EQ(cast(0), 1.0);
    EXPECT_NEAR(cast(30), GeneratedSource::kCastBeforeLast, 1e-9);
    double last = 0;
    for (int m = 400; m >= 0; m -= 5) {
        EXPECT_GE(cast(m), last) << m;
        last = cast(m);
    }
    // The morning hours bring little; the last half hour most, and its last ten minutes the most of all.
    EXPECT_LT(cast(120), 0.22);
    EXPECT_GT(cast(120), 0.05);
    EXPECT_GT(cast(0) - cast(10), cast(10) - cast(20));
    EXPECT_GT(cast(10) - cast(20), cast(40) - cast(50));
}

TEST(RaceCalendar, ARaceNamedAfterAMonthRunsInThatMonth)
{
    const QStringList months =
        QStringLiteral("睦月 如月 弥生 卯月 皐月 水無月 文月 葉月 長月 神無月 霜月 師走").split(u' ');
    std::set<int> named;
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
        if (calendar::meetingsOn(d).empty())
            continue;
        for (const QString& name : raceNamesOf(d))
            for (int m = 1; m <= 12; ++m)
                if (name.startsWith(months[m - 1]) && !gradeone::isGradeOneName(name)) {
                    EXPECT_EQ(d.month(), m) << name.toStdString() << " on " << d.toString(Qt::ISODate).toStdString();
                    named.insert(m);
                }
    }
    EXPECT_GE(named.size(), 8u) << "month names are still drawn";
}
