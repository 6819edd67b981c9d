#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

using tavek::placement::onScreen;
using tavek::placement::savedRect;

namespace {

const QRect kPrimary(0, 0, 1920, 1080);
const QRect kRight(1920, 0, 1280, 1024);

}  // namespace

TEST(WindowPlacement, AReachablePlacementThatFitsIsKept)
{
    for (const QRect saved :
         {QRect(10, 10, 800, 600), QRect(1500, 100, 800, 600), QRect(-300, 0, 800, 600), QRect(2000, 200, 800, 600)})
        EXPECT_EQ(onScreen(saved, {kPrimary, kRight}), saved);
    EXPECT_EQ(onScreen(QRect(3000, 40, 900, 500), {}), QRect(3000, 40, 900, 500)) << "no screen known";
}

TEST(WindowPlacement, AnUnreachableTitleBarIsBroughtOntoTheScreenHoldingMostOfTheWindow)
{
    EXPECT_EQ(onScreen(QRect(3000, 40, 900, 500), {kPrimary}), QRect(1020, 40, 900, 500)) << "a screen that is gone";
    EXPECT_EQ(onScreen(QRect(100, -200, 800, 600), {kPrimary}), QRect(100, 0, 800, 600)) << "above the top";
    EXPECT_EQ(onScreen(QRect(100, 1070, 800, 600), {kPrimary}), QRect(100, 480, 800, 600)) << "bar below the bottom";
    EXPECT_EQ(onScreen(QRect(1860, 100, 800, 600), {kPrimary}), QRect(1120, 100, 800, 600)) << "bar mostly off";
    EXPECT_EQ(onScreen(QRect(1900, -500, 800, 600), {kPrimary, kRight}), QRect(1920, 0, 800, 600));
    EXPECT_EQ(onScreen(QRect(-5000, -5000, 800, 600), {kPrimary, kRight}), QRect(0, 0, 800, 600)) << "the primary";
}

TEST(WindowPlacement, APlacementLargerThanItsScreenIsCutToIt)
{
    EXPECT_EQ(onScreen(QRect(0, 0, 2500, 1400), {kPrimary}), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(onScreen(QRect(200, 100, 800, 5000), {kPrimary}), QRect(200, 0, 800, 1080));
    EXPECT_EQ(onScreen(QRect(2000, 10, 5000, 600), {kPrimary, kRight}), QRect(1920, 10, 1280, 600));
}

TEST(WindowPlacement, SavedValuesOfAnySizeAreBounded)
{
    const QRect far = savedRect(INT_MAX, INT_MIN, INT_MAX, -7);
    EXPECT_EQ(far, QRect(1'000'000, -1'000'000, 1'000'000, 0));
    const QRect placed = onScreen(far, {kPrimary});
    EXPECT_TRUE(kPrimary.contains(placed.topLeft())) << placed.x() << ',' << placed.y();
    EXPECT_EQ(placed.width(), 1920);
}
