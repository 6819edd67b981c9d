#include "jvlink/client/QuickReport.h"

#include "history/OddsHistory.h"
#include "jvlink/client/JVResult.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <stdexcept>

namespace tavek::jvlink {

namespace {

constexpr int32_t kBufferSize = 60000;

// A vote-count record of a real race with a live data category.
bool storable(QByteArrayView record)
{
    if (record::field(record, layout::kRecordType, layout::kRecordTypeLen) != "H1")
        return false;
    const QByteArrayView category = record::field(record, layout::kDataCategory, 1);
    if (category.isEmpty() || category == "0" || category == "9")
        return false;
    return record::blankAsZero(record, layout::kRaceNumber, 2) > 0;
}

}  // namespace

QuickReport::QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, ErrorLog& errorLog)
    : jvlink_(jvlink), view_(view), dataFolder_(std::move(dataFolder)), errorLog_(errorLog)
{
}

int QuickReport::fetch(QByteArrayView raceRecord)
{
    // A copy: the slot may be reloaded while pending events run.
    const QByteArray key = keiba::raceKey(raceRecord).toByteArray();
    if (record::blankAsZero(key) <= 0)
        return 0;
    int stored = 0;
    recorded_ = 0;
    try {
        view_.processEvents();
        if (jvlink_.JVRTOpen(QStringLiteral("0B20"), QString::fromLatin1(key)) != JVResult::Ok) {
            errorLog_.writeErrorEntry();
        } else {
            stored = readLoop();
        }
        closeStep();
    } catch (const std::runtime_error&) {
        view_.processEvents();
        closeStep();
        throw;
    }
    // Once more whatever happened: the stream must not stay open.
    view_.processEvents();
    closeStep();
    return stored;
}

int QuickReport::readLoop()
{
    int stored = 0;
    int32_t size = kBufferSize;
    QString buff;
    QString fileName;
    for (;;) {
        view_.processEvents();
        const int32_t r = jvlink_.JVRead(buff, size, fileName);
        if (r > 0) {
            const QByteArray record = cp932::encode(buff);
            if (!storable(record))
                continue;
            const QString note = dayfiles::storeRecord(dataFolder_,
                                                       keiba::overwrite(record, layout::kDataCategory, "000000000"),
                                                       dayfiles::Writer::QuickReport);
            // Lines of the day file the store set aside are named in the log, as a batch acquisition does.
            if (!note.isEmpty())
                errorLog_.writeFailure(note);
            ++stored;
            keep(record);
        } else if (r == JVResult::AllRead) {
            return stored;
        } else if (r < JVResult::Downloading) {
            errorLog_.writeErrorEntry();
            return stored;
        }
    }
}

void QuickReport::keep(const QByteArray& record)
{
    if (!history_)
        return;
    try {
        if (history_->record(record, clock::now()))
            ++recorded_;
    } catch (const std::runtime_error& e) {
        errorLog_.writeFailure(QString::fromStdString(e.what()));
    }
}

void QuickReport::closeStep()
{
    const int32_t r = jvlink_.JVClose();
    view_.restoreCursor();
    if (r != JVResult::Ok)
        errorLog_.writeErrorEntry();
}

}  // namespace tavek::jvlink
