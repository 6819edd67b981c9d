// A race's result as the race header shows it: every pool's payouts in JRA's
// order beside the program's own figures, the first places, and what became
// of any one bet.
#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"
#include "results/ResultSheet.h"
#include "results/Winners.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;
using results::Outcome;

namespace {

// Each row as "pool bet yen popularity computed", "!" after a figure that differs.
QStringList rowTexts(const results::ResultSheet& sheet)
{
    QStringList rows;
    for (const results::PayoutRow& r : sheet.rows)
        rows.append(QStringList{results::poolText(r), results::betText(r), results::yenText(r),
                                results::popularityText(r), results::computedText(r)}
                        .join(u' ')
                    + (results::differs(r) ? QStringLiteral("!") : QString()));
    return rows;
}

}  // namespace

TEST(ResultSheet, EveryPoolInJrasOrderBesideTheProgramsFigures)
{
    // Win and place votes only; the win pool pays 10,000 x 0.8 / 2,000 = 400, not 430.
    const auto& place = pools::pool(Pool::Place);
    test::H1Record votes = test::H1Record().registered(16).starters(16);
    votes.winTotal(10000).win(2, 3000).win(5, 2000).win(9, 1000);
    votes.votes(place.total, 10000).votes(place.votes(2), 3000).votes(place.votes(5), 1000).votes(place.votes(9), 500);
    const result::RaceResult paid = result::read(
        test::sampleResult().flag(layout::kHrSpecial, Pool::Trio).payout(Pool::Trio, 0, "020509", 70, -1));
    const results::ResultSheet sheet = results::resultSheet(paid, votes, {});
    EXPECT_EQ(rowTexts(sheet).join(u'|'), QStringList({
                                                          "単勝 5 430 2 400!",
                                                          "複勝 2 120 1 120",
                                                          "複勝 5 220 3 220",
                                                          "複勝 9 370 9 370",
                                                          "枠連 1-3 1,240 5 －",
                                                          "馬連 2-5 980 3 －",
                                                          "ワイド 2-5 390 2 －",
                                                          "ワイド 2-9 1,530 18 －",
                                                          "ワイド 5-9 2,110 25 －",
                                                          "馬単 5-2 2,120 7 －",
                                                          "3連複（特払） 2-5-9 70 24 －",
                                                          "3連単 5-2-9 41,230 131 －",
                                                      })
                                              .join(u'|'));
    EXPECT_EQ(results::orderText(sheet.placings), "1着 5　2着 2　3着 9");
    EXPECT_EQ(sheet.brackets[5], 3) << "16 runners: 5 in bracket 3";

    // A pool not held shows as one row; the program's rules paying nothing on an entry say so.
    const result::RaceResult trifectaNotHeld = result::read(
        test::sampleResult().flag(layout::kHrNotHeld, Pool::Trifecta).payout(Pool::Trifecta, 0, "000000", 0, 0));
    votes.starters(4);  // too few for place
    const results::ResultSheet fewStarters = results::resultSheet(trifectaNotHeld, votes, {});
    EXPECT_EQ(rowTexts(fewStarters).mid(1, 3).join(u'|'), "複勝 2 120 1 なし!|複勝 5 220 3 なし!|複勝 9 370 9 なし!");
    EXPECT_EQ(rowTexts(fewStarters).last(), "3連単 不成立   ");

    // Each row in a sentence, as the board's tool tip says it.
    const std::vector<results::PayoutRow>& rows = sheet.rows;
    const struct {
        const results::PayoutRow& row;
        bool quick;
        const char* sentence;
    } kSentences[] = {
        {rows[0], false, "単勝 5：払戻 430円（2番人気）、確定票数からの計算 400円（払戻と異なります）"},
        {rows[1], true, "複勝 2：払戻 120円（1番人気）、速報票数からの計算 120円"},
        {rows[10], false, "3連複 2-5-9：払戻 70円（特払）、確定票数がないため計算できません"},
        {fewStarters.rows[1], false,
         "複勝 2：払戻 120円（1番人気）、確定票数からの計算では払戻なし（払戻と異なります）"},
    };
    for (const auto& c : kSentences)
        EXPECT_EQ(results::payoutSentence(c.row, c.quick), QString::fromUtf8(c.sentence));
    EXPECT_EQ(results::rowLabels(true).join(u' '), "券種 組番 払戻金 人気 計算値(速報)");
}

TEST(ResultSheet, DeadHeatsShareTheirPlaceAndTheNextCountsOnPastThem)
{
    const struct {
        pools::FinishingOrder order;
        const char* text;
    } kCases[] = {
        {{{{3}, {7}, {2, 9}}}, "1着 3　2着 7　3着 2・9（同着）"},
        {{{{4, 6}, {1}}}, "1着 4・6（同着）　3着 1"},
        {{{{4, 6, 8}, {1}}}, "1着 4・6・8（同着）"},
        {{{{5}}}, "1着 5"},
        {{}, "着順不明"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(results::orderText(results::placingsOf(c.order)), QString::fromUtf8(c.text));
}

TEST(Winners, WhatBecameOfEachBet)
{
    using Kind = Outcome::Kind;
    const result::RaceResult paid = result::read(test::sampleResult()
                                                     .refund(7)
                                                     .flag(layout::kHrNotHeld, Pool::Trifecta)
                                                     .payout(Pool::Trifecta, 0, "000000", 0, 0)
                                                     .flag(layout::kHrSpecial, Pool::Trio)
                                                     .payout(Pool::Trio, 0, "020509", 70, -1));
    const results::Winners winners(&paid);
    const struct {
        Pool pool;
        int entry;
        Outcome outcome;
        const char* line;
        const char* cell;
    } kCases[] = {
        {Pool::Win, 5, {Kind::Won, 430}, "的中　払戻 430円（100円につき）", "的中 430円"},
        {Pool::Win, 2, {Kind::Lost}, "不的中", "不的中"},
        {Pool::Win, 7, {Kind::Refunded}, "返還（取消・除外の馬を含む買い目）", "返還"},
        {Pool::Quinella,
         pools::entryOf(Pool::Quinella, 2, 7),
         {Kind::Refunded},
         "返還（取消・除外の馬を含む買い目）",
         "返還"},
        {Pool::Wide,
         pools::entryOf(Pool::Wide, 5, 9),
         {Kind::Won, 2110},
         "的中　払戻 2,110円（100円につき）",
         "的中 2,110円"},
        {Pool::Trio,
         pools::entryOf(Pool::Trio, 2, 5, 9),
         {Kind::Won, 70, true},
         "的中（特払）　払戻 70円（100円につき）",
         "的中 70円"},
        {Pool::Trifecta, pools::entryOf(Pool::Trifecta, 5, 2, 9), {Kind::NotHeld}, "不成立（全額返還）", "不成立"},
    };
    for (const auto& c : kCases) {
        const Outcome o = winners.outcome(c.pool, c.entry);
        EXPECT_EQ(o, c.outcome) << c.cell;
        EXPECT_EQ(results::outcomeText(o), QString::fromUtf8(c.line));
        EXPECT_EQ(results::outcomeCell(o), QString::fromUtf8(c.cell));
        EXPECT_EQ(winners.won(c.pool, c.entry), c.outcome.kind == Kind::Won);
    }
    EXPECT_EQ(winners.won(Pool::Bracket, pools::entryOf(Pool::Bracket, 1, 3)), true);
    const int places[] = {winners.placeOf(5), winners.placeOf(2), winners.placeOf(9), winners.placeOf(7)};
    EXPECT_EQ(std::vector<int>(std::begin(places), std::end(places)), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(results::placeMark(1), "1着");

    const results::Winners none(nullptr);
    EXPECT_FALSE(none.any());
    EXPECT_EQ(none.outcome(Pool::Win, 5), Outcome{});
    EXPECT_TRUE(results::outcomeText(none.outcome(Pool::Win, 5)).isEmpty());
    EXPECT_FALSE(none.won(Pool::Win, 5));
}
