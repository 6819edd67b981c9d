#pragma once

#include "jvlink/emulator/DataSource.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfoList>
#include <QString>
#include <functional>

namespace tavek::jvlink {

// Real JV-Data served from a folder of record files (one record per line,
// CP932): each file is one file of stored data, published at its modification
// time. The real-time open finds a race's newest H1 record among them, and
// its newest H6 record after it; the quick result its newest HR record.
//
// A file the source will not read (a FIFO, a folder, a link to a device, one
// larger than storedfile::maxRecordFileBytes) is passed over, and the others
// are served: `passOver` is told of each with its name and why, on the
// thread of filesBetween or quickReport. content() throws instead, as the
// files it is given were offered.
class RecordFolderSource : public DataSource {
public:
    using PassOver = std::function<void(const QString& why)>;

    explicit RecordFolderSource(QString folder, PassOver passOver = {});

    std::vector<SourceFile> filesBetween(const QDateTime& after, const QDateTime& upTo) const override;
    QByteArray content(const SourceFile& file) const override;
    std::vector<QByteArray> quickReport(QByteArrayView key, const QDateTime& now) const override;
    std::vector<QByteArray> quickResult(QByteArrayView key, const QDateTime& now) const override;

private:
    // Each record of the race `key` in the folder, the newest file's last.
    void eachRecordOf(QByteArrayView key, const std::function<void(QByteArrayView record)>& visit) const;
    QFileInfoList entries(QDir::SortFlags order) const;
    void passOver(const QString& path, const regularfile::Contents& file) const;

    QString folder_;
    PassOver passOver_;
};

}  // namespace tavek::jvlink
