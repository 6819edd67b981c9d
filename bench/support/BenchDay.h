#pragma once

// A full race day for the benchmarks: 36 races (three courses of twelve) with
// RA records, H1 records whose every vote field holds a number and H6
// records of the trifecta.

#include "pools/PoolIndex.h"
#include "pools/VotePools.h"
#include "racedata/RecordLayout.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cstdlib>

#include <utility>

namespace tavek::bench {

// Writes a day file of these records; a benchmark without its files is void.
inline void writeRecords(const QString& path, const QList<QByteArray>& records)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    for (const QByteArray& r : records)
        f.write(r);
}

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
        layout::put(r, layout::kRegistered, QByteArray::number(pools::kMaxRunners));
        layout::put(r, layout::kStarters, QByteArray::number(pools::kMaxRunners));
        const pools::VotePool& win = pools::pool(pools::Pool::Win);
        for (int h = 1; h <= win.entries; ++h) {
            layout::put(r, layout::refundFlag(h), "0");
            layout::put(r, win.votes(h), votes(h <= pools::kMaxRunners ? 1000 * h + 7 * race : 0));
        }
        // The other pools' entries, each with votes of its own: entry n has
        // the first entry's votes + n - 1. Every race's figures differ a
        // little, so a race switch changes every odds on screen.
        const std::pair<pools::Pool, int> firstVotes[] = {{pools::Pool::Place, 401},    {pools::Pool::Bracket, 501},
                                                          {pools::Pool::Quinella, 301}, {pools::Pool::Wide, 251},
                                                          {pools::Pool::Exacta, 200},   {pools::Pool::Trio, 100}};
        for (const auto& [which, first] : firstVotes) {
            const pools::VotePool& pool = pools::pool(which);
            for (int n = 1; n <= pool.entries; ++n)
                layout::put(r, pool.votes(n), votes(first + n - 1 + race));
        }
        for (const pools::VotePool& pool : pools::voteCountPools())
            layout::put(r, pool.total, votes(171000 + 100 * race));
        list.append(r);
    }
    return list;
}

// The trifecta of every race, each entry with votes of its own (entry n:
// 50 + n + race).
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

}  // namespace tavek::bench
