#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Byte positions (1-based) and lengths of the RA and H1 fields the program
// uses. Every reader and writer of records takes its positions from here.
namespace tavek::layout {

constexpr int kRaLength = 1272;   // CR LF included
constexpr int kH1Length = 28955;  // CR LF included

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
constexpr int kMaxWinEntries = 28;
constexpr int kVoteLen = 11;
// The positions read as a table.
// clang-format off
constexpr int refundFlag(int horse) { return 40 + horse - 1; }                // horse 1..28
constexpr int winEntry(int horse) { return 84 + 15 * (horse - 1); }           // 15 bytes
constexpr int winVotes(int horse) { return 86 + 15 * (horse - 1); }
constexpr int placeEntry(int horse) { return 504 + 15 * (horse - 1); }        // 15 bytes
constexpr int bracketEntry(int k) { return 924 + 15 * (k - 1); }              // k 1..36
constexpr int bracketVotes(int k) { return 926 + 15 * (k - 1); }
constexpr int quinellaEntry(int k) { return 1464 + 18 * (k - 1); }            // k 1..153
constexpr int quinellaVotes(int k) { return 1468 + 18 * (k - 1); }
constexpr int wideEntry(int k) { return 4218 + 18 * (k - 1); }                // k 1..153
constexpr int exactaEntry(int k) { return 6972 + 18 * k; }                    // k 0..305
constexpr int exactaVotes(int k) { return 6976 + 18 * k; }
constexpr int trioEntry(int k) { return 12480 + 20 * k; }                     // k 0..815
constexpr int trioVotes(int k) { return 12486 + 20 * k; }
// clang-format on
constexpr int kBracketPairs = 36, kQuinellaPairs = 153, kExactaEntries = 306, kTrioEntries = 816;
constexpr int kWinTotal = 28800, kPlaceTotal = 28811, kBracketTotal = 28822, kQuinellaTotal = 28833, kWideTotal = 28844,
              kExactaTotal = 28855, kTrioTotal = 28866;

// Writes `text` into `record` at 1-based `position` (the record must be long
// enough); used by generators and test fixtures.
inline void put(QByteArray& record, int position, QByteArrayView text)
{
    record.replace(position - 1, text.size(), text.data(), text.size());
}

}  // namespace tavek::layout
