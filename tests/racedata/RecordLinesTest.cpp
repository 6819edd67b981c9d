#include "racedata/RecordLines.h"

#include <gtest/gtest.h>

using namespace tavek;
using recordlines::Empty;
using Lines = QList<QByteArray>;

TEST(RecordLines, LinesLoseTheirEndsButKeepOtherCarriageReturns)
{
    EXPECT_EQ(recordlines::lines(""), Lines());
    EXPECT_EQ(recordlines::lines("\n"), Lines({""}));
    EXPECT_EQ(recordlines::lines("a\r\nb\r\n"), Lines({"a", "b"}));
    EXPECT_EQ(recordlines::lines("a\nb"), Lines({"a", "b"})) << "no final line end";
    EXPECT_EQ(recordlines::lines("a\r"), Lines({"a"})) << "a CR at the very end ends the line";
    EXPECT_EQ(recordlines::lines("a\rb\r\r\n"), Lines({"a\rb\r"})) << "only the CR before LF is the line end";
    EXPECT_EQ(recordlines::lines("a\n\r\n\nb"), Lines({"a", "", "", "b"}));
    EXPECT_EQ(recordlines::lines("a\n\r\n\nb\n\n", Empty::Skip), Lines({"a", "b"}));
    EXPECT_EQ(recordlines::lines("\r", Empty::Skip), Lines());
}

TEST(RecordLines, RecordsEndAtTheirCrLf)
{
    const QByteArray stream = "RA1\r\nH1\r2\r\nRA\n3";
    QList<QByteArrayView> records;
    for (qsizetype at = 0; at < stream.size(); at += records.back().size())
        records.append(recordlines::recordAt(stream, at));
    EXPECT_EQ(records, QList<QByteArrayView>({"RA1\r\n", "H1\r2\r\n", "RA\n3"})) << "the rest has no CR LF";
    EXPECT_TRUE(recordlines::recordAt(stream, stream.size()).isEmpty());
    EXPECT_TRUE(recordlines::recordAt("", 0).isEmpty());
}
