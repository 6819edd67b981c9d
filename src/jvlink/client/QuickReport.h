#pragma once

#include "appfiles/ErrorLog.h"
#include "jvlink/client/JVDTLabLib_TLB.h"

namespace tavek::history {
class OddsHistory;
}

#include <QByteArrayView>
#include <QString>

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
// into the odds history. Failures are not shown: each beeps and adds one error
// line to the error log. The main window and `tavek-cli quick` both run it.
class QuickReport {
public:
    QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, ErrorLog& errorLog);

    // Fetches the race of `raceRecord` (its RA record text; a slot of spaces
    // does nothing) and returns how many vote records were stored. Throws
    // std::runtime_error when a record cannot be stored or the error log
    // cannot be written; the stream is closed then too.
    int fetch(QByteArrayView raceRecord);

    // Every stored record also goes into `history` (none: the day files
    // only), stamped with the clock's time. A record the history cannot take
    // adds a line naming why to the error log; the day file has it anyway.
    void setHistory(history::OddsHistory* history) { history_ = history; }

    // The new snapshots the last fetch added to the history (0 when the
    // figures had not moved since the race's last one).
    int recorded() const { return recorded_; }

private:
    void keep(const QByteArray& record);
    int readLoop();
    void closeStep();

    JVDTLabLib_TLB& jvlink_;
    QuickView& view_;
    QString dataFolder_;
    ErrorLog& errorLog_;
    history::OddsHistory* history_ = nullptr;
    int recorded_ = 0;
};

}  // namespace tavek::jvlink
