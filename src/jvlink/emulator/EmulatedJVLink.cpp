#include "jvlink/emulator/EmulatedJVLink.h"

#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RecordFolderSource.h"
#include "jvlink/emulator/StoredFile.h"
#include "platform/RawNames.h"
#include "platform/RegularFile.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <exception>

namespace tavek::jvlink {

namespace {

constexpr int kMaxSidBytes = 63;

const QSet<QString>& storedDataspecs()
{
    static const QSet<QString> specs = {"TOKU", "RACE", "DIFF", "BLOD", "SNAP", "SLOP",
                                        "WOOD", "YSCH", "HOSE", "HOYU", "COMM", "MING"};
    return specs;
}

const QSet<QString>& realTimeDataspecs()
{
    static const QSet<QString> specs = {"0B11", "0B12", "0B13", "0B14", "0B15", "0B16", "0B17", "0B20",
                                        "0B30", "0B31", "0B32", "0B33", "0B34", "0B35", "0B36"};
    return specs;
}

// A dataspec is one or more known four-character identifiers.
bool validDataspec(const QString& spec)
{
    if (spec.isEmpty() || spec.size() % 4 != 0)
        return false;
    for (qsizetype i = 0; i < spec.size(); i += 4)
        if (!storedDataspecs().contains(spec.mid(i, 4)))
            return false;
    return true;
}

std::optional<QDateTime> timestamp(const QString& text)
{
    if (text.size() != 14 || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    const QDateTime at = QDateTime::fromString(text, QStringLiteral("yyyyMMddHHmmss"));
    return at.isValid() ? std::optional(at) : std::nullopt;
}

}  // namespace

EmulatedJVLink::EmulatedJVLink() : EmulatedJVLink(EmulatorSettings::load())
{
}

EmulatedJVLink::EmulatedJVLink(EmulatorSettings settings) : settings_(std::move(settings))
{
}

EmulatedJVLink::~EmulatedJVLink() = default;

void EmulatedJVLink::forceResult(JVOperation operation, int32_t code, bool always)
{
    forced_[operation] = {code, always};
}

void EmulatedJVLink::clearForcedResults()
{
    forced_.clear();
}

std::optional<int32_t> EmulatedJVLink::forced(JVOperation operation)
{
    const auto it = forced_.find(operation);
    if (it == forced_.end())
        return std::nullopt;
    const int32_t code = it->second.code;
    if (!it->second.always)
        forced_.erase(it);
    return code;
}

std::shared_ptr<const DataSource> EmulatedJVLink::source()
{
    if (settings_.recordFolder.isEmpty())
        return std::make_shared<GeneratedSource>();
    // Told only while listing, on this thread: the download's content() throws instead.
    return std::make_shared<RecordFolderSource>(settings_.recordFolder,
                                                [this](const QString& why) { passedOver_.append(why); });
}

int32_t EmulatedJVLink::JVInit(const QString& sid)
{
    if (auto code = forced(JVOperation::JVInit))
        return *code;
    if (sid.isEmpty())
        return JVResult::SidMissing;
    if (cp932::encode(sid).size() > kMaxSidBytes)
        return JVResult::SidTooLong;
    if (sid.front() == u' ')
        return JVResult::SidBlankStart;
    initialised_ = true;
    return JVResult::Ok;
}

int32_t EmulatedJVLink::JVSetUIProperties()
{
    if (auto code = forced(JVOperation::JVSetUIProperties))
        return *code;
    const SettingsEditor& edit = settingsEditor();
    if (!edit)
        return JVResult::BadSettings;
    EmulatorSettings edited = settings_;
    if (!edit(edited))
        return JVResult::Ok;
    try {
        edited.save();
    } catch (const std::exception&) {
        return JVResult::BadSettings;
    }
    settings_ = edited;
    return JVResult::Ok;
}

int32_t EmulatedJVLink::JVOpen(const QString& dataspec, const QString& fromdateArgument, int32_t option,
                               int32_t& readCount, int32_t& downloadCount, QString& lastFileTimestamp)
{
    // A caller may pass its last timestamp variable as the start point.
    const QString fromdate = fromdateArgument;
    readCount = 0;
    downloadCount = 0;
    lastFileTimestamp.clear();
    downloadFailure_.clear();
    passedOver_.clear();
    if (auto code = forced(JVOperation::JVOpen))
        return *code;
    if (!initialised_)
        return JVResult::NotInitialised;
    if (mode_ != Mode::Closed)
        return JVResult::StillOpen;
    if (!validDataspec(dataspec))
        return JVResult::BadDataspec;
    const QStringList range = fromdate.split(u'-');
    const auto from = timestamp(range.front());
    if (!from || range.size() > 2)
        return JVResult::BadFromdate;
    const QDateTime now = clock::now();
    QDateTime upTo = now;
    if (range.size() == 2) {
        const auto to = timestamp(range.back());
        if (!to || *to < *from)
            return JVResult::BadTodate;
        upTo = std::min(upTo, *to);
    }
    if (option < 1 || option > 4)
        return JVResult::BadOption;

    std::vector<SourceFile> files;
    if (dataspec.contains(QStringLiteral("RACE"))) {
        try {
            files = source()->filesBetween(*from, upTo);
        } catch (const std::exception&) {
            return JVResult::InternalError;
        }
    }
    if (files.empty())
        return JVResult::NoData;

    std::vector<SourceFile> missing;
    downloadSlot_.assign(files.size(), -1);
    const QDir storage(settings_.storageFolder);
    // Whatever is under a download's name, a broken link too, is read and
    // refused rather than replaced by a new download.
    for (size_t i = 0; i < files.size(); ++i)
        if (!platform::existsOrIsLink(QFile::encodeName(storage.filePath(files[i].name)))) {
            downloadSlot_[i] = static_cast<int>(missing.size());
            missing.push_back(files[i]);
        }
    readCount = static_cast<int32_t>(files.size());
    downloadCount = static_cast<int32_t>(missing.size());
    lastFileTimestamp = files.back().stamp;
    files_ = std::move(files);
    fileIndex_ = 0;
    fileLoaded_ = false;
    if (!missing.empty())
        downloader_ = std::make_unique<Downloader>(source(), settings_.storageFolder, std::move(missing),
                                                   settings_.downloadPaceMs);
    mode_ = Mode::Stored;
    return JVResult::Ok;
}

int32_t EmulatedJVLink::JVRTOpen(const QString& dataspec, const QString& key)
{
    if (auto code = forced(JVOperation::JVRTOpen))
        return *code;
    if (!initialised_)
        return JVResult::NotInitialised;
    if (mode_ != Mode::Closed)
        return JVResult::StillOpen;
    passedOver_.clear();
    if (!realTimeDataspecs().contains(dataspec))
        return JVResult::BadDataspec;
    const QByteArray k = key.toLatin1();
    if (!calendar::wellFormedKey(k))
        return JVResult::BadKey;
    std::vector<QByteArray> records;
    try {
        if (dataspec == QStringLiteral("0B20"))
            records = source()->quickReport(k, clock::now());
        else if (dataspec == QStringLiteral("0B12"))
            records = source()->quickResult(k, clock::now());
    } catch (const std::exception&) {
        return JVResult::InternalError;
    }
    if (records.empty())
        return JVResult::NoData;
    realTimeRecords_ = std::move(records);
    realTimeIndex_ = 0;
    mode_ = Mode::RealTime;
    return JVResult::Ok;
}

int32_t EmulatedJVLink::JVStatus()
{
    if (auto code = forced(JVOperation::JVStatus))
        return *code;
    if (!initialised_)
        return JVResult::NotInitialised;
    if (mode_ == Mode::Closed)
        return JVResult::NotOpen;
    if (!downloader_)
        return 0;
    if (downloader_->failed()) {
        downloadFailure_ = downloader_->failure();
        return JVResult::DownloadFailed;
    }
    return downloader_->done();
}

int32_t EmulatedJVLink::JVRead(QString& buff, int32_t& /*size: the wide string takes a record of any length*/,
                               QString& fileName)
{
    buff.clear();
    if (auto code = forced(JVOperation::JVRead))
        return *code;
    if (!initialised_)
        return JVResult::NotInitialised;
    switch (mode_) {
    case Mode::Closed:
        return JVResult::NotOpen;
    case Mode::RealTime:
        if (realTimeIndex_ >= realTimeRecords_.size())
            return JVResult::AllRead;
        buff = cp932::decode(realTimeRecords_[realTimeIndex_]);
        fileName.clear();
        return static_cast<int32_t>(realTimeRecords_[realTimeIndex_++].size());
    case Mode::Stored:
        break;
    }
    return readStored(buff, fileName);
}

int32_t EmulatedJVLink::readStored(QString& buff, QString& fileName)
{
    if (fileIndex_ >= files_.size())
        return JVResult::AllRead;
    const SourceFile& file = files_[fileIndex_];
    if (!fileLoaded_) {
        const int slot = downloadSlot_[fileIndex_];
        if (slot >= 0 && slot >= downloader_->done()) {
            if (!downloader_->stopped())
                return JVResult::Downloading;
            downloadFailure_ = downloader_->failure();
            return JVResult::DownloadFailed;
        }
        const QString path = QDir(settings_.storageFolder).filePath(file.name);
        // Links refused: the service writes its downloads as files of their own.
        regularfile::Contents in = regularfile::read(QFile::encodeName(path), storedfile::maxDownloadedFileBytes(),
                                                     regularfile::Links::Refuse);
        if (in.status == regularfile::Status::Missing)
            return JVResult::FileMissing;
        if (in.status != regularfile::Status::Read)
            return unreadFile(path, storedfile::whyNotRead(in, storedfile::maxDownloadedFileBytes()), fileName);
        fileData_ = std::move(in.bytes);
        if (fileData_.isEmpty() || !fileData_.endsWith("\r\n"))
            return damagedFile(JVResult::DamagedFileSize, fileName);
        fileLoaded_ = true;
        offset_ = 0;
    }
    if (offset_ >= fileData_.size()) {
        ++fileIndex_;
        fileLoaded_ = false;
        fileData_.clear();
        return JVResult::NextFile;
    }
    const QByteArrayView record = recordlines::recordAt(fileData_, offset_);
    if (record.size() < layout::kHeaderLength + 2)
        return damagedFile(JVResult::DamagedFileContent, fileName);
    offset_ += record.size();
    buff = cp932::decode(record);
    fileName = file.name;
    return static_cast<int32_t>(record.size());
}

// A damaged stored copy (cut short by a full disk or a crash) is dropped, so
// that the next JVOpen downloads the file again: kept, it would end every
// later read at the same place. `fileName` names it for the caller's report.
int32_t EmulatedJVLink::damagedFile(int32_t code, QString& fileName)
{
    const SourceFile& file = files_[fileIndex_];
    QFile::remove(QDir(settings_.storageFolder).filePath(file.name));
    fileName = file.name;
    return code;
}

// What is under a download's name but not read is left where it is: a FIFO,
// a link or a file of gigabytes is none of the service's downloads but may
// be something of the user's. Named, it ends the read as a damaged file does;
// once it is taken away, the next JVOpen downloads the file again.
int32_t EmulatedJVLink::unreadFile(const QString& path, const QString& why, QString& fileName)
{
    downloadFailure_ = QStringLiteral(
                           "取得したファイル %1 は%2ため読みません。取り除けば、次の取得でダウンロードし直します")
                           .arg(path, why);
    fileName = files_[fileIndex_].name;
    return JVResult::DamagedFileSize;
}

void EmulatedJVLink::JVCancel()
{
    if (downloader_)
        downloader_->cancel();
}

int32_t EmulatedJVLink::JVClose()
{
    if (auto code = forced(JVOperation::JVClose))
        return *code;
    closeStream();
    return JVResult::Ok;
}

void EmulatedJVLink::closeStream()
{
    downloader_.reset();
    files_.clear();
    downloadSlot_.clear();
    fileData_.clear();
    fileLoaded_ = false;
    fileIndex_ = 0;
    realTimeRecords_.clear();
    realTimeIndex_ = 0;
    mode_ = Mode::Closed;
}

}  // namespace tavek::jvlink
