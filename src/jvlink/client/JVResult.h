#pragma once

#include <cstdint>

namespace tavek::jvlink {

// The result codes JV-Link's operations answer, named once for the program:
// the emulated service answers them, the callers test for them, and
// JVLinkMessages gives each its message. Some values mean one thing to one
// operation and another to the next (-1 is "nothing to read" to an open and
// "the next file begins" to a read); each meaning has its own name.
// An unscoped enum inside a struct: a name compares with the int32_t an
// operation answers, and is always written qualified (JVResult::NoData).
struct JVResult {
    enum Code : int32_t {
        Ok = 0,       // every operation: done
        AllRead = 0,  // JVRead: nothing more to read

        // What an open or a read answers in its normal course.
        NoData = -1,          // JVOpen, JVRTOpen: nothing (newer) to read
        NextFile = -1,        // JVRead: the next file begins
        SetupCancelled = -2,  // JVOpen: the setup dialog was cancelled
        Downloading = -3,     // JVRead: the next file is still downloading; anything lower is a failure

        // Arguments and settings.
        BadSettings = -100,       // JVSetUIProperties: not shown, or not saved
        SidMissing = -101,        // JVInit
        SidTooLong = -102,        // JVInit: 64 bytes or more
        SidBlankStart = -103,     // JVInit
        BadDataspec = -111,       // JVOpen, JVRTOpen
        BadFromdate = -112,       // JVOpen
        BadTodate = -113,         // JVOpen
        BadKey = -114,            // JVRTOpen
        BadOption = -115,         // JVOpen
        BadSpecAndOption = -116,  // JVOpen
        BadVersion = -117,        // JVOpen: the data format version given to JVInit

        // Call order.
        NotInitialised = -201,  // before JVInit
        StillOpen = -202,       // JVOpen, JVRTOpen: the last open was not closed
        NotOpen = -203,         // JVStatus, JVRead: nothing open

        // The component and its server.
        InternalError = -401,
        DamagedFileSize = -402,     // JVRead: a downloaded file of a wrong size
        DamagedFileContent = -403,  // JVRead: a downloaded file with a wrong content
        ServerNotFound = -411,      // HTTP 404
        ServerForbidden = -412,     // HTTP 403
        ServerHttpError = -413,     // any other HTTP status than 200, 403, 404
        ServerBadAnswer = -421,
        ServerInternalError = -431,
        DownloadFailed = -502,  // JVStatus, JVRead: communication or disk error, or cancelled
        FileMissing = -503,     // JVRead: a downloaded file is not there
        Maintenance = -504,     // JVOpen: the server is under maintenance
    };
};

}  // namespace tavek::jvlink
