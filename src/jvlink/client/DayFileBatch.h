#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace tavek::jvlink {

// The store path of a batch acquisition. Storing every record by its own
// read-sort-rewrite of the whole day file made a year's acquisition rewrite
// each file hundreds of times; this keeps a run's records per day file and
// writes each affected file once, with the same result. Each write is atomic,
// so no day file is ever half-written.
class DayFileBatch {
public:
    // Pending records beyond this many bytes are written at once, so a long
    // run holds a bounded amount in memory.
    static constexpr qsizetype kFlushBytes = 32 * 1024 * 1024;

    explicit DayFileBatch(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}

    // Takes one RA, H1, H6 or HR record (CR LF at its end) for its day file and
    // returns the file's name. Throws std::runtime_error for a record that
    // cannot be stored (nothing is kept of it then).
    QString add(QByteArrayView record);

    // Writes every pending record into its day file. Every file is attempted
    // even when one fails; the first failure is then thrown, and the records
    // of the failed files stay pending.
    void flush();

    bool empty() const { return pending_.empty(); }
    // The records not written yet, by day file name.
    const std::map<QString, std::vector<QByteArray>>& pending() const { return pending_; }
    // What the writes had to set aside or replace (dayfiles::storeRecords), a
    // line each, since the last call.
    QStringList takeNotes() { return std::exchange(notes_, {}); }

private:
    QString dataFolder_;
    std::map<QString, std::vector<QByteArray>> pending_;
    qsizetype pendingBytes_ = 0;
    QStringList notes_;
};

}  // namespace tavek::jvlink
