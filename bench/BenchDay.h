#pragma once

// A full race day for the benchmarks: 36 races (three courses of twelve) with
// RA records and H1 records whose every vote field holds a number.

#include "racedata/RecordLayout.h"

#include <QByteArray>
#include <QList>

namespace tavek::bench {

inline QByteArray key(int race)
{
    const char* courses[] = {"05", "06", "08"};
    return QByteArray("20050416") + courses[race / 12] + "0208"
           + QByteArray::number(race % 12 + 1).rightJustified(2, '0');
}

inline QByteArray record(const char* type, int length, int race)
{
    QByteArray r(length, ' ');
    layout::put(r, 1, type);
    layout::put(r, 3, "720050415");
    layout::put(r, layout::kRaceKey, key(race));
    layout::put(r, length - 1, "\r\n");
    return r;
}

inline QByteArray votes(long long v)
{
    return QByteArray::number(v).rightJustified(layout::kVoteLen, '0');
}

inline QList<QByteArray> raceRecords()
{
    QList<QByteArray> list;
    for (int race = 0; race < 36; ++race)
        list.append(record("RA", layout::kRaLength, race));
    return list;
}

inline QList<QByteArray> voteRecords()
{
    QList<QByteArray> list;
    for (int race = 0; race < 36; ++race) {
        QByteArray r = record("H1", layout::kH1Length, race);
        layout::put(r, layout::kRegistered, "1818");
        for (int h = 1; h <= layout::kMaxWinEntries; ++h) {
            layout::put(r, layout::refundFlag(h), "0");
            layout::put(r, layout::winVotes(h), votes(h <= 18 ? 1000 * h : 0));
        }
        for (int k = 1; k <= layout::kBracketPairs; ++k)
            layout::put(r, layout::bracketVotes(k), votes(500 + k));
        for (int k = 1; k <= layout::kQuinellaPairs; ++k)
            layout::put(r, layout::quinellaVotes(k), votes(300 + k));
        for (int k = 0; k < layout::kExactaEntries; ++k)
            layout::put(r, layout::exactaVotes(k), votes(200 + k));
        for (int k = 0; k < layout::kTrioEntries; ++k)
            layout::put(r, layout::trioVotes(k), votes(100 + k));
        for (int p : {layout::kWinTotal, layout::kPlaceTotal, layout::kBracketTotal, layout::kQuinellaTotal,
                      layout::kWideTotal, layout::kExactaTotal, layout::kTrioTotal})
            layout::put(r, p, votes(171000));
        list.append(r);
    }
    return list;
}

}  // namespace tavek::bench
