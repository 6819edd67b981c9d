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
class PoolBoard;
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
// each row ended by CR LF. Every cell first goes through inertCell.
QString text(const Table& table);
QByteArray bytes(const Table& table, Encoding encoding);

// A cell that a spreadsheet would run as a formula, with a leading apostrophe
// so that it shows as the text it is: one that begins with "=", "+", "-",
// "@", a tab or a CR and is not a plain number ("-5", "+1,000.5" stay).
// Record fields reach the cells, and a record folder can hold any text.
QString inertCell(const QString& cell);

// The win grid as it stands (virtual figures of the last simulation included).
Table winTable(const win::WinBoard& board);
// A quinella or bracket-quinella matrix in long form: pair, its two numbers, real, virtual.
Table pairTable(const sim::PairBoard& board);
// A place, wide, exacta or trio board, the entries of the race's field:
// bet, votes, odds, virtual votes, virtual odds.
Table poolTable(const sim::PoolBoard& board);
// The reference tab: the seven totals, then the exacta and trio lists.
Table referenceTable(const sim::ReferenceSheet& sheet);
// The odds history: one row per snapshot and runner.
Table historyTable(const sim::OddsTimeline& timeline);

}  // namespace tavek::csv
