#include "racedata/DayData.h"

#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"

#include <QFile>

#include <algorithm>
#include <cstring>
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
        return first_ + QStringLiteral(" (%1 more vote fields of this day are not numbers either)").arg(count_ - 1);
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
        const QByteArrayView f(day.VoteRecords[slot].data() + position - 1, layout::kVoteLen);
        int value = -1;
        if (!record::tryBlankAsAbsent(f, value) && log)
            log->note(slot, QStringLiteral("Vote file %1, race %2: %3 is \"%4\", not a number; it is shown as blank.")
                                .arg(day.VoteFilePath, raceItemText(day.raceRecord(slot)), describe(),
                                     QString::fromLatin1(f).trimmed()));
        return value;
    }
};

void readWin(DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    day.WinTotal[slot] = read(layout::kWinTotal, [] { return QStringLiteral("the win total"); });
    for (int h = 1; h <= kWinFigures; ++h)
        day.WinVotes[slot][h - 1] = read(layout::winVotes(h),
                                         [h] { return QStringLiteral("the win votes of horse %1").arg(h); });
}

void readQuinella(DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    day.QuinellaTotal[slot] = read(layout::kQuinellaTotal, [] { return QStringLiteral("the quinella total"); });
    for (int k = 1; k <= layout::kQuinellaPairs; ++k)
        day.QuinellaVotes[slot][k - 1] = read(layout::quinellaVotes(k),
                                              [k] { return QStringLiteral("the quinella votes of pair %1").arg(k); });
}

// The bracket figures are read by the win calculation, not here; the load only
// checks their fields so that one that is not a number is reported with the rest.
void checkBracket(const DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    read(layout::kBracketTotal, [] { return QStringLiteral("the bracket-quinella total"); });
    for (int k = 1; k <= layout::kBracketPairs; ++k)
        read(layout::bracketVotes(k), [k] { return QStringLiteral("the bracket-quinella votes of pair %1").arg(k); });
}

template <typename Records>
void fillSpaces(Records& records)
{
    for (auto& s : records)
        std::memset(s.data(), ' ', s.size());
}

template <typename Figures>
void fillAbsent(Figures& figures)
{
    for (auto& row : figures)
        row.fill(-1);
}

[[noreturn]] void cannotRead(const QFile& file)
{
    throw std::runtime_error(
        QStringLiteral("Cannot read day file %1: %2").arg(file.fileName(), file.errorString()).toStdString());
}

// False when the file does not exist; throws when it exists but cannot be opened.
bool openIfPresent(QFile& file)
{
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    if (file.exists())
        cannotRead(file);
    return false;
}

// A day file holds one race date: course code and race number tell its races apart.
bool sameRace(const char* a, const char* b)
{
    constexpr int c = layout::kCourse - 1, n = layout::kRaceNumber - 1;
    return a[c] == b[c] && a[c + 1] == b[c + 1] && a[n] == b[n] && a[n + 1] == b[n + 1];
}

// The vote slots are filled by the load itself.
void clear(DayData& day)
{
    fillSpaces(day.RaceRecords);
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
    clear(*this);
    fillSpaces(VoteRecords);
}

QByteArrayView DayData::raceRecord(int slot) const
{
    return {RaceRecords[slot].data(), qsizetype(RaceRecords[slot].size())};
}

QByteArrayView DayData::voteRecord(int slot) const
{
    return {VoteRecords[slot].data(), qsizetype(VoteRecords[slot].size())};
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
    clear(*this);
    raceCount_ = 0;
    CurrentRace = 0;
    VoteFilePath = dayfiles::voteFilePath(dataFolder, dateText);

    DayLoad result;
    QFile raceFile(dayfiles::raceFilePath(dataFolder, dateText));
    if (openIfPresent(raceFile)) {
        readRaces(raceFile);
        for (int i = 0; i < raceCount_; ++i)
            result.raceItems.append(raceItemText(raceRecord(i)));
    }

    QFile voteFile(VoteFilePath);
    if (openIfPresent(voteFile)) {
        readVotes(voteFile);
        ProblemLog log;
        for (int i = 0; i < raceCount_; ++i) {
            readWin(*this, i, &log);
            readQuinella(*this, i, &log);
            checkBracket(*this, i, &log);
        }
        result.problem = log.message();
        result.raceProblems = log.raceProblems();
    } else {
        fillSpaces(VoteRecords);
    }

    if (raceCount_ > 0)
        result.selection = KeepRaceOnReload ? std::clamp(LastRaceIndex, 0, raceCount_ - 1) : 0;
    return result;
}

void DayData::readRaces(QFile& file)
{
    static_assert(sizeof(RaceRecords) == sizeof(RaceRecord) * kRaceSlots, "the slots are one block of memory");
    const qint64 n = file.read(RaceRecords[0].data(), qint64(sizeof(RaceRecords)));
    if (n < 0)
        cannotRead(file);
    raceCount_ = int(n / layout::kRaLength);
    if (raceCount_ < kRaceSlots)
        std::memset(RaceRecords[raceCount_].data(), ' ', layout::kRaLength);  // a partial block
}

// The file is read straight into the vote slots, as one plain read would,
// and then each race's record is put into its slot. Usually the vote file
// lists the races in the order of the race file, and nothing has to move.
void DayData::readVotes(QFile& file)
{
    static_assert(sizeof(VoteRecords) == sizeof(VoteRecord) * kRaceSlots, "the slots are one block of memory");
    constexpr qint64 L = layout::kH1Length;
    const qint64 blocks = file.size() / L;
    const int direct = int(std::min<qint64>(blocks, kRaceSlots));
    if (file.read(VoteRecords[0].data(), direct * L) != direct * L)
        cannotRead(file);
    // Blocks beyond the 36 slots are rare: a vote file with more races than the race file loads.
    QByteArray extra;
    if (blocks > direct) {
        extra = file.read((blocks - direct) * L);
        if (extra.size() != (blocks - direct) * L)
            cannotRead(file);
    }
    const auto block = [&](qint64 b) {
        return b < direct ? voteRecord(int(b)) : QByteArrayView(extra).sliced((b - direct) * L, L);
    };

    // source[i]: the first block of the race in slot i, or -1.
    std::array<qint64, kRaceSlots> source;
    source.fill(-1);
    for (int i = 0; i < raceCount_; ++i) {
        if (record::blankAsZero(raceRecord(i), layout::kRaceNumber, 2) <= 0)
            continue;
        for (qint64 b = 0; b < blocks; ++b) {
            if (sameRace(RaceRecords[i].data(), block(b).data())) {
                source[i] = b;
                break;
            }
        }
    }

    // Save the blocks that move before their own slots are overwritten.
    QByteArray moving;
    std::array<qsizetype, kRaceSlots> movedAt;
    for (int i = 0; i < kRaceSlots; ++i) {
        if (source[i] >= 0 && source[i] != i && source[i] < direct) {
            movedAt[i] = moving.size();
            moving.append(block(source[i]));
        }
    }
    for (int i = 0; i < kRaceSlots; ++i) {
        if (source[i] == i)
            continue;
        if (source[i] < 0)
            std::memset(VoteRecords[i].data(), ' ', L);
        else if (source[i] < direct)
            std::memcpy(VoteRecords[i].data(), moving.constData() + movedAt[i], L);
        else
            std::memcpy(VoteRecords[i].data(), block(source[i]).data(), L);
    }
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
