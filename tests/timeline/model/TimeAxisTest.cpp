#include "timeline/model/TimeAxis.h"

#include <QDateTime>

#include <gtest/gtest.h>

using tavek::timeline::TimeAxis;

namespace {

qint64 at(int day, int h, int m)
{
    return QDateTime(QDate(2026, 12, day), QTime(h, m)).toMSecsSinceEpoch();
}

}  // namespace

// The axis spans the reports, and post time when it is near them: half an
// hour of reports in the morning is not squeezed into the first twelfth of
// an axis that runs on to the afternoon's post time.
TEST(TimeAxis, SpansTheReportsAndPostTimeWhenNearThem)
{
    const struct {
        const char* what;
        qint64 first, last;
        std::optional<qint64> post;
        qint64 from, to;
        int ticks;
        bool oneDay, showsPost;
    } cases[] = {
        {"post time hours away", at(6, 10, 0), at(6, 10, 30), at(6, 15, 45), at(6, 10, 0), at(6, 10, 30), 4, true,
         false},
        {"post time near", at(6, 15, 0), at(6, 15, 30), at(6, 15, 45), at(6, 15, 0), at(6, 15, 45), 4, true, true},
        {"post time within", at(6, 9, 0), at(6, 16, 0), at(6, 15, 45), at(6, 8, 0), at(6, 16, 0), 5, true, true},
        {"reports after the race", at(6, 16, 0), at(6, 16, 20), at(6, 15, 45), at(6, 15, 40), at(6, 16, 20), 5, true,
         true},
        {"no post time", at(6, 10, 7), at(6, 11, 52), std::nullopt, at(6, 10, 0), at(6, 12, 0), 5, true, false},
        {"one report: ten minutes around it", at(6, 10, 33), at(6, 10, 33), std::nullopt, at(6, 10, 25), at(6, 10, 40),
         4, true, false},
        {"two days: dated labels, two steps", at(5, 12, 0), at(6, 12, 0), at(6, 15, 45), at(5, 0, 0), at(7, 0, 0), 3,
         false, true},
    };
    for (const auto& c : cases) {
        const TimeAxis axis = TimeAxis::fit(c.first, c.last, c.post);
        EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(axis.from), QDateTime::fromMSecsSinceEpoch(c.from)) << c.what;
        EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(axis.to), QDateTime::fromMSecsSinceEpoch(c.to)) << c.what;
        EXPECT_EQ(axis.ticks, c.ticks) << c.what;
        EXPECT_EQ(axis.oneDay, c.oneDay) << c.what;
        EXPECT_EQ(axis.showsPost, c.showsPost) << c.what;
    }
}
