#include "jvlink/emulator/Downloader.h"

#include <QDir>
#include <QSaveFile>
#include <chrono>
#include <exception>

namespace tavek::jvlink {

Downloader::Downloader(std::shared_ptr<const DataSource> source, QString folder, std::vector<SourceFile> files,
                       int paceMs)
    : source_(std::move(source))
    , folder_(std::move(folder))
    , files_(std::move(files))
    , paceMs_(paceMs)
    , thread_([this] { run(); })
{
}

Downloader::~Downloader()
{
    cancel();
}

void Downloader::cancel()
{
    {
        std::lock_guard lock(mutex_);
        cancelRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

// False when a cancel came while waiting.
bool Downloader::wait(int ms)
{
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancelRequested_; });
    return !cancelRequested_;
}

void Downloader::run()
{
    QDir().mkpath(folder_);
    for (const SourceFile& file : files_) {
        if (!wait(paceMs_)) {
            stopped_ = true;
            return;
        }
        try {
            const QByteArray bytes = source_->content(file);
            QSaveFile out(QDir(folder_).filePath(file.name));
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
                throw std::runtime_error("write failed");
        } catch (const std::exception&) {
            failed_ = true;
            stopped_ = true;
            return;
        }
        ++done_;
    }
}

}  // namespace tavek::jvlink
