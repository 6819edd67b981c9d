#include "racedata/Cp932.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(Cp932, LeadBytesAreTheTwoRangesOfDoubleByteCharacters)
{
    for (const int b : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
    // Either side of both ranges: ASCII, the half-width katakana and the unused top bytes.
    for (const int b : {0x00, 0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
}
