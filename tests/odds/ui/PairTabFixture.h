#pragma once

#include "odds/ui/PairSheet.h"
#include "support/SampleRace.h"

#include <array>

// One race slot's record and pair figures, standing in for the day data.
struct PairDay {
    QByteArray record;
    int quinellaTotal = -1;
    std::array<int, 153> quinellaVotes{};
    int bracketTotal = -1;
    std::array<int, 36> bracketVotes{};

    explicit PairDay(QByteArrayView r = sampleRace18()) : record(r.toByteArray()) {}

    PairSlotSource source(tavek::pools::PairKind kind)
    {
        return [this, kind](int) {
            if (kind == tavek::pools::PairKind::Quinella)
                return tavek::sim::PairSlot{record, {quinellaTotal, quinellaVotes}};
            return tavek::sim::PairSlot{record, {bracketTotal, bracketVotes}};
        };
    }
};
