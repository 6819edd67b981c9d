#pragma once

#include "jvlink/emulator/DataSource.h"

namespace tavek::jvlink {

// Real JV-Data served from a folder of record files (one record per line,
// CP932): each file is one file of stored data, published at its modification
// time. The real-time open finds a race's newest H1 record among them.
class RecordFolderSource : public DataSource {
public:
    explicit RecordFolderSource(QString folder);

    std::vector<SourceFile> filesBetween(const QDateTime& after, const QDateTime& upTo) const override;
    QByteArray content(const SourceFile& file) const override;
    std::optional<QByteArray> realTimeH1(QByteArrayView key, const QDateTime& now) const override;

private:
    QString folder_;
};

}  // namespace tavek::jvlink
