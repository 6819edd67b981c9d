#pragma once

#include <QtGlobal>

#include <optional>

namespace tavek::timeline {

// The time axis of the オッズ推移 charts: from a whole step to a whole step
// of local time with a tick on each, so that labels never repeat a minute,
// over the snapshots and over post time when it is near them.
struct TimeAxis {
    qint64 from = 0;  // milliseconds since the epoch
    qint64 to = 0;
    int ticks = 0;           // one at every step, both ends included
    bool oneDay = true;      // from and to fall on one day: the labels need no date
    bool showsPost = false;  // post time lies on the axis

    // The axis of snapshots fetched from `first` to `last` (milliseconds
    // since the epoch) of a race with `post` time. Post time joins it when
    // it lies no farther from the snapshots than they span (ten minutes at
    // least): half an hour of reports at 10:00 for a race at 15:45 would
    // otherwise sit in the axis's first twelfth. At most four steps, two
    // when the labels need the date: five "HH:mm" labels fit below half the
    // window, dated ones are twice as wide.
    static TimeAxis fit(qint64 first, qint64 last, std::optional<qint64> post);
};

}  // namespace tavek::timeline
