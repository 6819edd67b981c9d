#pragma once

#include "jvlink/emulator/DataSource.h"
#include "jvlink/emulator/RaceCalendar.h"

#include <QDate>

namespace tavek::jvlink {

// Generated JRA-like data: per race day one file of race details (RA and SE
// records, published the day before at 16:00) and one of vote counts (per
// race its H1, its H6 where the trifecta was sold, and its HR with the
// payouts of its finish (RaceFinish.h), published the same day at 17:30).
// Real time: a race's H1 and H6 from 07:00 on its day, the votes rising
// toward the final figures until post time, slowly through the morning and
// steeply in the last half hour, as real pools fill; each entry along its own
// path, so that the odds drift (VoteGrowth.h). Its HR from kResultMinutes
// after post time.
class GeneratedSource : public DataSource {
public:
    enum class FileKind { RaceDetails, VoteCounts };

    // Data categories of the header.
    static constexpr char kFinalCategory = '2';
    static constexpr char kQuickReportCategory = '1';

    std::vector<SourceFile> filesBetween(const QDateTime& after, const QDateTime& upTo) const override;
    QByteArray content(const SourceFile& file) const override;
    std::vector<QByteArray> quickReport(QByteArrayView key, const QDateTime& now) const override;
    std::vector<QByteArray> quickResult(QByteArrayView key, const QDateTime& now) const override;

    // The records of one file of one race day (empty on a day without racing).
    static QByteArray dayFile(const QDate& date, FileKind kind);
    static QDateTime publication(const QDate& raceDay, FileKind kind);

    // The part of a race's final votes cast at `now`: 0 until sales open at
    // 07:00, kCastBeforeLast half an hour before post time, 1 from post time.
    static constexpr double kCastBeforeLast = 0.3;
    static constexpr double kLastMinutes = 30.0;
    static double shareCast(const calendar::Race& race, const QDateTime& now);

    // A race's payouts are published this long after its post time.
    static constexpr int kResultMinutes = 10;
    static QDateTime resultTime(const calendar::Race& race);
};

}  // namespace tavek::jvlink
