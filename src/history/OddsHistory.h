#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

// The odds history: every vote-count record (H1) that a quick report
// receives, with the trifecta's record (H6) that came with it, kept with the
// time it was fetched, in one SQLite database of the application folder
// beside the day files. The day files stay the hand-over to the simulation;
// the history only adds the figures of earlier fetches.
namespace tavek::history {

inline constexpr char kFileName[] = "OddsHistory.sqlite";
// The schema this program writes (PRAGMA user_version); a database of a
// higher version comes from a newer program and is refused, a lower one is
// brought up to this one when opened. Version 2 added the trifecta records.
inline constexpr int kSchemaVersion = 2;

// Thrown when the database was written by a newer schema: the program must
// leave it alone, and tells the user once.
class NewerSchema : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The history database of an application folder.
QString databaseIn(const QString& applicationFolder);

// One fetch of one race.
struct Snapshot {
    QDateTime fetched;  // when the quick report received it
    QString announced;  // the record's own creation date (positions 4-11) as received
    // The H1 record (28955 bytes, CR LF included) with its category and date
    // as received. Read with Detail::Votes its exacta and trio tables are
    // blank: everything else (win, place, brackets, quinella, totals) is there.
    QByteArray record;
    // The trifecta's record (H6, 102890 bytes, CR LF included) that came with
    // the H1, as received. Empty when the read did not ask for it, when none
    // came (a race without trifecta sales, a snapshot kept before the history
    // kept them) and when it cannot be read: trifectaFault then says why.
    QByteArray trifecta = {};
    QString trifectaFault = {};
};

enum class Detail { Votes, Whole };
// Whether a read gives the snapshots' trifecta records too. They take as long
// again as the rest: a view that does not show the trifecta leaves them.
enum class Trifecta { Without, With };

class OddsHistory {
public:
    // Opens (creating when missing) the database at `path`: WAL journal, a
    // busy timeout so that writers of several processes take turns. Throws
    // std::runtime_error with a message for the user when the file cannot be
    // opened or is no database, NewerSchema when a newer program wrote it.
    explicit OddsHistory(const QString& path);
    ~OddsHistory();
    OddsHistory(const OddsHistory&) = delete;
    OddsHistory& operator=(const OddsHistory&) = delete;

    const QString& path() const { return path_; }

    // Keeps `record` (a whole H1 record as received) fetched at `fetched`,
    // with `trifecta`, the race's H6 record of the same fetch (empty: none
    // came), unless both equal the race's last snapshot from position 12 on
    // (race key and every figure): then nothing is written and false
    // returned. One transaction, so a writer killed meanwhile loses only this
    // snapshot. Throws std::runtime_error for a record that is no whole H1
    // record, a trifecta that is no whole H6 record of the same race, and
    // when the database cannot be written.
    bool record(QByteArrayView record, const QDateTime& fetched, QByteArrayView trifecta = {});

    // When the figures of `record` (a whole H1 record as received, or as a
    // day file keeps a quick report: compared from the race key on) were
    // last fetched; none when no snapshot holds them.
    std::optional<QDateTime> fetchedAt(QByteArrayView record) const;

    // The snapshots of the race `raceKey` (16 digits), oldest first.
    std::vector<Snapshot> snapshots(QByteArrayView raceKey, Detail detail = Detail::Votes,
                                    Trifecta trifecta = Trifecta::Without) const;
    // The same handed to `each` one at a time, so that a history of any length
    // is read in the memory of one snapshot; each is good only during its call.
    void forEachSnapshot(QByteArrayView raceKey, Detail detail, Trifecta trifecta,
                         const std::function<void(const Snapshot&)>& each) const;
    // The race's newest snapshot; none without one.
    std::optional<Snapshot> latestSnapshot(QByteArrayView raceKey, Detail detail = Detail::Votes,
                                           Trifecta trifecta = Trifecta::Without) const;

private:
    // The rows of the race in `order` ("ORDER BY s.id"), each as a snapshot.
    void readSnapshots(QByteArrayView raceKey, Detail detail, Trifecta trifecta, const QString& order,
                       const std::function<void(const Snapshot&)>& each) const;
    // The trifecta record of snapshot `id` of the race `raceKey`: its last
    // record kept whole, then each change after it; none when that chain
    // cannot be read.
    std::optional<QByteArray> readTrifecta(qint64 id, QByteArrayView raceKey) const;

    QString path_;
    QString connection_;
    // The trifecta record this history last kept of each race and its
    // snapshot: the race's next is kept as the changes from it without
    // reading back the changes before. While another program's snapshot of
    // the race came after it, the record is read.
    struct KeptTrifecta {
        qint64 snapshot;
        QByteArray record;
    };
    QHash<QByteArray, KeptTrifecta> lastKept_;
};

}  // namespace tavek::history
