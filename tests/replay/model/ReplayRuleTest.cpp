// What a replay reads from its user (rule, pools, stake, moment, a bet list)
// and the stake it sizes out of the bankroll.
#include "replay/model/ReplayRule.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;
using replay::Stake;

TEST(ReplayRule, TheUsersTextsAreReadOrRefusedSayingWhatTheyTake)
{
    struct Case {
        QString text;
        bool ok;
        QString expected;  // what was read, or a word of the refusal
    };
    const auto ruleText = [](const QString& t) {
        QString file;
        const auto r = replay::readRule(t, &file);
        return r.ok() ? QStringLiteral("%1 %2 %3").arg(int(r.value.kind)).arg(r.value.popularity).arg(file) : r.refusal;
    };
    const auto stakeText = [](const QString& t) {
        const auto r = replay::readStake(t);
        return r.ok() ? QStringLiteral("%1 %2 %3").arg(int(r.value.kind)).arg(r.value.yen).arg(r.value.kelly.value())
                      : r.refusal;
    };
    const auto poolsText = [](const QString& t) {
        const auto r = replay::readPools(t);
        QString s;
        for (bool b : r.value)
            s += b ? u'1' : u'0';
        return r.ok() ? s : r.refusal;
    };
    const auto momentText = [](const QString& t) {
        const auto r = replay::readMoment(t);
        return r.ok() ? (r.value ? QString::number(*r.value) : QStringLiteral("final")) : r.refusal;
    };
    const std::vector<std::pair<std::function<QString(const QString&)>, std::vector<Case>>> readers = {
        {ruleText,
         {{"value", true, "0 1 "},
          {"popularity:3", true, "1 3 "},
          {"popularity:all", true, "1 0 "},
          {"popularity:4896", true, "1 4896 "},
          {"popularity:0", false, "popularity:K"},
          {"popularity:4897", false, "popularity:K"},
          {"list:bets.csv", true, "2 1 bets.csv"},
          {"list:", false, "list:FILE"},
          {"kelly", false, "value"}}},
        {poolsText,
         {{"all", true, "11111111"},
          {"win,trio", true, "10000010"},
          {"3連単", true, "00000001"},
          {"win,show", false, "show"}}},
        {stakeText,
         {{"flat:1000", true, "0 1000 0.25"},
          {"flat:150", false, "100円単位"},
          {"flat:0", false, "100円単位"},
          {"flat:abc", false, "100円単位"},
          {"kelly:0.5", true, "1 100 0.5"},
          {"kelly:0", false, ""},
          {"kelly:2", false, ""},
          {"even:100", false, "flat:YEN"}}},
        {momentText, {{"final", true, "final"}, {"30", true, "30"}, {"1441", false, "final"}, {"-5", false, "final"}}},
    };
    for (const auto& [read, cases] : readers)
        for (const Case& c : cases) {
            const QString got = read(c.text);
            if (c.ok)
                EXPECT_EQ(got, c.expected) << c.text.toStdString();
            else
                EXPECT_TRUE(got.contains(c.expected) && !got.isEmpty())
                    << c.text.toStdString() << ": " << got.toStdString();
        }
}

TEST(ReplayRule, ABetListKeepsItsGoodRowsAndNamesEachBadOneWithItsLine)
{
    const QByteArray csv = "\xEF\xBB\xBF"
                           "date,race,pool,bet,stake\r\n"
                           "2026-11-07,11,win,3,1000\r\n"
                           "20261107,1,trio,1-2-3,300\r\n"
                           "\r\n"
                           "2026年11月08日,2,\"馬単\",5-2,100\r\n"
                           "2026-11-08,2,exacta,5-5,100\r\n"
                           "2026-02-30,2,win,1,100\r\n"
                           "2026-11-08,37,win,1,100\r\n"
                           "2026-11-08,2,show,1,100\r\n"
                           "2026-11-08,2,win,1,150\r\n"
                           "2026-11-08,2,win,1\r\n"
                           "2026-11-08,2,trio,3-2-1,100\r\n";
    QStringList problems;
    const std::vector<replay::ListedBet> bets = replay::readBetList(csv, problems);
    ASSERT_EQ(bets.size(), 3u);
    EXPECT_EQ(std::tuple(bets[0].date, bets[0].race, bets[0].pool, bets[0].entry, bets[0].stake, bets[0].line),
              std::tuple(QStringLiteral("2026年11月07日"), 11, Pool::Win, 3, 1000LL, 2));
    EXPECT_EQ(std::tuple(bets[1].pool, bets[1].entry, bets[1].line), std::tuple(Pool::Trio, 1, 3));
    EXPECT_EQ(std::tuple(bets[2].pool, bets[2].entry, bets[2].line),
              std::tuple(Pool::Exacta, pools::entryOf(Pool::Exacta, 5, 2), 5));
    const QStringList expected{"6 行目: 組番 \"5-5\" は馬単の組番ではありません",
                               "7 行目: 日付 \"2026-02-30\" が読めません",
                               "8 行目: レース \"37\" が読めません（1〜36）",
                               "9 行目: 券種 \"show\" がありません",
                               "10 行目: 金額 \"150\" が読めません",
                               "11 行目: 列が 4 あります",
                               "12 行目: 組番 \"3-2-1\" は3連複の組番ではありません"};
    ASSERT_EQ(problems.size(), expected.size()) << problems.join(u'\n').toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(problems[i].startsWith(expected[i])) << problems[i].toStdString();
}

TEST(ReplayRule, AStakeIsFlatListedOrKellyInHundredsAndNeverAboveTheBankroll)
{
    replay::Candidate longPrice;  // 10 of 1,000 win votes at 0.8: 80 times; a chance of 1 in 40
    longPrice.bet = advice::Bet{advice::BetKind::Win, 1, 1000, 10, {4, 5}};
    longPrice.prob = advice::Fraction{1, 40};
    replay::Candidate noChance = longPrice;
    noChance.prob.reset();
    replay::Candidate listed = noChance;
    listed.listedStake = 5000;
    const Stake flat{Stake::Flat, 1000, {1, 1}};
    const Stake kelly{Stake::Kelly, 100, {1, 1}};
    const Stake halfKelly{Stake::Kelly, 100, {1, 2}};
    advice::AdviceInput full{{1, 40}, 100'000, {1, 1}};
    const long long kellyFull = advice::advise(longPrice.bet, full).kellyStake;
    ASSERT_GT(kellyFull, 0);
    struct Case {
        const char* what;
        Stake stake;
        const replay::Candidate* candidate;
        long long available;
        long long expected;
    };
    const Case cases[] = {
        {"flat", flat, &longPrice, 100'000, 1000},
        {"flat cut to what is left, in hundreds", flat, &longPrice, 950, 900},
        {"nothing left", flat, &longPrice, 99, 0},
        {"the list's own stake", kelly, &listed, 100'000, 5000},
        {"the list's stake cut to the bankroll", flat, &listed, 4321, 4300},
        {"Kelly: the advisor's stake with the stake's own impact", kelly, &longPrice, 100'000, kellyFull},
        {"half Kelly", halfKelly, &longPrice, 100'000, kellyFull / 2 / 100 * 100},
        {"Kelly without the model's chance bets nothing", kelly, &noChance, 100'000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replay::stakeFor(c.stake, *c.candidate, c.available), c.expected) << c.what;
}
