#pragma once

#include <QDateTime>
#include <QString>

namespace tavek::jvlink {

// What a batch acquisition shows: the acquisition window implements it with
// its controls and message boxes, tavek-cli with lines on its output.
class BatchView {
public:
    virtual ~BatchView() = default;

    // The status line.
    virtual void showStatus(const QString& text) = 0;
    // The download and read progress bars.
    virtual void setDownloadProgress(int position, int maximum) = 0;
    virtual void setReadProgress(int position, int maximum) = 0;
    // The list of records written.
    virtual void clearList() = 0;
    virtual void addListLine(const QString& line) = 0;
    // A modal information box with an OK button; returns when it is closed.
    virtual void information(const QString& text) = 0;
    // A Yes/No confirmation box; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    virtual void beep() = 0;
    // On from the start until the run is over: busy cursor, start disabled.
    virtual void setRunning(bool running) = 0;
    // The 10-ms download poll: while on, the view calls poll() repeatedly.
    virtual void setPolling(bool on) = 0;
    // Lets pending window events run (the read loop calls it before every read).
    virtual void processEvents() = 0;
    // The start point moved on (date picker and its hidden label).
    virtual void showStartPoint(const QDateTime& at) = 0;
};

}  // namespace tavek::jvlink
