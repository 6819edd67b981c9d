#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The start point of the batch acquisition, kept under settings::kLastTime as
// "yyyy/mm/dd hh:nn:ss".
namespace tavek::lasttime {

// "yyyy/mm/dd hh:nn:ss".
QString format(const QDateTime& at);

// The current local time minus 8 days.
QDateTime defaultValue();

// The stored text as a date and time. A text that cannot be read as one (a
// hand-edited or damaged settings file) gives defaultValue() instead of
// stopping the acquisition window.
QDateTime parse(const QString& text);

// The stored text as a date and time; nothing when it cannot be read as one.
std::optional<QDateTime> tryParse(const QString& text);

// A JV-Link last-file timestamp "yyyymmddhhnnss" as a date and time; nothing
// when it is blank or "00000000000000". Throws std::runtime_error for any
// other text that is not a valid timestamp.
std::optional<QDateTime> fromTimestamp(const QString& timestamp);

}  // namespace tavek::lasttime
