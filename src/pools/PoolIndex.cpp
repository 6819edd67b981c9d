#include "pools/PoolIndex.h"

#include "pools/PairIndex.h"

#include <vector>

namespace tavek::pools {

namespace {

constexpr int kMaxRunner = 18;  // the pair and triple pools' field

// Every trio in the record's order: counting lexicographic triples is not
// worth the arithmetic for 816 entries.
const std::vector<EntryRunners>& trios()
{
    static const std::vector<EntryRunners> table = [] {
        std::vector<EntryRunners> t;
        t.reserve(size_t(layout::kTrioEntries));
        for (int a = 1; a <= kMaxRunner; ++a)
            for (int b = a + 1; b <= kMaxRunner; ++b)
                for (int c = b + 1; c <= kMaxRunner; ++c)
                    t.push_back({a, b, c});
        return t;
    }();
    return table;
}

bool inRange(pools::Pool pool, int n)
{
    return isBoardPool(pool) && n >= 1 && n <= pools::pool(pool).entries;
}

}  // namespace

EntryRunners entryRunners(pools::Pool pool, int n)
{
    if (!inRange(pool, n))
        return {};
    switch (pool) {
    case pools::Pool::Place:
        return {n, 0, 0};
    case pools::Pool::Wide: {
        const PairNumbers p = pairNumbers(PairKind::Quinella, n);
        return {p.first, p.second, 0};
    }
    case pools::Pool::Exacta: {
        const int a = (n - 1) / (kMaxRunner - 1) + 1;
        const int j = (n - 1) % (kMaxRunner - 1) + 1;  // j-th runner other than a
        return {a, j < a ? j : j + 1, 0};
    }
    default:
        return trios()[size_t(n - 1)];
    }
}

int entryOf(pools::Pool pool, int a, int b, int c)
{
    const auto runner = [](int h) { return h >= 1 && h <= kMaxRunner; };
    switch (pool) {
    case pools::Pool::Place:
        return a >= 1 && a <= layout::kMaxWinEntries && b == 0 && c == 0 ? a : 0;
    case pools::Pool::Wide:
        return c == 0 ? pairIndexOf(PairKind::Quinella, a, b) : 0;
    case pools::Pool::Exacta:
        return runner(a) && runner(b) && a != b && c == 0 ? (a - 1) * (kMaxRunner - 1) + (b < a ? b : b - 1) : 0;
    case pools::Pool::Trio: {
        if (!runner(a) || !runner(c) || !(a < b && b < c))
            return 0;
        // Triples before a, then those of a before b, then c's place.
        const auto choose2 = [](int n) { return n * (n - 1) / 2; };
        const auto choose3 = [](int n) { return n * (n - 1) * (n - 2) / 6; };
        const int beforeA = choose3(kMaxRunner) - choose3(kMaxRunner - a + 1);
        const int beforeB = choose2(kMaxRunner - a) - choose2(kMaxRunner - b + 1);
        return beforeA + beforeB + (c - b);
    }
    default:
        return 0;
    }
}

QString entryLabel(pools::Pool pool, int n)
{
    QString label;
    for (int runner : entryRunners(pool, n))
        if (runner > 0)
            label += (label.isEmpty() ? QString() : QStringLiteral("-")) + QString::number(runner);
    return label;
}

}  // namespace tavek::pools
