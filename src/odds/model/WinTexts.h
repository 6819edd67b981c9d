#pragma once

#include "odds/model/WinModel.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavek::history {
class OddsHistory;
}

// Every text of the win tab and the race header, as the window paints it and
// tavek-cli prints it. A cell that shows nothing is one blank.
namespace tavek::win {

inline constexpr int kColumns = 11;

// Header row of the grid, columns 0..10. Column 4 names the odds: 確定オッズ
// for the final figures, 速報オッズ for a quick report's.
const QStringList& columnHeaders(bool quickReport = false);

// The race's votes on screen are a quick report (速報): the quick report
// stores its records with data category and date "000000000", the final
// figures of an acquisition keep theirs. A quick report `fetched` at or after
// the race's post time holds the final votes (sales close then): no 速報.
bool quickReport(const DayData& day, int race, const std::optional<QDateTime>& fetched = std::nullopt);

// When the quick report on screen was fetched, as the odds history keeps it:
// none for final figures, without a history, or when the history cannot be
// read (the header then still says 速報). The window and tavek-cli both ask
// here, so both head the same votes alike.
std::optional<QDateTime> quickReportFetched(const DayData& day, int race, const history::OddsHistory* history);

// What the race header says of a quick report on screen: 速報 and, when the
// odds history knows when these votes were fetched, the time (with the date
// when it is not the race's day, `raceDate`); empty for final figures.
QString reportText(bool quickReport, const std::optional<QDateTime>& fetched, QDate raceDate);

// What a simulation leaves besides the figures (WinBoard keeps them): the
// texts of columns 6 (amount) and 7 (odds) in the row of `horse`, and the
// virtual total label.
struct InputTexts {
    int horse = 0;  // 0: no row holds input texts
    QString amount;
    QString odds;
    QString virtualTotal;  // Label3D13; empty until a simulation
};

struct HeaderTexts {
    QString number;    // Label3D1: race number without leading zeros
    QString course;    // Label3D2: short course name, 6 bytes
    QString dateLine;  // Label3D3: 2005年04月16日東京  02回08日11R
    QString runners;   // Label3D5: " 8頭"; empty before the race's votes are fetched
    QString starters;  // Label3D6: "[ 出走頭数： 7頭]"; empty as well
    QString name;      // Label3D12: race name, 60 bytes as stored
};

// Registered runners of the race's vote record: the grid has this many data
// rows (0: the race has nothing to show).
int registeredRunners(const DayData& day, int race);

HeaderTexts headerTexts(const DayData& day, int race);

// Label3D9: the record's win total, "%11.0n".
QString totalText(const DayData& day, int race);

// The refund flag of runner `horse` is set: a scratched runner ("返還").
bool refunded(const DayData& day, int race, int horse);

// Bracket 1..8 of the row (its colour), 0 where the row has none.
int rowBracket(const DayData& day, int race, int horse);

// Text of cell (`column` 0..10, row `horse` >= 1). Never throws: a vote field
// that is not a number shows as blank (the day load reports it).
QString cellText(const DayData& day, int race, int horse, int column, const InputTexts& inputs);

}  // namespace tavek::win
