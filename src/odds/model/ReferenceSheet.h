#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>

namespace tavek::sim {

// The bet types of the reference tab, in the order of its totals.
enum class BetType { Win, Place, Bracket, Quinella, Wide, Exacta, Trio };
inline constexpr int kBetTypes = 7;

// Key of a bet type in tavek-cli's JSON: "win", "place", ...
const char* betTypeKey(BetType type);

// What the reference tab shows for one race: the vote total of every bet type
// ("%11.0n") and the ranked exacta and trio lines, highest votes first.
struct ReferenceSheet {
    std::array<QString, kBetTypes> totals;
    QStringList exacta;
    QStringList trio;
};

// Exacta display line: rank "%3d", " ", "a-b" (5), votes (10), share "%6.1f", "%".
// Trio display line: the same with "a-b-c" (8).
ReferenceSheet referenceSheet(QByteArrayView record);

}  // namespace tavek::sim
