#pragma once

#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/VoteModel.h"
#include "pools/RacePayouts.h"

#include <QByteArray>
#include <QDate>

// Writes the emulated service's JV-Data records (CP932, CR LF included) at the
// positions the program reads; other positions hold blanks or zeros.
namespace tavek::jvlink::records {

// Each appends one record to `out`; `category` is the header's data category,
// `created` its creation date.
void appendRa(QByteArray& out, const RaceDraw& race, char category, const QDate& created);
// One SE record per registered runner.
void appendSe(QByteArray& out, const RaceDraw& race, char category, const QDate& created);
void appendH1(QByteArray& out, const RaceDraw& race, const Votes& votes, char category, const QDate& created);
// The trifecta's votes; only for a race where JRA sold it (race.trifectaPool > 0).
void appendH6(QByteArray& out, const RaceDraw& race, const Votes& votes, char category, const QDate& created);
// The payouts (pools::racePayouts) with the refunds they follow from.
void appendHr(QByteArray& out, const RaceDraw& race, const pools::Refunds& refunds, const pools::RacePayouts& payouts,
              char category, const QDate& created);

}  // namespace tavek::jvlink::records
