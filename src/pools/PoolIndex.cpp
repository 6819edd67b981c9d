#include "pools/PoolIndex.h"

#include <utility>

namespace tavek::pools {

namespace {

// Whether the numbers of `r` stand in the numbering's order; their range is
// not checked.
constexpr bool inOrder(const Numbering& numbering, const EntryRunners& r)
{
    for (size_t i = 1; i < size_t(numbering.numbers); ++i)
        for (size_t j = 0; j < i; ++j) {
            const bool ordered = numbering.order == Order::Ordered     ? r[j] != r[i]
                                 : numbering.order == Order::Repeating ? r[j] <= r[i]
                                                                       : r[j] < r[i];
            if (!ordered)
                return false;
        }
    return true;
}

// Pool P's entries both ways, made by the compiler: entry n's numbers, and
// the entry of each combination of numbers 1..highest (its key: the numbers
// as the digits of a number to the base highest + 1), found by a walk over
// every combination in lexicographic order, the record's order. The pair
// pools look entries up in their inner loops.
template <size_t P>
struct EntryTable {
    static constexpr Numbering kNumbering = kPools[P].numbering;
    static constexpr size_t kSpan = size_t(kNumbering.highest) + 1;
    static constexpr size_t kKeys = kNumbering.numbers == 1   ? kSpan
                                    : kNumbering.numbers == 2 ? kSpan * kSpan
                                                              : kSpan * kSpan * kSpan;

    std::array<EntryRunners, size_t(kNumbering.count())> runners{};
    std::array<int, kKeys> entries{};

    constexpr EntryTable()
    {
        EntryRunners r{};
        for (int i = 0; i < kNumbering.numbers; ++i)
            r[size_t(i)] = 1;
        size_t n = 0;
        for (;;) {
            if (inOrder(kNumbering, r)) {
                size_t key = 0;
                for (int i = 0; i < kNumbering.numbers; ++i)
                    key = key * kSpan + size_t(r[size_t(i)]);
                runners.at(n) = r;  // more combinations than count() stop the build here
                entries[key] = int(++n);
            }
            int i = kNumbering.numbers - 1;
            while (i >= 0 && r[size_t(i)] == kNumbering.highest)
                r[size_t(i--)] = 1;
            if (i < 0)
                break;
            ++r[size_t(i)];
        }
    }
};

template <size_t P>
inline constexpr EntryTable<P> kTable{};

// What the lookups need of any pool's table.
struct TableView {
    Numbering numbering;
    int count;                    // numbering.count(), which the lookups would otherwise work out each time
    const EntryRunners* runners;  // entry n at [n - 1]
    const int* entries;           // by key; 0 for no entry
};

template <size_t... P>
constexpr std::array<TableView, sizeof...(P)> viewsOf(std::index_sequence<P...>)
{
    return {TableView{kPools[P].numbering, kPools[P].numbering.count(), kTable<P>.runners.data(),
                      kTable<P>.entries.data()}...};
}

constexpr std::array<TableView, kPoolCount> kTables = viewsOf(std::make_index_sequence<kPoolCount>{});

}  // namespace

EntryRunners entryRunners(Pool pool, int n)
{
    const TableView& t = kTables[size_t(pool)];
    return n >= 1 && n <= t.count ? t.runners[n - 1] : EntryRunners{};
}

int entryOf(Pool pool, int a, int b, int c)
{
    const TableView& t = kTables[size_t(pool)];
    const auto number = [&t](int x) { return unsigned(x) - 1 < unsigned(t.numbering.highest); };
    const size_t span = size_t(t.numbering.highest) + 1;
    switch (t.numbering.numbers) {
    case 1:
        return number(a) && b == 0 && c == 0 ? t.entries[a] : 0;
    case 2:
        return number(a) && number(b) && c == 0 ? t.entries[size_t(a) * span + size_t(b)] : 0;
    default:
        return number(a) && number(b) && number(c) ? t.entries[(size_t(a) * span + size_t(b)) * span + size_t(c)] : 0;
    }
}

QString entryLabel(Pool pool, int n)
{
    QString label;
    for (int runner : entryRunners(pool, n))
        if (runner > 0)
            label += (label.isEmpty() ? QString() : QStringLiteral("-")) + QString::number(runner);
    return label;
}

}  // namespace tavek::pools
