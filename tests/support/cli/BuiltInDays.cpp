#include "support/cli/BuiltInDays.h"

#include "jvlink/emulator/GeneratedSource.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <map>
#include <vector>

namespace tavek::test {

void storeBuiltInDays(const QString& dataFolder, const QDate& from, const QDate& to)
{
    std::map<QString, std::vector<QByteArray>> files;
    for (QDate day = from; day <= to; day = day.addDays(1))
        for (const auto kind :
             {jvlink::GeneratedSource::FileKind::RaceDetails, jvlink::GeneratedSource::FileKind::VoteCounts}) {
            const QByteArray records = jvlink::GeneratedSource::dayFile(day, kind);
            for (qsizetype at = 0; at < records.size();) {
                const QByteArrayView record = recordlines::recordAt(records, at);
                at += record.size();
                if (layout::recordType(record) != "SE")
                    files[dayfiles::fileName(record)].push_back(record.toByteArray());
            }
        }
    for (const auto& [name, records] : files)
        dayfiles::storeRecords(dataFolder, name, records);
}

}  // namespace tavek::test
