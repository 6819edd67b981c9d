#pragma once

#include <QStringList>
#include <QTextStream>

namespace tavek::cli {

// kPayoutsDiffer: check-payouts found payouts the payout rules do not give.
// kHistoryNotSaved: quick stored the votes in the day file, but the odds
// history did not take them. kStopped plus the signal's number: quick ended
// by SIGINT (130) or SIGTERM (143) after the line it was writing, the code a
// shell gives a process that signal ends.
enum ExitCode { kSuccess = 0, kRefused = 1, kPayoutsDiffer = 1, kBadInput = 2, kHistoryNotSaved = 3, kStopped = 128 };

// Runs tavek-cli with its arguments (without the program name), printing to
// `out` and `err`; returns the exit code. Without --data it uses the
// program's own data folder.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tavek::cli
