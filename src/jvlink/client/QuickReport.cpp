#include "jvlink/client/QuickReport.h"

#include "history/OddsHistory.h"
#include "jvlink/client/JVLinkMessages.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/KeibaFunc.h"
#include "racedata/PostTime.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <QFile>

#include <stdexcept>
#include <utility>

namespace tavek::jvlink {

namespace {

constexpr int32_t kBufferSize = 60000;

// A record of the stream (the vote counts' H1 and the trifecta's H6, or the
// result's HR) of a real race with a live data category.
bool storable(QByteArrayView record, bool result)
{
    const QByteArrayView type = layout::recordType(record);
    if (result ? type != "HR" : type != "H1" && type != "H6")
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
    // Copies: the slot may be reloaded while pending events run.
    const QByteArray key = layout::raceKey(raceRecord).toByteArray();
    const std::optional<QDateTime> post = posttime::of(raceRecord);
    result_ = Result();
    history::OddsHistory* odds = history_.get();
    if (record::blankAsZero(key) <= 0)
        return result_;
    try {
        openAndRead(Stream::Votes, key, odds);
        if (post && clock::now() >= *post && !result_.failure)
            openAndRead(Stream::Result, key, odds);
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

void QuickReport::openAndRead(Stream stream, const QByteArray& key, history::OddsHistory* odds)
{
    view_.processEvents();
    const QString dataspec = stream == Stream::Votes ? QStringLiteral("0B20") : QStringLiteral("0B12");
    const int32_t r = jvlink_.JVRTOpen(dataspec, QString::fromLatin1(key));
    // Nothing to read is a race without votes or result yet, not a failure.
    if (r == JVResult::Ok)
        readLoop(stream, odds);
    else if (r != JVResult::NoData)
        failed(JVOperation::JVRTOpen, r);
    closeStep();
}

void QuickReport::readLoop(Stream stream, history::OddsHistory* odds)
{
    // An H1 still waiting for its H6 when the read ends is kept alone,
    // whatever ended it.
    try {
        readRecords(stream, odds);
    } catch (const std::runtime_error&) {
        keepVotes({}, odds);
        throw;
    }
    keepVotes({}, odds);
}

void QuickReport::readRecords(Stream stream, history::OddsHistory* odds)
{
    int32_t size = kBufferSize;
    QString buff;
    QString fileName;
    for (;;) {
        view_.processEvents();
        const int32_t r = jvlink_.JVRead(buff, size, fileName);
        if (r > 0) {
            const QByteArray record = cp932::encode(buff);
            if (!storable(record, stream == Stream::Result))
                continue;
            // The votes are stored as the quick report always marked them; the result as it came.
            const QString note = dayfiles::storeRecord(
                dataFolder_,
                stream == Stream::Result ? record : keiba::overwrite(record, layout::kDataCategory, "000000000"),
                dayfiles::Writer::QuickReport);
            // What the store set aside or replaced is named in the log, as a batch acquisition does.
            if (!note.isEmpty())
                for (const QString& line : note.split(u'\n'))
                    errorLog_.tryWriteFailure(line);
            if (stream == Stream::Result) {
                ++result_.results;
                continue;
            }
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
