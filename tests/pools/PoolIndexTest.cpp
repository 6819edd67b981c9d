#include "pools/PoolIndex.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tavek::pools;

TEST(PoolIndex, NumbersEveryEntryAsTheRecordDoes)
{
    const std::pair<Pool, int> ends[] = {{Pool::Place, 28}, {Pool::Wide, 153}, {Pool::Exacta, 306}, {Pool::Trio, 816}};
    for (const auto& [pool, entries] : ends)
        for (int n = 1; n <= entries; ++n) {
            const EntryRunners r = entryRunners(pool, n);
            ASSERT_EQ(entryOf(pool, r[0], r[1], r[2]), n) << entryLabel(pool, n).toStdString();
        }
    EXPECT_EQ(entryLabel(Pool::Exacta, 18), "2-1");
    EXPECT_EQ(entryLabel(Pool::Exacta, 306), "18-17");
    EXPECT_EQ(entryLabel(Pool::Trio, 16), "1-2-18");
    EXPECT_EQ(entryLabel(Pool::Trio, 17), "1-3-4");
    EXPECT_EQ(entryLabel(Pool::Trio, 816), "16-17-18");
    EXPECT_EQ(entryLabel(Pool::Trio, 817), "");
    for (const auto& [pool, a, b, c] :
         {std::tuple{Pool::Exacta, 3, 3, 0}, std::tuple{Pool::Wide, 2, 1, 0}, std::tuple{Pool::Trio, 1, 3, 2},
          std::tuple{Pool::Trio, 1, 2, 19}, std::tuple{Pool::Place, 29, 0, 0}, std::tuple{Pool::Win, 1, 0, 0}})
        EXPECT_EQ(entryOf(pool, a, b, c), 0) << a << '-' << b << '-' << c;
}
