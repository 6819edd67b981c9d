#include "jvlink/emulator/RecordFolderSource.h"

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

// Shorter than the header up to the race key: no record, but a fragment (a
// half-copied file's last line) that the service could not even serve as one.
constexpr qsizetype kHeaderBytes = layout::kRaceKey + layout::kRaceKeyLen - 1;

// The file's records, each ended by CR LF whatever line ends it had. Lines
// of a wrong length are served as they are: the acquisition names and
// passes over what it cannot store.
QByteArray records(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("ファイル %1 は開けません").arg(path).toStdString());
    QByteArray out;
    for (const QByteArray& line : recordlines::lines(file.readAll(), recordlines::Empty::Skip)) {
        if (line.size() >= kHeaderBytes)
            out += line + "\r\n";
    }
    return out;
}

}  // namespace

RecordFolderSource::RecordFolderSource(QString folder) : folder_(std::move(folder))
{
}

std::vector<SourceFile> RecordFolderSource::filesBetween(const QDateTime& after, const QDateTime& upTo) const
{
    QFileInfoList infos = QDir(folder_).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    std::stable_sort(infos.begin(), infos.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    std::vector<SourceFile> files;
    for (const QFileInfo& info : infos) {
        // Whole seconds, as the stamp shows it, so a file is not offered again after its own stamp.
        QDateTime at = info.lastModified();
        at.setTime(QTime(at.time().hour(), at.time().minute(), at.time().second()));
        if (at > after && at <= upTo) {
            const QString stamp = at.toString(QStringLiteral("yyyyMMddHHmmss"));
            files.push_back({stamp + u'_' + info.fileName(), stamp});
        }
    }
    return files;
}

QByteArray RecordFolderSource::content(const SourceFile& file) const
{
    return records(QDir(folder_).filePath(sourceName(file.name)));
}

std::optional<QByteArray> RecordFolderSource::realTimeH1(QByteArrayView key, const QDateTime&) const
{
    std::optional<QByteArray> newest;
    QFileInfoList infos = QDir(folder_).entryInfoList(QDir::Files | QDir::Readable, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : infos) {
        const QByteArray all = records(info.filePath());
        for (qsizetype at = 0; at < all.size();) {
            const QByteArrayView record = recordlines::recordAt(all, at);
            if (record.startsWith("H1") && record.size() >= layout::kRaceKey + layout::kRaceKeyLen
                && record.sliced(layout::kRaceKey - 1, layout::kRaceKeyLen) == key)
                newest = record.toByteArray();
            at += record.size();
        }
    }
    return newest;
}

}  // namespace tavek::jvlink
