#include "pools/PoolIndex.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavek::pools;

namespace {

struct Sample {
    int entry;
    const char* label;
};

struct Expected {
    Pool pool;
    int entries;
    int firstPosition;  // of entry 1 in the pool's record
    int lastPosition;   // of the last entry
    Sample first, last, inside[2];
    EntryRunners refused[2];
};

// JV-Data's numbering of the pools of the vote-count records.
// clang-format off
const Expected kNumbering[] = {
    {Pool::Win,      28,    84,   489, {1, "1"},     {28, "28"},        {{2, "2"},      {18, "18"}},     {{29, 0, 0}, {1, 2, 0}}},
    {Pool::Place,    28,   504,   909, {1, "1"},     {28, "28"},        {{2, "2"},      {19, "19"}},     {{29, 0, 0}, {0, 0, 0}}},
    {Pool::Bracket,  36,   924,  1449, {1, "1-1"},   {36, "8-8"},       {{8, "1-8"},    {9, "2-2"}},     {{2, 1, 0},  {9, 9, 0}}},
    {Pool::Quinella, 153, 1464,  4200, {1, "1-2"},   {153, "17-18"},    {{17, "1-18"},  {18, "2-3"}},    {{3, 3, 0},  {1, 19, 0}}},
    {Pool::Wide,     153, 4218,  6954, {1, "1-2"},   {153, "17-18"},    {{17, "1-18"},  {18, "2-3"}},    {{2, 1, 0},  {1, 2, 3}}},
    {Pool::Exacta,   306, 6972, 12462, {1, "1-2"},   {306, "18-17"},    {{17, "1-18"},  {18, "2-1"}},    {{3, 3, 0},  {0, 1, 0}}},
    {Pool::Trio,     816, 12480, 28780, {1, "1-2-3"}, {816, "16-17-18"}, {{16, "1-2-18"}, {17, "1-3-4"}}, {{1, 3, 2},  {1, 2, 19}}},
    // The trifecta's own record (H6).
    {Pool::Trifecta, 4896,  51, 102846, {1, "1-2-3"}, {4896, "18-17-16"}, {{16, "1-2-18"}, {17, "1-3-2"}}, {{1, 1, 2}, {1, 2, 19}}},
};
// clang-format on

}  // namespace

TEST(PoolIndex, NumbersEveryEntryAsTheRecordDoes)
{
    for (const Expected& e : kNumbering) {
        const VotePool& p = pool(e.pool);
        SCOPED_TRACE(p.key);
        EXPECT_EQ(p.entries, e.entries);
        EXPECT_EQ(p.entry(1), e.firstPosition);
        EXPECT_EQ(p.entry(e.entries), e.lastPosition);
        for (const Sample& s : {e.first, e.last, e.inside[0], e.inside[1]}) {
            EXPECT_EQ(entryLabel(e.pool, s.entry), s.label);
            const EntryRunners r = entryRunners(e.pool, s.entry);
            EXPECT_EQ(entryOf(e.pool, r[0], r[1], r[2]), s.entry) << s.label;
        }
        EXPECT_EQ(entryLabel(e.pool, 0), "");
        EXPECT_EQ(entryLabel(e.pool, e.entries + 1), "");
        for (const EntryRunners& r : e.refused)
            EXPECT_EQ(entryOf(e.pool, r[0], r[1], r[2]), 0) << r[0] << '-' << r[1] << '-' << r[2];

        // Every combination of numbers 0..29: each entry is named by exactly
        // one, which it gives back, and the entries follow their numbers'
        // lexicographic order.
        std::vector<EntryRunners> named(size_t(e.entries) + 1);
        int hits = 0;
        const int top = p.runners >= 2 ? 29 : 0, third = p.runners == 3 ? 29 : 0;
        for (int a = 0; a <= 29; ++a)
            for (int b = 0; b <= top; ++b)
                for (int c = 0; c <= third; ++c)
                    if (const int n = entryOf(e.pool, a, b, c); n != 0) {
                        ++hits;
                        ASSERT_TRUE(n >= 1 && n <= e.entries) << n;
                        EXPECT_EQ(named[size_t(n)], EntryRunners{}) << "entry " << n << " named twice";
                        named[size_t(n)] = {a, b, c};
                    }
        EXPECT_EQ(hits, e.entries);
        for (int n = 1; n <= e.entries; ++n) {
            EXPECT_EQ(entryRunners(e.pool, n), named[size_t(n)]) << n;
            if (n > 1) {
                EXPECT_LT(named[size_t(n - 1)], named[size_t(n)]) << n;
            }
        }
    }
    // A pool of ordered triples (the trifecta) is one more numbering.
    EXPECT_EQ((Numbering{3, kMaxRunners, Order::Ordered}.count()), 4896);
}
