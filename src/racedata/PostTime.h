#pragma once

#include <QByteArrayView>
#include <QDateTime>

#include <optional>

// The post time (発走時刻) of a race: the race date of an RA record
// (positions 12-19) with its hhmm field. The automatic quick report runs up
// to it and the odds history marks it.
namespace tavek::posttime {

// Nothing when the date or the time is blank or no valid date and time.
std::optional<QDateTime> of(QByteArrayView raceRecord);

}  // namespace tavek::posttime
