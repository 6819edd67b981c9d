#include "jvlink/emulator/StoredFile.h"

#include "racedata/DayFiles.h"

namespace tavek::jvlink::storedfile {

qint64 maxRecordFileBytes()
{
    return dayfiles::maxDayFileBytes("H1");
}

qint64 maxDownloadedFileBytes()
{
    return 2 * maxRecordFileBytes();
}

QString whyNotRead(const regularfile::Contents& file, qint64 maxBytes)
{
    switch (file.status) {
    case regularfile::Status::Read:
    case regularfile::Status::Missing:
        return {};
    case regularfile::Status::Link:
        return QStringLiteral("シンボリックリンクである");
    case regularfile::Status::NotRegular:
        return QStringLiteral("通常のファイルではない");
    case regularfile::Status::TooLarge:
        return QStringLiteral("%1 バイトあり、大きすぎる（上限 %2 バイト）").arg(file.size).arg(maxBytes);
    case regularfile::Status::OpenFailed:
    case regularfile::Status::ReadFailed:
        break;
    }
    return QStringLiteral("読めない（%1）").arg(file.reason);
}

}  // namespace tavek::jvlink::storedfile
