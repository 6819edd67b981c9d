// Every payout recomputed from the final votes and set beside the payout
// record: nothing differs on the built-in service's data, and what differs on
// other data is named with both figures.
#include "jvlink/emulator/GeneratedSource.h"
#include "payoutcheck/PayoutCheck.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

using namespace tavek;
using payoutcheck::Difference;
using pools::Pool;

TEST(PayoutCheck, TheBuiltInServicesMonthPaysExactlyWhatItsVotesGive)
{
    int races = 0, compared = 0, payouts = 0;
    for (QDate day(2026, 11, 1); day.month() == 11; day = day.addDays(1)) {
        const QByteArray file = jvlink::GeneratedSource::dayFile(day, jvlink::GeneratedSource::FileKind::VoteCounts);
        QByteArrayView h1, h6;
        for (qsizetype at = 0; at < file.size();) {
            const QByteArrayView record = recordlines::recordAt(file, at);
            at += record.size();
            if (layout::recordType(record) == "H1") {
                h1 = record;
                h6 = {};
            } else if (layout::recordType(record) == "H6") {
                h6 = record;
            } else if (layout::recordType(record) == "HR") {
                ++races;
                const result::RaceResult paid = result::read(record);
                EXPECT_EQ(payoutcheck::recompute(payoutcheck::finalVotes(h1, h6), paid), paid.payouts);
                const payoutcheck::Check check = payoutcheck::checkRace(h1, h6, paid);
                EXPECT_TRUE(check.differences.empty()) << layout::raceKey(record).toByteArray().constData();
                compared += check.compared;
                for (const pools::PoolPayout& p : paid.payouts)
                    payouts += int(p.payouts.size());
            }
        }
    }
    EXPECT_GT(races, 250);
    EXPECT_EQ(compared, payouts) << "every payout of every pool";
    EXPECT_GE(payouts, races * 11);
}

TEST(PayoutCheck, WhatDiffersIsNamedWithBothFiguresAndUnknownPoolsAreLeftOut)
{
    const auto pool = [](Pool p) { return pools::pool(p); };
    test::H1Record votes = test::H1Record().registered(16).starters(16);
    votes.winTotal(10000).win(2, 3000).win(5, 2000).win(9, 1000);
    votes.votes(pool(Pool::Place).total, 10000)
        .votes(pool(Pool::Place).votes(2), 3000)
        .votes(pool(Pool::Place).votes(5), 1000)
        .votes(pool(Pool::Place).votes(9), 500);
    // 10,000 x 0.8 / 2,000 = 4.0, not 430 yen; place (W + 5,500 / 3) x 0.8 as paid.
    const result::RaceResult paid = result::read(test::sampleResult());
    const payoutcheck::Check check = payoutcheck::checkRace(votes, QByteArray(layout::kH6Length, ' '), paid);
    EXPECT_EQ(check.compared, 4) << "win and place only: the other totals are blank";
    EXPECT_EQ(check.differences, (std::vector<Difference>{{Pool::Win, 5, 430, 400}}));

    votes.starters(4);  // place is sold from 5 starters
    const payoutcheck::Check few = payoutcheck::checkRace(votes, {}, paid);
    EXPECT_EQ(few.differences, (std::vector<Difference>{{Pool::Win, 5, 430, 400},
                                                        {Pool::Place, 2, 120, -1},
                                                        {Pool::Place, 5, 220, -1},
                                                        {Pool::Place, 9, 370, -1}}));
}
