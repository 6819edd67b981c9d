#pragma once

#include "jvlink/client/JVDTLabLib_TLB.h"
#include "jvlink/client/JVResult.h"
#include "jvlink/emulator/DataSource.h"
#include "jvlink/emulator/Downloader.h"
#include "jvlink/emulator/EmulatorSettings.h"

#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tavek::jvlink {

// The JV-Link service that ships with the program. It serves generated
// JRA-like data (or a folder of real record files) with the call order,
// download behaviour and result codes (JVResult) of the real component:
//   JVInit: SidMissing, SidTooLong (64 bytes or more), SidBlankStart;
//   JVOpen/JVRTOpen: NotInitialised before JVInit, StillOpen while a stream is
//     open, BadDataspec, BadFromdate, BadTodate, BadKey, BadOption, NoData
//     when there is nothing to read;
//   JVStatus/JVRead: NotInitialised, NotOpen, DownloadFailed when the download
//     failed or was cancelled, FileMissing, DamagedFileSize/DamagedFileContent
//     for a damaged downloaded file (named in the file name; the stored copy
//     is dropped and downloaded anew by the next JVOpen), DamagedFileSize
//     too for a file under a download's name that is not read (no regular
//     file, a link, too large, unreadable: kept, see downloadFailure());
//   JVSetUIProperties: BadSettings when the settings cannot be shown or saved.
// Any operation can be forced to answer any code, for tests of the callers.
class EmulatedJVLink : public JVDTLabLib_TLB {
public:
    // With the settings of the settings file.
    EmulatedJVLink();
    explicit EmulatedJVLink(EmulatorSettings settings);
    ~EmulatedJVLink() override;

    int32_t JVInit(const QString& sid) override;
    int32_t JVSetUIProperties() override;
    int32_t JVOpen(const QString& dataspec, const QString& fromdate, int32_t option, int32_t& readCount,
                   int32_t& downloadCount, QString& lastFileTimestamp) override;
    int32_t JVRTOpen(const QString& dataspec, const QString& key) override;
    int32_t JVStatus() override;
    int32_t JVRead(QString& buff, int32_t& size, QString& fileName) override;
    void JVCancel() override;
    int32_t JVClose() override;

    // The next call of `operation` (every call when `always`) answers `code`
    // and does nothing else. JVCancel has no result to force.
    void forceResult(JVOperation operation, int32_t code, bool always = false);
    void clearForcedResults();

    const EmulatorSettings& settings() const { return settings_; }
    // Why the download of the last JVOpen failed (-502), naming the folder or
    // file and the system's reason, or why a downloaded file was not read
    // (-402). Empty when none failed; kept after JVClose.
    QString downloadFailure() const override { return downloadFailure_; }
    // The files of the record folder that the last open passed over. Kept
    // after JVClose.
    QStringList passedOver() const override { return passedOver_; }

private:
    struct Forced {
        int32_t code;
        bool always;
    };
    enum class Mode { Closed, Stored, RealTime };

    std::optional<int32_t> forced(JVOperation operation);
    std::shared_ptr<const DataSource> source();
    int32_t readStored(QString& buff, QString& fileName);
    int32_t damagedFile(int32_t code, QString& fileName);
    int32_t unreadFile(const QString& path, const QString& why, QString& fileName);
    void closeStream();

    EmulatorSettings settings_;
    bool initialised_ = false;
    std::map<JVOperation, Forced> forced_;

    Mode mode_ = Mode::Closed;
    std::vector<SourceFile> files_;
    std::vector<int> downloadSlot_;  // per file: its place in the download, -1 when already stored
    std::unique_ptr<Downloader> downloader_;
    size_t fileIndex_ = 0;
    bool fileLoaded_ = false;
    QByteArray fileData_;
    qsizetype offset_ = 0;
    std::vector<QByteArray> realTimeRecords_;  // the quick report's records still to read
    size_t realTimeIndex_ = 0;
    QString downloadFailure_;
    QStringList passedOver_;
};

}  // namespace tavek::jvlink
