#pragma once

#include "appfiles/ErrorLog.h"
#include "jvlink/core/JVDTLabLib_TLB.h"

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
// real-time open "0B20", stored into the day's ".jvH1" file. Failures are
// not shown: each beeps and adds one error line to the error log. The main
// window and `tavek-cli quick` both run it.
class QuickReport {
public:
    QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, ErrorLog& errorLog);

    // Fetches the race of `raceRecord` (its RA record text; a slot of spaces
    // does nothing) and returns how many vote records were stored. Throws
    // std::runtime_error when a record cannot be stored or the error log
    // cannot be written; the stream is closed then too.
    int fetch(QByteArrayView raceRecord);

private:
    int readLoop();
    void closeStep();

    JVDTLabLib_TLB& jvlink_;
    QuickView& view_;
    QString dataFolder_;
    ErrorLog& errorLog_;
};

}  // namespace tavek::jvlink
