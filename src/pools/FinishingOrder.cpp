#include "pools/FinishingOrder.h"

#include "pools/PoolIndex.h"

#include <algorithm>

namespace tavek::pools {

namespace {

// A runner of the order and the places it may take: from its own place to
// the last its dead heat shares.
struct Span {
    int runner;
    int first;
    int last;
};

std::vector<Span> spansOf(const FinishingOrder& order)
{
    std::vector<Span> spans;
    int place = 1;
    for (const std::vector<int>& runners : order.places) {
        const int last = place + int(runners.size()) - 1;
        for (int runner : runners)
            spans.push_back({runner, place, last});
        place = last + 1;
    }
    return spans;
}

// The places a pool's entry is won with, one set of places per way: win
// first, exacta first and second, wide any two of the first three.
using Places = std::array<int, 3>;

std::vector<Places> placesWon(Pool pool, int starters)
{
    switch (pool) {
    case Pool::Win:
        return {{1}};
    case Pool::Place: {
        std::vector<Places> ways;
        for (int place = 1; place <= placeWinners(starters); ++place)
            ways.push_back({place});
        return ways;
    }
    case Pool::Wide:
        return {{1, 2}, {1, 3}, {2, 3}};
    case Pool::Trio:
    case Pool::Trifecta:
        return {{1, 2, 3}};
    default:  // bracket quinella, quinella, exacta
        return {{1, 2}};
    }
}

// The entry of the runners `r`, taken in the places they finished in, as the
// pool numbers it: in that order, ascending, or as brackets.
int entryOfRunners(Pool pool, EntryRunners r, int count, const Brackets& brackets)
{
    if (pool == Pool::Bracket) {
        for (int i = 0; i < count; ++i)
            r[size_t(i)] = r[size_t(i)] >= 1 && r[size_t(i)] <= kMaxRunners ? brackets[size_t(r[size_t(i)])] : 0;
    }
    if (pool != Pool::Exacta && pool != Pool::Trifecta)
        std::sort(r.begin(), r.begin() + count);
    return entryOf(pool, r[0], r[1], r[2]);
}

}  // namespace

int placeWinners(int starters)
{
    return starters >= 8 ? 3 : 2;
}

std::vector<int> winningEntries(Pool pool, const FinishingOrder& order, int starters, const Brackets& brackets)
{
    const std::vector<Span> spans = spansOf(order);
    const int count = pools::pool(pool).runners;
    std::vector<int> entries;
    // Each way of taking `count` runners in turn for the places of a way; a
    // race pays at most a handful of runners, so a plain walk is enough.
    for (const Places& places : placesWon(pool, starters)) {
        std::array<size_t, 3> pick{};
        const auto fits = [&](int i) {
            const Span& s = spans[pick[size_t(i)]];
            for (int j = 0; j < i; ++j)
                if (pick[size_t(j)] == pick[size_t(i)])
                    return false;
            return s.first <= places[size_t(i)] && places[size_t(i)] <= s.last;
        };
        const auto walk = [&](auto& self, int i) -> void {
            if (i == count) {
                EntryRunners r{};
                for (int j = 0; j < count; ++j)
                    r[size_t(j)] = spans[pick[size_t(j)]].runner;
                if (const int entry = entryOfRunners(pool, r, count, brackets))
                    entries.push_back(entry);
                return;
            }
            for (pick[size_t(i)] = 0; pick[size_t(i)] < spans.size(); ++pick[size_t(i)])
                if (fits(i))
                    self(self, i + 1);
        };
        walk(walk, 0);
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

}  // namespace tavek::pools
