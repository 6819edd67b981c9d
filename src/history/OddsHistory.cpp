#include "history/OddsHistory.h"

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

void createSchema(const QSqlDatabase& db, const QString& path)
{
    WriteTransaction t(db, path);
    // Another process may have created it while this one waited for the lock.
    if (userVersion(db, path) == 0) {
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
        run(db, path, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    }
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
        if (version == 0)
            createSchema(db, path_);
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

bool OddsHistory::record(QByteArrayView record, const QDateTime& fetched)
{
    if (layout::recordType(record) != "H1" || record.size() != layout::kH1Length)
        throw failure(QStringLiteral("オッズ履歴には%1バイトのH1レコードだけを保存できます（%2バイトの\"%3\"）")
                          .arg(layout::kH1Length)
                          .arg(record.size())
                          .arg(QString::fromLatin1(layout::header(record))));
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const QByteArray key = layout::raceKey(record).toByteArray();
    const QByteArray digest = digestOf(record);

    WriteTransaction t(db, path_);
    QSqlQuery last(db);
    last.prepare(QStringLiteral("SELECT digest FROM snapshot WHERE race_key = ? ORDER BY id DESC LIMIT 1"));
    last.addBindValue(QString::fromLatin1(key));
    exec(last, path_);
    const bool same = last.next() && last.value(0).toByteArray() == digest;
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
    insert.addBindValue(qCompress(reinterpret_cast<const uchar*>(record.data()), int(record.size())));
    exec(insert, path_);
    t.commit();
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

std::vector<Snapshot> OddsHistory::snapshots(QByteArrayView raceKey, Detail detail) const
{
    std::vector<Snapshot> out;
    readSnapshots(raceKey, detail, QStringLiteral("ORDER BY id"), [&out](const Snapshot& s) { out.push_back(s); });
    return out;
}

void OddsHistory::forEachSnapshot(QByteArrayView raceKey, Detail detail,
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
    readSnapshots(raceKey, detail, QStringLiteral("ORDER BY id"), each);
}

std::optional<Snapshot> OddsHistory::latestSnapshot(QByteArrayView raceKey, Detail detail) const
{
    std::optional<Snapshot> latest;
    readSnapshots(raceKey, detail, QStringLiteral("ORDER BY id DESC LIMIT 1"),
                  [&latest](const Snapshot& s) { latest = s; });
    return latest;
}

void OddsHistory::readSnapshots(QByteArrayView raceKey, Detail detail, const QString& order,
                                const std::function<void(const Snapshot&)>& each) const
{
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT fetched, announced, %1 FROM snapshot WHERE race_key = ? %2")
                  .arg(detail == Detail::Whole ? u"whole" : u"votes", order));
    q.addBindValue(QString::fromLatin1(raceKey));
    exec(q, path_);
    // One snapshot whose record is filled anew for each row: the blanks
    // between the parts a row keeps stay as they are.
    Snapshot s;
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
        each(s);
    }
}

}  // namespace tavek::history
