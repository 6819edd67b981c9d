#include "racedata/DayData.h"

#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLines.h"
#include "racedata/ShownText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

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
                                .arg(day.voteFilePath(), raceItemText(day.raceRecord(slot)), describe(),
                                     shown::bytes(f).trimmed()));
        return value;
    }
};

void readWin(const DayData& day, int slot, ProblemLog* log, SlotFigures<kWinFigures>& win)
{
    const FigureReader read{day, slot, log};
    win.total = read(layout::kWinTotal, [] { return QStringLiteral("単勝票数合計"); });
    for (int h = 1; h <= kWinFigures; ++h)
        win.votes[h - 1] = read(layout::winVotes(h), [h] { return QStringLiteral("%1番の単勝票数").arg(h); });
}

void readQuinella(const DayData& day, int slot, ProblemLog* log, SlotFigures<layout::kQuinellaPairs>& quinella)
{
    const FigureReader read{day, slot, log};
    quinella.total = read(layout::kQuinellaTotal, [] { return QStringLiteral("馬連票数合計"); });
    for (int k = 1; k <= layout::kQuinellaPairs; ++k)
        quinella.votes[k - 1] = read(layout::quinellaVotes(k),
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

// Calls `check(field)` with the first byte of every vote field the load
// checks in `record`: the win, quinella and bracket-quinella totals and
// votes, as readWin, readQuinella and checkBracket take them.
template <typename Check>
void eachVoteField(const char* record, Check check)
{
    for (const auto& [pool, entries] :
         {std::pair{layout::kWinPool, kWinFigures}, std::pair{layout::kQuinellaPool, layout::kQuinellaPairs},
          std::pair{layout::kBracketPool, layout::kBracketPairs}}) {
        check(record + pool.total - 1);
        for (int n = 1; n <= entries; ++n)
            check(record + pool.votes(n) - 1);
    }
}

// Eight bytes from `p`, a field's bytes 0-7 or 3-10.
std::uint64_t word(const char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Byte-wise limits: the top bit of a byte of (w + kAbove) | (w - kBelow) is
// set for the lowest byte of `w` outside '0'..'9', which no carry or borrow
// reaches first; the first two bytes of a field are held to '0', so a field
// that passes is below 1e9 and fits a figure.
constexpr std::uint64_t kBelow = 0x3030303030303030ULL;
constexpr std::uint64_t kAbove = 0x4646464646464646ULL;
constexpr std::uint64_t kAboveFirstTwo = kAbove
                                         + ((std::endian::native == std::endian::little ? 0xFFFFULL : 0xFFFFULL << 48)
                                            & 0x0909090909090909ULL);
constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;

// The top bits of this are clear when a field's two words are digits with
// "00" first; OR-ed over many fields, the top bits tell whether all were.
std::uint64_t digitTest(std::uint64_t first, std::uint64_t last)
{
    return (first + kAboveFirstTwo) | (first - kBelow) | (last + kAbove) | (last - kBelow);
}

// Whether every vote field the load checks in `record` surely reads as a
// number or a blank: eleven digits starting "00" or eleven blanks. Nearly
// every record of a day holds only such fields, and the whole-digit case is
// told with a few word operations a field, with no figure read; a record with
// any other field goes through FigureReader, which decides and words the
// message.
bool plainVoteFields(const char* record)
{
    std::uint64_t odd = 0;
    eachVoteField(record, [&](const char* f) { odd |= digitTest(word(f), word(f + 3)); });
    if ((odd & kTopBits) == 0)
        return true;
    // Blank fields too (a runner or pair without votes): each field as a whole.
    odd = 0;
    eachVoteField(record, [&](const char* f) {
        const std::uint64_t first = word(f), last = word(f + 3);
        odd |= std::uint64_t((digitTest(first, last) & kTopBits) != 0)
               & std::uint64_t(((first ^ kBlanks) | (last ^ kBlanks)) != 0);
    });
    return odd == 0;
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

QString skippedNote(const QString& path, const QStringList& lines)
{
    return QStringLiteral("日ファイル %1 の完全なレコードでない %2 行（%3）を読み飛ばしました。")
        .arg(path)
        .arg(lines.size())
        .arg(dayfiles::joinedLineLabels(lines));
}

// A day file holds one race date: course code and race number tell its
// races apart. Both as one number, compared at once.
std::uint32_t raceOf(const char* record)
{
    std::uint16_t course, number;
    static_assert(sizeof course == layout::kKeyPartLen);
    std::memcpy(&course, record + layout::kCourse - 1, layout::kKeyPartLen);
    std::memcpy(&number, record + layout::kRaceNumber - 1, layout::kKeyPartLen);
    return std::uint32_t(course) << 16 | number;
}

void clearBracket(DayData& day)
{
    for (int slot = 0; slot < kRaceSlots; ++slot) {
        day.bracketTotal(slot) = -1;
        std::ranges::fill(day.bracketVotes(slot), -1);
    }
}

}  // namespace

DayData::DayData()
{
    clearSlots();
    clearBracket(*this);
}

// Every slot blank and its figures unread. The previous day's bytes are
// left to the load, which reads the new day into their memory.
void DayData::clearSlots()
{
    winRead_.reset();
    quinellaRead_.reset();
    races_.fill(blanks());
    votes_.fill(blanks());
    for (QByteArray& own : ownRaces_)
        own.clear();
    for (QByteArray& own : ownVotes_)
        own.clear();
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
    winRead_.reset(size_t(slot));
    quinellaRead_.reset(size_t(slot));
}

SlotFigures<kWinFigures>& DayData::winFigures(int slot) const
{
    if (!winRead_.test(size_t(slot))) {
        readWin(*this, slot, nullptr, win_[size_t(slot)]);
        winRead_.set(size_t(slot));
    }
    return win_[size_t(slot)];
}

SlotFigures<layout::kQuinellaPairs>& DayData::quinellaFigures(int slot) const
{
    if (!quinellaRead_.test(size_t(slot))) {
        readQuinella(*this, slot, nullptr, quinella_[size_t(slot)]);
        quinellaRead_.set(size_t(slot));
    }
    return quinella_[size_t(slot)];
}

void DayData::readWinFigures(int slot)
{
    winRead_.reset(size_t(slot));
    winFigures(slot);
}

void DayData::readQuinellaFigures(int slot)
{
    quinellaRead_.reset(size_t(slot));
    quinellaFigures(slot);
}

bool DayData::selectRace(int index)
{
    if (index < 0 || index >= raceCount_)
        return false;
    currentRace_ = index;
    lastRaceIndex_ = index;
    return true;
}

DayLoad DayData::load(const QString& dataFolder, const QString& dateText)
{
    clearSlots();
    clearBracket(*this);
    // No view refers to them now: a day file that is missing or cannot be
    // read leaves nothing of the previous day's.
    QByteArray raceStorage = std::move(raceFile_);
    QByteArray voteStorage = std::move(voteFile_);
    raceCount_ = 0;
    currentRace_ = 0;
    voteFilePath_ = dayfiles::voteFilePath(dataFolder, dateText);
    dataFolder_ = dataFolder;
    dateText_ = dateText;
    trifectaRead_ = false;
    trifecta_.fill(QByteArray());
    trifectaProblem_.clear();
    resultsRead_ = false;
    results_.fill(std::nullopt);
    resultProblem_.clear();

    DayLoad result;
    QStringList notes;
    dayfiles::DayFile raceFile = dayfiles::readDayFile(dataFolder, dateText, dayfiles::kRaceSuffix,
                                                       dayfiles::Links::Follow, std::move(raceStorage));
    if (raceFile.bytes) {
        raceFile_ = std::move(*raceFile.bytes);
        QStringList skipped;
        readRaces(raceFile_, skipped);
        if (!skipped.isEmpty())
            notes.append(skippedNote(raceFile.where.shown, skipped));
        result.raceItems.reserve(raceCount_);
        for (int i = 0; i < raceCount_; ++i)
            result.raceItems.append(raceItemText(raceRecord(i)));
    }

    dayfiles::DayFile voteFile = dayfiles::readDayFile(dataFolder, dateText, dayfiles::kVoteSuffix,
                                                       dayfiles::Links::Follow, std::move(voteStorage));
    if (voteFile.bytes) {
        voteFile_ = std::move(*voteFile.bytes);
        QStringList skipped;
        const std::bitset<kRaceSlots> odd = readVotes(voteFile_, skipped);
        if (!skipped.isEmpty())
            notes.append(skippedNote(voteFile.where.shown, skipped));
        ProblemLog log;
        for (int i = 0; i < raceCount_; ++i) {
            const size_t r = size_t(i);
            if (!odd.test(r))
                continue;
            // Read now, as the messages need: the figures stay read.
            readWin(*this, i, &log, win_[r]);
            readQuinella(*this, i, &log, quinella_[r]);
            checkBracket(*this, i, &log);
            winRead_.set(r);
            quinellaRead_.set(r);
        }
        result.problem = log.message();
        result.raceProblems = log.raceProblems();
    }
    result.skipped = notes.join(u'\n');
    if (!result.skipped.isEmpty())
        result.problem = result.problem.isEmpty() ? result.skipped : result.skipped + u'\n' + result.problem;

    if (raceCount_ > 0)
        result.selection = keepRaceOnReload_ ? std::clamp(lastRaceIndex_, 0, raceCount_ - 1) : 0;
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
// Returns the slots whose record has a vote field that plainVoteFields cannot
// vouch for, checked as each line is found, while its bytes are in the cache.
std::bitset<kRaceSlots> DayData::readVotes(QByteArrayView file, QStringList& skipped)
{
    std::array<bool, kRaceSlots> matched;
    std::array<std::uint32_t, kRaceSlots> race{};
    int open = 0;
    for (int i = 0; i < kRaceSlots; ++i) {
        matched[i] = i >= raceCount_ || record::blankAsZero(layout::raceNumber(raceRecord(i))) <= 0;
        open += matched[i] ? 0 : 1;
        if (!matched[i])
            race[i] = raceOf(races_[size_t(i)]);
    }
    // Both files are sorted by race key, so a line mostly matches the first
    // slot still open.
    int first = 0;
    std::bitset<kRaceSlots> odd;
    recordlines::forEach(file, [&](int number, QByteArrayView line) {
        if (!dayfiles::isWholeRecordLine(line, "H1")) {
            skipped.append(dayfiles::lineLabel(number, line.size()));
            return true;
        }
        const std::uint32_t key = raceOf(line.data());
        std::optional<bool> plain;
        for (int i = first; i < raceCount_ && open > 0; ++i) {
            if (matched[i] || race[i] != key)
                continue;
            votes_[size_t(i)] = slotOf(line, voteFile_, ownVotes_[size_t(i)]);
            if (!plain)
                plain = plainVoteFields(line.data());
            odd[size_t(i)] = !*plain;
            matched[i] = true;
            --open;
        }
        while (first < raceCount_ && matched[first])
            ++first;
        return true;
    });
    return odd;
}

QString raceItemText(QByteArrayView ra)
{
    // Built in place, then made a string once: the day load makes one for every race.
    const auto field = [ra](int position, int length) { return record::field(ra, position, length); };
    std::array<QChar, 24> text;
    qsizetype n = 0;
    const auto put = [&](QByteArrayView latin1) {
        for (char c : latin1)
            text[size_t(n++)] = QLatin1Char(c);
    };
    put(field(layout::kYear, layout::kYearLen));
    put("/");
    put(field(layout::kMonth, layout::kKeyPartLen));
    put("/");
    put(field(layout::kDay, layout::kKeyPartLen));
    put(" ");
    for (QChar c : keiba::courseName2(layout::courseCode(ra)))
        text[size_t(n++)] = c;
    put(" ");
    put(layout::raceNumber(ra));
    put("R");
    return QString(text.data(), n);
}

namespace {

bool digitsOrBlank(QByteArrayView field)
{
    const bool blank = std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
    return blank || std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first field of an H6 line that is neither blank nor a number: the
// counts, the flags, every entry's combination and votes and the totals.
std::optional<QString> oddTrifectaField(QByteArrayView line)
{
    using namespace layout;
    const pools::VotePool& pool = pools::pool(pools::Pool::Trifecta);
    const auto at = [line](int position, int length) { return line.sliced(position - 1, length); };
    if (!digitsOrBlank(at(kRegistered, kCountLen)) || !digitsOrBlank(at(kStarters, kCountLen)))
        return QStringLiteral("頭数");
    for (int k = 1; k <= pool.entries; ++k)
        if (!digitsOrBlank(at(pool.entry(k), pool.votesOffset))
            || !digitsOrBlank(at(pool.entry(k) + pool.votesOffset, kVoteLen)))
            return QStringLiteral("組番%1").arg(k);
    if (!digitsOrBlank(at(pool.total, kVoteLen)) || !digitsOrBlank(at(kH6RefundTotal, kVoteLen)))
        return QStringLiteral("合計票数");
    return std::nullopt;
}

}  // namespace

// Each race takes the whole H6 line of its race key. What cannot be used is
// named, and the race's trifecta shows no data; nothing else changes.
void DayData::readTrifecta() const
{
    trifectaRead_ = true;
    trifecta_.fill(QByteArray());
    if (dataFolder_.isEmpty())
        return;
    QString shown = dayfiles::trifectaFilePath(dataFolder_, dateText_);
    std::optional<QByteArray> bytes;
    try {
        dayfiles::DayFile file = dayfiles::readDayFile(dataFolder_, dateText_, dayfiles::kTrifectaSuffix,
                                                       dayfiles::Links::Follow);
        shown = file.where.shown;
        bytes = std::move(file.bytes);
    } catch (const std::runtime_error& e) {
        trifectaProblem_ = QString::fromStdString(e.what());
        return;
    }
    if (!bytes)
        return;
    QStringList problems, skipped;
    const auto raceName = [](QByteArrayView line) {
        return line.size() >= layout::kHeaderLength ? shown::bytes(layout::raceKey(line)) : QStringLiteral("不明");
    };
    recordlines::forEach(*bytes, [&](int number, QByteArrayView line) {
        if (!dayfiles::isWholeRecordLine(line, "H6")) {
            skipped.append(dayfiles::lineLabel(number, line.size())
                           + QStringLiteral("（レース %1）").arg(raceName(line)));
            return true;
        }
        const QByteArrayView key = layout::raceKey(line);
        int slot = -1;
        for (int i = 0; i < raceCount_ && slot < 0; ++i)
            if (layout::raceKey(raceRecord(i)) == key)
                slot = i;
        if (slot < 0) {
            problems.append(QStringLiteral("レース %1 は出馬表にありません").arg(raceName(line)));
        } else if (layout::recordType(voteRecord(slot)) != "H1") {
            problems.append(QStringLiteral("レース %1 のH1レコードがありません").arg(raceName(line)));
        } else if (const auto odd = oddTrifectaField(line)) {
            problems.append(QStringLiteral("レース %1 の%2が数字ではありません").arg(raceName(line), *odd));
        } else if (trifecta_[size_t(slot)].isEmpty()) {
            trifecta_[size_t(slot)] = line.toByteArray() + "\r\n";
        }
        return true;
    });
    if (!skipped.isEmpty())
        problems.prepend(QStringLiteral("完全なレコードでない %1 行（%2）")
                             .arg(skipped.size())
                             .arg(dayfiles::joinedLineLabels(skipped)));
    if (!problems.isEmpty())
        trifectaProblem_ = QStringLiteral(
                               "3連単の日ファイル %1 の次の行は使えません（ほかの賭式はそのまま表示します）：%2")
                               .arg(shown, problems.join(QStringLiteral("、")));
}

QByteArrayView DayData::trifectaRecord(int slot) const
{
    static const QByteArray none(layout::kH6Length, ' ');
    if (!trifectaRead_)
        readTrifecta();
    if (slot < 0 || slot >= kRaceSlots || trifecta_[size_t(slot)].isEmpty())
        return none;
    return trifecta_[size_t(slot)];
}

QString DayData::trifectaProblem() const
{
    if (!trifectaRead_)
        readTrifecta();
    return trifectaProblem_;
}

// Each race takes the payouts of the last whole HR line of its race key.
// What cannot be used is named; the race then shows no result, and nothing
// else changes.
void DayData::readResults() const
{
    resultsRead_ = true;
    results_.fill(std::nullopt);
    if (dataFolder_.isEmpty())
        return;
    QString shown = dayfiles::resultFilePath(dataFolder_, dateText_);
    std::optional<QByteArray> bytes;
    try {
        dayfiles::DayFile file = dayfiles::readDayFile(dataFolder_, dateText_, dayfiles::kResultSuffix,
                                                       dayfiles::Links::Follow);
        shown = file.where.shown;
        bytes = std::move(file.bytes);
    } catch (const std::runtime_error& e) {
        resultProblem_ = QString::fromStdString(e.what());
        return;
    }
    if (!bytes)
        return;
    QStringList problems, skipped;
    std::array<int, kRaceSlots> lineOf{};
    recordlines::forEach(*bytes, [&](int number, QByteArrayView line) {
        const QString race = line.size() >= layout::kHeaderLength ? shown::bytes(layout::raceKey(line))
                                                                  : QStringLiteral("不明");
        if (!dayfiles::isWholeRecordLine(line, "HR")) {
            skipped.append(dayfiles::lineLabel(number, line.size()) + QStringLiteral("（レース %1）").arg(race));
            return true;
        }
        const QByteArrayView key = layout::raceKey(line);
        int slot = -1;
        for (int i = 0; i < raceCount_ && slot < 0; ++i)
            if (layout::raceKey(raceRecord(i)) == key)
                slot = i;
        if (slot < 0) {
            problems.append(QStringLiteral("%1行目のレース %2 は出馬表にありません").arg(number).arg(race));
            return true;
        }
        try {
            result::RaceResult read = result::read(line);
            if (results_[size_t(slot)])
                problems.append(QStringLiteral("%1行目（レース %2 の払戻は後の%3行目を使います）")
                                    .arg(lineOf[size_t(slot)])
                                    .arg(race)
                                    .arg(number));
            results_[size_t(slot)] = std::move(read);
            lineOf[size_t(slot)] = number;
        } catch (const result::ReadError& e) {
            problems.append(QStringLiteral("%1行目の").arg(number) + QString::fromStdString(e.what()));
        }
        return true;
    });
    if (!skipped.isEmpty())
        problems.prepend(QStringLiteral("完全なレコードでない %1 行（%2）")
                             .arg(skipped.size())
                             .arg(dayfiles::joinedLineLabels(skipped)));
    if (!problems.isEmpty())
        resultProblem_ = QStringLiteral("払戻の日ファイル %1 の次の行は使えません（オッズはそのまま表示します）：%2")
                             .arg(shown, problems.join(QStringLiteral("、")));
}

const result::RaceResult* DayData::result(int slot) const
{
    if (!resultsRead_)
        readResults();
    return slot >= 0 && slot < kRaceSlots && results_[size_t(slot)] ? &*results_[size_t(slot)] : nullptr;
}

QString DayData::resultProblem() const
{
    if (!resultsRead_)
        readResults();
    return resultProblem_;
}

}  // namespace tavek
