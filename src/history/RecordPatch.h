#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A record kept as its changes from an earlier record of the same length.
// Two quick reports of one race a minute apart differ in the last digits of
// some votes and in some popularity ranks: their changes compress to a third
// of what the whole record does, and apply in a fraction of the time the
// whole record takes to decompress.
//
// A patch is a list of runs, each the count of bytes kept since the last run,
// the count of bytes that follow, both as base-128 numbers (seven bits a
// byte, lowest first, the high bit set on every byte but the last), and those
// bytes. An empty patch keeps the record as it is.
namespace tavek::history {

// The patch that turns `from` into `to` (records of one length).
QByteArray patchBetween(QByteArrayView from, QByteArrayView to);

// Applies `patch` to `record` in place. False when the patch does not fit a
// record of its length (a damaged patch): `record` then holds the runs
// before the one that did not fit, and is of no use.
bool applyPatch(QByteArray& record, QByteArrayView patch);

}  // namespace tavek::history
