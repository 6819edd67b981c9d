#pragma once

#include "jvlink/client/BatchView.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace tavek::test {

// A batch view that records what the window would show.
struct RecordingBatchView : jvlink::BatchView {
    QStringList statuses, list, boxes;
    std::deque<bool> answers;  // confirmation answers; No when used up
    int beeps = 0;
    bool running = false, polling = false;
    int downloadPosition = -1, downloadMaximum = -1, readPosition = -1, readMaximum = -1;
    QDateTime shownStartPoint;
    std::function<void()> onProcessEvents;

    void showStatus(const QString& text) override { statuses.append(text); }
    void setDownloadProgress(int position, int maximum) override
    {
        downloadPosition = position;
        downloadMaximum = maximum;
    }
    void setReadProgress(int position, int maximum) override
    {
        readPosition = position;
        readMaximum = maximum;
    }
    void clearList() override { list.clear(); }
    void addListLine(const QString& line) override { list.append(line); }
    void information(const QString& text) override { boxes.append(text); }
    bool confirm(const QString& text) override
    {
        boxes.append(text);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void beep() override { ++beeps; }
    void setRunning(bool on) override { running = on; }
    void setPolling(bool on) override { polling = on; }
    void processEvents() override
    {
        if (onProcessEvents)
            onProcessEvents();
    }
    void showStartPoint(const QDateTime& at) override { shownStartPoint = at; }
};

}  // namespace tavek::test
