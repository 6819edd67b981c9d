#include "racedata/DayFiles.h"

#include "racedata/AtomicFile.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavek::dayfiles {

namespace {

std::runtime_error failure(const QString& text)
{
    return std::runtime_error(text.toStdString());
}

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

QList<QByteArray> readLines(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw failure(QStringLiteral("Cannot open day file %1: %2").arg(path, file.errorString()));
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw failure(QStringLiteral("Cannot read day file %1: %2").arg(path, file.errorString()));
    return recordlines::lines(all);
}

// Two copies of the program may store into the same day file at once;
// without a lock one of two read-merge-rewrite cycles would be lost. The
// lock is an flock on one file of the data folder, so the system releases it
// when its holder dies: a lock file that names its owner (QLockFile) stays
// behind, half written, when a store is killed while taking it.
class StoreLock {
public:
    static constexpr int kWaitMs = 10'000;

    StoreLock(const QString& dataFolder, const QString& path)
    {
        const QString lockPath = QDir(dataFolder).filePath(QLatin1String(kStoreLockName));
        fd_ = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            throw failure(QStringLiteral("Cannot write day file %1: cannot create the lock file %2: %3")
                              .arg(path, lockPath, QString::fromLocal8Bit(std::strerror(errno))));
        const QDeadlineTimer deadline(kWaitMs);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                const QString why = QString::fromLocal8Bit(std::strerror(errno));
                ::close(fd_);
                throw failure(QStringLiteral("Cannot write day file %1: cannot lock %2: %3").arg(path, lockPath, why));
            }
            if (deadline.hasExpired()) {
                ::close(fd_);
                throw failure(QStringLiteral("Cannot write day file %1: another program has been storing into "
                                             "the data folder for %2 seconds")
                                  .arg(path)
                                  .arg(kWaitMs / 1000));
            }
            QThread::msleep(2);
        }
    }
    ~StoreLock() { ::close(fd_); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    int fd_ = -1;
};

void writeLines(const QString& path, const QList<QByteArray>& lines)
{
    QByteArray text;
    text.reserve(lines.empty() ? 0 : qsizetype(lines.size()) * (lines.front().size() + 2));
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    QString reason;
    if (!atomicfile::replace(path, text, &reason))
        throw failure(QStringLiteral("Cannot write day file %1: %2").arg(path, reason));
}

}  // namespace

QString fileName(QByteArrayView record)
{
    const QByteArrayView type = record::field(record, layout::kRecordType, layout::kRecordTypeLen);
    const int expected = type == "RA" ? layout::kRaLength : type == "H1" ? layout::kH1Length : 0;
    const QString shown = QString::fromLatin1(record.first(std::min<qsizetype>(record.size(), 27)));
    if (expected == 0)
        throw failure(QStringLiteral("RAでもH1でもないレコードは保存できません：\"%1\"").arg(shown));
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
    const QByteArrayView date = record::field(record, layout::kYear, 8);
    if (!allDigits(date))
        throw failure(QStringLiteral("開催年月日が数字でないレコードは保存できません：\"%1\"").arg(shown));
    return QString::fromLatin1(date.first(4)) + u'年' + QString::fromLatin1(date.sliced(4, 2)) + u'月'
           + QString::fromLatin1(date.sliced(6, 2)) + u'日' + QLatin1String(type == "RA" ? kRaceSuffix : kVoteSuffix);
}

namespace {

// Replaces the line of each record's race key or appends it, then sorts.
void merge(QList<QByteArray>& lines, QByteArrayView record)
{
    const QByteArrayView key = keiba::raceKey(record);
    QByteArray line = record.chopped(2).toByteArray();
    const auto same = std::find_if(lines.begin(), lines.end(),
                                   [key](const QByteArray& l) { return keiba::raceKey(l) == key; });
    if (same != lines.end())
        *same = std::move(line);
    else
        lines.append(std::move(line));
}

QString dayFilePath(const QString& dataFolder, const QString& name)
{
    if (!QDir().mkpath(dataFolder))
        throw failure(QStringLiteral("Cannot create the data folder %1").arg(dataFolder));
    return QDir(dataFolder).filePath(name);
}

}  // namespace

void storeRecord(const QString& dataFolder, QByteArrayView record, Writer writer)
{
    const QString path = dayFilePath(dataFolder, fileName(record));
    const StoreLock lock(dataFolder, path);
    QList<QByteArray> lines = readLines(path);
    merge(lines, record);
    std::stable_sort(lines.begin(), lines.end(), lessIgnoringCase);
    if (writer == Writer::QuickReport && !lines.empty() && isBlankLine(lines.front()))
        lines.erase(lines.begin());
    writeLines(path, lines);
}

void storeRecords(const QString& dataFolder, const QString& name, const std::vector<QByteArray>& records)
{
    for (const QByteArray& record : records) {
        if (fileName(record) != name)
            throw failure(QStringLiteral("%1 のレコードは %2 に保存できません").arg(fileName(record), name));
    }
    const QString path = dayFilePath(dataFolder, name);
    const StoreLock lock(dataFolder, path);
    QList<QByteArray> lines = readLines(path);
    // Sorting once at the end gives the same file as sorting after every
    // record: a replacement finds its race key wherever the line stands.
    for (const QByteArray& record : records)
        merge(lines, record);
    std::stable_sort(lines.begin(), lines.end(), lessIgnoringCase);
    writeLines(path, lines);
}

QStringList dateList(const QString& dataFolder)
{
    QDir dir(dataFolder);
    const QString suffix = QLatin1String(kRaceSuffix);
    dir.setFilter(QDir::Files | QDir::CaseSensitive);
    dir.setNameFilters({u'*' + suffix});
    QStringList dates;
    for (const QString& name : dir.entryList())
        dates.append(name.chopped(suffix.size()));
    std::sort(dates.begin(), dates.end(), std::greater<>());
    return dates;
}

QString raceFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kRaceSuffix));
}

QString voteFilePath(const QString& dataFolder, const QString& dateText)
{
    return QDir(dataFolder).filePath(dateText + QLatin1String(kVoteSuffix));
}

QString dateText(const QString& date)
{
    static const QRegularExpression listed(QStringLiteral("^[0-9]{4}年[0-9]{2}月[0-9]{2}日$"));
    static const QRegularExpression iso(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    if (listed.match(date).hasMatch())
        return date;
    const auto m = iso.match(date);
    if (!m.hasMatch())
        return {};
    return m.captured(1) + u'年' + m.captured(2) + u'月' + m.captured(3) + u'日';
}

}  // namespace tavek::dayfiles
