#pragma once

#include "jvlink/emulator/DataSource.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace tavek::jvlink {

// Downloads files of a data source into the storage folder on a thread of its
// own, one file every `paceMs` milliseconds; the service only polls it. Each
// file is written whole under its final name, so a reader never sees half a file.
class Downloader {
public:
    Downloader(std::shared_ptr<const DataSource> source, QString folder, std::vector<SourceFile> files, int paceMs);
    ~Downloader();
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Files completed so far, in the order given.
    int done() const { return done_.load(); }
    // True once a file could not be produced or written; the download then stops.
    bool failed() const { return failed_.load(); }
    // Once failed(): why, naming the folder or file, for the user.
    QString failure() const { return failed() ? failure_ : QString(); }
    // True when the download stopped before its end (cancel or failure).
    bool stopped() const { return stopped_.load(); }

    // Stops the download and waits for the thread to end.
    void cancel();

private:
    void run();
    bool wait(int ms);
    void fail(const QString& why);

    std::shared_ptr<const DataSource> source_;
    QString folder_;
    std::vector<SourceFile> files_;
    int paceMs_;
    std::atomic<int> done_{0};
    QString failure_;  // written before failed_ is set
    std::atomic<bool> failed_{false};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelRequested_ = false;
    std::thread thread_;
};

}  // namespace tavek::jvlink
