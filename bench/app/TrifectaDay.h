#pragma once

// The bench day's trifecta: an H6 record for each of its 36 races, every
// entry with votes of its own (entry n: 50 + n + race), written beside the
// day's other files. The window reads it when a trifecta figure is first
// asked for, so it may be written after the day is loaded.

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "pools/PoolIndex.h"
#include "support/BenchDay.h"

#include <QDir>

namespace tavek::bench {

inline QList<QByteArray> trifectaRecords()
{
    const pools::VotePool& trifecta = pools::pool(pools::Pool::Trifecta);
    QList<QByteArray> list;
    for (int race = 0; race < 36; ++race) {
        QByteArray r = record("H6", layout::kH6Length, race);
        layout::put(r, layout::kRegistered, QByteArray::number(pools::kMaxRunners));
        layout::put(r, layout::kStarters, QByteArray::number(pools::kMaxRunners));
        layout::put(r, layout::kH6SaleFlag, "7");
        for (int h = 1; h <= pools::kMaxRunners; ++h)
            layout::put(r, layout::h6RefundFlag(h), "0");
        long long total = 0;
        for (int n = 1; n <= trifecta.entries; ++n) {
            QByteArray runners;
            for (int h : pools::entryRunners(pools::Pool::Trifecta, n))
                runners += QByteArray::number(h).rightJustified(2, '0');
            layout::put(r, trifecta.entry(n), runners);
            layout::put(r, trifecta.votes(n), votes(50 + n + race));
            total += 50 + n + race;
        }
        layout::put(r, trifecta.total, votes(total));
        list.append(r);
    }
    return list;
}

inline void writeTrifecta(const QString& day)
{
    writeRecords(QDir(identity::dataFolderIn(appfolder::path())).filePath(day + QStringLiteral(".jvH6")),
                 trifectaRecords());
}

}  // namespace tavek::bench
