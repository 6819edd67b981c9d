#pragma once

#include "racedata/RecordLayout.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>

namespace tavek {

inline constexpr int kRaceSlots = 36;   // races per day, fixed
inline constexpr int kWinFigures = 18;  // runners with virtual win figures

// What a day load hands to the window.
struct DayLoad {
    // One race item per loaded race, in slot order ("2005/04/16 東京 01R").
    QStringList raceItems;
    // The item to select now: LastRaceIndex while KeepRaceOnReload is set
    // (the last race when the list got shorter), else 0; -1 without races.
    int selection = -1;
    // Empty, or one message naming the vote file and race of the first vote
    // field that is neither blank nor a number (such figures read as -1). The
    // window reports it once; nothing else about the load fails.
    QString problem;
    // The same for each race slot on its own: its first such field.
    std::array<QString, kRaceSlots> raceProblems;
    // Empty, or which lines of the day files were skipped because they are
    // not whole records (an empty line, a fragment). `problem` says it too.
    QString skipped;
};

// The loaded day: 36 race slots with their RA and H1 record texts and the
// figures the simulations work on. Allocate it once and keep it
// (std::make_unique<DayData>()): the figures take about 30 KB, and the day
// files' bytes stay with it from one load to the next.
//
// Figures are signed 32-bit, -1 meaning a blank field. Slot i of every array
// belongs to the race in slot i of the race records, which is item i of the
// race list. The win and pair models overwrite the figures of the current race
// with virtual ones and re-read the real ones from the vote record before a
// simulation.
//
// One thread at a time: a view of a record lives in the day files' bytes the
// day keeps, so it is good until the next load() or until its slot is set
// again, and never longer than the DayData itself.
struct DayData {
    int CurrentRace = 0;
    std::array<int, kRaceSlots> BracketTotal;                                     // filled by the win calculation
    std::array<std::array<int, layout::kBracketPairs>, kRaceSlots> BracketVotes;  // [r][k - 1]
    QString VoteFilePath;
    int LastRaceIndex = 0;
    bool KeepRaceOnReload = false;

    DayData();
    // The slots point into the day's own bytes: a copy would point into another's.
    DayData(const DayData&) = delete;
    DayData& operator=(const DayData&) = delete;

    // Loads the day `dateText` from `dataFolder`: the whole records of its
    // ".jvRA" file into up to 36 slots (lines that are not whole records are
    // skipped and named in DayLoad::skipped, so one stray line cannot shift
    // every later record), each race's H1 record from the ".jvH1" file
    // (matched by course and race number), and the win and quinella figures of
    // every slot. Nothing of the previous day survives: without a ".jvH1" file
    // every figure is -1. CurrentRace becomes 0. Throws std::runtime_error
    // when a day file exists but cannot be read, is not a regular file or is
    // too large to be one (dayfiles::kMaxDayFileLines).
    DayLoad load(const QString& dataFolder, const QString& dateText);

    // Races of the loaded day (the first raceCount() slots hold them).
    int raceCount() const { return raceCount_; }

    // Makes race item `index` current (CurrentRace and LastRaceIndex); false,
    // changing nothing, when no race has that index.
    bool selectRace(int index);

    // The record of a slot, CR LF included; all blanks (no CR LF) for a slot
    // without one.
    QByteArrayView raceRecord(int slot) const { return {races_[size_t(slot)], layout::kRaLength}; }
    QByteArrayView voteRecord(int slot) const { return {votes_[size_t(slot)], layout::kH1Length}; }

    // Puts `record` into a slot, cut or padded with blanks to the record's
    // length, without touching the other slots or the race count.
    void setRaceRecord(int slot, QByteArrayView record);
    void setVoteRecord(int slot, QByteArrayView record);

    // Re-reads WinTotal and WinVotes of `slot` from its vote record (a field
    // that is not a number reads -1; the load has reported it).
    void readWinFigures(int slot);
    // Re-reads QuinellaTotal and QuinellaVotes of `slot` the same way.
    void readQuinellaFigures(int slot);

    std::array<int, kRaceSlots> WinTotal;
    std::array<std::array<int, kWinFigures>, kRaceSlots> WinVotes;  // [r][h - 1]
    std::array<int, kRaceSlots> QuinellaTotal;
    std::array<std::array<int, layout::kQuinellaPairs>, kRaceSlots> QuinellaVotes;  // [r][k - 1]

private:
    void readRaces(QByteArrayView file, QStringList& skipped);
    void readVotes(QByteArrayView file, QStringList& skipped);
    void clearSlots();

    int raceCount_ = 0;
    // The day files as read; a slot whose line is followed by CR LF points
    // into them, so the load copies no record.
    QByteArray raceFile_;
    QByteArray voteFile_;
    // Slots that cannot point into the files (a line ended by LF alone or by
    // the end of the file, a record put by setRaceRecord/setVoteRecord) hold
    // their own copy here.
    std::array<QByteArray, kRaceSlots> ownRaces_;
    std::array<QByteArray, kRaceSlots> ownVotes_;
    std::array<const char*, kRaceSlots> races_;
    std::array<const char*, kRaceSlots> votes_;
};

// The race item of an RA record: "2005/04/16 東京 01R".
QString raceItemText(QByteArrayView raceRecord);

}  // namespace tavek
