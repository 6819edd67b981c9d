#include "controls/NumEditText.h"

#include "racedata/Cp932.h"

#include <gtest/gtest.h>

using tavek::controls::NumEditText;
using tavek::cp932::encode;

TEST(NumEditText, NormalisingStopsAtTheFirstForeignCharacter)
{
    NumEditText rules;
    rules.setMinus(true);
    rules.setDecimalLength(2);
    EXPECT_EQ(rules.normalize("12\x82"), "12");  // lone lead byte
    EXPECT_EQ(rules.normalize("1,2\x82\x60"
                              "3"),
              "12");  // full-width A
    EXPECT_EQ(rules.normalize("12\xB1"
                              "3"),
              "12");  // half-width katakana
    EXPECT_EQ(rules.normalize("-1.2.3"), "-1.2");
    EXPECT_EQ(rules.normalize("1-2"), "1");
    EXPECT_EQ(rules.normalize(",-5"), "");  // minus not first
    EXPECT_EQ(rules.normalize(encode(u"－１，２３４．５０７")), "-1234.50");
    rules.setMinus(false);
    EXPECT_EQ(rules.normalize("-5"), "");
    rules.setDecimalLength(0);
    EXPECT_EQ(rules.normalize("12.5"), "12");
    rules.setIntegerLength(3);
    EXPECT_EQ(rules.normalize("1234"), "") << "too many integer digits drop the whole text";
    EXPECT_EQ(rules.normalize("0123"), "") << "zeros count until they are trimmed";
    rules.setIntegerLength(-1);
    EXPECT_EQ(rules.integerLength(), 0);
}

TEST(NumEditText, TrimmingZerosKeepsOneBeforeThePoint)
{
    EXPECT_EQ(NumEditText::trimZeros(""), "");
    EXPECT_EQ(NumEditText::trimZeros("-"), "-");
    EXPECT_EQ(NumEditText::trimZeros("000"), "0");
    EXPECT_EQ(NumEditText::trimZeros("007"), "7");
    EXPECT_EQ(NumEditText::trimZeros("."), "0.");
    EXPECT_EQ(NumEditText::trimZeros("-00.50"), "-0.50");
}

TEST(NumEditText, GroupingAndFixedFlagsShapeTheNumber)
{
    EXPECT_EQ(NumEditText::groupThousands(""), "");
    EXPECT_EQ(NumEditText::groupThousands("123"), "123");
    EXPECT_EQ(NumEditText::groupThousands("1234"), "1,234");
    EXPECT_EQ(NumEditText::groupThousands("123456"), "123,456");

    NumEditText rules;
    rules.setLeftMark(QStringLiteral("¥"));
    rules.setRightMark(QStringLiteral("円"));
    EXPECT_EQ(rules.display(""), "") << "no marks around nothing";
    EXPECT_EQ(rules.display("-1234.5"), "¥-1,234.5円");
    EXPECT_EQ(rules.typed("1234."), "1,234.");
    rules.setDecimalFixed(true);
    EXPECT_EQ(rules.format(""), "0.000");
    EXPECT_EQ(rules.format("-.5"), "-0.500");
    rules.setDecimalLength(0);
    EXPECT_EQ(rules.format("12"), "12") << "nothing to pad without decimals";
    rules.setDecimalFixed(false);
    rules.setIntegerFixed(true);
    EXPECT_EQ(rules.format(""), "0");
    rules.setComma(false);
    EXPECT_EQ(rules.format("1234"), "1234");
}

TEST(NumEditText, TemplatesReserveRoomForTheFixedParts)
{
    NumEditText rules;
    rules.setIntegerLength(4);
    rules.setDecimalLength(2);
    EXPECT_EQ(rules.templateText("12345"), "12,345") << "without fixed flags the box is the value";
    EXPECT_EQ(rules.fullTemplateText(), "-0,000.00");
    rules.setIntegerFixed(true);
    EXPECT_EQ(rules.templateText("5"), "-0,000");
    rules.setMinus(false);
    rules.setDecimalFixed(true);
    EXPECT_EQ(rules.templateText("5"), "0,000.00");
    rules.setIntegerFixed(false);
    EXPECT_EQ(rules.templateText(""), "0.00");
    rules.setComma(false);
    rules.setDecimalLength(0);
    EXPECT_EQ(rules.fullTemplateText(), "0000");
}

TEST(NumEditText, FullWidthCharactersHaveAsciiForms)
{
    EXPECT_EQ(NumEditText::asciiForm(u'０'), u'0');
    EXPECT_EQ(NumEditText::asciiForm(u'９'), u'9');
    EXPECT_EQ(NumEditText::asciiForm(u'－'), u'-');
    EXPECT_EQ(NumEditText::asciiForm(QChar(0x2212)), u'-');
    EXPECT_EQ(NumEditText::asciiForm(u'．'), u'.');
    EXPECT_EQ(NumEditText::asciiForm(u'，'), u'，');
    EXPECT_EQ(NumEditText::asciiForm(u'a'), u'a');
}
