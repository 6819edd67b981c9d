#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace tavek::jvlink {

// JV-Link, JRA-VAN's data-access component, as the program uses it. Every
// operation answers a signed 32-bit result code (JVCancel excepted; the codes
// are named in JVResult.h) and never reports through exceptions; text
// arguments are wide strings. The program ships one implementation, the
// emulated service; a Windows build could put the COM control behind the
// same class.
class JVDTLabLib_TLB {
public:
    virtual ~JVDTLabLib_TLB() = default;

    // Ok = ready. The software identifier must be 1..63 bytes, not starting with a blank.
    virtual int32_t JVInit(const QString& sid) = 0;
    // Opens the service's own settings dialog; Ok = done.
    virtual int32_t JVSetUIProperties() = 0;
    // Opens the stored data of `dataspec` newer than `fromdate` (yyyymmddhhnnss).
    // Ok = open with the three results filled; NoData = nothing newer.
    virtual int32_t JVOpen(const QString& dataspec, const QString& fromdate, int32_t option, int32_t& readCount,
                           int32_t& downloadCount, QString& lastFileTimestamp) = 0;
    // Opens the real-time data of `dataspec` for `key` (a 16-digit race key for "0B20").
    virtual int32_t JVRTOpen(const QString& dataspec, const QString& key) = 0;
    // Number of files downloaded so far (negative: a failure code).
    virtual int32_t JVStatus() = 0;
    // Positive: `buff` holds one record (CR LF included) and the result is its
    // length in bytes; AllRead, NextFile (the next file begins), Downloading
    // (the next file is still downloading); below Downloading: a failure.
    // `size` is the buffer size the caller offers.
    virtual int32_t JVRead(QString& buff, int32_t& size, QString& fileName) = 0;
    // Stops the download.
    virtual void JVCancel() = 0;
    // Ok = closed (also when nothing was open).
    virtual int32_t JVClose() = 0;

    // Beyond the operations, what a service can tell that a result code
    // cannot; JV-Link itself tells nothing more, so both are empty unless
    // the service knows. Why the download of the last JVOpen failed, naming
    // the folder or file:
    virtual QString downloadFailure() const { return {}; }
    // The files the last open passed over, each named with why; the other
    // files were served:
    virtual QStringList passedOver() const { return {}; }
};

// The operations, to name one in messages and in fault injection.
enum class JVOperation { JVInit, JVSetUIProperties, JVOpen, JVRTOpen, JVStatus, JVRead, JVCancel, JVClose };

}  // namespace tavek::jvlink
