#pragma once

// The bench day's results: an HR record for each of its 36 races, paid by
// the payout rules on its votes (its trifecta's too, where it has them), each
// race won by another runner, written beside the day's other files. The
// window reads them when a race's result is first asked for.

#include "TrifectaDay.h"
#include "payoutcheck/PayoutCheck.h"
#include "pools/PoolIndex.h"

namespace tavek::bench {

inline QByteArray resultRecord(const QByteArray& h1, const QByteArray& h6, int race)
{
    using namespace layout;
    const payoutcheck::FinalVotes votes = payoutcheck::finalVotes(h1, h6);
    const int first = race % pools::kMaxRunners + 1;
    const int second = first % pools::kMaxRunners + 1;
    const int third = second % pools::kMaxRunners + 1;
    pools::RacePayouts payouts = pools::racePayouts(votes.sales, {{{first}, {second}, {third}}});
    QByteArray r = record("HR", kHrLength, race);
    put(r, kHrRegistered, QByteArray::number(pools::kMaxRunners));
    put(r, kHrStarters, QByteArray::number(pools::kMaxRunners));
    for (int run : {kHrNotHeld, kHrSpecial, kHrRefunds})
        put(r, run, QByteArray(pools::PayoutLayout::kFlags, '0'));
    for (size_t p = 0; p < payouts.size(); ++p) {
        const pools::Pool pool = pools::Pool(p);
        const bool held = votes.known[p] && !payouts[p].notHeld;
        put(r, hrFlag(kHrNotHeld, pool), held ? "0" : "1");
        const pools::PayoutLayout& at = pools::payoutLayout(pool);
        const int digits = at.combinationLen / pools::pool(pool).runners;
        for (size_t j = 0; held && j < std::min(payouts[p].payouts.size(), size_t(at.count)); ++j) {
            const pools::EntryPayout& e = payouts[p].payouts[j];
            QByteArray combination;
            for (int h : pools::entryRunners(pool, e.entry))
                if (h > 0)
                    combination += QByteArray::number(h).rightJustified(digits, '0');
            put(r, at.slot(int(j)), combination);
            put(r, at.yen(int(j)), QByteArray::number(e.yen).rightJustified(pools::PayoutLayout::kYenLen, '0'));
            put(r, at.popularity(int(j)), QByteArray::number(e.popularity).rightJustified(at.popularityLen, '0'));
        }
    }
    return r;
}

inline void writeResults(const QString& day)
{
    const QList<QByteArray> h1 = voteRecords();
    const QList<QByteArray> h6 = trifectaRecords();
    QList<QByteArray> list;
    for (int race = 0; race < 36; ++race)
        list.append(resultRecord(h1[race],
                                 pools::trifectaSold(layout::raceDate(h1[race]), race % 12 + 1)
                                     ? h6[race]
                                     : QByteArray(layout::kH6Length, ' '),
                                 race));
    writeRecords(QDir(identity::dataFolderIn(appfolder::path())).filePath(day + QStringLiteral(".jvHR")), list);
}

}  // namespace tavek::bench
