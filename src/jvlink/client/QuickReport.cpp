#include "jvlink/client/QuickReport.h"

#include "history/OddsHistory.h"
#include "jvlink/client/JVLinkMessages.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <QFile>

#include <stdexcept>
#include <utility>

namespace tavek::jvlink {

namespace {

constexpr int32_t kBufferSize = 60000;

// A vote-count record (the H1, or the trifecta's H6) of a real race with a
// live data category.
bool storable(QByteArrayView record)
{
    if (layout::recordType(record) != "H1" && layout::recordType(record) != "H6")
        return false;
    const QByteArrayView category = layout::dataCategory(record);
    if (category.isEmpty() || category == "0" || category == "9")
        return false;
    return record::blankAsZero(layout::raceNumber(record)) > 0;
}

}  // namespace

QString QuickReport::Failure::text() const
{
    return failureText(operation, code);
}

QuickReport::Result::Kind QuickReport::Result::kind() const
{
    if (failure)
        return Kind::Failed;
    if (!historyFailure.isEmpty())
        return Kind::HistoryNotSaved;
    return stored > 0 ? Kind::Stored : Kind::NoVotes;
}

QString QuickReport::Result::problem() const
{
    if (failure)
        return failure->text();
    if (!historyFailure.isEmpty())
        return QStringLiteral("オッズ推移に保存できません（票数は日別ファイルに保存しました）：") + historyFailure;
    return QString();
}

QuickReport::QuickReport(JVDTLabLib_TLB& jvlink, QuickView& view, QString dataFolder, history::HistoryAccess& history)
    : jvlink_(jvlink)
    , view_(view)
    , dataFolder_(std::move(dataFolder))
    , history_(history)
    , errorLog_(history.errorLogPath())
{
    // Failures still get their lines. A log that cannot be made stops
    // nothing: the causes are returned all the same.
    if (QFile logFile(errorLog_.path()); !logFile.exists())
        logFile.open(QIODevice::WriteOnly);
}

QuickReport::Result QuickReport::fetch(QByteArrayView raceRecord)
{
    // A copy: the slot may be reloaded while pending events run.
    const QByteArray key = layout::raceKey(raceRecord).toByteArray();
    result_ = Result();
    history::OddsHistory* odds = history_.get();
    if (record::blankAsZero(key) <= 0)
        return result_;
    try {
        view_.processEvents();
        const int32_t r = jvlink_.JVRTOpen(QStringLiteral("0B20"), QString::fromLatin1(key));
        // Nothing to read is a race without votes yet, not a failure.
        if (r == JVResult::Ok)
            readLoop(odds);
        else if (r != JVResult::NoData)
            failed(JVOperation::JVRTOpen, r);
        closeStep();
    } catch (const std::runtime_error&) {
        view_.processEvents();
        closeStep();
        throw;
    }
    // Once more whatever happened: the stream must not stay open.
    view_.processEvents();
    closeStep();
    return result_;
}

void QuickReport::readLoop(history::OddsHistory* odds)
{
    // An H1 still waiting for its H6 when the read ends is kept alone,
    // whatever ended it.
    try {
        readRecords(odds);
    } catch (const std::runtime_error&) {
        keepVotes({}, odds);
        throw;
    }
    keepVotes({}, odds);
}

void QuickReport::readRecords(history::OddsHistory* odds)
{
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
                errorLog_.tryWriteFailure(note);
            ++result_.stored;
            // The race's H1 waits for the H6 that follows it, to be kept with it.
            if (layout::recordType(record) == "H1") {
                keepVotes({}, odds);
                votes_ = record;
            } else if (!votes_.isEmpty() && layout::raceKey(votes_) == layout::raceKey(record)) {
                keepVotes(record, odds);
            }
        } else if (r == JVResult::AllRead) {
            return;
        } else if (r < JVResult::Downloading) {
            failed(JVOperation::JVRead, r);
            return;
        }
    }
}

void QuickReport::keepVotes(QByteArrayView trifecta, history::OddsHistory* odds)
{
    if (votes_.isEmpty())
        return;
    const QByteArray record = std::exchange(votes_, QByteArray());
    if (!odds) {
        result_.historyFailure = history_.whyNone();
        return;
    }
    try {
        if (odds->record(record, clock::now(), trifecta))
            ++result_.recorded;
    } catch (const std::runtime_error& e) {
        const QString reason = QString::fromStdString(e.what());
        if (result_.historyFailure.isEmpty())
            result_.historyFailure = reason;
        errorLog_.tryWriteFailure(reason);
    }
}

void QuickReport::closeStep()
{
    const int32_t r = jvlink_.JVClose();
    view_.restoreCursor();
    if (r != JVResult::Ok)
        failed(JVOperation::JVClose, r);
}

// The first failure is the one the fetch returns; every one gets its line.
void QuickReport::failed(JVOperation operation, int32_t code)
{
    if (!result_.failure)
        result_.failure = Failure{operation, code};
    errorLog_.tryWriteErrorEntry();
}

}  // namespace tavek::jvlink
