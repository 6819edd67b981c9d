// One race's records as a day, deep: an RA and an H1 record built whole
// (runners, win, quinella and bracket votes from the input), then patched at
// positions the input names, cut or lengthened, and written with the damage
// users leave (an empty line before, a fragment after, no final CR LF). Then
// the day load and every figure and text of the race. The inputs are small
// (patches, not 29 KB records), so the fuzzer runs many a second and its
// corpus stays small; DayLoadFuzz keeps raw bytes of whole days.
//
// Input: 8 control bytes (byte 0 bit 0: an empty line before the RA line,
// bit 1: before the H1 line, bit 2: a fragment after each, bit 3: no vote
// file, bit 4: no CR LF after the records, bit 5: the RA line one byte short,
// bit 6: the H1 line one byte long, bit 7: the H1 record of another race;
// byte 7: registered runners), the RA patches, separator, the H1 patches.
// A patch is a 2-byte position (big-endian, taken modulo the record length),
// a length byte and that many bytes.
#include "support/FuzzInput.h"
#include "support/RaceChecks.h"

#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <memory>

using namespace tavek;

namespace {

const QString kDate = QStringLiteral("2005年04月16日");

void applyPatches(QByteArray& record, QByteArrayView patches)
{
    const qsizetype body = record.size() - 2;  // the CR LF stays
    for (qsizetype at = 0; at + 3 <= patches.size();) {
        const auto position = qsizetype((uint8_t(patches[at]) << 8) | uint8_t(patches[at + 1])) % body;
        const qsizetype length = std::min<qsizetype>(uint8_t(patches[at + 2]), patches.size() - at - 3);
        const qsizetype n = std::min(length, body - position);
        record.replace(position, n, patches.sliced(at + 3, n).toByteArray());
        at += 3 + length;
    }
}

QByteArray baseVotes(const QByteArray& key, const fuzz::Input& in)
{
    const int runners = in.control(7) % 19;
    test::H1Record h1(key);
    h1.registered(runners).starters(runners);
    long long total = 0;
    for (int h = 1; h <= runners; ++h) {
        const long long votes = (in.control(1 + h % 6) + 1) * 137LL * h;
        h1.win(h, votes);
        total += votes;
    }
    h1.winTotal(total);
    long long pairs = 0;
    for (int k = 1; k <= layout::kQuinellaPairs; ++k) {
        h1.quinella(k, 50LL * k);
        pairs += 50LL * k;
    }
    h1.quinellaTotal(pairs);
    for (int k = 1; k <= layout::kBracketPairs; ++k)
        h1.bracket(k, 20LL * k);
    h1.bracketTotal(20LL * 666);
    return h1.bytes();
}

QByteArray dayFile(QByteArrayView record, bool emptyLineBefore, bool fragmentAfter)
{
    QByteArray file;
    if (emptyLineBefore)
        file += "\r\n";
    file += record;
    if (fragmentAfter)
        file += record.first(std::min<qsizetype>(record.size(), 40));
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto day = std::make_unique<DayData>();
    const fuzz::Input in(data, size, 8);
    const uint8_t how = in.control(0);
    const QByteArray key = test::raceKey("20050416", "05", 11);

    QByteArray ra = test::RaRecord(key).name(QStringLiteral("皐月賞")).bytes();
    applyPatches(ra, in.part(0));
    QByteArray h1 = baseVotes((how & 0x80) ? test::raceKey("20050416", "06", 11) : key, in);
    applyPatches(h1, in.part(1));
    if (how & 0x20)
        ra.remove(ra.size() - 3, 1);
    if (how & 0x40)
        h1.insert(h1.size() - 2, ' ');
    if (how & 0x10) {
        ra.chop(2);
        h1.chop(2);
    }

    const QString folder = fuzz::scratchFolder();
    fuzz::clean(folder);
    fuzz::writeFile(dayfiles::raceFilePath(folder, kDate), dayFile(ra, how & 1, how & 4));
    if (!(how & 8))
        fuzz::writeFile(dayfiles::voteFilePath(folder, kDate), dayFile(h1, how & 2, how & 4));

    const DayLoad load = day->load(folder, kDate);
    const int races = fuzz::checkLoad(*day, load);
    // A patch may put a line end into the record: then it is several lines.
    const QByteArrayView raLine = ra.endsWith("\r\n") ? QByteArrayView(ra).chopped(2) : QByteArrayView(ra);
    const bool oneLine = !raLine.contains('\n') && !raLine.contains('\r');
    const bool loads = dayfiles::isWholeRecordLine(raLine, "RA") && !((how & 0x10) && (how & 4));
    if (races > 1 || (oneLine && races != (loads ? 1 : 0)))
        fuzz::fail("a whole race record that did not load alone, or a damaged one that did");
    if (races == 1 && oneLine && day->raceRecord(0).chopped(2) != raLine)
        fuzz::fail("the race slot differs from its record");
    if ((how & 1) && load.skipped.isEmpty())
        fuzz::fail("a skipped line that the load does not name");
    if (races == 1)
        fuzz::everyFigureOf(*day, 0, in);
    return 0;
}
