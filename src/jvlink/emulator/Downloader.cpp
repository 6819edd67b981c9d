#include "jvlink/emulator/Downloader.h"

#include "appfiles/AppFolder.h"
#include "racedata/AtomicFile.h"

#include <QDir>
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

void Downloader::fail(const QString& why)
{
    failure_ = why;
    failed_ = true;
    stopped_ = true;
}

void Downloader::run()
{
    if (const QString problem = appfolder::makeWritableFolder(folder_); !problem.isEmpty()) {
        fail(QStringLiteral("取得したファイルの保存フォルダを使えません：") + problem);
        return;
    }
    for (const SourceFile& file : files_) {
        if (!wait(paceMs_)) {
            stopped_ = true;
            return;
        }
        const QString path = QDir(folder_).filePath(file.name);
        try {
            QString reason;
            if (!atomicfile::replace(path, source_->content(file), &reason)) {
                fail(QStringLiteral("取得したファイル %1 を保存できません：%2").arg(path, reason));
                return;
            }
        } catch (const std::exception& e) {
            fail(QStringLiteral("取得するファイル %1 を作れません：%2").arg(path, QString::fromUtf8(e.what())));
            return;
        }
        ++done_;
    }
}

}  // namespace tavek::jvlink
