#include "odds/model/WinTexts.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using test::H1Record;
using test::RaRecord;

namespace {

std::unique_ptr<DayData> dayWith(const H1Record& votes, const RaRecord& race = RaRecord())
{
    auto day = std::make_unique<DayData>();
    day->setVoteRecord(0, votes.bytes());
    day->setRaceRecord(0, race.bytes());
    return day;
}

QStringList row(const DayData& day, int horse, const win::InputTexts& inputs = {})
{
    QStringList cells;
    for (int c = 0; c < win::kColumns; ++c)
        cells.append(win::cellText(day, 0, horse, c, inputs));
    return cells;
}

}  // namespace

TEST(WinTexts, RaceHeader)
{
    auto day = dayWith(H1Record(test::raceKey("20050416", "05", 11, 2, 8)).registered(8).starters(7),
                       RaRecord().name(QStringLiteral("皐月賞")));
    const win::HeaderTexts h = win::headerTexts(*day, 0);
    EXPECT_EQ(h.dateLine, QStringLiteral("2005年04月16日東京  02回08日11R"));
    EXPECT_EQ(h.course, QStringLiteral("東京  "));
    EXPECT_EQ(h.number, "11");
    EXPECT_EQ(h.runners, QStringLiteral(" 8頭"));
    EXPECT_EQ(h.starters, QStringLiteral("[ 出走頭数： 7頭]"));
    EXPECT_EQ(h.name, QStringLiteral("皐月賞") + QString(54, u' '));

    auto first = dayWith(H1Record(test::raceKey("20050416", "05", 1)).registered(16).starters(16));
    EXPECT_EQ(win::headerTexts(*first, 0).number, "1");
    EXPECT_TRUE(win::headerTexts(*first, 0).dateLine.endsWith(QStringLiteral("01R")));
    EXPECT_EQ(win::headerTexts(*first, 0).runners, QStringLiteral("16頭"));

    // Votes not fetched yet: the race card names the race.
    auto card = std::make_unique<DayData>();
    const RaRecord ra = RaRecord(test::raceKey("20050416", "06", 12, 3, 4)).name(QStringLiteral("中山最終"));
    card->setRaceRecord(0, ra.bytes());
    const win::HeaderTexts c = win::headerTexts(*card, 0);
    EXPECT_EQ(c.dateLine, QStringLiteral("2005年04月16日中山  03回04日12R"));
    EXPECT_EQ(c.number, "12");
    EXPECT_TRUE(c.name.startsWith(QStringLiteral("中山最終")));
    EXPECT_TRUE(c.runners.isEmpty());
    EXPECT_TRUE(c.starters.isEmpty());
}

TEST(WinTexts, RowsOfRealAndVirtualFigures)
{
    auto day = dayWith(test::exampleWinRace().registered(12).win(2, 0).refund(2).win(3, -1));
    win::winReset(*day, 0);
    const win::InputTexts inputs;
    EXPECT_EQ(win::totalText(*day, 0), "  1,000,000");
    // Votes with separators, as every count of votes on screen.
    EXPECT_EQ(row(*day, 1), QStringList({"1", " 1", "   100,000", "     10.0", "      8.0", " ", " ", " ", "   100,000",
                                         "     10.0", "      8.0"}));
    // A scratched runner: refund mark, votes 0, share 0.0, no odds.
    EXPECT_EQ(row(*day, 2), QStringList({"2", " 2", "         0", "      0.0", " ", QStringLiteral("返還"), " ", " ",
                                         " ", "      0.0", " "}));
    EXPECT_EQ(win::cellText(*day, 0, 3, 2, inputs), " ") << "a blank vote field";
    EXPECT_EQ(win::cellText(*day, 0, 3, 3, inputs), "      0.0");
    EXPECT_EQ(win::cellText(*day, 0, 12, 0, inputs), "8");
    EXPECT_EQ(win::rowBracket(*day, 0, 4), 4);
    EXPECT_EQ(win::cellText(*day, 0, 19, 8, inputs), " ");
    EXPECT_EQ(win::cellText(*day, 0, 30, 2, inputs), " ");
    EXPECT_EQ(win::columnHeaders().size(), win::kColumns);
    EXPECT_EQ(win::columnHeaders()[10], QStringLiteral("オッズ(仮想)"));
}

TEST(WinTexts, BadFieldsPaintAsBlank)
{
    auto day = dayWith(test::exampleWinRace().put(layout::winVotes(1), "12x45678901"));
    win::winReset(*day, 0);
    EXPECT_EQ(win::cellText(*day, 0, 1, 2, {}), " ");
    EXPECT_EQ(win::cellText(*day, 0, 1, 8, {}), " ");
}

// The odds column names what it shows: the final figures (確定オッズ) or a
// quick report's (速報オッズ), which the race header dates.
TEST(WinTexts, AQuickReportIsNamedAsSuch)
{
    EXPECT_EQ(win::columnHeaders()[4], QStringLiteral("確定オッズ"));
    EXPECT_EQ(win::columnHeaders(true)[4], QStringLiteral("速報オッズ"));
    EXPECT_EQ(win::columnHeaders(true)[3], win::columnHeaders()[3]);
    EXPECT_FALSE(win::quickReport(*dayWith(H1Record(test::raceKey(), '4')), 0));
    EXPECT_TRUE(win::quickReport(*dayWith(H1Record(test::raceKey(), '0')), 0));
    EXPECT_FALSE(win::quickReport(DayData(), 0)) << "no votes at all";

    const QDate day(2026, 12, 6);
    const QDateTime morning(day, QTime(10, 32, 15));
    EXPECT_EQ(win::reportText(false, morning, day), "");
    EXPECT_EQ(win::reportText(true, std::nullopt, day), QStringLiteral("速報"));
    EXPECT_EQ(win::reportText(true, morning, day), QStringLiteral("速報 10:32:15現在"));
    EXPECT_EQ(win::reportText(true, morning.addDays(-1), day), QStringLiteral("速報 12/05 10:32:15現在"));
}
