#include "odds/model/ReferenceSheet.h"

#include "pools/PoolIndex.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <algorithm>
#include <array>
#include <compare>
#include <functional>
#include <vector>

namespace tavek::sim {

namespace {

int total(QByteArrayView record, const pools::VotePool& pool)
{
    return record::blankAsZero(record, pool.total, layout::kVoteLen);
}

// One entry with votes: its votes, then its runners.
struct Ranked {
    int votes;
    std::array<int, 3> runners;
    auto operator<=>(const Ranked&) const = default;
};

// Ranks the entries with votes, highest votes first, then the highest
// combination; a repeated entry counts once. The entries are ranked as
// numbers and each line is formatted once: a race has up to 816 of them, and
// the tab computes them at every race switch.
QStringList rankedLines(QByteArrayView record, pools::Pool which, std::vector<int>& entries)
{
    const pools::VotePool& pool = pools::pool(which);
    const double poolVotes = total(record, pool);
    if (poolVotes <= 0)
        return {};
    std::vector<Ranked> ranked;
    ranked.reserve(size_t(pool.entries));
    for (int n = 1; n <= pool.entries; ++n) {
        Ranked r{record::zeroDefault(record, pool.votes(n), layout::kVoteLen), {}};
        if (r.votes <= 0)
            continue;
        for (int j = 0; j < pool.runners; ++j)
            r.runners[size_t(j)] = record::zeroDefault(record, pool.entry(n) + 2 * j, 2);
        ranked.push_back(r);
    }
    std::sort(ranked.begin(), ranked.end(), std::greater<>());
    ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
    QStringList lines;
    lines.reserve(qsizetype(ranked.size()));
    entries.reserve(ranked.size());
    int rank = 0;
    for (const Ranked& r : ranked) {
        entries.push_back(pools::entryOf(which, r.runners[0], r.runners[1], r.runners[2]));
        QString line = fmt::integer(++rank, 3);
        line.reserve(3 + 1 + combinationWidth(pool) + 10 + 6 + 1);
        line += u' ';
        for (int j = 0; j < pool.runners; ++j) {
            if (j > 0)
                line += u'-';
            line += fmt::integer(r.runners[size_t(j)], 2);
        }
        line += fmt::grouped(r.votes, 10);
        line += fmt::odds6(static_cast<long double>(r.votes) / poolVotes * 100);
        line += u'%';
        lines.append(std::move(line));
    }
    return lines;
}

}  // namespace

ReferenceSheet referenceSheet(QByteArrayView record, QByteArrayView trifecta)
{
    ReferenceSheet sheet;
    for (size_t t = 0; t < pools::voteCountPools().size(); ++t)
        sheet.totals[t] = fmt::grouped11(total(record, pools::voteCountPools()[t]));
    const pools::VotePool& trifectaPool = pools::pool(pools::Pool::Trifecta);
    if (!record::field(trifecta, trifectaPool.total, layout::kVoteLen).trimmed().isEmpty())
        sheet.totals[size_t(pools::Pool::Trifecta)] = fmt::grouped11(total(trifecta, trifectaPool));
    sheet.exacta = rankedLines(record, pools::Pool::Exacta, sheet.exactaEntries);
    sheet.trio = rankedLines(record, pools::Pool::Trio, sheet.trioEntries);
    return sheet;
}

QString totalCaption(pools::Pool which)
{
    return pools::pool(which).caption() + QStringLiteral("合計票数");
}

QString totalLabel(pools::Pool which)
{
    return totalCaption(which) + QStringLiteral("：");
}

QString listCaption(pools::Pool which)
{
    return pools::pool(which).caption() + QStringLiteral("票数リスト");
}

qsizetype combinationWidth(const pools::VotePool& pool)
{
    return 3 * pool.runners - 1;
}

}  // namespace tavek::sim
