// A day's ".jvRA" and ".jvH1" files of arbitrary bytes: the day load, then
// every race selected and every figure and text of every slot computed, with
// a stake and an odds simulation on the win, quinella and bracket figures.
// Failures must be std::runtime_error with a message; anything else (a crash,
// a sanitizer report, another exception) is a finding.
//
// Input: 8 control bytes, the ".jvRA" bytes, separator, the ".jvH1" bytes.
#include "FuzzInput.h"

#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "simulation/model/PairBoard.h"
#include "simulation/model/PairSlot.h"
#include "simulation/model/ReferenceSheet.h"
#include "simulation/model/WinBoard.h"

#include <memory>
#include <stdexcept>

using namespace tavek;

namespace {

const QString kDate = QStringLiteral("2005年04月16日");

using fuzz::allowFailure;

void pairSection(DayData& day, int race, sim::PairKind kind, const fuzz::Input& in)
{
    const sim::PairSlot slot = sim::pairSlot(day, race, kind);
    sim::PairBoard board(kind);
    allowFailure([&] { board.calculate(slot.record, slot.figures); });
    const int k = 1 + in.control(6) % board.size();
    const QString label = sim::pairLabel(kind, k);
    board.clickReal(k);
    board.clickVirtual(k);
    allowFailure(
        [&] { board.simulateStake(slot.record, slot.figures, label, (in.control(2) << 8 | in.control(3)) * 100); });
    allowFailure([&] { board.simulateOdds(slot.record, slot.figures, label, in.control(5) / 4.0); });
    board.clear();
}

void everyFigureOf(DayData& day, int race, const fuzz::Input& in)
{
    win::WinBoard board(day);
    const bool shown = board.calculate(race);
    const win::HeaderTexts header = win::headerTexts(day, race);
    if (header.course.isNull() || header.dateLine.isEmpty())
        fuzz::fail("a race header without texts");
    win::totalText(day, race);
    // Rows as the grid has them: up to 99 registered runners.
    const int rows = win::registeredRunners(day, race);
    for (int horse = 1; horse <= rows; ++horse) {
        win::rowBracket(day, race, horse);
        for (int column = 0; column < win::kColumns; ++column)
            win::cellText(day, race, horse, column, {});
    }
    if (shown) {
        allowFailure([&] { board.simulateStake(in.control(1) % 20, (in.control(2) << 8 | in.control(3)) * 1000); });
        allowFailure([&] { board.simulateOdds(in.control(4) % 20, in.control(5) / 8.0L); });
        for (int horse = 1; horse <= rows; ++horse)
            for (int column = 0; column < win::kColumns; ++column)
                board.cellText(horse, column);
    }
    pairSection(day, race, sim::PairKind::Quinella, in);
    pairSection(day, race, sim::PairKind::Bracket, in);
    sim::referenceSheet(day.voteRecord(race));
}

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

    day->KeepRaceOnReload = in.control(0) & 1;
    day->LastRaceIndex = (in.control(0) >> 1) & 0x3F;
    const DayLoad load = day->load(folder, kDate);
    if (load.raceItems.size() != day->raceCount() || day->raceCount() > kRaceSlots)
        fuzz::fail("race items and loaded races differ");
    if ((load.selection < 0) != (day->raceCount() == 0) || load.selection >= day->raceCount())
        fuzz::fail("a selection outside the race list");
    for (int race = 0; race < day->raceCount(); ++race) {
        if (!day->selectRace(race))
            fuzz::fail("a loaded race cannot be selected");
        everyFigureOf(*day, race, in);
    }
    return 0;
}
