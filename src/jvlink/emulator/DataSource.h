#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <vector>

namespace tavek::jvlink {

// One file of stored data as the service offers it for download.
struct SourceFile {
    QString name;   // file name in the storage folder
    QString stamp;  // publication time, 14 digits yyyymmddhhnnss
};

// Where the emulated service's data come from: generated, or a folder of real
// record files. Implementations are used from the download thread too, so they
// keep no mutable state.
class DataSource {
public:
    virtual ~DataSource() = default;

    // Files published after `after` and not after `upTo`, oldest first.
    virtual std::vector<SourceFile> filesBetween(const QDateTime& after, const QDateTime& upTo) const = 0;

    // The file's records, CP932, each ended by CR LF. Throws std::runtime_error
    // when the file cannot be produced.
    virtual QByteArray content(const SourceFile& file) const = 0;

    // The quick report of the race with `key` at `now`: its current H1 record,
    // then its H6 record where the trifecta is sold; empty when there is no
    // H1 (yet).
    virtual std::vector<QByteArray> quickReport(QByteArrayView key, const QDateTime& now) const = 0;

    // The quick result (速報成績) of the race with `key` at `now`: its payout
    // record (HR); empty when there is none (yet).
    virtual std::vector<QByteArray> quickResult(QByteArrayView key, const QDateTime& now) const = 0;
};

}  // namespace tavek::jvlink
