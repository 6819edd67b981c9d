#include "odds/model/ReferenceSheet.h"
#include "odds/ui/ReferenceTab.h"
#include "support/SampleRace.h"

#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(ReferenceTab, ShowsTheModelsTotalsAndLines)
{
    const tavek::test::H1Record race = sampleRace18();
    const auto sheet = tavek::sim::referenceSheet(race);
    ReferenceTab tab;
    tab.referenceSection(race, tavek::test::H6Record().registered(18).total(123'456).bytes());
    for (int t = 0; t < tavek::pools::kVoteCountPools; ++t)
        EXPECT_EQ(tab.totalBox(t)->text(), sheet.totals[size_t(t)]);
    EXPECT_EQ(tab.totalBox(int(tavek::pools::Pool::Trifecta))->text(), "    123,456") << "from its own record";
    ASSERT_EQ(tab.ListBox1->count(), 306);
    ASSERT_EQ(tab.ListBox2->count(), 816);
    EXPECT_EQ(tab.ListBox1->item(0)->text(), sheet.exacta.front());
    EXPECT_EQ(tab.ListBox2->item(815)->text(), sheet.trio.back());
    EXPECT_EQ(tab.ListBox1->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_TRUE(tab.ListBox2->font().bold());

    // A race without votes empties the lists.
    tab.referenceSection(QByteArray(28955, ' '));
    EXPECT_EQ(tab.ListBox1->count(), 0);
    EXPECT_EQ(tab.totalBox(0)->text(), "          0");
    EXPECT_EQ(tab.totalBox(int(tavek::pools::Pool::Trifecta))->text(), "          0") << "no trifecta record";
}
