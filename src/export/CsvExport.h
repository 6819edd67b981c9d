#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace tavek::win {
class WinBoard;
}
namespace tavek::sim {
class PairBoard;
class OddsTimeline;
struct ReferenceSheet;
}  // namespace tavek::sim

// The tabs and the odds history as CSV, the same for the window's CSV出力 and
// tavek-cli's --csv: a header row, then one row per runner, pair, list line
// or snapshot and runner. Cells are the texts the tabs show, without the
// padding that aligns them on screen; a combination ("1-2", "2-3-7") is
// followed by each of its runners in a column of its own.
namespace tavek::csv {

using Table = std::vector<QStringList>;

// UTF-8 with a byte order mark opens right in spreadsheet programs; CP932 for
// those that only read the Japanese Windows code page.
enum class Encoding { Utf8Bom, Cp932 };

// RFC 4180: fields with a comma, quote or line break quoted, quotes doubled,
// each row ended by CR LF.
QString text(const Table& table);
QByteArray bytes(const Table& table, Encoding encoding);

// The win grid as it stands (virtual figures of the last simulation included).
Table winTable(const win::WinBoard& board);
// A quinella or bracket-quinella matrix in long form: pair, its two numbers, real, virtual.
Table pairTable(const sim::PairBoard& board);
// The reference tab: the seven totals, then the exacta and trio lists.
Table referenceTable(const sim::ReferenceSheet& sheet);
// The odds history: one row per snapshot and runner.
Table historyTable(const sim::OddsTimeline& timeline);

}  // namespace tavek::csv
