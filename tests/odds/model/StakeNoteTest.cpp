#include "odds/model/StakeNote.h"

#include <gtest/gtest.h>

// A stake buys whole 100-yen votes; the dialog says so before OK when yen are dropped.
TEST(StakeNote, SaysWhatAStakeWithARemainderCountsAs)
{
    using tavek::sim::stakeNote;
    EXPECT_EQ(stakeNote(1253), QStringLiteral("1,253円は1,200円（12票）として計算します。"));
    EXPECT_EQ(stakeNote(99), QStringLiteral("99円は0円（0票）として計算します。"));
    EXPECT_EQ(stakeNote(9'999'999), QStringLiteral("9,999,999円は9,999,900円（99,999票）として計算します。"));
    for (const long long whole : {0LL, 100LL, 1'200LL, 9'999'900LL})
        EXPECT_TRUE(stakeNote(whole).isEmpty()) << whole;
    EXPECT_EQ(tavek::sim::stakeLimitNote(), QStringLiteral("金額は9,999,999円（7桁）までです。"));
}
