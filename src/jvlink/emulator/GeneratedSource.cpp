#include "jvlink/emulator/GeneratedSource.h"

#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/RaceFinish.h"
#include "jvlink/emulator/RecordWriter.h"
#include "jvlink/emulator/VoteGrowth.h"
#include "jvlink/emulator/VoteModel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tavek::jvlink {

namespace {

constexpr auto kStampFormat = "yyyyMMddHHmmss";

// Sales of a race day's races open at 07:00.
QDateTime salesOpen(const calendar::Race& race)
{
    return QDateTime(race.date, QTime(7, 0));
}

// File names: kind, race day, publication stamp ("RA20050416_20050415160000.jvd").
QString fileName(const QDate& day, GeneratedSource::FileKind kind, const QString& stamp)
{
    return (kind == GeneratedSource::FileKind::RaceDetails ? QStringLiteral("RA") : QStringLiteral("H1"))
           + day.toString(QStringLiteral("yyyyMMdd")) + u'_' + stamp + QStringLiteral(".jvd");
}

// The payout record of a race from its final votes.
void appendResult(QByteArray& out, const RaceDraw& race, const Votes& votes, const QDate& created)
{
    const pools::RaceSales sales = salesOf(race, votes);
    records::appendHr(out, race, sales.refunds, pools::racePayouts(sales, finishOf(race)),
                      GeneratedSource::kFinalCategory, created);
}

}  // namespace

double GeneratedSource::shareCast(const calendar::Race& race, const QDateTime& now)
{
    const QDateTime open = salesOpen(race);
    const QDateTime post = race.postTime();
    if (now >= post)
        return 1.0;
    if (now <= open)
        return 0.0;
    const double minutesLeft = static_cast<double>(now.secsTo(post)) / 60.0;
    const double morning = static_cast<double>(open.secsTo(post)) / 60.0 - kLastMinutes;
    if (minutesLeft >= kLastMinutes) {
        const double x = (morning - (minutesLeft - kLastMinutes)) / morning;
        return kCastBeforeLast * x * x;
    }
    // The last half hour: growth that keeps getting steeper up to post time.
    const double x = 1.0 - minutesLeft / kLastMinutes;
    return kCastBeforeLast + (1.0 - kCastBeforeLast) * std::expm1(3.0 * x) / std::expm1(3.0);
}

QDateTime GeneratedSource::publication(const QDate& raceDay, FileKind kind)
{
    return kind == FileKind::RaceDetails ? QDateTime(raceDay.addDays(-1), QTime(16, 0))
                                         : QDateTime(raceDay, QTime(17, 30));
}

std::vector<SourceFile> GeneratedSource::filesBetween(const QDateTime& after, const QDateTime& upTo) const
{
    std::vector<std::pair<QDateTime, SourceFile>> found;
    const QDate last = upTo.date().addDays(1);
    for (QDate day = std::max(after.date(), calendar::firstDay()); day <= last; day = day.addDays(1)) {
        if (calendar::meetingsOn(day).empty())
            continue;
        for (FileKind kind : {FileKind::RaceDetails, FileKind::VoteCounts}) {
            const QDateTime at = publication(day, kind);
            if (at > after && at <= upTo) {
                const QString stamp = at.toString(QLatin1String(kStampFormat));
                found.push_back({at, SourceFile{fileName(day, kind, stamp), stamp}});
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SourceFile> files;
    for (auto& f : found)
        files.push_back(std::move(f.second));
    return files;
}

QByteArray GeneratedSource::content(const SourceFile& file) const
{
    const QDate day = QDate::fromString(file.name.mid(2, 8), QStringLiteral("yyyyMMdd"));
    const bool details = file.name.startsWith(QStringLiteral("RA"));
    if (!day.isValid() || (!details && !file.name.startsWith(QStringLiteral("H1"))))
        throw std::runtime_error(
            QStringLiteral("%1 は提供しているファイルではありません").arg(file.name).toStdString());
    return dayFile(day, details ? FileKind::RaceDetails : FileKind::VoteCounts);
}

QByteArray GeneratedSource::dayFile(const QDate& date, FileKind kind)
{
    QByteArray out;
    const auto meetings = calendar::meetingsOn(date);
    const QDate created = publication(date, kind).date();
    for (size_t slot = 0; slot < meetings.size(); ++slot)
        for (int number = 1; number <= calendar::kRacesPerMeeting; ++number) {
            const RaceDraw race = drawRace({date, meetings[slot], number, static_cast<int>(slot)});
            if (kind == FileKind::RaceDetails) {
                records::appendRa(out, race, kFinalCategory, created);
                records::appendSe(out, race, kFinalCategory, created);
            } else {
                const Votes votes = votesOf(race);
                records::appendH1(out, race, votes, kFinalCategory, created);
                if (race.trifectaPool > 0)
                    records::appendH6(out, race, votes, kFinalCategory, created);
                appendResult(out, race, votes, created);
            }
        }
    return out;
}

std::vector<QByteArray> GeneratedSource::quickReport(QByteArrayView key, const QDateTime& now) const
{
    const auto race = calendar::raceOf(key);
    if (!race || now < salesOpen(*race))
        return {};
    const QDateTime open = salesOpen(*race);
    const double share = shareCast(*race, now);
    const double progress = static_cast<double>(open.secsTo(now)) / static_cast<double>(open.secsTo(race->postTime()));
    const RaceDraw draw = drawRace(*race);
    const Votes cast = votesCast(draw, votesOf(draw), share, std::min(progress, 1.0));
    const char category = share < 1.0 ? kQuickReportCategory : kFinalCategory;
    std::vector<QByteArray> out(1);
    records::appendH1(out.front(), draw, cast, category, now.date());
    if (draw.trifectaPool > 0)
        records::appendH6(out.emplace_back(), draw, cast, category, now.date());
    return out;
}

QDateTime GeneratedSource::resultTime(const calendar::Race& race)
{
    return race.postTime().addSecs(kResultMinutes * 60);
}

std::vector<QByteArray> GeneratedSource::quickResult(QByteArrayView key, const QDateTime& now) const
{
    const auto race = calendar::raceOf(key);
    if (!race || now < resultTime(*race))
        return {};
    const RaceDraw draw = drawRace(*race);
    std::vector<QByteArray> out(1);
    appendResult(out.front(), draw, votesOf(draw), now.date());
    return out;
}

}  // namespace tavek::jvlink
