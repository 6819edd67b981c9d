#include "advisor/model/AdvisorChart.h"
#include "advisor/model/AdvisorInput.h"
#include "advisor/model/AdvisorTexts.h"
#include "odds/model/PairBoard.h"
#include "odds/model/PairSlot.h"
#include "odds/model/WinBoard.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

using namespace tavek;
using namespace tavek::advice;
using test::H1Record;

namespace {

constexpr pools::PayoutRate kWinRate = pools::pool(pools::Pool::Win).rateFrom;
constexpr pools::PayoutRate kPairRateBefore = pools::pool(pools::Pool::Quinella).rateBefore;
constexpr pools::PayoutRate kPairRateFrom = pools::pool(pools::Pool::Quinella).rateFrom;

// The payout per 100 yen as a bettor reckons it, in yen: the pool's share of
// the bet, truncated to 10 yen, never below 100 yen. Written apart from the
// advisor, so the two can check each other.
long long brutePayout(long long pool, long long votes, int num, int den, long long stake)
{
    const long long x = stake / 100;
    const long long yen = 100 * num * (pool + x) / (den * (votes + x));
    return std::max(100LL, yen - yen % 10);
}

struct BruteCase {
    long long pool, votes;
    int num, den;
    long long probPer1000;  // P = probPer1000 / 1000
    long long bankroll;
};

// Every 100-yen stake tried in turn: the EV in units of 1/1000 yen, the
// growth from the final bankroll's logarithms in extended precision.
Advice bruteAdvice(const BruteCase& c, long double* kellyGrowth)
{
    const long double p = c.probPer1000 / 1000.0L;
    Advice a;
    long long bestEv = 0;
    long double bestLog = std::log(static_cast<long double>(c.bankroll));
    for (long long s = 100; s <= c.bankroll; s += 100) {
        const long long pay = brutePayout(c.pool, c.votes, c.num, c.den, s);
        const long long ev = s / 100 * (c.probPer1000 * pay - 100'000);
        if (ev > bestEv) {
            bestEv = ev;
            a.maxEvStake = s;
        }
        if (c.probPer1000 * pay >= 100'000)
            a.breakEvenStake = s;
        if (s < c.bankroll) {
            const long double won = c.bankroll - s + static_cast<long double>(s) * pay / 100;
            const long double g = p * std::log(won) + (1 - p) * std::log(static_cast<long double>(c.bankroll - s));
            if (g > bestLog) {
                bestLog = g;
                a.kellyFullStake = s;
            }
        }
    }
    *kellyGrowth = bestLog - std::log(static_cast<long double>(c.bankroll));
    // One more 100 yen than the bankroll allows: would it have been better still?
    const long long top = c.bankroll / 100 * 100;
    const long long past = brutePayout(c.pool, c.votes, c.num, c.den, top + 100);
    a.maxEvCut = top > 0 && a.maxEvStake == top && (top / 100 + 1) * (c.probPer1000 * past - 100'000) > bestEv;
    a.breakEvenCut = top > 0 && a.breakEvenStake == top && c.probPer1000 * past >= 100'000;
    return a;
}

Bet betOf(const BruteCase& c)
{
    return Bet{BetKind::Win, 1, c.pool, c.votes, {c.num, c.den}};
}

std::unique_ptr<DayData> dayWith(const H1Record& votes)
{
    auto day = std::make_unique<DayData>();
    const QByteArray& v = votes.bytes();
    day->setVoteRecord(0, v);
    return day;
}

}  // namespace

TEST(StakeAdvisor, PayoutRuleTruncatesToTenthsAndNeverFallsBelowOne)
{
    const Bet win{BetKind::Win, 1, 1000, 300, kWinRate};
    EXPECT_EQ(payoutTenths(win, 0), 26) << "2.666... is paid as 2.6, not rounded to 2.7";
    EXPECT_EQ(payoutTenths(win, 100), 22) << "the stake joins the votes and the pool";
    // 81 x 0.8 / 3 = 21.6 exactly, 21.599... in binary floating point.
    EXPECT_EQ(payoutTenths({BetKind::Win, 1, 81, 3, kWinRate}, 0), 216);
    EXPECT_EQ(payoutTenths({BetKind::Win, 1, 1000, 400, kWinRate}, 0), 20);
    EXPECT_EQ(payoutTenths({BetKind::Win, 1, 1000, 900, kWinRate}, 0), 10) << "0.88 is paid as 1.0";
    EXPECT_EQ(payoutTenths({BetKind::Win, 1, 5000, 5000, kWinRate}, 0), 10);
    EXPECT_EQ(payoutTenths({BetKind::Quinella, 1, 348, 3, kPairRateFrom}, 0), 899) << "89.9, not 89.8";
    EXPECT_EQ(payoutTenths({BetKind::Win, 1, 2'000'000'000, 1, kWinRate}, 1'000'000), 16'007);
    EXPECT_EQ(kWinRate.value(), 0.8L);
    EXPECT_EQ(kPairRateFrom.value(), 0.775L);
}

TEST(StakeAdvisor, PairRateFollowsTheRaceDate)
{
    for (const auto& [date, tenths] : {std::pair{"20140606", 234}, std::pair{"20140607", 242}}) {
        auto day = dayWith(H1Record(test::raceKey(date)).quinellaTotal(1'000'000).quinella(1, 32'000));
        const BetChoice c = chooseBet(*day, 0, BetKind::Quinella, 1);
        ASSERT_TRUE(c.ok()) << c.refusal.toStdString();
        EXPECT_EQ(payoutTenths(c.bet, 0), tenths) << date;
        EXPECT_EQ(betLabel(c.bet), "馬連 1-2");
    }
    auto day = dayWith(H1Record(test::raceKey("20140607")).bracketTotal(200'000).bracket(9, 6'000));
    EXPECT_EQ(chooseBet(*day, 0, BetKind::Bracket, 9).bet.rate.numerator, 31);
}

TEST(StakeAdvisor, RefusesBetsWithoutOdds)
{
    auto day = dayWith(test::exampleWinRace().refund(2).win(2, 0).win(3, 0).quinellaTotal(50'000).quinella(1, 0));
    EXPECT_TRUE(chooseBet(*day, 0, BetKind::Win, 1).ok());
    const QString scratched = chooseBet(*day, 0, BetKind::Win, 2).refusal;
    EXPECT_TRUE(scratched.contains(u"取消")) << scratched.toStdString();
    EXPECT_TRUE(chooseBet(*day, 0, BetKind::Win, 3).refusal.contains(u"票数がない"));
    EXPECT_TRUE(chooseBet(*day, 0, BetKind::Win, 11).refusal.contains(u"登録されていません"));
    EXPECT_TRUE(chooseBet(*day, 0, BetKind::Quinella, 1).refusal.contains(u"空欄"));
    EXPECT_TRUE(chooseBet(*day, 0, BetKind::Quinella, 2).refusal.contains(u"空欄")) << "a blank pair";
    EXPECT_FALSE(chooseBet(*day, 0, BetKind::Quinella, 154).ok());
    auto noPool = dayWith(H1Record().registered(8).win(1, 10));
    EXPECT_TRUE(chooseBet(*noPool, 0, BetKind::Win, 1).refusal.contains(u"合計票数"));
}

TEST(StakeAdvisor, AgreesWithBruteForceOnRandomRaces)
{
    std::mt19937_64 random(13);
    auto between = [&](long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(random); };
    const pools::PayoutRate rates[] = {kWinRate, kPairRateBefore, kPairRateFrom};
    int maxEvCuts = 0, breakEvenCuts = 0;
    for (int i = 0; i < 300; ++i) {
        const long long pool = between(500, i % 3 ? 3'000'000 : 20'000);
        const long long votes = between(1, pool / between(1, 200) + 1);
        const pools::PayoutRate rate = rates[i % 3];
        // P from a little below to well above the odds' own chance, so that
        // the break-even stake falls inside the bankroll as often as not.
        const long long fair = 1000 * votes * rate.denominator / (pool * rate.numerator);
        const BruteCase c{pool,
                          votes,
                          rate.numerator,
                          rate.denominator,
                          std::clamp(fair * between(80, 250) / 100, 1LL, 999LL),
                          between(1, 3000) * (i % 5 ? 100 : 137)};
        SCOPED_TRACE(testing::Message() << "case " << i << ": T " << c.pool << " v " << c.votes << " P "
                                        << c.probPer1000 << "/1000 W " << c.bankroll);
        long double bruteGrowth = 0;
        const Advice expected = bruteAdvice(c, &bruteGrowth);
        const Fraction prob{c.probPer1000, 1000};
        const Advice got = advise(betOf(c), {prob, c.bankroll, {1, 1}});
        EXPECT_EQ(got.maxEvStake, expected.maxEvStake);
        EXPECT_EQ(got.breakEvenStake, expected.breakEvenStake);
        EXPECT_EQ(got.maxEvCut, expected.maxEvCut);
        EXPECT_EQ(got.breakEvenCut, expected.breakEvenCut);
        maxEvCuts += got.maxEvCut;
        breakEvenCuts += got.breakEvenCut;
        // Growths within rounding of each other may pick either stake.
        if (got.kellyFullStake != expected.kellyFullStake) {
            EXPECT_NEAR(growth(betOf(c), prob, c.bankroll, got.kellyFullStake / 100), double(bruteGrowth), 1e-12);
        }
        EXPECT_EQ(got.kellyStake, got.kellyFullStake);
        for (long long s : {0LL, got.maxEvStake, c.bankroll / 100 * 100})
            EXPECT_EQ(payoutTenths(betOf(c), s / 100) * 10, brutePayout(c.pool, c.votes, c.num, c.den, s));
    }
    EXPECT_GT(maxEvCuts, 0) << "the cases reach bankrolls that cut the stakes";
    EXPECT_GT(breakEvenCuts, 0);
}

// A bet the bankroll cannot exhaust (P 0.5 at odds 8.0, as 複勝 or 3連複 with
// P from the market on a big pool): every 100 yen up to the bankroll adds EV.
TEST(AdvisorTexts, StakesTheBankrollCutSaySoInWords)
{
    const Bet bet{BetKind::Win, 1, 100'000'000, 10'000'000, kWinRate};
    const AdviceInput input{{1, 2}, 1'000'000, {1, 2}};
    const Advice a = advise(bet, input);
    ASSERT_TRUE(a.maxEvCut && a.breakEvenCut);
    const AdviceSheet sheet = adviceSheet(bet, input, a);
    EXPECT_EQ(sheet.lines[0].stake, "1,000,000円（資金が上限）");
    EXPECT_EQ(sheet.lines[0].growth, "外れると資金を失う") << "the whole bankroll: growth minus infinity";
    EXPECT_EQ(QStringList({sheet.lines[1].stake, sheet.lines[1].odds, sheet.lines[1].ev}),
              QStringList({"資金内になし", "―", "―"}));
    EXPECT_FALSE(sheet.lines[2].stake.contains(u'（')) << "Kelly stays inside the bankroll";

    const AdvisorChart chart = advisorChart(bet, input, a);
    EXPECT_EQ(chart.stakeEnd, 1'000'000) << "the axis ends at the bankroll";
    EXPECT_FALSE(chart.marks[1].shown);
    EXPECT_TRUE(chart.marks[0].shown);

    const Advice inside = advise(bet, {{1, 10}, 1'000'000, {1, 1}});  // P below 1/8
    EXPECT_FALSE(inside.maxEvCut || inside.breakEvenCut);
}

TEST(StakeAdvisor, EqualEvsGiveTheSmallerStakeAndKellyIsScaledDown)
{
    // T 17, v 1, P 1/2: stakes of 200 and 300 yen both bring EV +300 yen.
    const Bet bet{BetKind::Win, 1, 17, 1, kWinRate};
    EXPECT_EQ(expectedValue(bet, {1, 2}, 2), expectedValue(bet, {1, 2}, 3));
    const Advice a = advise(bet, {{1, 2}, 2000, {1, 3}});
    EXPECT_EQ(a.maxEvStake, 200);
    EXPECT_EQ(a.kellyStake, a.kellyFullStake / 100 / 3 * 100);

    const Bet poor{BetKind::Win, 1, 1'000'000, 100'000, kWinRate};  // odds 8.0
    const Advice none = advise(poor, {{1, 10}, 100'000, {1, 1}});
    EXPECT_EQ(none.maxEvStake, 0) << "no stake pays at P = 0.1";
    EXPECT_EQ(none.breakEvenStake, 0);
    EXPECT_EQ(none.kellyStake, 0);
    const Advice small = advise(poor, {{1, 2}, 99, {1, 1}});
    EXPECT_EQ(small.maxEvStake + small.breakEvenStake + small.kellyStake, 0) << "a bankroll below 100 yen";
    EXPECT_EQ(advise(poor, {{1, 2}, 100, {1, 1}}).breakEvenStake, 100);
    EXPECT_EQ(advise(poor, {{1, 2}, 100, {1, 1}}).kellyFullStake, 0) << "Kelly never stakes the whole bankroll";
}

TEST(StakeAdvisor, WorkedExampleOfTheManual)
{
    // Horse 1 of the example race, 100,000 of 1,000,000 votes (odds 8.0), P 15%, W 3,000,000 yen, F 0.5.
    const Bet bet{BetKind::Win, 1, 1'000'000, 100'000, kWinRate};
    const AdviceInput input{{15, 100}, 3'000'000, {1, 2}};
    const Advice a = advise(bet, input);
    const AdviceSheet sheet = adviceSheet(bet, input, a);
    EXPECT_EQ(betTexts(bet).oddsNow, "8.0");
    EXPECT_EQ(sheet.fairOdds, "6.67");
    EXPECT_EQ(timesText(sheet.fairOdds), "6.67倍");
    const QStringList lines = {sheet.lines[0].stake + ' ' + sheet.lines[0].odds + ' ' + sheet.lines[0].ev,
                               sheet.lines[1].stake + ' ' + sheet.lines[1].odds + ' ' + sheet.lines[1].ev,
                               sheet.lines[2].stake + ' ' + sheet.lines[2].odds + ' ' + sheet.lines[2].growth};
    EXPECT_EQ(lines.join(u'|'), "1,076,900円 7.3 +102,306円|2,203,300円 6.7 +11,017円|40,200円 7.9 +0.180%");
}

TEST(StakeAdvisor, CurveDisplayIsWhatTheTabsShowAfterTheStake)
{
    auto day = dayWith(test::exampleWinRace().quinellaTotal(1'000'000).quinella(1, 32'000));
    const Bet runner = chooseBet(*day, 0, BetKind::Win, 1).bet;
    const Bet pair = chooseBet(*day, 0, BetKind::Quinella, 1).bet;
    const std::vector<CurvePoint> points = curve(runner, 1'000'000, 150'000);
    ASSERT_EQ(points.size(), 7u) << "0 to 900,000 by 150,000";
    win::WinBoard board(*day);
    ASSERT_TRUE(board.calculate(0));
    sim::PairBoard pairs(pools::PairKind::Quinella);
    const sim::PairSlot slot = sim::pairSlot(*day, 0, pools::PairKind::Quinella);
    for (const CurvePoint& p : points) {
        board.simulateStake(1, p.stake);
        EXPECT_EQ(tabOddsText(runner, p.stake / 100), board.cellText(1, 10)) << p.stake;
        pairs.simulateStake(slot.record, slot.figures, pools::pairLabel(pools::PairKind::Quinella, 1), p.stake);
        EXPECT_EQ(tabOddsText(pair, p.stake / 100), pairs.virtualCell(1).text) << p.stake;
    }
    EXPECT_EQ(points[1].oddsTenths, 78) << "1,001,500 x 0.8 / 101,500 = 7.89: the tab shows 7.9";
    EXPECT_EQ(tabOddsText(runner, 1'500), "      7.9");
}

TEST(StakeAdvisor, DutchingAgreesWithBruteForce)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 40; ++i) {
        const long long pool = std::uniform_int_distribution<long long>(2'000, 400'000)(random);
        std::vector<Bet> bets;
        for (int b = 0; b < 1 + i % 5; ++b)
            bets.push_back({BetKind::Win, b + 1, pool,
                            std::uniform_int_distribution<long long>(1, i % 2 ? 50 : pool / 4)(random), kWinRate});
        const long long total = std::uniform_int_distribution<long long>(1, 400)(random) * 100;
        const Dutching d = dutch(bets, total);

        std::vector<long long> stakes(bets.size(), 0);
        long long moved = pool;
        auto payout = [&](size_t j) {
            return stakes[j] / 100 * brutePayout(moved, bets[j].votes + stakes[j] / 100, 4, 5, 0);
        };
        for (long long s = 0; s < total; s += 100) {
            size_t low = 0;
            for (size_t j = 1; j < bets.size(); ++j)
                if (payout(j) < payout(low))
                    low = j;
            stakes[low] += 100;
            moved += 1;
        }
        ASSERT_EQ(d.tickets.size(), bets.size());
        long long least = payout(0);
        for (size_t j = 0; j < bets.size(); ++j) {
            EXPECT_EQ(d.tickets[j].stake, stakes[j]) << "case " << i << " bet " << j;
            EXPECT_EQ(d.tickets[j].payout, payout(j));
            least = std::min(least, payout(j));
        }
        EXPECT_EQ(d.minPayout, least);
    }
    const Bet even{BetKind::Win, 1, 10'000, 1'000, kWinRate};
    const Dutching tie = dutch({even, Bet{even.kind, 2, even.pool, even.votes, even.rate}}, 300);
    EXPECT_EQ(tie.tickets[0].stake, 200) << "equal returns go to the bet listed first";
    EXPECT_EQ(tie.tickets[1].stake, 100);
}

TEST(AdvisorInput, ReadsDecimalsExactlyAndRefusesTheRest)
{
    EXPECT_EQ(exactDecimal(u"0.125")->numerator, 125);
    EXPECT_EQ(exactDecimal(u"0.125")->denominator, 1000);
    EXPECT_EQ(exactDecimal(u"12.")->denominator, 1);
    EXPECT_EQ(exactDecimal(u".5")->numerator, 5);
    for (const char16_t* bad : {u"", u".", u"1e3", u"-0.5", u"0,5", u"1234567890", u"0.1234567890", u"1.2.3"})
        EXPECT_FALSE(exactDecimal(bad)) << QString::fromUtf16(bad).toStdString();

    for (const char16_t* bad : {u"0", u"1", u"1.0", u"0.000", u"abc"})
        EXPECT_FALSE(readProbability(bad, ProbForm::Probability).ok());
    EXPECT_EQ(readProbability(u"0.999999999", ProbForm::Probability).value.numerator, 999'999'999);
    EXPECT_EQ(readProbability(u"12.5", ProbForm::Percent).value.denominator, 1000);
    EXPECT_FALSE(readProbability(u"100", ProbForm::Percent).ok());
    EXPECT_EQ(readProbability(u"4.0", ProbForm::FairOdds).value.numerator, 10);
    EXPECT_EQ(readProbability(u"4.0", ProbForm::FairOdds).value.denominator, 40);
    EXPECT_FALSE(readProbability(u"1.0", ProbForm::FairOdds).ok());

    // In range but in a form not read: the refusal says the form, not the range.
    const struct {
        Reading<Fraction> reading;
        const char16_t* named;
    } forms[] = {{readProbability(u"1e-5", ProbForm::Probability), u"的中確率"},
                 {readProbability(u"0.999999999999", ProbForm::Probability), u"的中確率"},
                 {readProbability(u"2.5e1", ProbForm::Percent), u"的中確率"},
                 {readProbability(u"1e10", ProbForm::FairOdds), u"適正オッズ"},
                 {readKellyFraction(u"1e-9"), u"ケリー係数"}};
    for (const auto& f : forms) {
        EXPECT_TRUE(f.reading.refusal.startsWith(QString::fromUtf16(f.named) + QStringLiteral("は 0.00001 のように")));
        EXPECT_TRUE(f.reading.refusal.contains(u"指数表記")) << f.reading.refusal.toStdString();
    }
    EXPECT_EQ(readProbability(u"", ProbForm::Percent).refusal, QStringLiteral("的中確率を入力してください。"))
        << "an empty field is asked for, not taught its form";
    EXPECT_TRUE(readProbability(u"0.00001", ProbForm::Probability).ok());
    EXPECT_TRUE(readKellyFraction(u"0.000000001").ok());

    EXPECT_EQ(readBankroll(u"100000").value, 100'000);
    EXPECT_FALSE(readBankroll(u"99").ok());
    EXPECT_FALSE(readBankroll(u"100000001").ok());
    EXPECT_FALSE(readBankroll(u"1000.5").ok());
    EXPECT_TRUE(readKellyFraction(u"1").ok());
    EXPECT_FALSE(readKellyFraction(u"0").ok());
    EXPECT_FALSE(readKellyFraction(u"1.01").ok());
    EXPECT_TRUE(readStake(u"0", 0, "--to").ok());
    EXPECT_FALSE(readStake(u"150", 100, "--step").ok());
    EXPECT_TRUE(readStake(u"150", 100, "--step").refusal.startsWith(u"--step"));
}

TEST(AdvisorTexts, FormatsOddsYenAndGrowth)
{
    EXPECT_EQ(oddsText(10), "1.0");
    EXPECT_EQ(oddsText(12'345), "1,234.5");
    EXPECT_EQ(signedYenText(1'234), "+1,234円");
    EXPECT_EQ(signedYenText(-56), "-56円");
    EXPECT_EQ(signedYenText(0), "0円");
    EXPECT_EQ(growthText(0.0012345), "+0.123%");
    EXPECT_EQ(rateText(kPairRateFrom), "0.775");
    EXPECT_EQ(expectedValue({BetKind::Win, 1, 1, 1, kWinRate}, {1, 8}, 1), -88) << "-87.5 yen, away from zero";
    EXPECT_EQ(expectedValue({BetKind::Win, 1, 17, 1, kWinRate}, {1, 3}, 1), 140);
}

TEST(AdvisorChart, ReachesPastTheBreakEvenStakeAndMarksTheThreeStakes)
{
    const Bet bet{BetKind::Win, 1, 1'000'000, 100'000, kWinRate};
    const AdviceInput input{{15, 100}, 3'000'000, {1, 2}};
    const Advice a = advise(bet, input);
    const AdvisorChart chart = advisorChart(bet, input, a);
    EXPECT_GT(chart.stakeEnd, double(a.breakEvenStake));
    EXPECT_LE(chart.points.size(), size_t(kChartSteps + 2));
    EXPECT_EQ(chart.points.front().stake, 0);
    EXPECT_EQ(chart.points.back().stake, chart.stakeEnd);
    EXPECT_DOUBLE_EQ(chart.fairOdds, 100.0 / 15);
    EXPECT_EQ(chart.marks[1].at.stake, double(a.breakEvenStake));
    EXPECT_EQ(chart.marks[2].at.odds, double(payoutTenths(bet, a.kellyStake / 100)) / 10);
    EXPECT_EQ(chart.marks[0].at.ev, double(expectedValue(bet, input.prob, a.maxEvStake / 100)));

    const AdvisorChart hopeless = advisorChart(bet, {{1, 10}, 50'000, {1, 1}}, advise(bet, {{1, 10}, 50'000, {1, 1}}));
    EXPECT_EQ(hopeless.stakeEnd, 50'000) << "no stake pays: the whole bankroll";
}
