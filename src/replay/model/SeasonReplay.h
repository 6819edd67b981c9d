#pragma once

#include "replay/model/ReplayReport.h"
#include "replay/model/ReplayRule.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A season replayed from the data folder: every race from one day to another
// that has a result and votes at the moment, in post-time order, its bets
// chosen by the rule, sized out of the bankroll as it stands, put into the
// final pools and settled (replay::settle).
namespace tavek::replay {

struct SeasonReplay {
    Report report;
    // What could not be used, each named: a bet list's rows (with their
    // line) and tickets of races the span does not hold, the day files' faults.
    QStringList problems;
};

// Each settled bet, as it is settled, in order.
using BetSink = std::function<void(const BetRow&)>;
// The days done of the days in all; false stops the replay.
using Progress = std::function<bool(int done, int days)>;

// The replay of `dataFolder` from `from` to `to` (both included). With
// settings.minutesBefore, the snapshots come from the odds history at
// `historyPath`. Throws std::runtime_error naming the folder or file that
// cannot be read; none when `progress` stopped it, so that nothing of a
// stopped replay is shown as if whole.
std::optional<SeasonReplay> replaySeason(const QString& dataFolder, const QDate& from, const QDate& to,
                                         const Settings& settings, const QString& historyPath = {},
                                         const BetSink& sink = {}, const Progress& progress = {});

}  // namespace tavek::replay
