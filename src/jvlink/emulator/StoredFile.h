#pragma once

#include "platform/RegularFile.h"

#include <QString>

// The files of stored data the emulated service reads: the record folder's
// files and their downloaded copies. Each is read through regularfile, so
// that a FIFO, a link to a device or a file of gigabytes under such a name
// neither blocks the service nor exhausts its memory.
namespace tavek::jvlink::storedfile {

// A file of stored data holds one race day's records of one kind: the vote
// counts of a full day of 36 races (an H1, an H6 and an HR each) are 4.8 MB. A
// record file is read up to the size a vote day file may have
// (dayfiles::maxDayFileBytes: 200 H1 records, over five such days).
qint64 maxRecordFileBytes();

// A downloaded copy ends every record with CR LF where its record file may
// have had LF alone or nothing: never twice the record file's size.
qint64 maxDownloadedFileBytes();

// Why a file is not read, to follow its name in a message ("…は%1ため"):
// "通常のファイルではない", "シンボリックリンクである", its size over
// `maxBytes`, or the system's reason. Empty for a file read or missing.
QString whyNotRead(const regularfile::Contents& file, qint64 maxBytes);

}  // namespace tavek::jvlink::storedfile
