#include "support/RaceChecks.h"

#include "odds/model/PairBoard.h"
#include "odds/model/PairSlot.h"
#include "odds/model/ReferenceSheet.h"
#include "odds/model/WinBoard.h"

#include <algorithm>
#include <vector>

namespace tavek::fuzz {

namespace {

void pairSection(DayData& day, int race, pools::PairKind kind, const Input& in)
{
    const sim::PairSlot slot = sim::pairSlot(day, race, kind);
    sim::PairBoard board(kind);
    allowFailure([&] { board.calculate(slot.record, slot.figures); });
    const int k = 1 + in.control(6) % board.size();
    const QString label = pools::pairLabel(kind, k);
    board.clickReal(k);
    board.clickVirtual(k);
    allowFailure(
        [&] { board.simulateStake(slot.record, slot.figures, label, (in.control(2) << 8 | in.control(3)) * 100); });
    allowFailure([&] { board.simulateOdds(slot.record, slot.figures, label, in.control(5) / 4.0); });
    board.clear();
}

}  // namespace

int checkLoad(const DayData& day, const DayLoad& load)
{
    if (load.raceItems.size() != day.raceCount() || day.raceCount() > kRaceSlots)
        fail("race items and loaded races differ");
    if ((load.selection < 0) != (day.raceCount() == 0) || load.selection >= day.raceCount())
        fail("a selection outside the race list");
    if (!load.skipped.isEmpty() && !load.problem.contains(load.skipped))
        fail("skipped lines that the load does not report");
    return day.raceCount();
}

void everyFigureOf(DayData& day, int race, const Input& in)
{
    if (!day.selectRace(race))
        fail("a loaded race cannot be selected");
    win::WinBoard board(day);
    const bool shown = board.calculate(race);
    const win::HeaderTexts header = win::headerTexts(day, race);
    if (header.course.isNull() || header.dateLine.isEmpty())
        fail("a race header without texts");
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
    // One pair tab per input (most of the time of a run goes there): the
    // fuzzer reaches both, twice as often.
    pairSection(day, race, (in.control(6) & 0x80) ? pools::PairKind::Bracket : pools::PairKind::Quinella, in);
    sim::referenceSheet(day.voteRecord(race));
}

void checkResult(const result::RaceResult& result)
{
    for (size_t p = 0; p < result.payouts.size(); ++p) {
        const pools::Pool pool = pools::Pool(p);
        const std::vector<pools::EntryPayout>& paid = result.payouts[p].payouts;
        if (paid.size() > size_t(pools::payoutLayout(pool).count))
            fail("more payouts than a pool has slots");
        for (const pools::EntryPayout& e : paid)
            if (e.entry < 1 || e.entry > pools::pool(pool).entries || e.yen < 0 || e.popularity < 0)
                fail("a payout of no entry of its pool");
    }
    std::vector<int> runners;
    for (const std::vector<int>& place : result.order.places) {
        if (place.empty())
            fail("an empty place in a finishing order");
        runners.insert(runners.end(), place.begin(), place.end());
    }
    std::sort(runners.begin(), runners.end());
    if (std::adjacent_find(runners.begin(), runners.end()) != runners.end()
        || (!runners.empty() && (runners.front() < 1 || runners.back() > pools::kMaxRunners)))
        fail("a finishing order of runners no field has");
}

}  // namespace tavek::fuzz
