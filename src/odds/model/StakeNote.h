#pragma once

#include <QString>

// What the input dialogs say under their field, the same texts tavek-cli can
// print: how a stake is taken, and how much a field holds.
namespace tavek::sim {

// A stake buys whole 100-yen votes: "1,253円は1,200円（12票）として計算します。"
// for a stake with a remainder; empty when nothing is dropped.
QString stakeNote(long long yen);

// Why a digit more is refused: the most the stake and the odds fields hold.
QString stakeLimitNote();
QString oddsLimitNote();

}  // namespace tavek::sim
