#include "timeline/model/TimeAxis.h"

#include <QDateTime>

#include <algorithm>

namespace tavek::timeline {

namespace {

constexpr qint64 kMinute = 60'000;
// The least span: a single fetch or a few close ones sit inside the plot
// instead of on its edge.
constexpr qint64 kLeast = 10 * kMinute;

TimeAxis steps(qint64 first, qint64 last, int maxSteps)
{
    if (last - first < kLeast) {
        const qint64 middle = first + (last - first) / 2;
        first = middle - kLeast / 2;
        last = middle + kLeast / 2;
    }
    const qint64 offset = QDateTime::fromMSecsSinceEpoch(first).offsetFromUtc() * 1000LL;
    TimeAxis axis;
    // The smallest step whose whole steps around the span are few enough.
    for (const int minutes : {1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720, 1440, 2 * 1440, 7 * 1440, 14 * 1440,
                              28 * 1440, 91 * 1440, 182 * 1440, 364 * 1440}) {
        const qint64 step = minutes * kMinute;
        axis.from = (first + offset) / step * step - offset;
        axis.to = ((last + offset) + step - 1) / step * step - offset;
        axis.ticks = int((axis.to - axis.from) / step) + 1;
        if (axis.ticks - 1 <= maxSteps)
            break;
    }
    axis.oneDay = QDateTime::fromMSecsSinceEpoch(axis.from).date() == QDateTime::fromMSecsSinceEpoch(axis.to).date();
    return axis;
}

}  // namespace

TimeAxis TimeAxis::fit(qint64 first, qint64 last, std::optional<qint64> post)
{
    const qint64 reach = std::max(last - first, kLeast);
    const bool near = post && *post >= first - reach && *post <= last + reach;
    if (near) {
        first = std::min(first, *post);
        last = std::max(last, *post);
    }
    TimeAxis axis = steps(first, last, 4);
    if (!axis.oneDay)
        axis = steps(first, last, 2);
    axis.showsPost = near;
    return axis;
}

}  // namespace tavek::timeline
