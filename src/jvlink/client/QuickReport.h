#pragma once

#include "appfiles/ErrorLog.h"
#include "jvlink/client/JVDTLabLib_TLB.h"

namespace tavek::history {
class OddsHistory;
}

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

// The quick report (速報): the current vote counts of one race through the
// real-time open "0B20", stored into the day's ".jvH1" file and, as received,
// into the odds history. A fetch returns what went wrong, so that the window's
// status line and `tavek-cli quick` say the same; each failure also beeps and
// adds one error line to the error log. A log that cannot be written is passed
// over: it never stops a fetch nor hides its cause. The main window and
// `tavek-cli quick` both run it.
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
        int stored = 0;                  // vote records stored into the day file
        int recorded = 0;                // new snapshots in the history (0: unchanged since the race's last one)
        std::optional<Failure> failure;  // the first failed operation
        QString historyFailure;          // why the history did not take a record; empty when it did

        // Failed before HistoryNotSaved: a fetch can have both.
        Kind kind() const;
        // The one line that says what went wrong; empty for Stored and NoVotes.
        QString problem() const;
    };

    QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, ErrorLog& errorLog);

    // Fetches the race of `raceRecord` (its RA record text; a slot of spaces
    // does nothing: NoVotes). Throws std::runtime_error when a record cannot
    // be stored in the day file; the stream is closed then too.
    Result fetch(QByteArrayView raceRecord);

    // Every stored record also goes into `history`, stamped with the clock's
    // time. A record the history cannot take is a HistoryNotSaved result and
    // a line in the error log; the day file has it anyway. No history: the
    // day files only. `whyNone` is why there is none (it could not be opened,
    // or a newer program wrote it): every fetch that stores votes is then
    // HistoryNotSaved with that reason. The caller met that failure and logs
    // it, once, not at every fetch.
    void setHistory(history::OddsHistory* history, QString whyNone = QString())
    {
        history_ = history;
        whyNoHistory_ = history ? QString() : std::move(whyNone);
    }

private:
    void keep(const QByteArray& record);
    void readLoop();
    void closeStep();
    void failed(JVOperation operation, int32_t code);

    JVDTLabLib_TLB& jvlink_;
    QuickView& view_;
    QString dataFolder_;
    ErrorLog& errorLog_;
    history::OddsHistory* history_ = nullptr;
    QString whyNoHistory_;
    Result result_;  // of the fetch under way
};

}  // namespace tavek::jvlink
