#include "racedata/DayFiles.h"
#include "racedata/SystemError.h"

#include "platform/FileLock.h"
#include "platform/RawNames.h"
#include "racedata/AtomicFile.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"
#include "racedata/ShownText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace tavek::dayfiles {

namespace {

using syserror::failure;

bool allDigits(QByteArrayView f)
{
    return std::all_of(f.begin(), f.end(), [](char c) { return c >= '0' && c <= '9'; });
}

char folded(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// Ascending text order, ASCII letters compared without case.
bool lessIgnoringCase(const QByteArray& a, const QByteArray& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(folded(x)) < static_cast<unsigned char>(folded(y));
    });
}

bool isBlankLine(const QByteArray& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The four kinds of day file: record type, length and file name suffix.
struct Kind {
    QByteArrayView type;
    int length;
    const char* suffix;
};
constexpr Kind kKinds[] = {{"RA", layout::kRaLength, kRaceSuffix},
                           {"H1", layout::kH1Length, kVoteSuffix},
                           {"H6", layout::kH6Length, kTrifectaSuffix},
                           {"HR", layout::kHrLength, kResultSuffix}};

const Kind* kindOfType(QByteArrayView type)
{
    for (const Kind& k : kKinds)
        if (k.type == type)
            return &k;
    return nullptr;
}

const Kind& kindOfName(const QString& name)
{
    for (const Kind& k : kKinds)
        if (name.endsWith(QLatin1String(k.suffix)))
            return k;
    return kKinds[0];
}

QByteArrayView typeOfName(const QString& name)
{
    return kindOfName(name).type;
}

// Two copies of the program may store into the same day file at once;
// without a lock one of two read-merge-rewrite cycles would be lost. The
// lock is on the data folder itself (platform/FileLock), so the folder holds
// day files only and the system releases the lock when its holder dies.
class StoreLock {
public:
    static constexpr int kWaitMs = 10'000;

    StoreLock(const QString& dataFolder, const QString& path) : lock_(QFile::encodeName(dataFolder))
    {
        if (!lock_.opened())
            throw failure(QStringLiteral("日ファイル %1 に書き込めません：データフォルダ %2 を開けません：%3")
                              .arg(path, dataFolder, lock_.reason()));
        const QDeadlineTimer deadline(kWaitMs);
        for (;;) {
            const platform::FolderLock::Attempt attempt = lock_.tryLock();
            if (attempt == platform::FolderLock::Attempt::Locked)
                return;
            if (attempt == platform::FolderLock::Attempt::Failed)
                throw failure(QStringLiteral("日ファイル %1 に書き込めません：データフォルダ %2 をロックできません：%3")
                                  .arg(path, dataFolder, lock_.reason()));
            if (deadline.hasExpired())
                throw failure(QStringLiteral("日ファイル %1 に書き込めません：別のプログラムが %2 秒間"
                                             "データフォルダに保存し続けています")
                                  .arg(path)
                                  .arg(kWaitMs / 1000));
            QThread::msleep(2);
        }
    }

private:
    platform::FolderLock lock_;
};

void writeLines(const QString& path, const QList<QByteArray>& lines)
{
    QByteArray text;
    text.reserve(lines.empty() ? 0 : qsizetype(lines.size()) * (lines.front().size() + 2));
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    QString reason;
    if (!atomicfile::replace(path, text, &reason))
        throw failure(QStringLiteral("日ファイル %1 に書き込めません：%2").arg(path, reason));
}

// The day file's lines as the store reads them, with what it had to leave out.
struct DayFileLines {
    QList<QByteArray> whole;
    QByteArray original;
    QStringList leftOut;  // "3行目（0バイト）"
};

DayFileLines readLines(const Location& where, QByteArrayView type)
{
    DayFileLines read;
    const std::optional<QByteArray> bytes = readDayFile(where, maxDayFileBytes(type), Links::Refuse);
    if (!bytes)
        return read;
    read.original = *bytes;
    recordlines::forEach(*bytes, [&](int number, QByteArrayView line) {
        if (isWholeRecordLine(line, type))
            read.whole.append(line.toByteArray());
        else
            read.leftOut.append(lineLabel(number, line.size()));
        return true;
    });
    return read;
}

// Keeps the original of a day file whose damaged lines the store leaves out,
// under a name of its own: nothing the file held is lost.
QString keepDamaged(const QString& path, const DayFileLines& read)
{
    QString copy = path + QLatin1String(kDamagedSuffix);
    for (int n = 2; QFileInfo::exists(copy) || QFileInfo(copy).isSymLink(); ++n)
        copy = path + QLatin1String(kDamagedSuffix) + QString::number(n);
    QString reason;
    if (!atomicfile::replace(copy, read.original, &reason))
        throw failure(QStringLiteral("日ファイル %1 に書き込めません：完全なレコードでない行を含む元のファイルを "
                                     "%2 に残せません：%3")
                          .arg(path, copy, reason));
    return QStringLiteral("日ファイル %1 の完全なレコードでない %2 行（%3）を除いて保存しました。"
                          "元のファイルは %4 に残してあります")
        .arg(path)
        .arg(read.leftOut.size())
        .arg(joinedLineLabels(read.leftOut), copy);
}

}  // namespace

QString fileName(QByteArrayView record)
{
    const QByteArrayView type = layout::recordType(record);
    const Kind* kind = kindOfType(type);
    const int expected = kind ? kind->length : 0;
    const QString shown = shown::bytes(layout::header(record));
    if (expected == 0)
        throw failure(QStringLiteral("RA、H1、H6、HRのいずれでもないレコードは保存できません：\"%1\"").arg(shown));
    if (record.size() != expected || !record.endsWith("\r\n"))
        throw failure(QStringLiteral("%2バイトの%1レコードは保存できません（%1レコードはCR LFを含めて%3バイト）："
                                     "\"%4\"")
                          .arg(QString::fromLatin1(type))
                          .arg(record.size())
                          .arg(expected)
                          .arg(shown));
    // A line break inside would split the record into two lines of its day
    // file, which the next store would sort apart.
    const QByteArrayView body = record.chopped(2);
    if (body.contains('\r') || body.contains('\n'))
        throw failure(QStringLiteral("途中に改行を含むレコードは保存できません：\"%1\"").arg(shown));
    const QByteArrayView date = layout::raceDate(record);
    if (!allDigits(date))
        throw failure(QStringLiteral("開催年月日が数字でないレコードは保存できません：\"%1\"").arg(shown));
    return QString::fromLatin1(date.first(4)) + u'年' + QString::fromLatin1(date.sliced(4, 2)) + u'月'
           + QString::fromLatin1(date.sliced(6, 2)) + u'日' + QLatin1String(kind->suffix);
}

bool isWholeRecordLine(QByteArrayView line, QByteArrayView type)
{
    // Byte by byte rather than through memcmp: the day load asks this of every line.
    const bool h = type.size() == 2 && type[0] == 'H';
    const qsizetype length = (h && type[1] == '1'   ? layout::kH1Length
                              : h && type[1] == '6' ? layout::kH6Length
                              : h && type[1] == 'R' ? layout::kHrLength
                                                    : layout::kRaLength)
                             - 2;
    if (line.size() != length || length < type.size())
        return false;
    for (qsizetype i = 0; i < type.size(); ++i)
        if (line[i] != type[i])
            return false;
    return true;
}

QString lineLabel(int number, qsizetype bytes)
{
    return QStringLiteral("%1行目（%2バイト）").arg(number).arg(bytes);
}

QString joinedLineLabels(const QStringList& labels)
{
    constexpr qsizetype kNamed = 5;
    QString text = labels.mid(0, kNamed).join(QStringLiteral("、"));
    if (labels.size() > kNamed)
        text += QStringLiteral(" ほか%1行").arg(labels.size() - kNamed);
    return text;
}

qint64 maxDayFileBytes(QByteArrayView type)
{
    if (type == "H6")
        return qint64(kMaxTrifectaFileLines) * layout::kH6Length;
    const Kind* kind = kindOfType(type);
    return qint64(kMaxDayFileLines) * (kind ? kind->length : layout::kRaLength);
}

QByteArrayView typeOfSuffix(const char* suffix)
{
    for (const Kind& k : kKinds)
        if (std::strcmp(k.suffix, suffix) == 0)
            return k.type;
    return "RA";
}

namespace {

// Replaces the line of the record's race key or appends it. A payout record
// that replaces other payouts of its race (not only another header) names
// the earlier one in `notes`: a race pays once, and which of two differing
// records was right is for the user to see.
void merge(QList<QByteArray>& lines, QByteArrayView record, const QString& path, QStringList& notes)
{
    const QByteArrayView key = layout::raceKey(record);
    QByteArray line = record.chopped(2).toByteArray();
    const auto same = std::find_if(lines.begin(), lines.end(),
                                   [key](const QByteArray& l) { return layout::raceKey(l) == key; });
    if (same == lines.end()) {
        lines.append(std::move(line));
        return;
    }
    if (layout::recordType(line) == "HR" && same->sliced(layout::kHeaderLength) != line.sliced(layout::kHeaderLength))
        notes.append(QStringLiteral("日ファイル %1 のレース %2 の払戻を、後から届いた払戻レコードに置き換えました。"
                                    "それまでのレコード：%3")
                         .arg(path, shown::bytes(key), shown::bytes(*same)));
    *same = std::move(line);
}

void makeDataFolder(const QString& dataFolder)
{
    if (!QDir().mkpath(dataFolder))
        throw failure(QStringLiteral("データフォルダ %1 を作成できません").arg(dataFolder));
}

QString dateOfName(const QString& name)
{
    return name.first(name.size() - int(std::strlen(kRaceSuffix)));
}

// One store: read the day file (under the data folder's lock), let `change`
// merge into its whole lines, write it back. Returns the notes of left-out
// lines and of replaced payouts, a line each.
template <typename Change>
QString rewrite(const QString& dataFolder, const QString& name, Change change)
{
    makeDataFolder(dataFolder);
    const QString path = QDir(dataFolder).filePath(name);
    const StoreLock lock(dataFolder, path);
    const Location where = locate(dataFolder, dateOfName(name), kindOfName(name).suffix);
    // Links::Refuse: the new file would replace the link, and the old one
    // may be anything outside the data folder.
    DayFileLines read = readLines(where, typeOfName(name));
    QStringList notes;
    if (!read.leftOut.isEmpty())
        notes.append(keepDamaged(path, read));
    change(read.whole, path, notes);
    writeLines(path, read.whole);
    // A day copied from Windows under its CP932 name now has its UTF-8 name.
    if (where.native != QFile::encodeName(path))
        platform::removeFile(where.native);
    return notes.join(u'\n');
}

}  // namespace

QString storeRecord(const QString& dataFolder, QByteArrayView record, Writer writer)
{
    return rewrite(dataFolder, fileName(record),
                   [&](QList<QByteArray>& lines, const QString& path, QStringList& notes) {
        merge(lines, record, path, notes);
        std::stable_sort(lines.begin(), lines.end(), lessIgnoringCase);
        if (writer == Writer::QuickReport && !lines.empty() && isBlankLine(lines.front()))
            lines.erase(lines.begin());
    });
}

QString storeRecords(const QString& dataFolder, const QString& name, const std::vector<QByteArray>& records)
{
    for (const QByteArray& record : records) {
        if (fileName(record) != name)
            throw failure(QStringLiteral("%1 のレコードは %2 に保存できません").arg(fileName(record), name));
    }
    return rewrite(dataFolder, name, [&](QList<QByteArray>& lines, const QString& path, QStringList& notes) {
        // Sorting once at the end gives the same file as sorting after every
        // record: a replacement finds its race key wherever the line stands.
        for (const QByteArray& record : records)
            merge(lines, record, path, notes);
        std::stable_sort(lines.begin(), lines.end(), lessIgnoringCase);
    });
}

QString raceFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kRaceSuffix));
}

QString voteFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kVoteSuffix));
}

QString trifectaFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kTrifectaSuffix));
}

QString resultFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kResultSuffix));
}

}  // namespace tavek::dayfiles
