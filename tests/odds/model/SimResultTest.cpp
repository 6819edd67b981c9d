#include "odds/model/SimResult.h"

#include <gtest/gtest.h>

using tavek::sim::SimResult;

// The dialogs show these messages and tavek-cli prints these names, for the
// win tab and the pair tabs alike.
TEST(SimResult, MessagesAndNames)
{
    using tavek::sim::refusalMessage;
    using tavek::sim::simResultName;
    EXPECT_EQ(refusalMessage(SimResult::NotAboveOne), QStringLiteral("１倍よりも大きい数字を入力してください。"));
    EXPECT_EQ(refusalMessage(SimResult::Unrealistic), QStringLiteral("非現実的な数値が入力されました。"));
    EXPECT_TRUE(refusalMessage(SimResult::Accepted).isEmpty());
    EXPECT_TRUE(refusalMessage(SimResult::None).isEmpty());
    EXPECT_STREQ(simResultName(SimResult::None), "none");
    EXPECT_STREQ(simResultName(SimResult::Accepted), "accepted");
    EXPECT_STREQ(simResultName(SimResult::NotAboveOne), "not_above_one");
    EXPECT_STREQ(simResultName(SimResult::Unrealistic), "unrealistic");
    EXPECT_STREQ(simResultName(SimResult::NotSold), "not_sold");
    EXPECT_TRUE(refusalMessage(SimResult::NotSold).contains(u"発売のない"));
}
