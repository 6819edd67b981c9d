#include "pools/FinishingOrder.h"
#include "pools/PoolIndex.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tavek;
using pools::FinishingOrder;
using pools::Pool;

namespace {

struct Case {
    const char* what;
    Pool pool;
    int starters;
    FinishingOrder order;
    QStringList winners;  // entry labels, ascending by entry
};

// Brackets of the runners: 1 and 2 in bracket 1, then one bracket a runner
// up to 7 and 8 together in bracket 7.
pools::Brackets brackets()
{
    return {0, 1, 1, 2, 3, 4, 5, 6, 7, 7};
}

const FinishingOrder kPlain{{{5}, {2}, {9}}};
const FinishingOrder kDeadHeatFirst{{{4, 6}, {1}}};
const FinishingOrder kDeadHeatThird{{{3}, {7}, {2, 9}}};
const FinishingOrder kThreeSecond{{{1}, {2, 3, 4}}};

const Case kCases[] = {
    {"win", Pool::Win, 16, kPlain, {"5"}},
    {"place of three with 8 starters", Pool::Place, 8, kPlain, {"2", "5", "9"}},
    {"place of two with 7", Pool::Place, 7, kPlain, {"2", "5"}},
    {"wide", Pool::Wide, 16, kPlain, {"2-5", "2-9", "5-9"}},
    {"exacta in the order of finishing", Pool::Exacta, 16, kPlain, {"5-2"}},
    {"trio ascending", Pool::Trio, 16, kPlain, {"2-5-9"}},
    {"trifecta", Pool::Trifecta, 16, kPlain, {"5-2-9"}},
    {"bracket quinella", Pool::Bracket, 16, kPlain, {"1-4"}},
    {"one bracket twice", Pool::Bracket, 16, {{{8}, {9}, {1}}}, {"7-7"}},

    {"dead heat for first: win pays both", Pool::Win, 16, kDeadHeatFirst, {"4", "6"}},
    {"dead heat for first: exacta both ways", Pool::Exacta, 16, kDeadHeatFirst, {"4-6", "6-4"}},
    {"dead heat for first: one quinella", Pool::Quinella, 16, kDeadHeatFirst, {"4-6"}},
    {"dead heat for first: trifecta", Pool::Trifecta, 16, kDeadHeatFirst, {"4-6-1", "6-4-1"}},
    {"dead heat for first: the third still places", Pool::Place, 16, kDeadHeatFirst, {"1", "4", "6"}},
    {"dead heat for first: brackets of the two only", Pool::Bracket, 16, kDeadHeatFirst, {"3-5"}},

    {"dead heat for third: place pays four", Pool::Place, 12, kDeadHeatThird, {"2", "3", "7", "9"}},
    {"dead heat for third: not with 7 starters", Pool::Place, 7, kDeadHeatThird, {"3", "7"}},
    {"dead heat for third: five wide pairs, never the two",
     Pool::Wide,
     12,
     kDeadHeatThird,
     {"2-3", "2-7", "3-7", "3-9", "7-9"}},
    {"dead heat for third: trio", Pool::Trio, 12, kDeadHeatThird, {"2-3-7", "3-7-9"}},
    {"dead heat for third: trifecta", Pool::Trifecta, 12, kDeadHeatThird, {"3-7-2", "3-7-9"}},
    {"dead heat for third: exacta unchanged", Pool::Exacta, 12, kDeadHeatThird, {"3-7"}},

    {"three second together: three quinellas", Pool::Quinella, 12, kThreeSecond, {"1-2", "1-3", "1-4"}},
    {"three second together: six trifectas",
     Pool::Trifecta,
     12,
     kThreeSecond,
     {"1-2-3", "1-2-4", "1-3-2", "1-3-4", "1-4-2", "1-4-3"}},
    {"three second together: place of two pays all four", Pool::Place, 6, kThreeSecond, {"1", "2", "3", "4"}},

    {"a runner the pair pools do not number", Pool::Quinella, 16, {{{19}, {2}}}, {}},
    {"a finish too short for the pool", Pool::Trio, 16, {{{1}, {2}}}, {}},
};

}  // namespace

TEST(FinishingOrder, EachPoolPaysTheEntriesTheOrderWinsDeadHeatsEveryWay)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        QStringList labels;
        for (int entry : pools::winningEntries(c.pool, c.order, c.starters, brackets()))
            labels.append(pools::entryLabel(c.pool, entry));
        EXPECT_EQ(labels, c.winners);
    }
}
