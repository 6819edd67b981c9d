#include "payoutcheck/FolderCheck.h"

#include "racedata/DayData.h"
#include "racedata/DaySpan.h"
#include "racedata/RecordLayout.h"

#include <memory>

namespace tavek::payoutcheck {

void FolderCheck::append(const FolderCheck& later)
{
    races += later.races;
    compared += later.compared;
    for (size_t p = 0; p < pools.size(); ++p) {
        pools[p].compared += later.pools[p].compared;
        pools[p].differing += later.pools[p].differing;
    }
    differences.insert(differences.end(), later.differences.begin(), later.differences.end());
    unreadable.append(later.unreadable);
}

FolderCheck checkDay(const QString& dataFolder, const QString& dateText)
{
    FolderCheck check;
    const auto day = std::make_unique<DayData>();
    const DayLoad load = day->load(dataFolder, dateText);
    if (!load.skipped.isEmpty())
        check.unreadable.append(load.skipped);
    bool anyResult = false;
    for (int slot = 0; slot < day->raceCount(); ++slot) {
        const result::RaceResult* result = day->result(slot);
        if (!result || layout::recordType(day->voteRecord(slot)) != "H1")
            continue;
        anyResult = true;
        if (!load.raceProblems[size_t(slot)].isEmpty()) {
            check.unreadable.append(load.raceProblems[size_t(slot)]);
            continue;
        }
        const Check race = checkRace(day->voteRecord(slot), day->trifectaRecord(slot), *result);
        ++check.races;
        check.compared += race.compared;
        for (size_t p = 0; p < check.pools.size(); ++p)
            check.pools[p].compared += race.comparedByPool[p];
        for (const Difference& d : race.differences) {
            ++check.pools[size_t(d.pool)].differing;
            check.differences.push_back({dateText, load.raceItems[slot], d});
        }
    }
    if (!day->resultProblem().isEmpty())
        check.unreadable.append(day->resultProblem());
    if (anyResult && !day->trifectaProblem().isEmpty())
        check.unreadable.append(day->trifectaProblem());
    return check;
}

FolderCheck checkDataFolder(const QString& dataFolder, const QDate& from, const QDate& to)
{
    const std::vector<FolderCheck> parts = dayfiles::readInBlocks<FolderCheck>(
        dayfiles::datesBetween(dataFolder, from, to),
        [&](FolderCheck& part, const QString& date) { part.append(checkDay(dataFolder, date)); });
    FolderCheck all;
    for (const FolderCheck& part : parts)
        all.append(part);
    return all;
}

}  // namespace tavek::payoutcheck
