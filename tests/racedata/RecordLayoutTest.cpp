#include "racedata/RecordLayout.h"

#include <gtest/gtest.h>

using namespace tavek;

// Every record type begins with the same header; a record that ends early
// gives its fields cut short, never read past its end.
TEST(RecordLayout, HeaderFieldsOfWholeAndShortRecords)
{
    struct Case {
        QByteArrayView record, type, category, created, date, course, race, key, header;
    };
    const Case cases[] = {
        {"H17200504152005041605020811rest", "H1", "7", "20050415", "20050416", "05", "11", "2005041605020811",
         "H17200504152005041605020811"},
        {"HR220240526202405260803010", "HR", "2", "20240526", "20240526", "08", "0", "202405260803010",
         "HR220240526202405260803010"},
        {"RA1200504", "RA", "1", "200504", "", "", "", "", "RA1200504"},
        {"", "", "", "", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record.toByteArray().toStdString());
        EXPECT_EQ(layout::recordType(c.record), c.type);
        EXPECT_EQ(layout::dataCategory(c.record), c.category);
        EXPECT_EQ(layout::creationDate(c.record), c.created);
        EXPECT_EQ(layout::raceDate(c.record), c.date);
        EXPECT_EQ(layout::courseCode(c.record), c.course);
        EXPECT_EQ(layout::raceNumber(c.record), c.race);
        EXPECT_EQ(layout::raceKey(c.record), c.key);
        EXPECT_EQ(layout::header(c.record), c.header);
    }
}
