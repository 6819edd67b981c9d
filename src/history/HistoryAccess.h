#pragma once

#include "history/OddsHistory.h"

#include <QString>

#include <functional>
#include <memory>

namespace tavek::history {

// The odds history and the error log of an application folder, for a whole
// run of the program: the history is opened at its first use. The day files
// work on without it: a failed open is one line in the error log per cause,
// and whyNone() says why there is none. A history that a newer program wrote
// is left alone until the run ends; any other failure (a full disk) may
// pass, and the next use tries again.
class HistoryAccess {
public:
    enum class Failure {
        Refused,    // a newer program wrote it: met once per run
        NotOpened,  // met again at every use while it lasts
    };
    // Told of each failed open as it happens (the window shows it).
    using Notice = std::function<void(Failure, const QString& why)>;

    explicit HistoryAccess(const QString& applicationFolder);
    ~HistoryAccess();
    HistoryAccess(const HistoryAccess&) = delete;
    HistoryAccess& operator=(const HistoryAccess&) = delete;

    // The history; nothing when it cannot be opened.
    OddsHistory* get();
    // Why get() gave nothing: the failure of the last open.
    const QString& whyNone() const { return whyNone_; }
    // The error log beside the history, which gets every failure of what the
    // history is kept for.
    const QString& errorLogPath() const { return errorLogPath_; }

    void setNotice(Notice notice) { notice_ = std::move(notice); }

private:
    void failed(Failure failure, const QString& why);

    QString databasePath_;
    QString errorLogPath_;
    std::unique_ptr<OddsHistory> history_;
    bool refused_ = false;
    QString whyNone_;
    Notice notice_;
};

}  // namespace tavek::history
