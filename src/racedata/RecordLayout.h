#pragma once

#include "pools/VotePools.h"

#include <QByteArray>
#include <QByteArrayView>

// Byte positions (1-based) and lengths of the RA and H1 fields the program
// uses. Every reader and writer of records takes its positions from here.
namespace tavek::layout {

constexpr int kRaLength = 1272;                       // CR LF included
constexpr int kH1Length = pools::kVoteCounts.length;  // CR LF included

// Header common to RA and H1.
constexpr int kRecordType = 1, kRecordTypeLen = 2;
constexpr int kDataCategory = 3;
constexpr int kCreationDate = 4, kCreationDateLen = 8;
constexpr int kYear = 12, kMonthDay = 16, kMonth = 16, kDay = 18;
constexpr int kCourse = 20, kMeeting = 22, kDayNumber = 24, kRaceNumber = 26;
constexpr int kRaceKey = 12, kRaceKeyLen = 16;

// RA
constexpr int kRaceName = 33, kRaceNameLen = 60;
constexpr int kPostTime = 874, kPostTimeLen = 4;  // 発走時刻, hhmm

// H1
constexpr int kRegistered = 28;
constexpr int kStarters = 30;
constexpr int kVoteLen = pools::kVoteLen;
// The positions read as a table.
// clang-format off
constexpr int refundFlag(int horse) { return 40 + horse - 1; }  // horse 1..28

// The seven pools of H1, in the record's order, as the pool table
// (pools/VotePools) defines them.
using pools::PoolLayout;
inline constexpr const PoolLayout& kWinPool = pools::pool(pools::Pool::Win);
inline constexpr const PoolLayout& kPlacePool = pools::pool(pools::Pool::Place);
inline constexpr const PoolLayout& kBracketPool = pools::pool(pools::Pool::Bracket);
inline constexpr const PoolLayout& kQuinellaPool = pools::pool(pools::Pool::Quinella);
inline constexpr const PoolLayout& kWidePool = pools::pool(pools::Pool::Wide);
inline constexpr const PoolLayout& kExactaPool = pools::pool(pools::Pool::Exacta);
inline constexpr const PoolLayout& kTrioPool = pools::pool(pools::Pool::Trio);

// The same positions under the names the record writers use; the exacta and
// trio entries count from 0, as JV-Data numbers them.
constexpr int winEntry(int horse) { return kWinPool.entry(horse); }           // horse 1..28
constexpr int winVotes(int horse) { return kWinPool.votes(horse); }
constexpr int placeEntry(int horse) { return kPlacePool.entry(horse); }       // horse 1..28
constexpr int bracketEntry(int k) { return kBracketPool.entry(k); }           // k 1..36
constexpr int bracketVotes(int k) { return kBracketPool.votes(k); }
constexpr int quinellaEntry(int k) { return kQuinellaPool.entry(k); }         // k 1..153
constexpr int quinellaVotes(int k) { return kQuinellaPool.votes(k); }
constexpr int wideEntry(int k) { return kWidePool.entry(k); }                 // k 1..153
constexpr int exactaEntry(int k) { return kExactaPool.entry(k + 1); }         // k 0..305
constexpr int exactaVotes(int k) { return kExactaPool.votes(k + 1); }
constexpr int trioEntry(int k) { return kTrioPool.entry(k + 1); }             // k 0..815
constexpr int trioVotes(int k) { return kTrioPool.votes(k + 1); }
// clang-format on
constexpr int kMaxWinEntries = kWinPool.entries, kBracketPairs = kBracketPool.entries,
              kQuinellaPairs = kQuinellaPool.entries, kExactaEntries = kExactaPool.entries,
              kTrioEntries = kTrioPool.entries;
constexpr int kWinTotal = kWinPool.total, kPlaceTotal = kPlacePool.total, kBracketTotal = kBracketPool.total,
              kQuinellaTotal = kQuinellaPool.total, kWideTotal = kWidePool.total, kExactaTotal = kExactaPool.total,
              kTrioTotal = kTrioPool.total;

// Writes `text` into `record` at 1-based `position` (the record must be long
// enough); used by generators and test fixtures.
inline void put(QByteArray& record, int position, QByteArrayView text)
{
    record.replace(position - 1, text.size(), text.data(), text.size());
}

}  // namespace tavek::layout
