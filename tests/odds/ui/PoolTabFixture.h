#pragma once

#include "odds/ui/PoolTab.h"
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

inline void choosePool(PoolTab& tab, tavek::pools::Pool pool)
{
    const int index = tab.PoolCombo->findText(tavek::pools::pool(pool).caption());
    ASSERT_GE(index, 0);
    tab.PoolCombo->setCurrentIndex(index);
}
