#pragma once

#include "odds/model/SimInput.h"
#include "odds/model/SimResult.h"
#include "odds/model/WinTexts.h"

// Everything the win tab shows of the current race of a day: the header,
// the totals strip and every cell of the grid, with the input texts the last
// simulation left. The tab paints from it and tavek-cli prints it, so both
// show the same texts; the figures themselves live in the day data.
namespace tavek::win {

class WinBoard {
public:
    explicit WinBoard(DayData& day) : day_(day) {}

    const DayData& day() const { return day_; }
    int race() const { return day_.currentRace(); }

    // The win calculation of a race selection: false when the race has no
    // registered runners (the tabs stay hidden; only the last simulation is
    // forgotten, as by any other race); otherwise
    // `race` becomes current, its virtual figures the record's, and the input
    // texts are cleared. The last accepted simulation, when it ran on this
    // same race, then runs again on the record's figures (a quick report
    // reloaded them); refused now, it is dropped and dropped() says so.
    // `fetched`: when the odds history says a quick report's votes of the
    // race were fetched (none for final figures or without a history).
    bool calculate(int race, std::optional<QDateTime> fetched = std::nullopt);

    // The note on a simulation the last calculation dropped; empty otherwise.
    const QString& dropped() const { return dropped_; }

    // Texts of the current race.
    int runners() const { return registeredRunners(day_, race()); }  // the grid's data rows
    HeaderTexts header() const { return headerTexts(day_, race()); }
    bool quickReport() const { return win::quickReport(day_, race(), fetched_); }
    const std::optional<QDateTime>& fetched() const { return fetched_; }
    const QStringList& columnHeaders() const { return win::columnHeaders(quickReport()); }
    // The race header's 速報 line (see reportText); empty for final figures.
    QString reportText() const;
    QString total() const { return totalText(day_, race()); }
    const QString& virtualTotal() const { return inputs_.virtualTotal; }
    QString cellText(int horse, int column) const { return win::cellText(day_, race(), horse, column, inputs_); }
    int rowBracket(int horse) const { return win::rowBracket(day_, race(), horse); }

    // OK of the amount dialog: the stake simulation, then the input texts of
    // row `horse` and the virtual total. `yen` is the amount as entered (0
    // when the field holds no whole number). Accepted, or Refunded / NoVotes
    // (see winRefusal) with nothing changed.
    sim::SimResult simulateStake(int horse, long long yen);

    // OK of the odds dialog. Every refusal (Refunded, NoVotes, NotAboveOne,
    // Unrealistic) changes no figure and no text, the last accepted
    // simulation included; Accepted sets the amount, odds and virtual total.
    // Throws std::runtime_error as oddsSimulation does, leaving the texts.
    sim::SimResult simulateOdds(int horse, long double odds);

    // The message of a refused simulation of runner `horse`; an unrealistic
    // odds names the runner's odds now, above which odds are taken.
    QString refusalMessage(int horse, sim::SimResult result) const;

private:
    DayData& day_;
    InputTexts inputs_;
    sim::SimInput last_;
    QString dropped_;
    std::optional<QDateTime> fetched_;
};

}  // namespace tavek::win
