// A record file of arbitrary bytes in the emulated service's record folder
// (the data a user with real JV-Data points it at): the records it serves,
// the quick-report lookup, and every served record through the batch store
// into an empty data folder. Whatever the file held, the day files written
// must be whole: records of their type and length, sorted, one per race key,
// and loadable.
//
// Input: the record file, separator, a 16-byte race key for the quick report.
#include "support/FuzzInput.h"

#include "jvlink/client/DayFileBatch.h"
#include "jvlink/emulator/RecordFolderSource.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QDateTime>
#include <QDir>
#include <QSet>

#include <memory>

using namespace tavek;

namespace {

void checkDayFile(const QString& path, int length)
{
    const QByteArray all = fuzz::readFile(path);
    if (all.isEmpty() || all.size() % length != 0)
        fuzz::fail("a day file that is not whole records", path);
    QSet<QByteArray> keys;
    QByteArray previous;
    for (qsizetype at = 0; at < all.size(); at += length) {
        const QByteArray line = all.mid(at, length);
        if (!line.endsWith("\r\n") || line.chopped(2).contains('\n') || line.chopped(2).contains('\r'))
            fuzz::fail("a day-file line that is not one record", path);
        const QByteArray key = layout::raceKey(line).toByteArray();
        if (keys.contains(key))
            fuzz::fail("two lines of one race key", path);
        keys.insert(key);
        if (line.toUpper() < previous.toUpper())
            fuzz::fail("an unsorted day file", path);
        previous = line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto day = std::make_unique<DayData>();
    const fuzz::Input in(data, size, 0);
    const QString scratch = fuzz::scratchFolder();
    fuzz::clean(scratch);
    const QString source = scratch + QStringLiteral("/records");
    const QString folder = scratch + QStringLiteral("/Data");
    QDir().mkpath(source);
    fuzz::writeFile(source + QStringLiteral("/RACE.txt"), in.part(0));

    const jvlink::RecordFolderSource records(source);
    const auto files = records.filesBetween(QDateTime::fromSecsSinceEpoch(0), QDateTime::currentDateTime().addDays(1));
    if (files.size() != 1)
        fuzz::fail("the record file is not offered");
    const QByteArray served = records.content(files.front());
    if (!served.isEmpty() && !served.endsWith("\r\n"))
        fuzz::fail("served records without their CR LF");
    const auto report = records.quickReport(in.part(1), QDateTime::currentDateTime());
    if (!report.empty() && !report.front().startsWith("H1"))
        fuzz::fail("a quick report that does not begin with an H1 record");
    if (report.size() > 2 || (report.size() == 2 && !report.back().startsWith("H6")))
        fuzz::fail("a quick report with more than its H1 and H6 records");
    const auto result = records.quickResult(in.part(1), QDateTime::currentDateTime());
    if (result.size() > 1 || (!result.empty() && !result.front().startsWith("HR")))
        fuzz::fail("a quick result that is not one HR record");

    jvlink::DayFileBatch batch(folder);
    for (qsizetype at = 0; at < served.size();) {
        const QByteArrayView record = recordlines::recordAt(served, at);
        at += record.size();
        fuzz::allowFailure([&] { batch.add(record); });
    }
    batch.flush();
    for (const QString& date : dayfiles::dateList(folder)) {
        checkDayFile(dayfiles::raceFilePath(folder, date), layout::kRaLength);
        day->load(folder, date);
    }
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.jvH1")}, QDir::Files))
        checkDayFile(QDir(folder).filePath(name), layout::kH1Length);
    return 0;
}
