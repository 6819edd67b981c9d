#include "history/OddsHistory.h"

#include "history/RecordPatch.h"
#include "racedata/RecordLayout.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <QtEndian>

#include <stdexcept>

namespace tavek::history {

namespace {

constexpr int kBusyTimeoutMs = 10'000;
constexpr qint64 kMappedBytes = 256 << 20;

// The part of a record kept uncompressed for the views: everything up to the
// end of the wide table, and the totals with the CR LF. The exacta and trio
// tables between them are three quarters of the record; only the whole
// record, kept compressed, holds them.
constexpr int kHeadLength = layout::exactaEntry(0) - 1;                 // positions 1..6971
constexpr int kTailStart = layout::kWinTotal - 1;                       // 0-based offset of the totals
constexpr int kTailLength = layout::kH1Length - layout::kWinTotal + 1;  // totals and CR LF

// A race's trifecta record is kept whole at its first snapshot and then at
// every kTrifectaChain-th, in between as the changes from the snapshot
// before (RecordPatch): a day of quick reports a minute apart then takes
// half the room, and one snapshot's record is read from at most this many
// changes.
constexpr int kTrifectaChain = 64;
// No patch of a trifecta record is longer: a run with the bytes kept before
// the next covers at least 4 bytes of the record in at most 7 of the patch.
constexpr qsizetype kMaxTrifectaPatch = 3 * layout::kH6Length;
// The races whose last trifecta record is kept in memory: a day's 36 and some.
constexpr qsizetype kKeptRaces = 48;

std::runtime_error failure(const QString& text)
{
    return std::runtime_error(text.toStdString());
}

QString sqlReason(const QSqlError& error)
{
    return error.text().trimmed().isEmpty() ? QStringLiteral("不明な理由") : error.text().trimmed();
}

// What decides whether two fetches differ: the race key and every figure.
QByteArray digestOf(QByteArrayView record)
{
    return QCryptographicHash::hash(record.sliced(layout::kRaceKey - 1), QCryptographicHash::Sha1);
}

bool isTrifectaOf(QByteArrayView record, QByteArrayView raceKey)
{
    return record.size() == layout::kH6Length && layout::recordType(record) == pools::kTrifectaVotes.id
           && layout::raceKey(record) == raceKey;
}

QByteArray compressed(QByteArrayView bytes)
{
    return qCompress(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()));
}

// The bytes qCompress kept in `stored`; none when it is no compressed data of
// at most `limit` bytes. The length is checked first: qUncompress would
// reserve whatever length a damaged blob claims.
std::optional<QByteArray> uncompressed(const QByteArray& stored, qsizetype limit)
{
    if (stored.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(stored.constData());
    if (length > quint64(limit))
        return std::nullopt;
    QByteArray bytes = qUncompress(stored);
    if (bytes.size() != qsizetype(length))
        return std::nullopt;
    return bytes;
}

// A trifecta record kept whole; none when it is damaged.
std::optional<QByteArray> wholeTrifecta(const QByteArray& stored, QByteArrayView raceKey)
{
    std::optional<QByteArray> record = uncompressed(stored, layout::kH6Length);
    if (record && !isTrifectaOf(*record, raceKey))
        record.reset();
    return record;
}

// Applies the kept changes `stored` to `record`; false when they are damaged.
bool patchTrifecta(QByteArray& record, const QByteArray& stored, QByteArrayView raceKey)
{
    const std::optional<QByteArray> patch = uncompressed(stored, kMaxTrifectaPatch);
    return patch && applyPatch(record, *patch) && isTrifectaOf(record, raceKey);
}

QSqlQuery run(const QSqlDatabase& db, const QString& path, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw failure(QStringLiteral("オッズ履歴 %1 を読み書きできません：%2").arg(path, sqlReason(q.lastError())));
    return q;
}

void exec(QSqlQuery& q, const QString& path)
{
    if (!q.exec())
        throw failure(QStringLiteral("オッズ履歴 %1 を読み書きできません：%2").arg(path, sqlReason(q.lastError())));
}

int userVersion(const QSqlDatabase& db, const QString& path)
{
    QSqlQuery q = run(db, path, QStringLiteral("PRAGMA user_version"));
    return q.next() ? q.value(0).toInt() : 0;
}

// Rolls back unless committed, so that an error leaves no transaction open.
class WriteTransaction {
public:
    WriteTransaction(QSqlDatabase db, QString path) : db_(std::move(db)), path_(std::move(path))
    {
        // IMMEDIATE takes the write lock at once; the busy timeout makes a
        // second writer wait for it instead of failing.
        run(db_, path_, QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~WriteTransaction()
    {
        if (!done_)
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    void commit()
    {
        run(db_, path_, QStringLiteral("COMMIT"));
        done_ = true;
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

private:
    QSqlDatabase db_;
    QString path_;
    bool done_ = false;
};

// Switching a new file to WAL needs it to itself, and SQLite answers "locked"
// at once instead of waiting through the busy timeout: two programs opening
// a new history together would lose one. WAL stays set in the file, so only
// the first opening switches; the others find it set or wait their turn.
void enableWal(const QSqlDatabase& db, const QString& path)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) && q.next()
            && q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
            return;
        if (waited.elapsed() > kBusyTimeoutMs)
            throw failure(QStringLiteral("オッズ履歴 %1 を読み書きできません：%2").arg(path, sqlReason(q.lastError())));
        QThread::msleep(10);
    }
}

// Creates the tables of a new database, or adds those an older program did
// not have: the snapshots it kept stay as they are.
void upgradeSchema(const QSqlDatabase& db, const QString& path)
{
    WriteTransaction t(db, path);
    // Another process may have done it while this one waited for the lock.
    const int version = userVersion(db, path);
    if (version == 0) {
        run(db, path,
            QStringLiteral("CREATE TABLE snapshot ("
                           " id INTEGER PRIMARY KEY,"
                           " race_key TEXT NOT NULL,"
                           " fetched INTEGER NOT NULL,"
                           " announced TEXT NOT NULL,"
                           " digest BLOB NOT NULL,"
                           " votes BLOB NOT NULL,"
                           " whole BLOB NOT NULL)"));
        run(db, path, QStringLiteral("CREATE INDEX snapshot_race ON snapshot (race_key, id)"));
    }
    if (version < 2) {
        // A snapshot's trifecta record, compressed: whole where `base` is
        // null, else the changes from the record of snapshot `base`, the
        // race's snapshot before; `depth` counts the changes since the last
        // whole record.
        run(db, path,
            QStringLiteral("CREATE TABLE trifecta ("
                           " snapshot INTEGER PRIMARY KEY REFERENCES snapshot (id),"
                           " base INTEGER,"
                           " depth INTEGER NOT NULL,"
                           " digest BLOB NOT NULL,"
                           " record BLOB NOT NULL)"));
    }
    if (version < kSchemaVersion)
        run(db, path, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    t.commit();
}

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tavek-history-%1").arg(counter.fetchAndAddRelaxed(1));
}

}  // namespace

QString databaseIn(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kFileName));
}

OddsHistory::OddsHistory(const QString& path)
    : path_(QDir::toNativeSeparators(path)), connection_(uniqueConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    try {
        if (!db.isValid())
            throw failure(
                QStringLiteral("オッズ履歴 %1 を開けません：SQLiteのドライバ（libqt6sql6-sqlite）がありません")
                    .arg(path_));
        if (QFileInfo(path).isDir())
            throw failure(QStringLiteral("オッズ履歴 %1 を開けません：同じ名前のフォルダがあります").arg(path_));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open())
            throw failure(QStringLiteral("オッズ履歴 %1 を開けません：%2").arg(path_, sqlReason(db.lastError())));
        // The first statement reads the file: a file that is no database fails here.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("PRAGMA user_version")))
            throw failure(QStringLiteral("オッズ履歴 %1 を開けません（SQLiteのデータベースではありません）：%2")
                              .arg(path_, sqlReason(probe.lastError())));
        const int version = probe.next() ? probe.value(0).toInt() : 0;
        probe.finish();
        if (version > kSchemaVersion)
            throw NewerSchema(QStringLiteral("オッズ履歴 %1 は新しい版のTavekが書いた形式（第%2版）のため使えません。"
                                             "この版が読めるのは第%3版までです。速報票数はこれまでどおり日ファイルに"
                                             "保存されますが、オッズ推移は記録されません。")
                                  .arg(path_)
                                  .arg(version)
                                  .arg(kSchemaVersion)
                                  .toStdString());
        // WAL: readers never wait for the writer, and a killed writer's
        // unfinished transaction is simply not there at the next open.
        enableWal(db, path_);
        run(db, path_, QStringLiteral("PRAGMA synchronous = NORMAL"));
        // A race's history is read whole for every redraw: map the file
        // instead of copying its pages through read() each time.
        run(db, path_, QStringLiteral("PRAGMA mmap_size = %1").arg(kMappedBytes));
        if (version < kSchemaVersion)
            upgradeSchema(db, path_);
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
        throw;
    }
}

OddsHistory::~OddsHistory()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool OddsHistory::record(QByteArrayView record, const QDateTime& fetched, QByteArrayView trifecta)
{
    if (layout::recordType(record) != "H1" || record.size() != layout::kH1Length)
        throw failure(QStringLiteral("オッズ履歴には%1バイトのH1レコードだけを保存できます（%2バイトの\"%3\"）")
                          .arg(layout::kH1Length)
                          .arg(record.size())
                          .arg(QString::fromLatin1(layout::header(record))));
    const QByteArray key = layout::raceKey(record).toByteArray();
    if (!trifecta.isEmpty() && !isTrifectaOf(trifecta, key))
        throw failure(
            QStringLiteral("オッズ履歴に3連単として保存できるのは同じレース（%1）の%2バイトのH6レコードだけです"
                           "（%3バイトの\"%4\"）")
                .arg(QString::fromLatin1(key))
                .arg(layout::kH6Length)
                .arg(trifecta.size())
                .arg(QString::fromLatin1(layout::header(trifecta))));
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const QByteArray digest = digestOf(record);
    const QByteArray trifectaDigest = trifecta.isEmpty() ? QByteArray() : digestOf(trifecta);

    WriteTransaction t(db, path_);
    QSqlQuery last(db);
    last.prepare(QStringLiteral("SELECT s.id, s.digest, t.digest, t.depth FROM snapshot s"
                                " LEFT JOIN trifecta t ON t.snapshot = s.id"
                                " WHERE s.race_key = ? ORDER BY s.id DESC LIMIT 1"));
    last.addBindValue(QString::fromLatin1(key));
    exec(last, path_);
    qint64 lastId = -1;
    int lastDepth = -1;  // of the last snapshot's trifecta record; -1: it has none
    bool same = false;
    if (last.next()) {
        lastId = last.value(0).toLongLong();
        const QVariant lastTrifecta = last.value(2);
        same = last.value(1).toByteArray() == digest
               && (lastTrifecta.isNull() ? trifecta.isEmpty() : lastTrifecta.toByteArray() == trifectaDigest);
        if (!lastTrifecta.isNull())
            lastDepth = last.value(3).toInt();
    }
    last.finish();
    if (same)
        return false;

    QByteArray votes;
    votes.reserve(kHeadLength + kTailLength);
    votes.append(record.first(kHeadLength)).append(record.sliced(kTailStart));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO snapshot (race_key, fetched, announced, digest, votes, whole) VALUES (?, ?, ?, ?, ?, ?)"));
    insert.addBindValue(QString::fromLatin1(key));
    // Milliseconds since the epoch: parsing a date text costs more than reading the figures.
    insert.addBindValue(fetched.toMSecsSinceEpoch());
    insert.addBindValue(QString::fromLatin1(layout::creationDate(record)).trimmed());
    insert.addBindValue(digest);
    insert.addBindValue(votes);
    insert.addBindValue(compressed(record));
    exec(insert, path_);
    const qint64 id = insert.lastInsertId().toLongLong();

    if (!trifecta.isEmpty()) {
        QVariant base;  // null: kept whole
        int depth = 0;
        QByteArray kept;
        if (lastDepth >= 0 && lastDepth + 1 < kTrifectaChain) {
            const auto known = lastKept_.constFind(key);
            const std::optional<QByteArray> before = known != lastKept_.cend() && known->snapshot == lastId
                                                         ? std::optional(known->record)
                                                         : readTrifecta(lastId, key);
            // A record before that cannot be read is passed over: this one is kept whole.
            if (before) {
                base = lastId;
                depth = lastDepth + 1;
                kept = compressed(patchBetween(*before, trifecta));
            }
        }
        if (base.isNull())
            kept = compressed(trifecta);
        QSqlQuery keep(db);
        keep.prepare(
            QStringLiteral("INSERT INTO trifecta (snapshot, base, depth, digest, record) VALUES (?, ?, ?, ?, ?)"));
        keep.addBindValue(id);
        keep.addBindValue(base);
        keep.addBindValue(depth);
        keep.addBindValue(trifectaDigest);
        keep.addBindValue(kept);
        exec(keep, path_);
    }
    t.commit();
    // Only what was committed: a snapshot rolled back leaves its id to another.
    if (!trifecta.isEmpty()) {
        if (lastKept_.size() >= kKeptRaces && !lastKept_.contains(key))
            lastKept_.clear();
        lastKept_.insert(key, {id, trifecta.toByteArray()});
    }
    return true;
}

std::optional<QDateTime> OddsHistory::fetchedAt(QByteArrayView record) const
{
    if (record.size() != layout::kH1Length)
        return std::nullopt;
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT fetched FROM snapshot WHERE race_key = ? AND digest = ? ORDER BY id DESC LIMIT 1"));
    q.addBindValue(QString::fromLatin1(layout::raceKey(record)));
    q.addBindValue(digestOf(record));
    exec(q, path_);
    if (!q.next())
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong());
}

std::vector<Snapshot> OddsHistory::snapshots(QByteArrayView raceKey, Detail detail, Trifecta trifecta) const
{
    std::vector<Snapshot> out;
    readSnapshots(raceKey, detail, trifecta, QStringLiteral("ORDER BY s.id"),
                  [&out](const Snapshot& s) { out.push_back(s); });
    return out;
}

void OddsHistory::forEachSnapshot(QByteArrayView raceKey, Detail detail, Trifecta trifecta,
                                  const std::function<void(const Snapshot&)>& each) const
{
    // Read once from front to back: through SQLite's small page cache, not
    // the map, which would keep every page read in the process's memory.
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    run(db, path_, QStringLiteral("PRAGMA mmap_size = 0"));
    struct MapAgain {
        const QSqlDatabase& db;
        ~MapAgain() { QSqlQuery(db).exec(QStringLiteral("PRAGMA mmap_size = %1").arg(kMappedBytes)); }
    } mapAgain{db};
    readSnapshots(raceKey, detail, trifecta, QStringLiteral("ORDER BY s.id"), each);
}

std::optional<Snapshot> OddsHistory::latestSnapshot(QByteArrayView raceKey, Detail detail, Trifecta trifecta) const
{
    std::optional<Snapshot> latest;
    readSnapshots(raceKey, detail, trifecta, QStringLiteral("ORDER BY s.id DESC LIMIT 1"),
                  [&latest](const Snapshot& s) { latest = s; });
    return latest;
}

void OddsHistory::readSnapshots(QByteArrayView raceKey, Detail detail, Trifecta trifecta, const QString& order,
                                const std::function<void(const Snapshot&)>& each) const
{
    const bool withTrifecta = trifecta == Trifecta::With;
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT s.fetched, s.announced, s.%1%2 FROM snapshot s%3 WHERE s.race_key = ? %4")
                  .arg(detail == Detail::Whole ? u"whole" : u"votes", withTrifecta ? u", s.id, t.base, t.record" : u"",
                       withTrifecta ? u" LEFT JOIN trifecta t ON t.snapshot = s.id" : u"", order));
    q.addBindValue(QString::fromLatin1(raceKey));
    exec(q, path_);
    // One snapshot whose record is filled anew for each row: the blanks
    // between the parts a row keeps stay as they are.
    Snapshot s;
    // The trifecta record of the snapshot before, which the changes of the
    // next apply to; none when it could not be read.
    qint64 lastId = -1;
    std::optional<QByteArray> last;
    while (q.next()) {
        s.fetched = QDateTime::fromMSecsSinceEpoch(q.value(0).toLongLong());
        s.announced = q.value(1).toString();
        const QByteArray stored = q.value(2).toByteArray();
        if (detail == Detail::Whole) {
            s.record = qUncompress(stored);
        } else if (stored.size() == kHeadLength + kTailLength) {
            if (s.record.size() != layout::kH1Length)
                s.record = QByteArray(layout::kH1Length, ' ');
            char* p = s.record.data();
            std::copy_n(stored.constData(), kHeadLength, p);
            std::copy_n(stored.constData() + kHeadLength, kTailLength, p + kTailStart);
        } else {
            s.record.clear();
        }
        if (s.record.size() != layout::kH1Length)
            throw failure(QStringLiteral("オッズ履歴 %1 のレース %2、%3 の記録が壊れています")
                              .arg(path_, QString::fromLatin1(raceKey), s.fetched.toString(Qt::ISODate)));
        if (withTrifecta) {
            // Let go of the record before, so that the changes apply to it in place.
            s.trifecta.clear();
            s.trifectaFault.clear();
            if (!q.isNull(5)) {
                const qint64 id = q.value(3).toLongLong();
                const QByteArray kept = q.value(5).toByteArray();
                if (q.isNull(4))
                    last = wholeTrifecta(kept, raceKey);
                else if (q.value(4).toLongLong() != lastId)
                    last = readTrifecta(id, raceKey);
                else if (last && !patchTrifecta(*last, kept, raceKey))
                    last.reset();
                lastId = id;
                if (last)
                    s.trifecta = *last;
                else
                    s.trifectaFault = QStringLiteral("オッズ履歴 %1 のレース %2、%3 の3連単の記録が壊れています")
                                          .arg(path_, QString::fromLatin1(raceKey), s.fetched.toString(Qt::ISODate));
            }
        }
        each(s);
    }
}

std::optional<QByteArray> OddsHistory::readTrifecta(qint64 id, QByteArrayView raceKey) const
{
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT base, record FROM trifecta WHERE snapshot = ?"));
    std::vector<QByteArray> changes;  // newest first
    // A damaged base could lead anywhere: no chain is longer than the writer makes them.
    for (int link = 0; link < kTrifectaChain; ++link) {
        q.bindValue(0, id);
        exec(q, path_);
        if (!q.next())
            return std::nullopt;
        const bool whole = q.isNull(0);
        const qint64 base = q.value(0).toLongLong();
        QByteArray kept = q.value(1).toByteArray();
        q.finish();
        if (whole) {
            std::optional<QByteArray> record = wholeTrifecta(kept, raceKey);
            for (auto change = changes.rbegin(); record && change != changes.rend(); ++change)
                if (!patchTrifecta(*record, *change, raceKey))
                    record.reset();
            return record;
        }
        changes.push_back(std::move(kept));
        id = base;
    }
    return std::nullopt;
}

}  // namespace tavek::history
