#include "jvlink/client/LastTime.h"
#include "racedata/Clock.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(LastTime, ReadsTheStoredFormAndFallsBackToEightDaysAgo)
{
    clock::FixedNow now{QDateTime(QDate(2024, 5, 26), QTime(9, 41, 7))};
    EXPECT_EQ(lasttime::parse("2005/04/09 15:30:00"), QDateTime(QDate(2005, 4, 9), QTime(15, 30)));
    EXPECT_EQ(lasttime::parse("2005/4/9 5:03:00"), QDateTime(QDate(2005, 4, 9), QTime(5, 3)));
    EXPECT_EQ(lasttime::parse("2005/04/09"), QDateTime(QDate(2005, 4, 9), QTime(0, 0)));
    const QDateTime fallback(QDate(2024, 5, 18), QTime(9, 41, 7));
    EXPECT_EQ(lasttime::defaultValue(), fallback);
    EXPECT_EQ(lasttime::parse("garbage"), fallback);
    EXPECT_EQ(lasttime::parse("2005/13/40 10:00:00"), fallback);
    EXPECT_EQ(lasttime::parse(""), fallback);
    EXPECT_EQ(lasttime::format(fallback), "2024/05/18 09:41:07");
}

TEST(LastTime, TimestampOfTheLastFile)
{
    EXPECT_EQ(lasttime::fromTimestamp("20050416173000"), QDateTime(QDate(2005, 4, 16), QTime(17, 30)));
    EXPECT_FALSE(lasttime::fromTimestamp("00000000000000"));
    EXPECT_FALSE(lasttime::fromTimestamp("              "));
    EXPECT_FALSE(lasttime::fromTimestamp(""));
    EXPECT_THROW(lasttime::fromTimestamp("2005041617300x"), std::runtime_error);
}
