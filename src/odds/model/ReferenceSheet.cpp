#include "odds/model/ReferenceSheet.h"

#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <set>

namespace tavek::sim {

namespace {

int total(QByteArrayView record, const pools::VotePool& pool)
{
    return record::blankAsZero(record, pool.total, layout::kVoteLen);
}

// Ranks the entries with votes. The key line starts with the votes
// right-aligned, then the runner numbers right-aligned, so ascending text
// order is ascending votes, then ascending combination; read backwards it is
// the ranking. Equal key lines (a repeated entry) count once.
QStringList rankedLines(QByteArrayView record, const pools::VotePool& pool)
{
    const double poolVotes = total(record, pool);
    if (poolVotes <= 0)
        return {};
    std::set<QString> keys;
    for (int n = 1; n <= pool.entries; ++n) {
        const int votes = record::zeroDefault(record, pool.votes(n), layout::kVoteLen);
        if (votes <= 0)
            continue;
        QString key = fmt::integer(votes, 10);
        for (int j = 0; j < pool.runners; ++j) {
            if (j > 0)
                key += u'-';
            key += fmt::integer(record::zeroDefault(record, pool.entry(n) + 2 * j, 2), 2);
        }
        key += fmt::odds6(static_cast<long double>(votes) / poolVotes * 100);
        keys.insert(key);
    }
    const qsizetype combination = combinationWidth(pool);
    QStringList lines;
    lines.reserve(qsizetype(keys.size()));
    int rank = 0;
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        lines << fmt::integer(++rank, 3) + u' ' + it->mid(10, combination) + it->left(10) + it->mid(10 + combination)
                     + u'%';
    return lines;
}

}  // namespace

ReferenceSheet referenceSheet(QByteArrayView record)
{
    ReferenceSheet sheet;
    for (size_t t = 0; t < pools::kPools.size(); ++t)
        sheet.totals[t] = fmt::grouped11(total(record, pools::kPools[t]));
    sheet.exacta = rankedLines(record, pools::pool(pools::Pool::Exacta));
    sheet.trio = rankedLines(record, pools::pool(pools::Pool::Trio));
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
