#include "purchase/model/PurchaseTexts.h"

#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::purchase;
using pools::Pool;

TEST(PurchaseTexts, NameEachFormAsTheBettorAskedForIt)
{
    const struct {
        Pool pool;
        Form form;
        const char16_t* text;
    } cases[] = {
        {Pool::Trio, Form::box({1, 2, 3, 4, 5}), u"ボックス 1,2,3,4,5"},
        {Pool::Trifecta, Form::pivot({1}, {2, 3, 4, 5}, true), u"流し 軸 1 / 相手 2,3,4,5（マルチ）"},
        {Pool::Trio, Form::pivot({1, 2}, {3, 4}), u"流し 軸 1,2 / 相手 3,4"},
        {Pool::Trifecta, Form::pivot({1}, {2, 3}), u"流し 1着 1 / 2着・3着 2,3"},
        {Pool::Trifecta, Form::pivot({1, 2}, {3, 4}), u"流し 1着 1 / 2着 2 / 3着 3,4"},
        {Pool::Exacta, Form::pivot({7}, {3, 4}), u"流し 1着 7 / 2着 3,4"},
        {Pool::Trifecta, Form::formation({{{1, 2}, {1, 2, 3}, {4}}}), u"フォーメーション 1着 1,2 / 2着 1,2,3 / 3着 4"},
        {Pool::Wide, Form::formation({{{1}, {2, 3}}}), u"フォーメーション 1頭目 1 / 2頭目 2,3"},
        {Pool::Exacta, Form::list({1, 18}), u"通常 1-2, 2-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formText(c.pool, c.form), QString::fromUtf16(c.text));
    for (Split s : {Split::Equal, Split::Payout, Split::Kelly})
        EXPECT_EQ(splitOf(splitKey(s)), s);
    EXPECT_FALSE(splitOf(u"even"));
}

// The summary counts トリガミ among the tickets bought only, and names the
// lowest and highest payouts, after the purchase and now.
TEST(PurchaseTexts, SummarySetsTheFiguresAfterThePurchaseBesideThoseNow)
{
    Purchase p;
    p.pool = Pool::Exacta;
    p.budget = 1'000;
    p.total = 900;
    p.combinedOdds = 3.14159;
    p.tickets = {{1, 300, {50, 50}, {40, 40}, 1'200, 1'500, -1},
                 {2, 600, {20, 20}, {14, 14}, 840, 1'200, -1},
                 {18, 0, {}, {}, 0, 0, -1}};
    const std::vector<SummaryLine> lines = summaryLines(p);
    ASSERT_EQ(lines.size(), 6u);
    const QStringList texts[] = {
        {u"点数"_qs, u"2点（3点のうち）"_qs, QString()},  {u"合計金額"_qs, u"900円（1,000円のうち）"_qs, QString()},
        {u"合成オッズ"_qs, u"3.14倍"_qs, u"―"_qs},        {u"最低払戻金"_qs, u"840円"_qs, u"1,200円"_qs},
        {u"最高払戻金"_qs, u"1,200円"_qs, u"1,500円"_qs}, {u"トリガミ"_qs, u"1点"_qs, u"0点"_qs},
    };
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ((QStringList{lines[i].caption, lines[i].after, lines[i].now}), texts[i]) << i;
    EXPECT_EQ(ticketRow(p, p.tickets[1]),
              (QStringList{u"1-3"_qs, u"600円"_qs, u"2.0"_qs, u"1.4"_qs, u"840円"_qs, u"-60円"_qs, u"トリガミ"_qs}));
}
