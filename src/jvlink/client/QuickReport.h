#pragma once

#include "appfiles/ErrorLog.h"
#include "history/HistoryAccess.h"
#include "jvlink/client/JVDTLabLib_TLB.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tavek::jvlink {

// What the quick report needs of the window it runs in.
class QuickView {
public:
    virtual ~QuickView() = default;
    // Lets pending window events run (before the open and before every read).
    virtual void processEvents() = 0;
    // The close step returns the cursor to the default.
    virtual void restoreCursor() = 0;
};

// The quick report (速報) with everything that follows from it: the current
// vote counts of one race through the real-time open "0B20", read until the
// stream ends: its H1 stored into the day's ".jvH1" file, its H6 (the
// trifecta's votes, where sold) into the day's ".jvH6" file, and both, as
// received, into the odds history as one snapshot. For a race past its post
// time, then its result through "0B12" (速報成績): its HR, the payouts, into
// the day's ".jvHR" file (none yet is no failure). A fetch returns
// what happened, and the main window and `tavek-cli quick` only show it; each
// failure also beeps and adds one error line to the error log beside the
// history. A log that cannot be written is passed over: it never stops a fetch
// nor hides its cause.
class QuickReport {
public:
    // A JV-Link operation that failed, with its result code.
    struct Failure {
        JVOperation operation;
        int32_t code;
        // "JVRTOpenエラー:" followed by the code's message.
        QString text() const;
    };

    // What one fetch did and what went wrong.
    struct Result {
        enum class Kind {
            Stored,           // the votes are in the day file and the history
            NoVotes,          // the service has no votes for the race (yet)
            HistoryNotSaved,  // the votes are in the day file, the odds history did not take them
            Failed,           // a JV-Link operation failed
        };
        int stored = 0;                  // vote records (H1 and H6) stored into the day files
        int results = 0;                 // payout records (HR) stored into the day file
        int recorded = 0;                // new snapshots in the history (0: unchanged since the race's last one)
        std::optional<Failure> failure;  // the first failed operation
        QString historyFailure;          // why the history did not take a record; empty when it did

        // Failed before HistoryNotSaved: a fetch can have both.
        Kind kind() const;
        // The one line that says what went wrong; empty for Stored and NoVotes.
        QString problem() const;
    };

    // Stores into the day files of `dataFolder`, adds to `history` and logs
    // into the error log beside it, which is begun when missing: tavek-cli
    // may fetch before the program ever started.
    QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, history::HistoryAccess& history);

    // Fetches the race of `raceRecord` (its RA record text; a slot of spaces
    // does nothing: NoVotes), and its result once the clock is past the
    // post time the record gives. The history is opened first (a failed open is
    // what says why there is none), and every stored record goes into it
    // stamped with the clock's time. A record the history cannot take, or a
    // history that cannot be opened, is a HistoryNotSaved result; the day
    // file has the votes anyway. Throws std::runtime_error when a record
    // cannot be stored in the day file; the stream is closed then too.
    Result fetch(QByteArrayView raceRecord);

private:
    enum class Stream { Votes, Result };
    void openAndRead(Stream stream, const QByteArray& key, history::OddsHistory* odds);
    // Keeps the waiting H1 (if any) in the history with `trifecta` (empty: none).
    void keepVotes(QByteArrayView trifecta, history::OddsHistory* odds);
    void readLoop(Stream stream, history::OddsHistory* odds);
    void readRecords(Stream stream, history::OddsHistory* odds);
    void closeStep();
    void failed(JVOperation operation, int32_t code);

    JVDTLabLib_TLB& jvlink_;
    QuickView& view_;
    QString dataFolder_;
    history::HistoryAccess& history_;
    ErrorLog errorLog_;
    Result result_;     // of the fetch under way
    QByteArray votes_;  // the H1 read, until its H6 follows or the read ends
};

}  // namespace tavek::jvlink
