#include "export/CsvExport.h"

#include "odds/model/PairBoard.h"
#include "odds/model/PoolBoard.h"
#include "odds/model/ReferenceSheet.h"
#include "odds/model/WinBoard.h"
#include "purchase/model/PurchaseTexts.h"
#include "racedata/AtomicFile.h"
#include "racedata/Cp932.h"
#include "timeline/model/OddsTimeline.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <stdexcept>

namespace tavek::csv {

namespace {

// A number is written without separators ("1,804,072" as 1804072): a
// spreadsheet program reads it as a number, and every number of a file
// looks alike.
QString plain(const QString& text)
{
    static const QRegularExpression grouped(QStringLiteral("^[+-]?[0-9]{1,3}(,[0-9]{3})+(\\.[0-9]+)?$"));
    // Without a comma no match: the regular expression costs more than the
    // rest of a field, and a long odds history writes millions of fields.
    if (!text.contains(u','))
        return text;
    return grouped.match(text).hasMatch() ? QString(text).remove(u',') : text;
}

// Appends `text` as one field: quoted when it holds a comma, a quote or a
// line break, its quotes doubled. One look at each character, no copy of a
// plain field: a long odds history has half a million rows.
void appendField(QString& out, const QString& text)
{
    const QString cell = inertCell(plain(text));
    const bool quoted = std::any_of(cell.begin(), cell.end(),
                                    [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; });
    if (!quoted) {
        out += cell;
        return;
    }
    out += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// " 1- 2" -> "1-2": the screen pads each runner number to two places.
QString combination(const QString& padded)
{
    QString c = padded;
    c.remove(u' ');
    return c;
}

// "2-3-7" -> {"2", "3", "7"}, padded with blanks to `columns`: each runner
// in a column of its own, since spreadsheet programs take "1-2" for a date.
QStringList runners(const QString& combination, int columns)
{
    QStringList numbers = combination.isEmpty() ? QStringList() : combination.split(u'-');
    while (numbers.size() < columns)
        numbers.append(QString());
    return numbers;
}

constexpr int kListRunners = 3;  // the trio's, the most of a reference list

// A list line of the reference tab: rank "%3d", a blank, the combination
// ("a-b", "a-b-c"), votes in 10 places, share "%6.1f" and "%".
QStringList listRow(const pools::VotePool& pool, const QString& line)
{
    const qsizetype width = sim::combinationWidth(pool);
    QString share = line.mid(4 + width + 10).trimmed();
    share.chop(share.endsWith(u'%') ? 1 : 0);
    const QString pair = combination(line.mid(4, width));
    return QStringList{pool.caption(), line.left(3).trimmed(), pair} + runners(pair, kListRunners)
           + QStringList{line.mid(4 + width, 10).trimmed(), share.trimmed()};
}

}  // namespace

QString inertCell(const QString& cell)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9][0-9,]*(\\.[0-9]+)?$"));
    if (cell.isEmpty())
        return cell;
    switch (cell.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        break;
    default:
        return cell;
    }
    if (plainNumber.match(cell).hasMatch())
        return cell;
    return u'\'' + cell;
}

QString text(const Table& table)
{
    QString out;
    for (const QStringList& row : table) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += u',';
            appendField(out, row[i]);
        }
        out += QLatin1String("\r\n");
    }
    return out;
}

QByteArray bytes(const Table& table, Encoding encoding)
{
    const QString t = text(table);
    if (encoding == Encoding::Cp932)
        return cp932::encode(t);
    return QByteArray("\xEF\xBB\xBF") + t.toUtf8();
}

Table winTable(const win::WinBoard& board)
{
    Table table;
    QStringList header;
    for (const QString& h : board.columnHeaders())
        header.append(h.trimmed());
    table.push_back(header);
    for (int horse = 1; horse <= board.runners(); ++horse) {
        QStringList row;
        for (int c = 0; c < win::kColumns; ++c)
            row.append(board.cellText(horse, c).trimmed());
        table.push_back(row);
    }
    return table;
}

Table pairTable(const sim::PairBoard& board)
{
    const QString number = board.kind() == pools::PairKind::Bracket ? QStringLiteral("枠番") : QStringLiteral("馬番");
    Table table{{QStringLiteral("組番"), number + u'1', number + u'2', QStringLiteral("オッズ"),
                 QStringLiteral("オッズ(仮想)")}};
    for (int k = 1; k <= board.size(); ++k) {
        const QString pair = combination(pools::pairLabel(board.kind(), k));
        table.push_back(QStringList{pair} + runners(pair, 2)
                        + QStringList{board.real(k).text.trimmed(), board.virtualCell(k).text.trimmed()});
    }
    return table;
}

Table poolTable(const sim::PoolBoard& board)
{
    // Place is one runner a row; the other pools' labels also stand split,
    // one runner a column.
    const int width = pools::pool(board.pool()).runners;
    QStringList header{board.pool() == pools::Pool::Place ? QStringLiteral("馬番") : QStringLiteral("組番")};
    for (int j = 1; width > 1 && j <= width; ++j)
        header.append(QStringLiteral("馬番%1").arg(j));
    Table table{header
                + QStringList{QStringLiteral("票数"), QStringLiteral("オッズ"), QStringLiteral("票数(仮想)"),
                              QStringLiteral("オッズ(仮想)")}};
    for (int n = 1; n <= board.size(); ++n)
        if (board.inField(n))
            table.push_back(QStringList{board.label(n)} + (width > 1 ? runners(board.label(n), width) : QStringList())
                            + QStringList{board.votesText(n).trimmed(), board.oddsText(n).trimmed(),
                                          board.virtualVotesText(n).trimmed(), board.virtualOddsText(n).trimmed()});
    return table;
}

Table referenceTable(const sim::ReferenceSheet& sheet)
{
    Table table{QStringList{QStringLiteral("区分"), QStringLiteral("順位"), QStringLiteral("組番")}
                + QStringList{QStringLiteral("馬番1"), QStringLiteral("馬番2"), QStringLiteral("馬番3")}
                + QStringList{QStringLiteral("票数"), QStringLiteral("得票率(%)")}};
    for (int t = 0; t < pools::kPoolCount; ++t)
        table.push_back(QStringList{sim::totalCaption(pools::Pool(t)), QString(), QString()}
                        + runners(QString(), kListRunners) + QStringList{sheet.totals[size_t(t)].trimmed(), QString()});
    for (const QString& line : sheet.exacta)
        table.push_back(listRow(pools::pool(pools::Pool::Exacta), line));
    for (const QString& line : sheet.trio)
        table.push_back(listRow(pools::pool(pools::Pool::Trio), line));
    return table;
}

Table historyTable(const timeline::OddsTimeline& timeline)
{
    Table table{historyHeader()};
    for (int i = 0; i < timeline.size(); ++i)
        for (QStringList& row : historyRows(timeline.snapshot(i), timeline.runners()))
            table.push_back(std::move(row));
    return table;
}

QStringList historyHeader()
{
    return {QStringLiteral("取得日時"), QStringLiteral("発表日"),   QStringLiteral("単勝合計票数"),
            QStringLiteral("馬番"),     QStringLiteral("単勝票数"), QStringLiteral("単勝オッズ")};
}

Table historyRows(const history::Snapshot& snapshot, int runners)
{
    const QString stamp = timeline::fetchedStamp(snapshot);
    const QString total = QString::number(timeline::winTotal(snapshot));
    Table rows;
    rows.reserve(size_t(std::max(runners, 0)));
    for (int horse = 1; horse <= runners; ++horse)
        rows.push_back({stamp, snapshot.announced, total, QString::number(horse),
                        QString::number(timeline::winVotes(snapshot, horse)), timeline::winOddsText(snapshot, horse)});
    return rows;
}

Table ticketTable(const purchase::Purchase& p)
{
    const int k = pools::pool(p.pool).runners;
    const bool model = p.model.has_value();
    QStringList header = purchase::ticketColumns(model);
    header.insert(4, QStringLiteral("現在の払戻金"));
    for (int i = k; i >= 1; --i)
        header.insert(1, QStringLiteral("馬番%1").arg(i));
    Table table{header};
    const auto yen = [](long long v) { return QString::number(v); };
    for (const purchase::Ticket& t : p.tickets) {
        const QString bet = pools::entryLabel(p.pool, t.entry);
        const bool bought = t.stake > 0;
        QStringList row = QStringList{bet} + runners(bet, k);
        row << yen(t.stake) << (t.oddsNow.has() ? purchase::oddsText(p.pool, t.oddsNow) : QString())
            << (t.oddsAfter.has() ? purchase::oddsText(p.pool, t.oddsAfter) : QString())
            << (bought && t.oddsNow.has() ? yen(t.payoutNow) : QString()) << (bought ? yen(t.payout) : QString())
            << yen(p.net(t)) << (p.torigami(t) ? QStringLiteral("トリガミ") : QString());
        if (model)
            row << QString::number(t.chance, 'g', 6);
        table.push_back(row);
    }
    return table;
}

Content poolContent(pools::Pool pool)
{
    switch (pool) {
    case pools::Pool::Place:
        return Content::Place;
    case pools::Pool::Wide:
        return Content::Wide;
    case pools::Pool::Exacta:
        return Content::Exacta;
    case pools::Pool::Trifecta:
        return Content::Trifecta;
    default:
        return Content::Trio;
    }
}

QString raceFileStem(const QString& raceItem)
{
    QString stem = raceItem;
    return stem.replace(u'/', u'-').replace(u' ', u'_');
}

QString suggestedFile(const QString& folder, const QString& stem, Content content)
{
    static const char* const suffixes[] = {"単勝", "枠連",  "馬連",       "参考資料", "複勝",  "ワイド",
                                           "馬単", "3連複", "オッズ推移", "3連単",    "買い目"};
    return QDir(folder).filePath(stem + u'_' + QString::fromUtf8(suffixes[int(content)]) + QStringLiteral(".csv"));
}

Table contentTable(Content content, const RaceBoards& race)
{
    switch (content) {
    case Content::Win:
        return winTable(race.win);
    case Content::Bracket:
        return pairTable(race.bracket);
    case Content::Quinella:
        return pairTable(race.quinella);
    case Content::Reference:
        return referenceTable(sim::referenceSheet(race.voteRecord, race.trifectaRecord));
    case Content::Place:
        return poolTable(race.pool(pools::Pool::Place));
    case Content::Wide:
        return poolTable(race.pool(pools::Pool::Wide));
    case Content::Exacta:
        return poolTable(race.pool(pools::Pool::Exacta));
    case Content::Trio:
        return poolTable(race.pool(pools::Pool::Trio));
    case Content::Trifecta:
        return poolTable(race.pool(pools::Pool::Trifecta));
    case Content::Tickets:
        return race.tickets();
    case Content::History:
        break;
    }
    return historyTable(race.history());
}

void save(const Table& table, Encoding encoding, const QString& fileName)
{
    QString reason;
    if (!atomicfile::replace(fileName, bytes(table, encoding), &reason))
        throw std::runtime_error(
            QStringLiteral("CSVファイル %1 を保存できません：%2").arg(fileName, reason).toStdString());
}

}  // namespace tavek::csv
