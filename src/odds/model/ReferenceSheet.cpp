#include "odds/model/ReferenceSheet.h"

#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <set>

namespace tavek::sim {

namespace {

constexpr std::array<int, kBetTypes> kTotalPositions = {
    layout::kWinTotal,  layout::kPlaceTotal,  layout::kBracketTotal, layout::kQuinellaTotal,
    layout::kWideTotal, layout::kExactaTotal, layout::kTrioTotal};

int total(QByteArrayView record, BetType type)
{
    return record::blankAsZero(record, kTotalPositions[size_t(type)], layout::kVoteLen);
}

// Ranks the entries with votes. The key line starts with the votes
// right-aligned, then the runner numbers right-aligned, so ascending text
// order is ascending votes, then ascending combination; read backwards it is
// the ranking. Equal key lines (a repeated entry) count once.
QStringList rankedLines(QByteArrayView record, BetType type, int entries, int (*entryPos)(int), int (*votesPos)(int),
                        int runners)
{
    const double pool = total(record, type);
    if (pool <= 0)
        return {};
    std::set<QString> keys;
    for (int i = 0; i < entries; ++i) {
        const int votes = record::zeroDefault(record, votesPos(i), layout::kVoteLen);
        if (votes <= 0)
            continue;
        QString key = fmt::integer(votes, 10);
        for (int j = 0; j < runners; ++j) {
            if (j > 0)
                key += u'-';
            key += fmt::integer(record::zeroDefault(record, entryPos(i) + 2 * j, 2), 2);
        }
        key += fmt::odds6(static_cast<long double>(votes) / pool * 100);
        keys.insert(key);
    }
    const qsizetype combination = 3 * runners - 1;
    QStringList lines;
    lines.reserve(qsizetype(keys.size()));
    int rank = 0;
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        lines << fmt::integer(++rank, 3) + u' ' + it->mid(10, combination) + it->left(10) + it->mid(10 + combination)
                     + u'%';
    return lines;
}

}  // namespace

const char* betTypeKey(BetType type)
{
    static const char* const keys[kBetTypes] = {"win", "place", "bracket", "quinella", "wide", "exacta", "trio"};
    return keys[int(type)];
}

ReferenceSheet referenceSheet(QByteArrayView record)
{
    ReferenceSheet sheet;
    for (int t = 0; t < kBetTypes; ++t)
        sheet.totals[size_t(t)] = fmt::grouped11(total(record, BetType(t)));
    sheet.exacta = rankedLines(record, BetType::Exacta, layout::kExactaEntries, layout::exactaEntry,
                               layout::exactaVotes, 2);
    sheet.trio = rankedLines(record, BetType::Trio, layout::kTrioEntries, layout::trioEntry, layout::trioVotes, 3);
    return sheet;
}

}  // namespace tavek::sim
