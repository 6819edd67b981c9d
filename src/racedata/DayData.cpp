#include "racedata/DayData.h"

#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLines.h"
#include "racedata/ShownText.h"

#include <algorithm>
#include <stdexcept>

namespace tavek {

namespace {

// Collects the fields of one load that are neither blank nor a number, so the
// load reports them once instead of failing at the first.
class ProblemLog {
public:
    void note(int slot, const QString& text)
    {
        if (count_++ == 0)
            first_ = text;
        if (races_[slot].isEmpty())
            races_[slot] = text;
    }
    const std::array<QString, kRaceSlots>& raceProblems() const { return races_; }
    QString message() const
    {
        if (count_ <= 1)
            return first_;
        return first_ + QStringLiteral("（この日の票数欄はほかに %1 か所も数値ではありません）").arg(count_ - 1);
    }

private:
    QString first_;
    int count_ = 0;
    std::array<QString, kRaceSlots> races_;
};

struct FigureReader {
    const DayData& day;
    int slot;
    ProblemLog* log;

    template <typename Describe>
    int operator()(int position, Describe describe) const
    {
        // Every vote field lies inside the record: no need to cut it with bounds checks.
        const QByteArrayView f(day.voteRecord(slot).data() + position - 1, layout::kVoteLen);
        int value = -1;
        // The wording holds for every reader: the window shows such a field
        // blank, tavek-cli refuses the race.
        if (!record::tryBlankAsAbsent(f, value) && log)
            log->note(slot, QStringLiteral("票数ファイル %1、レース %2：%3が「%4」で数値ではないため、読めません。")
                                .arg(day.VoteFilePath, raceItemText(day.raceRecord(slot)), describe(),
                                     shown::bytes(f).trimmed()));
        return value;
    }
};

void readWin(DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    day.WinTotal[slot] = read(layout::kWinTotal, [] { return QStringLiteral("単勝票数合計"); });
    for (int h = 1; h <= kWinFigures; ++h)
        day.WinVotes[slot][h - 1] = read(layout::winVotes(h), [h] { return QStringLiteral("%1番の単勝票数").arg(h); });
}

void readQuinella(DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    day.QuinellaTotal[slot] = read(layout::kQuinellaTotal, [] { return QStringLiteral("馬連票数合計"); });
    for (int k = 1; k <= layout::kQuinellaPairs; ++k)
        day.QuinellaVotes[slot][k - 1] = read(layout::quinellaVotes(k),
                                              [k] { return QStringLiteral("組番%1の馬連票数").arg(k); });
}

// The bracket figures are read by the win calculation, not here; the load only
// checks their fields so that one that is not a number is reported with the rest.
void checkBracket(const DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    read(layout::kBracketTotal, [] { return QStringLiteral("枠連票数合計"); });
    for (int k = 1; k <= layout::kBracketPairs; ++k)
        read(layout::bracketVotes(k), [k] { return QStringLiteral("組番%1の枠連票数").arg(k); });
}

// What a slot without a record shows: blanks as long as the longer record.
const char* blanks()
{
    static const QByteArray text(std::max(layout::kRaLength, layout::kH1Length), ' ');
    return text.constData();
}

// A record cut or padded with blanks to `length`, for a slot of its own.
QByteArray padded(QByteArrayView record, qsizetype length)
{
    QByteArray text = record.first(std::min(record.size(), length)).toByteArray();
    text.resize(length, ' ');
    return text;
}

// A whole record line as its slot shows it: where the file has CR LF right
// after the line, the slot points at the file; otherwise (LF alone, the
// file's end) the line is copied with CR LF into the slot's own bytes.
const char* slotOf(QByteArrayView line, const QByteArray& file, QByteArray& own)
{
    const qsizetype end = line.data() - file.constData() + line.size();
    if (end + 2 <= file.size() && file[end] == '\r' && file[end + 1] == '\n')
        return line.data();
    own = line.toByteArray() + "\r\n";
    return own.constData();
}

template <typename Figures>
void fillAbsent(Figures& figures)
{
    for (auto& row : figures)
        row.fill(-1);
}

QString skippedNote(const QString& path, const QStringList& lines)
{
    return QStringLiteral("日ファイル %1 の完全なレコードでない %2 行（%3）を読み飛ばしました。")
        .arg(path)
        .arg(lines.size())
        .arg(dayfiles::joinedLineLabels(lines));
}

// A day file holds one race date: course code and race number tell its races apart.
bool sameRace(const char* a, const char* b)
{
    constexpr int c = layout::kCourse - 1, n = layout::kRaceNumber - 1;
    return a[c] == b[c] && a[c + 1] == b[c + 1] && a[n] == b[n] && a[n + 1] == b[n + 1];
}

void clearFigures(DayData& day)
{
    day.WinTotal.fill(-1);
    day.QuinellaTotal.fill(-1);
    day.BracketTotal.fill(-1);
    fillAbsent(day.WinVotes);
    fillAbsent(day.QuinellaVotes);
    fillAbsent(day.BracketVotes);
}

}  // namespace

DayData::DayData()
{
    clearSlots();
    clearFigures(*this);
}

// Every slot blank and the previous day's bytes released, before its views
// are handed out again.
void DayData::clearSlots()
{
    races_.fill(blanks());
    votes_.fill(blanks());
    for (QByteArray& own : ownRaces_)
        own.clear();
    for (QByteArray& own : ownVotes_)
        own.clear();
    raceFile_.clear();
    voteFile_.clear();
}

void DayData::setRaceRecord(int slot, QByteArrayView record)
{
    QByteArray& own = ownRaces_[size_t(slot)];
    own = padded(record, layout::kRaLength);
    races_[size_t(slot)] = own.constData();
}

void DayData::setVoteRecord(int slot, QByteArrayView record)
{
    QByteArray& own = ownVotes_[size_t(slot)];
    own = padded(record, layout::kH1Length);
    votes_[size_t(slot)] = own.constData();
}

void DayData::readWinFigures(int slot)
{
    readWin(*this, slot, nullptr);
}

void DayData::readQuinellaFigures(int slot)
{
    readQuinella(*this, slot, nullptr);
}

bool DayData::selectRace(int index)
{
    if (index < 0 || index >= raceCount_)
        return false;
    CurrentRace = index;
    LastRaceIndex = index;
    return true;
}

DayLoad DayData::load(const QString& dataFolder, const QString& dateText)
{
    clearSlots();
    clearFigures(*this);
    raceCount_ = 0;
    CurrentRace = 0;
    VoteFilePath = dayfiles::voteFilePath(dataFolder, dateText);

    DayLoad result;
    QStringList notes;
    const dayfiles::Location raceFile = dayfiles::locate(dataFolder, dateText, dayfiles::kRaceSuffix);
    if (auto bytes = dayfiles::readDayFile(raceFile, dayfiles::maxDayFileBytes("RA"), dayfiles::Links::Follow)) {
        raceFile_ = std::move(*bytes);
        QStringList skipped;
        readRaces(raceFile_, skipped);
        if (!skipped.isEmpty())
            notes.append(skippedNote(raceFile.shown, skipped));
        for (int i = 0; i < raceCount_; ++i)
            result.raceItems.append(raceItemText(raceRecord(i)));
    }

    const dayfiles::Location voteFile = dayfiles::locate(dataFolder, dateText, dayfiles::kVoteSuffix);
    if (auto bytes = dayfiles::readDayFile(voteFile, dayfiles::maxDayFileBytes("H1"), dayfiles::Links::Follow)) {
        voteFile_ = std::move(*bytes);
        QStringList skipped;
        readVotes(voteFile_, skipped);
        if (!skipped.isEmpty())
            notes.append(skippedNote(voteFile.shown, skipped));
        ProblemLog log;
        for (int i = 0; i < raceCount_; ++i) {
            readWin(*this, i, &log);
            readQuinella(*this, i, &log);
            checkBracket(*this, i, &log);
        }
        result.problem = log.message();
        result.raceProblems = log.raceProblems();
    }
    result.skipped = notes.join(u'\n');
    if (!result.skipped.isEmpty())
        result.problem = result.problem.isEmpty() ? result.skipped : result.skipped + u'\n' + result.problem;

    if (raceCount_ > 0)
        result.selection = KeepRaceOnReload ? std::clamp(LastRaceIndex, 0, raceCount_ - 1) : 0;
    return result;
}

// Line by line, not as fixed blocks: a stray empty line or fragment (an
// editor's final newline, a half-copied file) would otherwise shift every
// later record out of place.
void DayData::readRaces(QByteArrayView file, QStringList& skipped)
{
    recordlines::forEach(file, [&](int number, QByteArrayView line) {
        if (!dayfiles::isWholeRecordLine(line, "RA")) {
            skipped.append(dayfiles::lineLabel(number, line.size()));
            return true;
        }
        races_[size_t(raceCount_)] = slotOf(line, raceFile_, ownRaces_[size_t(raceCount_)]);
        return ++raceCount_ < kRaceSlots;
    });
}

// Each race takes the first whole H1 line of its course and race number.
void DayData::readVotes(QByteArrayView file, QStringList& skipped)
{
    std::array<bool, kRaceSlots> matched;
    int open = 0;
    for (int i = 0; i < kRaceSlots; ++i) {
        matched[i] = i >= raceCount_ || record::blankAsZero(raceRecord(i), layout::kRaceNumber, 2) <= 0;
        open += matched[i] ? 0 : 1;
    }
    recordlines::forEach(file, [&](int number, QByteArrayView line) {
        if (!dayfiles::isWholeRecordLine(line, "H1")) {
            skipped.append(dayfiles::lineLabel(number, line.size()));
            return true;
        }
        for (int i = 0; i < raceCount_ && open > 0; ++i) {
            if (matched[i] || !sameRace(races_[size_t(i)], line.data()))
                continue;
            votes_[size_t(i)] = slotOf(line, voteFile_, ownVotes_[size_t(i)]);
            matched[i] = true;
            --open;
        }
        return true;
    });
}

QString raceItemText(QByteArrayView ra)
{
    const auto text = [ra](int position, int length) { return QLatin1String(record::field(ra, position, length)); };
    QString item;
    item.reserve(18);
    item.append(text(layout::kYear, 4)).append(u'/').append(text(layout::kMonth, 2)).append(u'/');
    item.append(text(layout::kDay, 2)).append(u' ').append(keiba::courseName2(record::field(ra, layout::kCourse, 2)));
    item.append(u' ').append(text(layout::kRaceNumber, 2)).append(u'R');
    return item;
}

}  // namespace tavek
