#include "pools/PairIndex.h"

#include <gtest/gtest.h>

using namespace tavek::pools;

TEST(PairIndex, LabelsOfBothKindsRoundTrip)
{
    EXPECT_EQ(pairLabel(PairKind::Quinella, 1), " 1- 2");
    EXPECT_EQ(pairLabel(PairKind::Quinella, 17), " 1-18");
    EXPECT_EQ(pairLabel(PairKind::Quinella, 18), " 2- 3");
    EXPECT_EQ(pairLabel(PairKind::Quinella, 153), "17-18");
    EXPECT_EQ(pairLabel(PairKind::Bracket, 1), " 1- 1");
    EXPECT_EQ(pairLabel(PairKind::Bracket, 9), " 2- 2");
    EXPECT_EQ(pairLabel(PairKind::Bracket, 36), " 8- 8");
    for (PairKind kind : {PairKind::Quinella, PairKind::Bracket}) {
        for (int k = 1; k <= pairCount(kind); ++k) {
            EXPECT_EQ(pairIndex(kind, pairLabel(kind, k)), k);
            const PairNumbers n = pairNumbers(kind, k);
            EXPECT_EQ(pairIndexOf(kind, n.first, n.second), k);
        }
    }
}

TEST(PairIndex, OnlyExactLabelsMatch)
{
    EXPECT_EQ(pairIndex(PairKind::Quinella, u"1-2"), 0);
    EXPECT_EQ(pairIndex(PairKind::Quinella, u" 1- 2 "), 0);
    EXPECT_EQ(pairIndex(PairKind::Quinella, u" 2- 2"), 0);
    EXPECT_EQ(pairIndex(PairKind::Bracket, u" 2- 1"), 0);
    EXPECT_EQ(pairIndex(PairKind::Bracket, u" 9- 9"), 0);
    EXPECT_TRUE(pairLabel(PairKind::Quinella, 0).isEmpty());
    EXPECT_TRUE(pairLabel(PairKind::Bracket, 37).isEmpty());
    EXPECT_EQ(pairIndexOf(PairKind::Quinella, 3, 3), 0);
    EXPECT_EQ(pairIndexOf(PairKind::Quinella, 1, 19), 0);
}
