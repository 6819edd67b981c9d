#include "racedata/DaySpan.h"

#include "racedata/DayFiles.h"

#include <stdexcept>

namespace tavek::dayfiles {

QStringList datesBetween(const QString& dataFolder, const QDate& from, const QDate& to)
{
    QString problem;
    QStringList leftOut;
    QStringList dates = dateList(dataFolder, &problem, &leftOut);
    if (!problem.isEmpty())
        throw std::runtime_error(problem.toStdString());
    const auto outside = [&](const QString& dateText) {
        const QDate date = QDate::fromString(dateText, QStringLiteral("yyyy年MM月dd日"));
        return (from.isValid() && date.isValid() && date < from) || (to.isValid() && date.isValid() && date > to);
    };
    leftOut.removeIf(outside);
    if (!leftOut.isEmpty())
        throw std::runtime_error(leftOutNote(dataFolder, leftOut).toStdString());
    dates.removeIf(outside);
    std::reverse(dates.begin(), dates.end());
    return dates;
}

}  // namespace tavek::dayfiles
