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
        if (m_count++ == 0)
            m_first = text;
        if (m_races[slot].isEmpty())
            m_races[slot] = text;
    }
    const std::array<QString, kRaceSlots>& raceProblems() const { return m_races; }
    QString message() const
    {
        if (m_count <= 1)
            return m_first;
        return m_first + QStringLiteral(" (%1 more vote fields of this day are not numbers either)").arg(m_count - 1);
    }

private:
    QString m_first;
    int m_count = 0;
    std::array<QString, kRaceSlots> m_races;
};

struct FigureReader {
    const DayData& day;
    int slot;
    ProblemLog* log;

    template <typename Describe>
    int operator()(int position, Describe describe) const
    {
        const QByteArrayView f = record::field(day.voteRecord(slot), position, layout::kVoteLen);
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
        day.WinVotes[slot][h - 1] =
            read(layout::winVotes(h), [h] { return QStringLiteral("the win votes of horse %1").arg(h); });
}

void readQuinella(DayData& day, int slot, ProblemLog* log)
{
    const FigureReader read{day, slot, log};
    day.QuinellaTotal[slot] = read(layout::kQuinellaTotal, [] { return QStringLiteral("the quinella total"); });
    for (int k = 1; k <= layout::kQuinellaPairs; ++k)
        day.QuinellaVotes[slot][k - 1] =
            read(layout::quinellaVotes(k), [k] { return QStringLiteral("the quinella votes of pair %1").arg(k); });
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

// Course code and race number, what a race and its H1 record share within a
// day; empty for a slot without a race number.
QByteArray matchText(QByteArrayView record)
{
    if (record::blankAsZero(record, layout::kRaceNumber, 2) <= 0)
        return {};
    return record::field(record, layout::kCourse, 2).toByteArray()
         + record::field(record, layout::kRaceNumber, 2).toByteArray();
}

void clear(DayData& day)
{
    fillSpaces(day.RaceRecords);
    fillSpaces(day.VoteRecords);
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
    if (index < 0 || index >= m_raceCount)
        return false;
    CurrentRace = index;
    LastRaceIndex = index;
    return true;
}

DayLoad DayData::load(const QString& dataFolder, const QString& dateText)
{
    clear(*this);
    m_raceCount = 0;
    CurrentRace = 0;
    VoteFilePath = dayfiles::voteFilePath(dataFolder, dateText);

    DayLoad result;
    QFile raceFile(dayfiles::raceFilePath(dataFolder, dateText));
    if (raceFile.exists()) {
        if (!raceFile.open(QIODevice::ReadOnly))
            cannotRead(raceFile);
        while (m_raceCount < kRaceSlots) {
            RaceRecord& slot = RaceRecords[m_raceCount];
            const qint64 n = raceFile.read(slot.data(), qint64(slot.size()));
            if (n < 0)
                cannotRead(raceFile);
            if (n < qint64(slot.size())) {
                std::memset(slot.data(), ' ', slot.size());
                break;
            }
            result.raceItems.append(raceItemText(raceRecord(m_raceCount)));
            ++m_raceCount;
        }
    }

    QFile voteFile(VoteFilePath);
    if (voteFile.exists()) {
        if (!voteFile.open(QIODevice::ReadOnly))
            cannotRead(voteFile);
        std::array<QByteArray, kRaceSlots> wanted;
        for (int i = 0; i < m_raceCount; ++i)
            wanted[i] = matchText(raceRecord(i));

        // One pass over the file; each slot takes the first block that matches.
        const qint64 size = voteFile.size();
        QByteArray buffer;
        QByteArrayView contents;
        if (size > 0) {
            if (const uchar* mapped = voteFile.map(0, size)) {
                contents = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
            } else {
                buffer = voteFile.readAll();
                if (voteFile.error() != QFileDevice::NoError)
                    cannotRead(voteFile);
                contents = buffer;
            }
        }
        const qsizetype blocks = contents.size() / layout::kH1Length;
        int unfilled = int(std::count_if(wanted.begin(), wanted.end(), [](const QByteArray& w) { return !w.isEmpty(); }));
        for (qsizetype b = 0; b < blocks && unfilled > 0; ++b) {
            const QByteArrayView record = contents.sliced(b * layout::kH1Length, layout::kH1Length);
            const QByteArray key = record::field(record, layout::kCourse, 2).toByteArray()
                                 + record::field(record, layout::kRaceNumber, 2).toByteArray();
            for (int i = 0; i < m_raceCount; ++i) {
                if (!wanted[i].isEmpty() && wanted[i] == key) {
                    std::memcpy(VoteRecords[i].data(), record.data(), layout::kH1Length);
                    wanted[i].clear();
                    --unfilled;
                }
            }
        }
        ProblemLog log;
        for (int i = 0; i < m_raceCount; ++i) {
            readWin(*this, i, &log);
            readQuinella(*this, i, &log);
        }
        result.problem = log.message();
        result.raceProblems = log.raceProblems();
    }

    if (m_raceCount > 0)
        result.selection = KeepRaceOnReload ? std::clamp(LastRaceIndex, 0, m_raceCount - 1) : 0;
    return result;
}

QString raceItemText(QByteArrayView ra)
{
    const auto text = [ra](int position, int length) {
        return QString::fromLatin1(record::field(ra, position, length));
    };
    return text(layout::kYear, 4) + u'/' + text(layout::kMonth, 2) + u'/' + text(layout::kDay, 2) + u' '
         + keiba::courseName2(record::field(ra, layout::kCourse, 2)) + u' ' + text(layout::kRaceNumber, 2) + u'R';
}

}  // namespace tavek
