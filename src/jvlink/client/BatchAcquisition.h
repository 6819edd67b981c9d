#pragma once

#include "appfiles/IniGT.h"
#include "jvlink/client/BatchView.h"
#include "jvlink/client/DayFileBatch.h"
#include "jvlink/client/JVDTLabLib_TLB.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <set>

namespace tavek::jvlink {

// The batch acquisition of stored race data ("RACE") newer than a start
// point: open, download poll, read loop, close step, cancel, and the advance
// of the start point kept under settings::kLastTime. The acquisition window
// and `tavek-cli fetch` both run it; everything they show goes through the view.
class BatchAcquisition {
public:
    enum class State { Idle, Downloading, Reading };
    enum class Outcome { None, Completed, NothingNew, Failed, Cancelled };

    // `settings` addresses the settings file holding the start point; the error
    // log beside it gets a line for each record passed over.
    BatchAcquisition(JVDTLabLib_TLB& jvlink, BatchView& view, QString dataFolder, TIniGT settings);

    // The stored start point, or its default when missing or unreadable.
    QDateTime storedStartPoint() const;

    // The start button: runs to the end, or returns while the download is
    // polled (State::Downloading).
    void start(const QDateTime& startPoint);
    // One tick of the download poll.
    void poll();
    // start() for a caller without a window: polls the download at the
    // window's pace until it is over, so the run has ended on return. False
    // when `deadline` (a bound for tests) expired while still downloading.
    bool runHeadless(const QDateTime& startPoint, QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    // The cancel button: asks first; on Yes stops the run.
    void cancel();
    // Stops a run without asking (the window is being closed). A read loop
    // in progress leaves at its next turn and runs the close step.
    void abort();

    State state() const { return state_; }
    bool running() const { return running_; }
    Outcome outcome() const { return outcome_; }
    // Records stored by the last run.
    int storedCount() const { return stored_; }
    // Records of the last run that could not be stored and were passed over,
    // and files the service passed over (each named in the error log); the
    // start point then stays.
    int skippedCount() const { return skipped_; }
    // Set by cancel() and abort(), cleared by start(): the read loop stops at it.
    bool cancelRequested() const { return cancelRequested_; }

    static QString startText(const QDateTime& startPoint);

private:
    void readAndClose();
    void readLoop();
    void closeStep();
    void stopRequested();
    void keepFirstStartPoint(const QDateTime& startPoint);
    void advanceStartPoint();
    void store(const QByteArray& record, const QString& sourceFile);
    void listPassedOverFiles();
    void flushStore();
    void listUnwritten();
    QString daysWithoutRaces() const;
    void logProblem(const QString& text);
    void fail(const QString& text);
    void finish();
    void setDownload(int position, int maximum);
    void setRead(int position, int maximum);

    JVDTLabLib_TLB& jvlink_;
    BatchView& view_;
    QString dataFolder_;
    TIniGT settings_;
    DayFileBatch store_;
    State state_ = State::Idle;
    Outcome outcome_ = Outcome::None;
    bool running_ = false;
    bool cancelRequested_ = false;
    // The results of JVOpen: files to read, files to download first, the
    // timestamp of the last file.
    int32_t readCount_ = 0;
    int32_t downloadCount_ = 0;
    QString lastFileTimestamp_;
    int stored_ = 0;
    int skipped_ = 0;
    std::set<QString> voteFiles_;  // the vote files the run stored into, by name
    int downloadMaximum_ = 100;
    int readMaximum_ = 100;
};

}  // namespace tavek::jvlink
