#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tavek::win {
class WinBoard;
}
namespace tavek::sim {
class PairBoard;
class PoolBoard;
struct ReferenceSheet;
}  // namespace tavek::sim
namespace tavek::timeline {
class OddsTimeline;
}
namespace tavek::history {
struct Snapshot;
}
namespace tavek::pools {
enum class Pool;
}
namespace tavek::purchase {
struct Purchase;
}

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
// A place, wide, exacta, trio or trifecta board, the entries of the race's field:
// bet, votes, odds, virtual votes, virtual odds.
Table poolTable(const sim::PoolBoard& board);
// The reference tab: the eight totals, then the exacta and trio lists.
Table referenceTable(const sim::ReferenceSheet& sheet);
// A purchase of the 買い目 tab: one row per ticket, its runners, stake, odds
// now and after, payouts and net in yen, トリガミ and the model's chance.
Table ticketTable(const purchase::Purchase& purchase);
// The odds history: one row per snapshot and runner; its header row, and
// the rows of one snapshot (`runners`: those of the newest snapshot) for a
// reader that streams.
Table historyTable(const timeline::OddsTimeline& timeline);
QStringList historyHeader();
Table historyRows(const history::Snapshot& snapshot, int runners);

// What CSV出力 saves: a board of the race in view, the race's odds history,
// or the purchase of the 買い目 tab. The trifecta and the purchase came
// last: the window's choices are kept in this order.
enum class Content { Win, Bracket, Quinella, Reference, Place, Wide, Exacta, Trio, History, Trifecta, Tickets };

// The board of 賭式別オッズ that shows `pool` (place, wide, exacta, trio or trifecta).
Content poolContent(pools::Pool pool);

// "2005/04/16 東京 11R" -> "2005-04-16_東京_11R": a race item as the start of a file name.
QString raceFileStem(const QString& raceItem);

// The file CSV出力 suggests for `content` in `folder`: "<stem>_馬連.csv".
QString suggestedFile(const QString& folder, const QString& stem, Content content);

// The race in view as the window holds it: its boards as they stand, with the
// virtual figures of the last simulation, and what the reference lists and
// the odds history are read from, only when they are the content saved.
struct RaceBoards {
    const win::WinBoard& win;
    const sim::PairBoard& bracket;
    const sim::PairBoard& quinella;
    std::function<const sim::PoolBoard&(pools::Pool)> pool;
    QByteArrayView voteRecord;
    std::function<timeline::OddsTimeline()> history;
    QByteArrayView trifectaRecord;   // for the reference's eighth total; empty: none
    std::function<Table()> tickets;  // the 買い目 tab's table (ticketTable), its header alone without a purchase
};
Table contentTable(Content content, const RaceBoards& race);

// Writes `table` into `fileName`, replacing the file whole or not at all.
// Throws std::runtime_error naming the file and why it could not be written.
void save(const Table& table, Encoding encoding, const QString& fileName);

}  // namespace tavek::csv
