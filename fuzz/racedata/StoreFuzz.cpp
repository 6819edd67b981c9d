// The store-record operation (and the batch store of several records) fed
// arbitrary records over an arbitrary day file. A refused record must change
// no file; a stored one must change its own day file only (and keep its
// damaged original beside it), inside the data folder, leaving it sorted,
// of whole records only, with the record's line in it.
//
// Input: 1 control byte (bit 0: quick report, bit 1: the day file exists,
// bit 2: the data folder exists, bit 3: a batch store of the record and a
// second one), the record, separator, the day file bytes, separator, the
// second record.
#include "support/FuzzInput.h"

#include "racedata/DayFiles.h"
#include "racedata/RecordLines.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>

#include <algorithm>
#include <stdexcept>

using namespace tavek;

namespace {

// Every file below `folder` with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, it.fileInfo().isDir() ? QByteArray("<folder>") : fuzz::readFile(path));
    }
    return files;
}

char folded(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool lessIgnoringCase(const QByteArray& a, const QByteArray& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(folded(x)) < static_cast<unsigned char>(folded(y));
    });
}

void checkStored(const QString& path, QByteArrayView record, const QByteArray& before, bool existed, int stored)
{
    const QByteArray after = fuzz::readFile(path);
    if (!after.endsWith("\r\n"))
        fuzz::fail("a day file whose last line has no CR LF", path);
    const QList<QByteArray> now = recordlines::lines(after);
    if (!now.contains(record.chopped(2).toByteArray()))
        fuzz::fail("the stored record is not in its day file", path);
    if (!std::is_sorted(now.begin(), now.end(), lessIgnoringCase))
        fuzz::fail("an unsorted day file", path);
    const QByteArrayView type = record.first(2);
    qsizetype old = 0;
    for (const QByteArray& line : existed ? recordlines::lines(before) : QList<QByteArray>()) {
        if (dayfiles::isWholeRecordLine(line, type))
            ++old;
    }
    for (const QByteArray& line : now) {
        if (!dayfiles::isWholeRecordLine(line, type))
            fuzz::fail("a day file that kept a line that is no whole record", path);
    }
    if (now.size() < old || now.size() > old + stored)
        fuzz::fail("a store that added or lost lines", path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in(data, size, 1);
    const QByteArrayView record = in.part(0);
    const QByteArray existing = in.part(1).toByteArray();
    const auto writer = (in.control(0) & 1) ? dayfiles::Writer::QuickReport : dayfiles::Writer::Batch;

    const QString sandbox = fuzz::scratchFolder();
    fuzz::clean(sandbox);
    const QString folder = sandbox + QStringLiteral("/Data");
    // A neighbour that no store may touch.
    fuzz::writeFile(sandbox + QStringLiteral("/2005年04月16日.jvRA"), "outside\r\n");
    QString name;
    try {
        name = dayfiles::fileName(record);
    } catch (const std::runtime_error&) {
    }
    const bool existed = !name.isEmpty() && (in.control(0) & 2);
    if ((in.control(0) & 4) || existed)
        QDir().mkpath(folder);
    if (existed)
        fuzz::writeFile(QDir(folder).filePath(name), existing);

    const QMap<QString, QByteArray> before = snapshot(sandbox);
    const bool batch = in.control(0) & 8;
    const QByteArrayView last = batch ? in.part(2) : record;
    try {
        if (batch)
            dayfiles::storeRecords(folder, name.isEmpty() ? QStringLiteral("x.jvRA") : name,
                                   {record.toByteArray(), last.toByteArray()});
        else
            dayfiles::storeRecord(folder, record, writer);
    } catch (const std::runtime_error& e) {
        if (!*e.what())
            fuzz::fail("a refusal without a message");
        if (snapshot(sandbox) != before)
            fuzz::fail("a refused record changed a file", QString::fromUtf8(e.what()));
        return 0;
    }
    if (name.isEmpty())
        fuzz::fail("a store of a record that has no day file name");
    const QString path = QDir(folder).filePath(name);
    QMap<QString, QByteArray> after = snapshot(sandbox);
    after.remove(path);
    // The damaged original, when the old file held lines that are no records.
    const QString copy = path + QLatin1String(dayfiles::kDamagedSuffix);
    if (after.contains(copy) && after.take(copy) != existing)
        fuzz::fail("a damaged copy that is not the old day file", copy);
    QMap<QString, QByteArray> expected = before;
    expected.remove(path);
    expected.insert(folder, "<folder>");
    if (after != expected)
        fuzz::fail("a store touched another file than its day file", path);
    checkStored(path, last, existing, existed, batch ? 2 : 1);
    return 0;
}
