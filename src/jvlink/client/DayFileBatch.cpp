#include "jvlink/client/DayFileBatch.h"

#include "racedata/DayFiles.h"

#include <optional>
#include <stdexcept>

namespace tavek::jvlink {

QString DayFileBatch::add(QByteArrayView record)
{
    QString name = dayfiles::fileName(record);
    pending_[name].push_back(record.toByteArray());
    pendingBytes_ += record.size();
    if (pendingBytes_ > kFlushBytes)
        flush();
    return name;
}

void DayFileBatch::flush()
{
    std::optional<std::runtime_error> firstFailure;
    for (auto it = pending_.begin(); it != pending_.end();) {
        try {
            const QString note = dayfiles::storeRecords(dataFolder_, it->first, it->second);
            if (!note.isEmpty())
                notes_.append(note.split(u'\n'));
            for (const QByteArray& record : it->second)
                pendingBytes_ -= record.size();
            it = pending_.erase(it);
        } catch (const std::runtime_error& e) {
            if (!firstFailure)
                firstFailure = e;
            ++it;
        }
    }
    if (firstFailure)
        throw *firstFailure;
}

}  // namespace tavek::jvlink
