#pragma once

#include "odds/ui/PoolTab.h"
#include "pools/PoolIndex.h"
#include "support/SampleRace.h"

#include <QComboBox>
#include <gtest/gtest.h>

// The sample race with place and wide votes of their own, runner 7 refunded.
inline QByteArray poolSampleRecord()
{
    namespace layout = tavek::layout;
    tavek::test::H1Record r = sampleRace18();
    for (int h = 1; h <= 18; ++h)
        r.votes(layout::kPlacePool.votes(h), 10'000LL * h);
    for (int k = 1; k <= 153; ++k)
        r.votes(layout::kWidePool.votes(k), 500LL + 37 * k);
    return r.refund(7).bytes();
}

// A trifecta record of `runners` registered runners beside the sample race:
// entry n of the field has votes of its own, the total their sum.
inline QByteArray trifectaSampleRecord(int runners = 18)
{
    using tavek::pools::Pool;
    tavek::test::H6Record r(tavek::test::raceKey("20050416"));
    r.registered(runners).starters(runners);
    long long total = 0;
    for (int n = 1; n <= tavek::pools::pool(Pool::Trifecta).entries; ++n) {
        const auto h = tavek::pools::entryRunners(Pool::Trifecta, n);
        if (h[0] > runners || h[1] > runners || h[2] > runners)
            continue;
        const long long votes = 100 + (n * 7919LL) % 5000;
        r.entry(n, votes);
        total += votes;
    }
    return r.total(total).bytes();
}

inline void choosePool(PoolTab& tab, tavek::pools::Pool pool)
{
    const int index = tab.PoolCombo->findText(tavek::pools::pool(pool).caption());
    ASSERT_GE(index, 0);
    tab.PoolCombo->setCurrentIndex(index);
}
