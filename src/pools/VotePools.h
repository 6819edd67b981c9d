#pragma once

#include "pools/Numbering.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <span>

// The pools as one table: each pool's name, its key in tavek-cli's JSON, the
// record that carries its votes, how its entries are numbered, where its
// entries and total lie in that record and what part of the pool JRA pays
// back. Whatever reads or writes a pool does it through this table.
namespace tavek::pools {

// Yen a vote stands for: stakes buy whole votes, and the records count votes.
inline constexpr long long kYenPerVote = 100;

// Bytes of every vote field.
inline constexpr int kVoteLen = 11;

// A record that carries pools: the record type at its positions 1-2 and its
// length, CR LF included. A pool of another record names that record in its
// layout; the reader keeps one such record per race.
struct PoolRecord {
    const char* id;
    int length;
};

// The vote-count record (票数1) with the seven pools below.
inline constexpr PoolRecord kVoteCounts{"H1", 28955};
// The trifecta's vote-count record (票数6): one pool, the trifecta.
inline constexpr PoolRecord kTrifectaVotes{"H6", 102890};
// The payout record (払戻): each pool's winning entries with what they paid.
inline constexpr PoolRecord kPayouts{"HR", 719};

// Where a pool lies in its record: a run of equal entries, each the
// combination's numbers followed by the votes (and the popularity), and the
// pool's total further on. Positions are 1-based.
struct PoolLayout {
    PoolRecord record;
    Numbering numbering;
    int firstEntry;   // position of entry 1
    int entrySize;    // bytes
    int votesOffset;  // from the entry's position to its votes
    int total;        // position of the pool's total
    int entries = numbering.count();
    int runners = numbering.numbers;  // the runners (brackets) an entry names

    constexpr int entry(int n) const { return firstEntry + entrySize * (n - 1); }  // n 1..entries
    constexpr int votes(int n) const { return entry(n) + votesOffset; }
};

// A payout rate as an exact fraction, so that the payout rule can be applied
// in integers; value() gives the extended-precision rate the odds displays
// use (0.8L, 0.75L, 0.775L: a division of exact integers rounds to the same
// value as the literal).
struct PayoutRate {
    int numerator;
    int denominator;
    constexpr long double value() const { return static_cast<long double>(numerator) / denominator; }
    constexpr bool operator==(const PayoutRate&) const = default;
};

// The seven pools in the order of the vote-count record, then the trifecta
// of a record of its own.
enum class Pool { Win, Place, Bracket, Quinella, Wide, Exacta, Trio, Trifecta };
inline constexpr int kPoolCount = 8;
// The pools of the vote-count record (H1): the first seven.
inline constexpr int kVoteCountPools = 7;

// JRA raised the payout rate of bracket quinella, quinella and wide on this day.
inline constexpr char kRateChangeDate[] = "20140607";

struct VotePool : PoolLayout {
    const char* name;       // "単勝", UTF-8
    const char* key;        // "win"
    PayoutRate rateBefore;  // races before kRateChangeDate
    PayoutRate rateFrom;    // races from that day on

    QString caption() const { return QString::fromUtf8(name); }
    // The rate of a race run on `raceDate` (yyyymmdd, as the records' race
    // key holds it). A date that is no 8 digits, such as the blanks of a slot
    // with no vote-count record, gets the older rate.
    PayoutRate rate(QByteArrayView raceDate) const;
};

// clang-format off
inline constexpr std::array<VotePool, kPoolCount> kPools = {{
    //  record       numbering       entry 1  size  votes  total    name      key         before    from
    {{kVoteCounts,  kSingleRunner,     84,    15,    2,    28800}, "単勝",   "win",      {4, 5},   {4, 5}},
    {{kVoteCounts,  kSingleRunner,    504,    15,    2,    28811}, "複勝",   "place",    {4, 5},   {4, 5}},
    {{kVoteCounts,  kBracketPair,     924,    15,    2,    28822}, "枠連",   "bracket",  {3, 4},   {31, 40}},
    {{kVoteCounts,  kRunnerPair,     1464,    18,    4,    28833}, "馬連",   "quinella", {3, 4},   {31, 40}},
    {{kVoteCounts,  kRunnerPair,     4218,    18,    4,    28844}, "ワイド", "wide",     {3, 4},   {31, 40}},
    {{kVoteCounts,  kOrderedPair,    6972,    18,    4,    28855}, "馬単",   "exacta",   {3, 4},   {3, 4}},
    {{kVoteCounts,  kRunnerTriple,  12480,    20,    6,    28866}, "3連複",  "trio",     {3, 4},   {3, 4}},
    {{kTrifectaVotes, kOrderedTriple,  51,    21,    6,   102867}, "3連単",  "trifecta", {29, 40}, {29, 40}},
}};
// clang-format on

constexpr const VotePool& pool(Pool p)
{
    return kPools[static_cast<std::size_t>(p)];
}

// Where a pool's payouts lie in the payout record (kPayouts): `count` slots
// from `first`, each the winning combination (its numbers of equal digits, in
// the pool's order), the yen paid per 100 yen and the popularity; and the
// pool's place in each of the record's runs of nine flags, which keep a
// place for a pool JRA no longer sells between wide and exacta. Several slots
// serve place and wide, which pay several entries, and dead heats.
struct PayoutLayout {
    static constexpr int kYenLen = 9;
    static constexpr int kFlags = 9;

    int flag;  // 0-based place in a run of flags
    int first;
    int count;  // slots
    int combinationLen;
    int popularityLen;

    constexpr int slotSize() const { return combinationLen + kYenLen + popularityLen; }
    constexpr int slot(int j) const { return first + slotSize() * j; }  // j 0..count - 1
    constexpr int yen(int j) const { return slot(j) + combinationLen; }
    constexpr int popularity(int j) const { return yen(j) + kYenLen; }
};

// clang-format off
inline constexpr std::array<PayoutLayout, kPoolCount> kPayoutLayouts = {{
    // flag  first  count  combination  popularity
    {0,      103,   3,     2,           2},  // win
    {1,      142,   5,     2,           2},  // place
    {2,      207,   3,     2,           2},  // bracket quinella
    {3,      246,   3,     4,           3},  // quinella
    {4,      294,   7,     4,           3},  // wide
    {6,      454,   6,     4,           3},  // exacta
    {7,      550,   3,     6,           3},  // trio
    {8,      604,   6,     6,           4},  // trifecta
}};
// clang-format on

constexpr const PayoutLayout& payoutLayout(Pool p)
{
    return kPayoutLayouts[static_cast<std::size_t>(p)];
}

// The seven pools of the vote-count record (H1), for whatever reads that record.
constexpr std::span<const VotePool, kVoteCountPools> voteCountPools()
{
    return std::span<const VotePool, kVoteCountPools>(kPools.data(), kVoteCountPools);
}

// Whether a pool's votes are in the vote-count record (H1), not in a record of
// their own.
constexpr bool inVoteCounts(Pool p)
{
    return static_cast<int>(p) < kVoteCountPools;
}

// JRA sold the trifecta from this day, first in the last four races of a day
// (races 9-12), in every race from kTrifectaEveryRaceDate on.
inline constexpr char kTrifectaFirstDate[] = "20040911";
inline constexpr char kTrifectaEveryRaceDate[] = "20080701";
inline constexpr int kTrifectaFirstRace = 9;

// Whether JRA sold the trifecta in race `raceNumber` (1-12) of `raceDate`
// (yyyymmdd as the race key holds it); false for a date that is no 8 digits.
bool trifectaSold(QByteArrayView raceDate, int raceNumber);

}  // namespace tavek::pools
