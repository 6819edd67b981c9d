#include "racedata/Cp932.h"
#include "racedata/RecordField.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(RecordField, CutsByOneBasedPositionAndStopsAtTheEnd)
{
    const QByteArray rec = "H1120050416";
    EXPECT_EQ(record::field(rec, 1, 2), "H1");
    EXPECT_EQ(record::field(rec, 4, 8), "20050416");
    EXPECT_EQ(record::field(rec, 10, 5), "16");
    EXPECT_TRUE(record::field(rec, 12, 3).isEmpty());
    EXPECT_TRUE(record::field(rec, 0, 3).isEmpty());
}

TEST(RecordField, ThreeReadingsOfBlankAndZeroFields)
{
    EXPECT_EQ(record::blankAsAbsent("           "), -1);
    EXPECT_EQ(record::blankAsZero("           "), 0);
    EXPECT_EQ(record::blankAsAbsent("00000000000"), 0);
    EXPECT_EQ(record::blankAsZero("00000000000"), 0);
    EXPECT_EQ(record::blankAsAbsent(" 00000012345 "), 12345);
    // A vote field blank but for its last byte is no blank field.
    EXPECT_EQ(record::blankAsAbsent("          7"), 7);
    EXPECT_THROW(record::blankAsAbsent("          x"), record::FieldError);
    EXPECT_EQ(record::blankAsZero("  12ab"), 12);
    EXPECT_EQ(record::zeroDefault("12ab"), 0);
    EXPECT_EQ(record::zeroDefault("0012"), 12);
}

TEST(RecordField, BlankAsAbsentRefusesTextAndOverflow)
{
    EXPECT_THROW(record::blankAsAbsent("12a"), record::FieldError);
    EXPECT_THROW(record::blankAsAbsent("99999999999"), record::FieldError);
    EXPECT_THROW(record::blankAsAbsent("1 2"), record::FieldError);
    EXPECT_EQ(record::blankAsZero("99999999999"), INT_MAX);
}

TEST(Cp932, RoundTripsJapaneseAndHalfWidthKana)
{
    ASSERT_TRUE(cp932::available());
    const QString text = QStringLiteral("東京ｼﾐｭﾚｰｼｮﾝ｢｣");
    const QByteArray bytes = cp932::encode(text);
    EXPECT_EQ(bytes.size(), 4 + 8 + 2);
    EXPECT_EQ(cp932::decode(bytes), text);
    EXPECT_EQ(cp932::encode(QStringLiteral("｢")), QByteArray("\xA2"));
}
