#include "pools/PairIndex.h"

#include "racedata/NumberFormat.h"

#include <array>

namespace tavek::pools {

namespace {

constexpr int maxNumber(PairKind kind)
{
    return kind == PairKind::Quinella ? 18 : 8;
}
constexpr bool samePairs(PairKind kind)
{
    return kind == PairKind::Bracket;
}

template <PairKind Kind>
const std::array<QString, pairCount(Kind) + 1>& labels()
{
    static const auto table = [] {
        std::array<QString, pairCount(Kind) + 1> t;
        int k = 0;
        for (int a = 1; a <= maxNumber(Kind); ++a)
            for (int b = samePairs(Kind) ? a : a + 1; b <= maxNumber(Kind); ++b)
                t[size_t(++k)] = fmt::integer(a, 2) + u'-' + fmt::integer(b, 2);
        return t;
    }();
    return table;
}

}  // namespace

PairNumbers pairNumbers(PairKind kind, int k)
{
    if (k < 1 || k > pairCount(kind))
        return {};
    // Walk the columns: column a holds the pairs of first number a.
    int a = 1;
    int first = samePairs(kind) ? a : a + 1;
    int columnSize = maxNumber(kind) - first + 1;
    while (k > columnSize) {
        k -= columnSize;
        ++a;
        first = samePairs(kind) ? a : a + 1;
        columnSize = maxNumber(kind) - first + 1;
    }
    return {a, first + k - 1};
}

int pairIndexOf(PairKind kind, int a, int b)
{
    const int n = maxNumber(kind);
    if (a < 1 || b > n || (samePairs(kind) ? b < a : b <= a))
        return 0;
    return kind == PairKind::Quinella ? (a - 1) * (36 - a) / 2 + (b - a) : (a - 1) * (18 - a) / 2 + (b - a) + 1;
}

QString pairLabel(PairKind kind, int k)
{
    if (k < 1 || k > pairCount(kind))
        return {};
    return kind == PairKind::Quinella ? labels<PairKind::Quinella>()[size_t(k)]
                                      : labels<PairKind::Bracket>()[size_t(k)];
}

int pairIndex(PairKind kind, QStringView label)
{
    for (int k = 1; k <= pairCount(kind); ++k)
        if (pairLabel(kind, k) == label)
            return k;
    return 0;
}

}  // namespace tavek::pools
