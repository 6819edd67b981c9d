#include "jvlink/emulator/RecordFolderSource.h"

#include <optional>

#include "jvlink/emulator/StoredFile.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace tavek::jvlink {

namespace {

constexpr int kStampLength = 14;

// Stored names carry the stamp, so a changed file is downloaded again.
QString sourceName(const QString& storedName)
{
    return storedName.mid(kStampLength + 1);
}

// A user may keep the record files anywhere and link them into the folder.
constexpr regularfile::Links kLinks = regularfile::Links::Follow;

regularfile::Contents readRecordFile(const QString& path)
{
    return regularfile::read(QFile::encodeName(path), storedfile::maxRecordFileBytes(), kLinks);
}

QString whyNotRead(const regularfile::Contents& file)
{
    return storedfile::whyNotRead(file, storedfile::maxRecordFileBytes());
}

// The file's records, each ended by CR LF whatever line ends it had. Lines
// of a wrong length are served as they are: the acquisition names and
// passes over what it cannot store.
QByteArray records(const QByteArray& bytes)
{
    QByteArray out;
    for (const QByteArray& line : recordlines::lines(bytes, recordlines::Empty::Skip)) {
        // Shorter than the header: no record, but a fragment (a half-copied
        // file's last line) that the service could not even serve as one.
        if (line.size() >= layout::kHeaderLength)
            out += line + "\r\n";
    }
    return out;
}

}  // namespace

RecordFolderSource::RecordFolderSource(QString folder, PassOver passOver)
    : folder_(std::move(folder)), passOver_(std::move(passOver))
{
}

// Whatever is in the folder, not only its regular files: what is no record
// file is named when passed over, not left out unsaid.
QFileInfoList RecordFolderSource::entries(QDir::SortFlags order) const
{
    return QDir(folder_).entryInfoList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, order);
}

// A file gone since the listing, or a link to nothing, is no file to name.
void RecordFolderSource::passOver(const QString& path, const regularfile::Contents& file) const
{
    if (passOver_ && file.status != regularfile::Status::Missing)
        passOver_(QStringLiteral("レコードファイル %1 は%2ため読みません").arg(path, whyNotRead(file)));
}

std::vector<SourceFile> RecordFolderSource::filesBetween(const QDateTime& after, const QDateTime& upTo) const
{
    QFileInfoList infos = entries(QDir::Name);
    std::stable_sort(infos.begin(), infos.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    std::vector<SourceFile> files;
    for (const QFileInfo& info : infos) {
        // Whole seconds, as the stamp shows it, so a file is not offered again after its own stamp.
        QDateTime at = info.lastModified();
        at.setTime(QTime(at.time().hour(), at.time().minute(), at.time().second()));
        if (at <= after || at > upTo)
            continue;
        // Examined without reading: only the files downloaded are read.
        const regularfile::Contents file = regularfile::examine(QFile::encodeName(info.filePath()),
                                                                storedfile::maxRecordFileBytes(), kLinks);
        if (file.status != regularfile::Status::Read) {
            passOver(info.filePath(), file);
            continue;
        }
        const QString stamp = at.toString(QStringLiteral("yyyyMMddHHmmss"));
        files.push_back({stamp + u'_' + info.fileName(), stamp});
    }
    return files;
}

QByteArray RecordFolderSource::content(const SourceFile& file) const
{
    const QString path = QDir(folder_).filePath(sourceName(file.name));
    const regularfile::Contents read = readRecordFile(path);
    if (read.status == regularfile::Status::Missing)
        throw std::runtime_error(QStringLiteral("レコードファイル %1 がありません").arg(path).toStdString());
    if (read.status != regularfile::Status::Read)
        throw std::runtime_error(
            QStringLiteral("レコードファイル %1 は%2ため読めません").arg(path, whyNotRead(read)).toStdString());
    return records(read.bytes);
}

void RecordFolderSource::eachRecordOf(QByteArrayView key, const std::function<void(QByteArrayView)>& visit) const
{
    for (const QFileInfo& info : entries(QDir::Time | QDir::Reversed)) {
        const regularfile::Contents read = readRecordFile(info.filePath());
        if (read.status != regularfile::Status::Read) {
            passOver(info.filePath(), read);
            continue;
        }
        const QByteArray all = records(read.bytes);
        for (qsizetype at = 0; at < all.size();) {
            const QByteArrayView record = recordlines::recordAt(all, at);
            at += record.size();
            if (record.size() >= layout::kHeaderLength && layout::raceKey(record) == key)
                visit(record);
        }
    }
}

std::vector<QByteArray> RecordFolderSource::quickReport(QByteArrayView key, const QDateTime&) const
{
    std::optional<QByteArray> h1, h6;
    eachRecordOf(key, [&](QByteArrayView record) {
        if (layout::recordType(record) == "H1")
            h1 = record.toByteArray();
        else if (layout::recordType(record) == "H6")
            h6 = record.toByteArray();
    });
    // The trifecta's votes come with the race's other votes, never alone.
    std::vector<QByteArray> out;
    if (h1) {
        out.push_back(std::move(*h1));
        if (h6)
            out.push_back(std::move(*h6));
    }
    return out;
}

std::vector<QByteArray> RecordFolderSource::quickResult(QByteArrayView key, const QDateTime&) const
{
    std::vector<QByteArray> out;
    eachRecordOf(key, [&](QByteArrayView record) {
        if (layout::recordType(record) == "HR")
            out.assign(1, record.toByteArray());
    });
    return out;
}

}  // namespace tavek::jvlink
