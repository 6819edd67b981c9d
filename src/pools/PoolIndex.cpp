#include "pools/PoolIndex.h"

#include <vector>

namespace tavek::pools {

namespace {

// Whether the numbers of `r` stand in the numbering's order; their range is
// not checked.
bool inOrder(const Numbering& numbering, const EntryRunners& r)
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

// The entries of one pool both ways: entry n's numbers, and the entry of each
// combination of numbers 1..highest, found by a walk over every combination
// in lexicographic order, the record's order.
class EntryTable {
public:
    explicit EntryTable(const Numbering& numbering) : numbering_(numbering)
    {
        int keys = 1;
        for (int i = 0; i < numbering.numbers; ++i)
            keys *= numbering.highest + 1;
        entries_.assign(size_t(keys), 0);
        EntryRunners r{};
        for (int i = 0; i < numbering.numbers; ++i)
            r[size_t(i)] = 1;
        for (;;) {
            if (inOrder(numbering, r)) {
                runners_.push_back(r);
                entries_[size_t(key(r))] = int(runners_.size());
            }
            int i = numbering.numbers - 1;
            while (i >= 0 && r[size_t(i)] == numbering.highest)
                r[size_t(i--)] = 1;
            if (i < 0)
                break;
            ++r[size_t(i)];
        }
    }

    EntryRunners runners(int n) const
    {
        return n >= 1 && n <= int(runners_.size()) ? runners_[size_t(n - 1)] : EntryRunners{};
    }

    int entryOf(const EntryRunners& r) const
    {
        for (size_t i = 0; i < r.size(); ++i) {
            const bool used = int(i) < numbering_.numbers;
            if (used ? r[i] < 1 || r[i] > numbering_.highest : r[i] != 0)
                return 0;
        }
        return entries_[size_t(key(r))];
    }

private:
    int key(const EntryRunners& r) const
    {
        int k = 0;
        for (int i = 0; i < numbering_.numbers; ++i)
            k = k * (numbering_.highest + 1) + r[size_t(i)];
        return k;
    }

    Numbering numbering_;
    std::vector<EntryRunners> runners_;  // entry n at [n - 1]
    std::vector<int> entries_;           // by key; 0 for no entry
};

const EntryTable& table(Pool pool)
{
    static const std::vector<EntryTable> tables = [] {
        std::vector<EntryTable> t;
        for (const VotePool& p : kPools)
            t.emplace_back(p.numbering);
        return t;
    }();
    return tables[size_t(pool)];
}

}  // namespace

EntryRunners entryRunners(Pool pool, int n)
{
    return table(pool).runners(n);
}

int entryOf(Pool pool, int a, int b, int c)
{
    return table(pool).entryOf({a, b, c});
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
