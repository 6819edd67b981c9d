#pragma once

#include "pools/VotePools.h"
#include "racedata/RecordField.h"

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>

// Byte positions (1-based) and lengths of the record fields the program
// uses. Every reader and writer of records takes its positions from here.
namespace tavek::layout {

constexpr int kRaLength = 1272;                          // CR LF included
constexpr int kH1Length = pools::kVoteCounts.length;     // CR LF included
constexpr int kH6Length = pools::kTrifectaVotes.length;  // CR LF included

// The header every record of a race begins with, whatever its type (RA, H1,
// and the SE, HR and H6 records the streams carry beside them).
constexpr int kRecordType = 1, kRecordTypeLen = 2;
constexpr int kDataCategory = 3, kDataCategoryLen = 1;
constexpr int kCreationDate = 4, kCreationDateLen = 8;  // yyyymmdd
// The race key identifies one race in every day file; its first eight
// bytes, the race date, name the day file. After the year every part of it
// is two bytes long.
constexpr int kRaceKey = 12, kRaceKeyLen = 16;
constexpr int kRaceDate = 12, kRaceDateLen = 8;  // yyyymmdd
constexpr int kYear = 12, kYearLen = 4;
constexpr int kMonth = 16, kDay = 18, kCourse = 20, kMeeting = 22, kDayNumber = 24, kRaceNumber = 26;
constexpr int kKeyPartLen = 2;
constexpr int kHeaderLength = kRaceKey + kRaceKeyLen - 1;

inline QByteArrayView recordType(QByteArrayView record)
{
    return record::field(record, kRecordType, kRecordTypeLen);
}
inline QByteArrayView dataCategory(QByteArrayView record)
{
    return record::field(record, kDataCategory, kDataCategoryLen);
}
inline QByteArrayView creationDate(QByteArrayView record)
{
    return record::field(record, kCreationDate, kCreationDateLen);
}
inline QByteArrayView raceKey(QByteArrayView record)
{
    return record::field(record, kRaceKey, kRaceKeyLen);
}
inline QByteArrayView raceDate(QByteArrayView record)
{
    return record::field(record, kRaceDate, kRaceDateLen);
}
inline QByteArrayView courseCode(QByteArrayView record)
{
    return record::field(record, kCourse, kKeyPartLen);
}
inline QByteArrayView raceNumber(QByteArrayView record)
{
    return record::field(record, kRaceNumber, kKeyPartLen);
}
// The header as far as the record reaches: what a message quotes of a
// record it refuses.
inline QByteArrayView header(QByteArrayView record)
{
    return record.first(std::min<qsizetype>(record.size(), kHeaderLength));
}

// RA
constexpr int kRaceName = 33, kRaceNameLen = 60;
constexpr int kPostTime = 874, kPostTimeLen = 4;  // 発走時刻, hhmm

// SE (one record per runner): the program passes it over, and the emulated
// service writes it so that the readers meet it.
constexpr int kSeLength = 555;  // CR LF included
constexpr int kSeBracket = 28, kSeBracketLen = 1, kSeHorse = 29, kSeHorseLen = 2;
constexpr int kSeHorseId = 31, kSeHorseIdLen = 10, kSeHorseName = 41, kSeHorseNameLen = 36;

// HR, the payouts: the same header, the counts, then three runs of nine
// flags, one a pool at its place pools::PayoutLayout::flag ("1" set, "0" or
// blank not), the refund flags of the runners and brackets, and each pool's
// payouts where pools::kPayoutLayouts puts them.
constexpr int kHrLength = pools::kPayouts.length;  // CR LF included
constexpr int kHrRegistered = 28, kHrStarters = 30;
constexpr int kHrNotHeld = 32;  // 不成立
constexpr int kHrSpecial = 41;  // 特払
constexpr int kHrRefunds = 50;  // 返還
constexpr int hrFlag(int run, pools::Pool pool)
{
    return run + pools::payoutLayout(pool).flag;
}
constexpr int hrRunnerRefund(int horse)
{
    return 59 + horse - 1;
}  // horse 1..28
constexpr int hrBracketRefund(int bracket)
{
    return 87 + bracket - 1;
}  // bracket 1..8
constexpr int hrSameBracketRefund(int bracket)
{
    return 95 + bracket - 1;
}

// H1
constexpr int kRegistered = 28;
constexpr int kStarters = 30;
constexpr int kCountLen = 2;  // registered runners and starters, in H1 and HR
// Flags the program does not read: the pools' sale flags before the runners'
// refund flags, the brackets' refund flags after them.
constexpr int kSaleFlags = 32, kSaleFlagsLen = 8;
constexpr int kBracketRefunds = 68, kBracketRefundsLen = 16;
constexpr int kVoteLen = pools::kVoteLen;
// The positions read as a table.
// clang-format off
constexpr int refundFlag(int horse) { return 40 + horse - 1; }  // horse 1..28

// H6, the trifecta's votes: the same header, counts at kRegistered and
// kStarters, then its own flags; its one pool is in the pool table.
constexpr int kH6SaleFlag = 32;
constexpr int h6RefundFlag(int horse) { return 33 + horse - 1; }  // horse 1..18
constexpr int kH6RefundTotal = 102878;

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
