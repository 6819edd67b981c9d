#pragma once

#include "pools/VotePools.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace tavek::sim {

// What the reference tab shows for one race: the vote total of every pool
// ("%11.0n", in the pool table's order; the trifecta's blank without its
// record) and the ranked exacta and trio lines, highest votes first, with
// the entry each line names (0 for a combination the pool does not number).
struct ReferenceSheet {
    std::array<QString, pools::kPoolCount> totals;
    QStringList exacta;
    QStringList trio;
    std::vector<int> exactaEntries;
    std::vector<int> trioEntries;
};

// Exacta display line: rank "%3d", " ", "a-b" (5), votes (10), share "%6.1f", "%".
// Trio display line: the same with "a-b-c" (8).
// `record` is the vote-count record (H1), `trifecta` the trifecta's (H6) or
// empty.
ReferenceSheet referenceSheet(QByteArrayView record, QByteArrayView trifecta = {});

// The caption of a pool's total: "単勝合計票数"; the tab and tavek-cli show
// it as a label, with "：".
QString totalCaption(pools::Pool pool);
QString totalLabel(pools::Pool pool);
// The heading of a ranked list: "馬単票数リスト".
QString listCaption(pools::Pool pool);
// The width of a combination in a ranked line: "a-b" 5, "a-b-c" 8.
qsizetype combinationWidth(const pools::VotePool& pool);

}  // namespace tavek::sim
