#include "pools/PairIndex.h"

#include <array>

namespace tavek::pools {

namespace {

template <PairKind Kind>
const std::array<QString, pairCount(Kind) + 1>& labels()
{
    static const auto table = [] {
        std::array<QString, pairCount(Kind) + 1> t;
        for (int k = 1; k <= pairCount(Kind); ++k) {
            const PairNumbers ab = pairNumbers(Kind, k);
            t[size_t(k)] = QStringLiteral("%1-%2").arg(ab.first, 2).arg(ab.second, 2);
        }
        return t;
    }();
    return table;
}

}  // namespace

PairNumbers pairNumbers(PairKind kind, int k)
{
    const EntryRunners r = entryRunners(pairPool(kind), k);
    return {r[0], r[1]};
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
