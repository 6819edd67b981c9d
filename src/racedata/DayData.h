#pragma once

#include "pools/Field.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordLayout.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <span>

namespace tavek {

inline constexpr int kRaceSlots = 36;                   // races per day, fixed
inline constexpr int kWinFigures = pools::kMaxRunners;  // runners with virtual win figures

// What a day load hands to the window.
struct DayLoad {
    // One race item per loaded race, in slot order ("2005/04/16 東京 01R").
    QStringList raceItems;
    // The item to select now: lastRaceIndex() while keepRaceOnReload() is set
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

// The figures of one pool of a race slot: its total and each entry's votes
// ([n - 1] for entry n), -1 meaning a blank field.
template <std::size_t Entries>
struct SlotFigures {
    int total = -1;
    std::array<int, Entries> votes;
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
// One thread at a time, even for reading: the win and quinella figures of a
// slot are read from its vote record when they are first asked for. A view of
// a record lives in the day files' bytes the day keeps, so it is good until
// the next load() or until its slot is set again, and never longer than the
// DayData itself; whoever keeps a record past that keeps a copy. A record
// stored into the day files after the load changes nothing here until the
// next load (the window loads the day again after a quick report).
struct DayData {
    DayData();
    // The slots point into the day's own bytes: a copy would point into another's.
    DayData(const DayData&) = delete;
    DayData& operator=(const DayData&) = delete;

    // Loads the day `dateText` from `dataFolder`: the whole records of its
    // ".jvRA" file into up to 36 slots (lines that are not whole records are
    // skipped and named in DayLoad::skipped, so one stray line cannot shift
    // every later record) and each race's H1 record from the ".jvH1" file
    // (matched by course and race number). Every vote field the figures come
    // from is checked, so DayLoad names each one that is not a number, but
    // no figure is read yet. Nothing of the previous day survives: without a
    // ".jvH1" file every figure is -1. currentRace() becomes 0. Throws
    // std::runtime_error when a day file exists but cannot be read, is not a
    // regular file or is too large to be one (dayfiles::kMaxDayFileLines).
    DayLoad load(const QString& dataFolder, const QString& dateText);

    // Races of the loaded day (the first raceCount() slots hold them).
    int raceCount() const { return raceCount_; }
    // The vote day file of the last load, as messages name it.
    const QString& voteFilePath() const { return voteFilePath_; }

    // Makes race item `index` current (currentRace and lastRaceIndex); false,
    // changing nothing, when no race has that index.
    bool selectRace(int index);
    // The race slot the simulations work on: the one selected, or the one the
    // win calculation last ran on; 0 after a load.
    int currentRace() const { return currentRace_; }
    void setCurrentRace(int slot) { currentRace_ = slot; }
    // The race item selected last, kept over a load.
    int lastRaceIndex() const { return lastRaceIndex_; }
    // While set, a load selects lastRaceIndex() again (the window's reload
    // after a quick report) instead of the first race.
    bool keepRaceOnReload() const { return keepRaceOnReload_; }
    void setKeepRaceOnReload(bool on) { keepRaceOnReload_ = on; }

    // The record of a slot, CR LF included; all blanks (no CR LF) for a slot
    // without one.
    QByteArrayView raceRecord(int slot) const { return {races_[size_t(slot)], layout::kRaLength}; }
    QByteArrayView voteRecord(int slot) const { return {votes_[size_t(slot)], layout::kH1Length}; }
    // The trifecta's vote record (H6) of a slot, CR LF included; all blanks
    // for a slot without one. The day's ".jvH6" file is read when a slot's
    // record is first asked for, not at load: a day of trifecta votes is
    // several megabytes that most race selections never look at.
    QByteArrayView trifectaRecord(int slot) const;
    // Empty, or one message naming the ".jvH6" file and the race of what in
    // it could not be read; every other pool is shown as before.
    QString trifectaProblem() const;

    // The result of a slot's race as its payout record (HR) in the day's
    // ".jvHR" file tells it (result::read); none for a race without one or
    // whose record cannot be read. Read, as the trifecta's file is, when a
    // result is first asked for; a day without the file is a day without
    // results. Where the file holds two records of one race, the later holds.
    const result::RaceResult* result(int slot) const;
    // Empty, or one message naming the ".jvHR" file and each race whose
    // record in it could not be used, and why; every figure of every race is
    // shown as before.
    QString resultProblem() const;

    // Puts `record` into a slot, cut or padded with blanks to the record's
    // length, without touching the other slots or the race count. The slot's
    // figures are read from the new vote record when next asked for.
    void setRaceRecord(int slot, QByteArrayView record);
    void setVoteRecord(int slot, QByteArrayView record);

    // The win figures of a slot (votes of horse h as [h - 1]): read from its
    // vote record when first asked for after a load, then as the win model
    // leaves them. A field that is not a number reads -1; the load has
    // reported it.
    int& winTotal(int slot) { return winFigures(slot).total; }
    int winTotal(int slot) const { return winFigures(slot).total; }
    std::span<int, kWinFigures> winVotes(int slot) { return winFigures(slot).votes; }
    std::span<const int, kWinFigures> winVotes(int slot) const { return winFigures(slot).votes; }
    // The quinella figures of a slot (pair k as [k - 1]) the same way.
    int& quinellaTotal(int slot) { return quinellaFigures(slot).total; }
    std::span<int, layout::kQuinellaPairs> quinellaVotes(int slot) { return quinellaFigures(slot).votes; }

    // The bracket-quinella figures of a slot (pair k as [k - 1]): -1 until the
    // win calculation fills them from the slot's win figures.
    int& bracketTotal(int slot) { return bracketTotal_[size_t(slot)]; }
    std::span<int, layout::kBracketPairs> bracketVotes(int slot) { return bracketVotes_[size_t(slot)]; }

    // Reads the win figures of `slot` again from its vote record.
    void readWinFigures(int slot);
    // The same for its quinella figures.
    void readQuinellaFigures(int slot);

private:
    SlotFigures<kWinFigures>& winFigures(int slot) const;
    SlotFigures<layout::kQuinellaPairs>& quinellaFigures(int slot) const;
    void readRaces(QByteArrayView file, QStringList& skipped);
    std::bitset<kRaceSlots> readVotes(QByteArrayView file, QStringList& skipped);
    void clearSlots();
    void readTrifecta() const;
    void readResults() const;

    int raceCount_ = 0;
    int currentRace_ = 0;
    int lastRaceIndex_ = 0;
    bool keepRaceOnReload_ = false;
    QString voteFilePath_;
    std::array<int, kRaceSlots> bracketTotal_;
    std::array<std::array<int, layout::kBracketPairs>, kRaceSlots> bracketVotes_;
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
    // Filled on first use, by a const reader too; a slot's bit says its
    // figures have been read since its vote record was last set.
    mutable std::array<SlotFigures<kWinFigures>, kRaceSlots> win_;
    mutable std::array<SlotFigures<layout::kQuinellaPairs>, kRaceSlots> quinella_;
    mutable std::bitset<kRaceSlots> winRead_;
    mutable std::bitset<kRaceSlots> quinellaRead_;
    // The ".jvH6" file of the loaded day, read on the first question about it.
    QString dataFolder_, dateText_;
    mutable bool trifectaRead_ = false;
    mutable std::array<QByteArray, kRaceSlots> trifecta_;  // a slot's H6 record; empty for none
    mutable QString trifectaProblem_;
    // The ".jvHR" file of the loaded day likewise.
    mutable bool resultsRead_ = false;
    mutable std::array<std::optional<result::RaceResult>, kRaceSlots> results_;
    mutable QString resultProblem_;
};

// The race item of an RA record: "2005/04/16 東京 01R".
QString raceItemText(QByteArrayView raceRecord);

}  // namespace tavek
