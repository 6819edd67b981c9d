#include "odds/model/ReferenceSheet.h"

#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <algorithm>
#include <compare>
#include <vector>

namespace tavek::sim {

namespace {

constexpr std::array<int, kBetTypes> kTotalPositions = {
    layout::kWinTotal,  layout::kPlaceTotal,  layout::kBracketTotal, layout::kQuinellaTotal,
    layout::kWideTotal, layout::kExactaTotal, layout::kTrioTotal};

int total(QByteArrayView record, BetType type)
{
    return record::blankAsZero(record, kTotalPositions[size_t(type)], layout::kVoteLen);
}

// One entry with votes: its votes, then its runners.
struct Ranked {
    int votes;
    std::array<int, 3> runners;
    auto operator<=>(const Ranked&) const = default;
};

// Ranks the entries with votes, highest votes first, then the highest
// combination; a repeated entry counts once. Votes (at most 10 digits) and
// runner numbers (2) are never negative, so this is the descending order of
// the lines' votes and combination columns as text. The entries are ranked
// as numbers and each line is formatted once: a race has up to 816 of them,
// and the tab computes them at every race switch.
QStringList rankedLines(QByteArrayView record, BetType type, int entries, int (*entryPos)(int), int (*votesPos)(int),
                        int runners)
{
    const double pool = total(record, type);
    if (pool <= 0)
        return {};
    std::vector<Ranked> ranked;
    ranked.reserve(size_t(entries));
    for (int i = 0; i < entries; ++i) {
        Ranked r{record::zeroDefault(record, votesPos(i), layout::kVoteLen), {}};
        if (r.votes <= 0)
            continue;
        for (int j = 0; j < runners; ++j)
            r.runners[size_t(j)] = record::zeroDefault(record, entryPos(i) + 2 * j, 2);
        ranked.push_back(r);
    }
    std::sort(ranked.begin(), ranked.end(), std::greater<>());
    ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
    QStringList lines;
    lines.reserve(qsizetype(ranked.size()));
    int rank = 0;
    for (const Ranked& r : ranked) {
        QString line = fmt::integer(++rank, 3);
        line.reserve(3 + 1 + 3 * runners - 1 + 10 + 6 + 1);
        line += u' ';
        for (int j = 0; j < runners; ++j) {
            if (j > 0)
                line += u'-';
            line += fmt::integer(r.runners[size_t(j)], 2);
        }
        line += fmt::integer(r.votes, 10);
        line += fmt::odds6(static_cast<long double>(r.votes) / pool * 100);
        line += u'%';
        lines.append(std::move(line));
    }
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
