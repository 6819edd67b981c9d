// A data folder as users leave it, then stores into it: a day file of whole
// records mixed with damaged lines (empty lines, fragments, records one byte
// too long or short, arbitrary bytes), loaded, then stored into record by
// record and as a batch, then loaded again. The load must read exactly the
// whole records and name the rest; the store must keep every whole record
// not replaced, leave out the rest, keep the damaged original, and touch
// nothing else.
//
// Input: 16 control bytes (byte 0: lines in the file, 1-12; bytes 1-12: what
// each line is; bytes 13-15: the races stored, bit 7 of byte 13: through the
// batch store), the arbitrary line's bytes.
#include "support/FuzzInput.h"

#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QDir>

#include <memory>
#include <set>

using namespace tavek;

namespace {

const QString kDate = QStringLiteral("2005年04月16日");
const QString kName = kDate + QLatin1String(dayfiles::kRaceSuffix);

// An RA line (without CR LF) of race `number` with data category `category`.
QByteArray raceLine(int number, char category)
{
    QByteArray line(layout::kRaLength - 2, ' ');
    layout::put(line, 1, "RA");
    line[layout::kDataCategory - 1] = category;
    layout::put(line, layout::kCreationDate, "20050416");
    layout::put(line, layout::kRaceKey,
                QByteArray("2005041605020") + (number < 10 ? "80" : "8") + QByteArray::number(number));
    return line;
}

QByteArray keyOf(QByteArrayView line)
{
    return layout::raceKey(line).toByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto day = std::make_unique<DayData>();
    const fuzz::Input in(data, size, 16);
    const QString folder = fuzz::scratchFolder();
    fuzz::clean(folder);
    const QString path = QDir(folder).filePath(kName);

    // The damaged day file.
    QByteArray original;
    QList<QByteArray> whole;
    bool damaged = false;
    const int lines = 1 + in.control(0) % 12;
    for (int i = 0; i < lines; ++i) {
        const uint8_t what = in.control(1 + i);
        const QByteArray record = raceLine(1 + (what >> 3) % 12, char('0' + (what >> 7)));
        switch (what & 7) {
        case 0:
        case 1:
        case 2:
            whole.append(record);
            original += record;
            break;
        case 3:
            damaged = true;
            break;  // an empty line
        case 4:
            damaged = true;
            original += record.first(what % 200);
            break;
        case 5:
            damaged = true;
            original += record + 'x';
            break;
        case 6:
            damaged = true;
            original += record.chopped(1);
            break;
        default: {
            const QByteArray bytes = in.part(0).toByteArray().replace('\n', ' ').replace('\r', ' ');
            const bool isWhole = dayfiles::isWholeRecordLine(bytes, "RA");
            (isWhole ? whole.append(bytes) : void(damaged = true));
            original += bytes;
        }
        }
        original += "\r\n";
    }
    fuzz::writeFile(path, original);

    // The load reads the whole records, in file order, and names the rest.
    const DayLoad before = day->load(folder, kDate);
    if (day->raceCount() != std::min<qsizetype>(whole.size(), kRaceSlots))
        fuzz::fail("a load that did not read exactly the whole records");
    for (int i = 0; i < day->raceCount(); ++i) {
        if (day->raceRecord(i).chopped(2) != whole[i])
            fuzz::fail("a race slot that is not its whole record");
    }
    if (damaged == before.skipped.isEmpty())
        fuzz::fail("skipped lines not named, or named where there are none");

    // Stores: each replaces its race's first line or is appended.
    std::vector<QByteArray> stored;
    std::set<QByteArray> storedKeys;
    for (int i = 13; i <= 15; ++i) {
        stored.push_back(raceLine(1 + in.control(i) % 14, 'Z') + "\r\n");
        storedKeys.insert(keyOf(stored.back()));
    }
    QString note;
    if (in.control(13) & 0x80) {
        note = dayfiles::storeRecords(folder, kName, stored);
    } else {
        for (const QByteArray& record : stored) {
            const QString n = dayfiles::storeRecord(folder, record, dayfiles::Writer::Batch);
            if (note.isEmpty())
                note = n;
        }
    }
    const QList<QByteArray> after = recordlines::lines(fuzz::readFile(path));
    for (const QByteArray& line : after) {
        if (!dayfiles::isWholeRecordLine(line, "RA"))
            fuzz::fail("a store that kept a line that is no whole record");
    }
    for (const QByteArray& line : whole) {
        if (!storedKeys.count(keyOf(line)) && !after.contains(line))
            fuzz::fail("a store that lost a whole record");
    }
    for (const QByteArray& record : stored) {
        if (!after.contains(record.chopped(2)))
            fuzz::fail("a stored record missing from its day file");
    }
    const QString copy = path + QLatin1String(dayfiles::kDamagedSuffix);
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (damaged != note.contains(copy) || (damaged && fuzz::readFile(copy) != original))
        fuzz::fail("a damaged original not kept, or kept without need");
    if (files.size() != (damaged ? 2 : 1))
        fuzz::fail("a store that left other files in the data folder", files.join(u' '));

    const DayLoad again = day->load(folder, kDate);
    if (!again.skipped.isEmpty() || day->raceCount() != std::min<qsizetype>(after.size(), kRaceSlots))
        fuzz::fail("a stored day file that does not load whole");
    return 0;
}
