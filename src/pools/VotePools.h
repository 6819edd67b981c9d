#pragma once

#include "racedata/RecordLayout.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>

// The seven pools of the vote-count (H1) record as one table: each pool's
// name, its key in tavek-cli's JSON, where its entries and total lie, how
// many runners an entry names and what part of the pool JRA pays back.
// Whatever reads a pool reads it through this table.
namespace tavek::pools {

// Yen a vote stands for: stakes buy whole votes, and the record counts votes.
inline constexpr long long kYenPerVote = 100;

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

// In the order of the record.
enum class Pool { Win, Place, Bracket, Quinella, Wide, Exacta, Trio };
inline constexpr int kPoolCount = 7;

// JRA raised the payout rate of bracket quinella, quinella and wide on this day.
inline constexpr char kRateChangeDate[] = "20140607";

struct VotePool : layout::PoolLayout {
    const char* name;       // "単勝", UTF-8
    const char* key;        // "win"
    int runners;            // the runners (brackets) an entry names
    PayoutRate rateBefore;  // races before kRateChangeDate
    PayoutRate rateFrom;    // races from that day on

    QString caption() const { return QString::fromUtf8(name); }
    // The rate of the race of a vote-count record, by its race date
    // (positions 12-19). A record without a readable date, such as the blanks
    // of a slot with no vote-count record, gets the older rate.
    PayoutRate rate(QByteArrayView record) const;
};

// clang-format off
inline constexpr std::array<VotePool, kPoolCount> kPools = {{
    //                         name      key         runners  before    from
    {layout::kWinPool,         "単勝",   "win",      1,       {4, 5},   {4, 5}},
    {layout::kPlacePool,       "複勝",   "place",    1,       {4, 5},   {4, 5}},
    {layout::kBracketPool,     "枠連",   "bracket",  2,       {3, 4},   {31, 40}},
    {layout::kQuinellaPool,    "馬連",   "quinella", 2,       {3, 4},   {31, 40}},
    {layout::kWidePool,        "ワイド", "wide",     2,       {3, 4},   {31, 40}},
    {layout::kExactaPool,      "馬単",   "exacta",   2,       {3, 4},   {3, 4}},
    {layout::kTrioPool,        "3連複",  "trio",     3,       {3, 4},   {3, 4}},
}};
// clang-format on

constexpr const VotePool& pool(Pool p)
{
    return kPools[static_cast<std::size_t>(p)];
}

}  // namespace tavek::pools
