#include "odds/model/WinTexts.h"

#include "history/OddsHistory.h"
#include "racedata/Cp932.h"
#include "racedata/KeibaFunc.h"
#include "racedata/NumberFormat.h"
#include "racedata/PostTime.h"
#include "racedata/RecordField.h"

namespace tavek::win {

namespace {

const QString kNone = QStringLiteral(" ");
// "%10.0n": a runner's votes with separators, as every count of votes is shown.
constexpr int kVotesWidth = 10;

QString odds9OrNone(const std::optional<long double>& v)
{
    return v ? fmt::odds9(*v) : kNone;
}

QString latin(QByteArrayView record, int position, int length)
{
    return QString::fromLatin1(record::field(record, position, length));
}

QString realVotesText(QByteArrayView vote, int horse)
{
    int votes = -1;
    record::tryBlankAsAbsent(record::field(vote, layout::winVotes(horse), layout::kVoteLen), votes);
    return votes < 0 ? kNone : fmt::grouped(votes, kVotesWidth);
}

QString inputText(const QString& text, int horse, const InputTexts& inputs)
{
    return inputs.horse == horse && !text.trimmed().isEmpty() ? text : kNone;
}

}  // namespace

const QStringList& columnHeaders(bool quickReport)
{
    static const QStringList final = {
        QStringLiteral("枠"),           QStringLiteral("馬"),           QStringLiteral("票数"),
        QStringLiteral("得票率"),       QStringLiteral("確定オッズ"),   QStringLiteral("返還"),
        QStringLiteral("仮定買金額"),   QStringLiteral("仮定ｵｯｽﾞ"),     QStringLiteral("票数(仮想)"),
        QStringLiteral("得票率(仮想)"), QStringLiteral("オッズ(仮想)"),
    };
    static const QStringList quick = [] {
        QStringList headers = final;
        headers[4] = QStringLiteral("速報オッズ");
        return headers;
    }();
    return quickReport ? quick : final;
}

bool quickReport(const DayData& day, int race, const std::optional<QDateTime>& fetched)
{
    if (layout::dataCategory(day.voteRecord(race)) != "0")
        return false;
    const std::optional<QDateTime> post = fetched ? posttime::of(day.raceRecord(race)) : std::nullopt;
    return !(post && *fetched >= *post);
}

std::optional<QDateTime> quickReportFetched(const DayData& day, int race, const history::OddsHistory* history)
{
    // Only a quick report's votes have a fetch time to look up.
    if (!history || race < 0 || !quickReport(day, race))
        return std::nullopt;
    try {
        return history->fetchedAt(day.voteRecord(race));
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

QString reportText(bool quickReport, const std::optional<QDateTime>& fetched, QDate raceDate)
{
    if (!quickReport)
        return QString();
    if (!fetched)
        return QStringLiteral("速報");
    const QString format = fetched->date() == raceDate ? QStringLiteral("HH:mm:ss") : QStringLiteral("MM/dd HH:mm:ss");
    return QStringLiteral("速報 %1現在").arg(fetched->toString(format));
}

int registeredRunners(const DayData& day, int race)
{
    return record::blankAsZero(day.voteRecord(race), layout::kRegistered, 2);
}

HeaderTexts headerTexts(const DayData& day, int race)
{
    const QByteArrayView vote = day.voteRecord(race);
    // Before its votes are fetched a race is named from its race card, whose
    // header is the same; only the runner counts wait for the votes.
    const bool voted = !layout::recordType(vote).trimmed().isEmpty();
    const QByteArrayView head = voted ? vote : day.raceRecord(race);
    HeaderTexts h;
    h.course = keiba::shortCourseName(layout::courseCode(head));
    h.number = QString::number(record::blankAsZero(layout::raceNumber(head)));
    const auto part = [head](int position) { return latin(head, position, layout::kKeyPartLen); };
    h.dateLine = latin(head, layout::kYear, layout::kYearLen) + u'年' + part(layout::kMonth) + u'月'
                 + part(layout::kDay) + u'日' + h.course + part(layout::kMeeting) + u'回' + part(layout::kDayNumber)
                 + u'日' + part(layout::kRaceNumber) + u'R';
    if (voted) {
        h.runners = keiba::blankPaddedNumber(record::field(vote, layout::kRegistered, 2)) + u'頭';
        h.starters = QStringLiteral("[ 出走頭数：")
                     + keiba::blankPaddedNumber(record::field(vote, layout::kStarters, 2)) + QStringLiteral("頭]");
    }
    h.name = cp932::decode(record::field(day.raceRecord(race), layout::kRaceName, layout::kRaceNameLen));
    return h;
}

QString totalText(const DayData& day, int race)
{
    return fmt::grouped11(recordTotal(day, race));
}

bool refunded(const DayData& day, int race, int horse)
{
    return record::field(day.voteRecord(race), layout::refundFlag(horse), 1).trimmed() != "0";
}

int rowBracket(const DayData& day, int race, int horse)
{
    const int b = keiba::bracketOf(registeredRunners(day, race), horse);
    return b >= 1 && b <= 8 ? b : 0;
}

QString cellText(const DayData& day, int race, int horse, int column, const InputTexts& inputs)
{
    const QByteArrayView vote = day.voteRecord(race);
    const bool real = horse >= 1 && horse <= layout::kMaxWinEntries;
    switch (column) {
    case 0: {
        const int b = rowBracket(day, race, horse);
        return b ? fmt::integer(b, 1) : kNone;
    }
    case 1:
        return fmt::integer(horse, 2);
    case 2:
        return real ? realVotesText(vote, horse) : kNone;
    case 3:
        return odds9OrNone(realShare(day, race, horse));
    case 4:
        return odds9OrNone(realOdds(day, race, horse));
    case 5:
        return real && refunded(day, race, horse) ? QStringLiteral("返還") : kNone;
    case 6:
        return inputText(inputs.amount, horse, inputs);
    case 7:
        return inputText(inputs.odds, horse, inputs);
    case 8: {
        const std::optional<int> v = virtualVotes(day, race, horse);
        return v ? fmt::grouped(*v, kVotesWidth) : kNone;
    }
    case 9:
        return odds9OrNone(virtualShare(day, race, horse));
    case 10:
        return odds9OrNone(virtualOdds(day, race, horse));
    default:
        return kNone;
    }
}

}  // namespace tavek::win
