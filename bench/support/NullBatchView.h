#pragma once

// A batch view that shows nothing: the benchmarks time the acquisition core,
// not a display.

#include "jvlink/client/BatchView.h"

namespace tavek::bench {

struct NullBatchView : jvlink::BatchView {
    void showStatus(const QString&) override {}
    void setDownloadProgress(int, int) override {}
    void setReadProgress(int, int) override {}
    void clearList() override {}
    void addListLine(const QString&) override {}
    void information(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    void beep() override {}
    void setRunning(bool) override {}
    void setPolling(bool) override {}
    void processEvents() override {}
    void showStartPoint(const QDateTime&) override {}
};

}  // namespace tavek::bench
