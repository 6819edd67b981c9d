#pragma once

#include "support/SampleRace.h"
#include "simulation/ui/PairSheet.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

// One race slot's record and pair figures, standing in for the day data.
struct PairDay {
    QByteArray record;
    int quinellaTotal = -1;
    std::array<int, 153> quinellaVotes{};
    int bracketTotal = -1;
    std::array<int, 36> bracketVotes{};

    explicit PairDay(QByteArrayView r = sampleRace18()) : record(r.toByteArray()) {}

    PairSlotSource source(tavek::sim::PairKind kind)
    {
        return [this, kind](int) {
            if (kind == tavek::sim::PairKind::Quinella)
                return tavek::sim::PairSlot{record, {quinellaTotal, quinellaVotes}};
            return tavek::sim::PairSlot{record, {bracketTotal, bracketVotes}};
        };
    }
};

// Runs `action`, handing the first modal window it opens to `onModal`
// (which must close it); returns whether one opened.
inline bool whenModal(const std::function<void()>& action, const std::function<void(QWidget*)>& onModal)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened = true;
            onModal(w);
        }
    });
    action();
    QApplication::processEvents();
    return opened;
}
