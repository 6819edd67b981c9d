#pragma once

#include "pools/RacePayouts.h"
#include "racedata/RaceResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// A race's result as the race header and tavek-cli show it: its first places,
// and every payout of every pool in JRA's board order (単勝 複勝 枠連 馬連 ワイド
// 馬単 3連複 3連単), each beside what the program's payout rules pay on the same
// entries from the race's votes (payoutcheck::recompute): where the two
// differ, the program's odds are not the ones JRA paid.
namespace tavek::results {

// One payout of a pool as the payout record gives it, or a pool that paid
// nothing (entry 0).
struct PayoutRow {
    pools::Pool pool = pools::Pool::Win;
    int entry = 0;            // the pool's entry; 0 for a pool not held (不成立)
    long long yen = 0;        // per 100 yen, as paid
    int popularity = 0;       // 人気; 0 where the record gives none (特払)
    bool special = false;     // 特払: nobody backed the winners; every ticket gets 70 yen
    bool votesKnown = false;  // the race's votes of the pool are known, so `computed` counts
    long long computed = -1;  // per 100 yen by the program's rules; -1 where they pay nothing on it
};

// A place of the finish: "1着" and its runners, several in a dead heat.
struct Placing {
    int place = 0;  // 1..3
    std::vector<int> runners;
};

struct ResultSheet {
    std::vector<Placing> placings;  // the first three places as far as the payouts tell them
    pools::Brackets brackets{};     // each runner's bracket, from the vote-count record; 0 without one
    std::vector<PayoutRow> rows;    // pool by pool in JRA's board order, each pool's entries ascending
};

// The sheet of `result`, its computed payouts from the vote-count record
// (H1) and the trifecta's (H6, empty where there is none).
ResultSheet resultSheet(const result::RaceResult& result, QByteArrayView voteRecord, QByteArrayView trifectaRecord);

// The first three places of `order`: a dead heat shares its place and the
// next place counts on past it ({{4, 6}, {1}}: 4 and 6 first, 1 third).
std::vector<Placing> placingsOf(const pools::FinishingOrder& order);

// "1着", "2着", "3着".
QString placeText(int place);
// "7", or a dead heat's runners "2・9".
QString runnersText(const Placing& placing);
// "1着 7　2着 2　3着 3"; a dead heat "3着 2・9（同着）"; "着順不明" when the
// payouts tell no order.
QString orderText(const std::vector<Placing>& placings);

// The texts of a row: the pool's name ("単勝"; "3連単（特払）"), the bet as the
// boards write it ("7", "2-7", "7-2-3"; "不成立"), yen ("1,230"), popularity
// ("3"), the program's yen ("1,230"; "なし" where its rules pay nothing, "－"
// where the votes are unknown).
QString poolText(const PayoutRow& row);
QString betText(const PayoutRow& row);
QString yenText(const PayoutRow& row);
QString popularityText(const PayoutRow& row);
QString computedText(const PayoutRow& row);
// The program's figure differs from what was paid.
bool differs(const PayoutRow& row);

// The names of the header's rows: "券種", "組番", "払戻金", "人気", "計算値";
// "計算値(速報)" where the votes are a quick report's, not the final ones.
QStringList rowLabels(bool quickVotes);
// A row in one sentence: "3連単 5-2-9：払戻 41,230円（131番人気）、確定票数から
// の計算 41,230円".
QString payoutSentence(const PayoutRow& row, bool quickVotes);

}  // namespace tavek::results
