#include "racedata/Cp932.h"
#include "racedata/KeibaFunc.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(KeibaFunc, ShortCourseNamesAreSixBytes)
{
    EXPECT_EQ(keiba::shortCourseName("05"), QStringLiteral("東京  "));
    EXPECT_EQ(keiba::shortCourseName("45"), QStringLiteral("地方  "));
    EXPECT_EQ(keiba::shortCourseName("61"), QStringLiteral("地方  "));
    EXPECT_EQ(keiba::shortCourseName("A4"), QStringLiteral("海外  "));
    EXPECT_EQ(keiba::shortCourseName("H2"), QStringLiteral("海外  "));
    EXPECT_EQ(keiba::shortCourseName("H4"), QString(6, u' '));
    EXPECT_EQ(keiba::shortCourseName("99"), QString(6, u' '));
    EXPECT_EQ(keiba::shortCourseName("5"), QString(6, u' '));
    for (const char* code : {"01", "10", "30", "A0", "ZZ"})
        EXPECT_EQ(cp932::encode(keiba::shortCourseName(code)).size(), 6) << code;
}

TEST(KeibaFunc, TwoCharacterCourseNamesAreFourBytes)
{
    EXPECT_EQ(keiba::courseName2("05"), QStringLiteral("東京"));
    EXPECT_EQ(keiba::courseName2("58"), QStringLiteral("札幌"));
    EXPECT_EQ(keiba::courseName2("C7"), QStringLiteral("ア首"));
    EXPECT_EQ(keiba::courseName2("M2"), QStringLiteral("澳門"));
    EXPECT_EQ(keiba::courseName2("C4"), QString(4, u' '));
    EXPECT_EQ(keiba::courseName2("11"), QString(4, u' '));
    EXPECT_EQ(keiba::courseName2("c7"), QString(4, u' '));
    const char* named[] = {"01", "30", "49", "A0", "F1", "I6", "L8"};
    for (const char* code : named)
        EXPECT_EQ(cp932::encode(keiba::courseName2(code)).size(), 4) << code;
}

TEST(KeibaFunc, BracketAssignment)
{
    EXPECT_EQ(keiba::bracketOf(18, 15), 7);
    EXPECT_EQ(keiba::bracketOf(17, 15), 8);
    EXPECT_EQ(keiba::bracketOf(18, 18), 8);
    EXPECT_EQ(keiba::bracketOf(12, 5), 5);
    EXPECT_EQ(keiba::bracketOf(12, 4), 4);
    EXPECT_EQ(keiba::bracketOf(8, 8), 8);
    // Whole fields: every bracket 1..8 used, higher brackets take the extras.
    const std::vector<int> eighteen = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8};
    const std::vector<int> twelve = {1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8};
    for (int h = 1; h <= 18; ++h)
        EXPECT_EQ(keiba::bracketOf(18, h), eighteen[h - 1]) << h;
    for (int h = 1; h <= 12; ++h)
        EXPECT_EQ(keiba::bracketOf(12, h), twelve[h - 1]) << h;
    for (int h = 1; h <= 16; ++h)
        EXPECT_EQ(keiba::bracketOf(16, h), (h + 1) / 2) << h;
}

TEST(KeibaFunc, BlankPaddedNumberAndOverwrite)
{
    EXPECT_EQ(keiba::blankPaddedNumber("08"), " 8");
    EXPECT_EQ(keiba::blankPaddedNumber("16"), "16");
    EXPECT_EQ(keiba::blankPaddedNumber("00"), "  ");
    EXPECT_EQ(keiba::blankPaddedNumber("  "), "  ");

    EXPECT_EQ(keiba::overwrite("H1720050415XYZ", 3, "000000000"), "H1000000000XYZ");
    EXPECT_EQ(keiba::overwrite("ABCDE", 4, "xyz"), "ABCxy");
    EXPECT_EQ(keiba::overwrite("ABC", 9, "x"), "ABC");
}
