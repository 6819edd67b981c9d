// A day's ".jvRA" and ".jvH1" files of arbitrary bytes: the day load, its
// race list and selection, and every figure and text of one race chosen by
// the input (RaceLoadFuzz goes deep into one race's records at many more runs
// a second; this target keeps the matching of a whole day). Failures must be
// std::runtime_error with a message; anything else (a crash, a sanitizer
// report, another exception) is a finding.
//
// Then the trifecta's ".jvH6" file, read on first use: every slot's H6 is a
// whole H6 record of the slot's race or blank, whatever the file held; and
// the payouts' ".jvHR" file likewise: every slot's result is its own race's,
// paying entries of its pools on runners of a field.
//
// Input: 8 control bytes, the ".jvRA" bytes, separator, the ".jvH1" bytes,
// separator, the ".jvH6" bytes (written when control byte 6 is odd),
// separator, the ".jvHR" bytes (written when bit 1 of control byte 6 is set).
#include "support/FuzzInput.h"
#include "support/RaceChecks.h"

#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"

#include <memory>

using namespace tavek;

namespace {
const QString kDate = QStringLiteral("2005年04月16日");
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto day = std::make_unique<DayData>();
    const fuzz::Input in(data, size, 8);
    const QString folder = fuzz::scratchFolder();
    fuzz::clean(folder);
    fuzz::writeFile(dayfiles::raceFilePath(folder, kDate), in.part(0));
    if (in.control(0) & 0x80)
        fuzz::writeFile(dayfiles::voteFilePath(folder, kDate), in.part(1));
    if (in.control(6) & 1)
        fuzz::writeFile(dayfiles::trifectaFilePath(folder, kDate), in.part(2));
    if (in.control(6) & 2)
        fuzz::writeFile(dayfiles::resultFilePath(folder, kDate), in.part(3));

    // The selection a kept reload returns to: a race of the day the last input loaded.
    day->selectRace((in.control(0) >> 1) & 0x3F);
    day->setKeepRaceOnReload(in.control(0) & 1);
    const int races = fuzz::checkLoad(*day, day->load(folder, kDate));
    if (races > 0)
        fuzz::everyFigureOf(*day, in.control(7) % races, in);
    for (int slot = 0; slot < races; ++slot) {
        const QByteArrayView h6 = day->trifectaRecord(slot);
        if (h6.size() != layout::kH6Length)
            fuzz::fail("a trifecta record of the wrong length");
        if (h6.startsWith("H6") ? layout::raceKey(h6) != layout::raceKey(day->raceRecord(slot)) : h6[0] != ' ')
            fuzz::fail("a trifecta record of another race or a partial one");
    }
    if (!day->trifectaProblem().isEmpty() && !(in.control(6) & 1))
        fuzz::fail("a trifecta problem without a trifecta file");
    for (int slot = 0; slot < races; ++slot) {
        const result::RaceResult* result = day->result(slot);
        if (!result)
            continue;
        if (result->raceKey != layout::raceKey(day->raceRecord(slot)))
            fuzz::fail("a result of another race");
        fuzz::checkResult(*result);
    }
    if (!day->resultProblem().isEmpty() && !(in.control(6) & 2))
        fuzz::fail("a result problem without a result file");
    return 0;
}
