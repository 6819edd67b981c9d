#include "jvlink/client/BatchAcquisition.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "appfiles/SettingsKeys.h"
#include "jvlink/client/DownloadPoll.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/LastTime.h"
#include "platform/RawNames.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "racedata/ShownText.h"

#include <QFileInfo>

#include <cstring>
#include <stdexcept>

namespace tavek::jvlink {

namespace {
const QString kNothingNew = QStringLiteral("最新のデータがありません。");
const QString kCancelled = QStringLiteral("JVCancel:キャンセルされました");
constexpr int32_t kBufferSize = 60000;
}  // namespace

BatchAcquisition::BatchAcquisition(JVDTLabLib_TLB& jvlink, BatchView& view, QString dataFolder, TIniGT settings)
    : jvlink_(jvlink)
    , view_(view)
    , dataFolder_(std::move(dataFolder))
    , settings_(std::move(settings))
    , store_(dataFolder_)
{
}

QDateTime BatchAcquisition::storedStartPoint() const
{
    return lasttime::parse(settings::read(settings_, settings::kLastTime, lasttime::format(lasttime::defaultValue())));
}

QString BatchAcquisition::startText(const QDateTime& startPoint)
{
    return startPoint.toString(QStringLiteral("yyyy年MM月dd日HH時mm分ss秒"))
           + QStringLiteral("以降のデータ取込を開始します。データ作成が終了するまで本ソフトを操作したり"
                            "他のアプリケーションを操作することは極力避けてください。");
}

void BatchAcquisition::start(const QDateTime& startPoint)
{
    if (running_)
        return;
    keepFirstStartPoint(startPoint);
    view_.information(startText(startPoint));
    view_.setPolling(false);
    cancelRequested_ = false;
    setDownload(0, downloadMaximum_);
    setRead(0, readMaximum_);
    view_.clearList();
    stored_ = 0;
    skipped_ = 0;
    voteFiles_.clear();
    outcome_ = Outcome::None;
    store_ = DayFileBatch(dataFolder_);
    running_ = true;
    view_.setRunning(true);

    const int32_t r = jvlink_.JVOpen(QStringLiteral("RACE"), startPoint.toString(QStringLiteral("yyyyMMddHHmmss")), 1,
                                     readCount_, downloadCount_, lastFileTimestamp_);
    listPassedOverFiles();
    if (r == JVResult::NoData || (r == JVResult::Ok && readCount_ == 0)) {
        outcome_ = Outcome::NothingNew;
        view_.beep();
        view_.information(kNothingNew);
        closeStep();
        return;
    }
    if (r != JVResult::Ok) {
        fail(failureText(JVOperation::JVOpen, r));
        return;
    }
    view_.showStatus(QStringLiteral("JVOpen正常:") + messageText(JVOperation::JVOpen, JVResult::Ok));
    view_.showStatus(QStringLiteral("ReadCount:%1, DownloadCount:%2").arg(readCount_).arg(downloadCount_));
    if (downloadCount_ > 0) {
        view_.showStatus(QStringLiteral("ダウンロード中・・・"));
        setDownload(0, downloadCount_);
        state_ = State::Downloading;
        view_.setPolling(true);
        return;
    }
    setDownload(100, 100);
    readAndClose();
    // Only a read that reached the end, with nothing passed over, moves the
    // start point: after a cancel, a read failure or a record that could not
    // be stored, the next run must fetch those files again.
    if (outcome_ == Outcome::Completed && skipped_ == 0)
        advanceStartPoint();
}

void BatchAcquisition::poll()
{
    if (state_ != State::Downloading)
        return;
    const int32_t s = jvlink_.JVStatus();
    if (s < 0) {
        view_.setPolling(false);
        fail(failureText(JVOperation::JVStatus, s));
        return;
    }
    if (s > downloadCount_)
        return;
    if (s == downloadCount_)
        view_.setPolling(false);
    view_.showStatus(QStringLiteral("ダウンロード中．．．(%1/%2)").arg(s).arg(downloadCount_));
    setDownload(s, downloadCount_);
    if (s == downloadCount_)
        readAndClose();
}

bool BatchAcquisition::runHeadless(const QDateTime& startPoint, QDeadlineTimer deadline)
{
    start(startPoint);
    if (state_ != State::Downloading)
        return true;
    return pollDownload(
        [this] {
        poll();
        return state_ == State::Downloading;
        },
        deadline);
}

void BatchAcquisition::cancel()
{
    if (!view_.confirm(QStringLiteral("データ取込を中止します。実行しますか？")))
        return;
    view_.setPolling(false);
    jvlink_.JVCancel();
    cancelRequested_ = true;
    view_.beep();
    view_.information(kCancelled);
    view_.showStatus(kCancelled);
    stopRequested();
}

void BatchAcquisition::abort()
{
    if (!running_)
        return;
    view_.setPolling(false);
    jvlink_.JVCancel();
    cancelRequested_ = true;
    stopRequested();
}

void BatchAcquisition::stopRequested()
{
    if (!running_)
        return;
    outcome_ = Outcome::Cancelled;
    // A download has no read loop to run the close step; closing here lets
    // the next start open again instead of failing with "still open".
    if (state_ == State::Downloading)
        closeStep();
}

void BatchAcquisition::readAndClose()
{
    state_ = State::Reading;
    try {
        readLoop();
    } catch (const std::runtime_error&) {
        // A record that cannot be stored ends the run; what was read before
        // it is still written and the stream closed. A second failure while
        // writing would only repeat the first, which is the one reported.
        outcome_ = Outcome::Failed;
        try {
            flushStore();
        } catch (const std::runtime_error&) {
        }
        listUnwritten();
        jvlink_.JVClose();
        finish();
        throw;
    }
    closeStep();
}

void BatchAcquisition::readLoop()
{
    int c = 0;
    view_.showStatus(QStringLiteral("データ読込み中．．．(0/%1)").arg(readCount_));
    setRead(0, readCount_);
    int32_t size = kBufferSize;
    QString buff;
    QString fileName;
    for (;;) {
        view_.processEvents();
        if (cancelRequested_)
            break;
        const int32_t r = jvlink_.JVRead(buff, size, fileName);
        if (r > 0) {
            const QByteArray record = cp932::encode(buff);
            const QByteArrayView type = layout::recordType(record);
            if (type != "RA" && type != "H1" && type != "H6" && type != "HR")
                continue;
            store(record, fileName);
        } else if (r == JVResult::NextFile) {
            ++c;
            setRead(c, readCount_);
            view_.showStatus(QStringLiteral("データ読込み中．．．(%1/%2)").arg(c).arg(readCount_));
        } else if (r == JVResult::AllRead) {
            // The files are written before the user is told they are done.
            flushStore();
            outcome_ = Outcome::Completed;
            view_.showStatus(QStringLiteral("データ読込み完了(%1/%2)").arg(c).arg(readCount_));
            // Full bars say the run is complete; empty ones looked as if nothing had been read.
            setDownload(downloadMaximum_, downloadMaximum_);
            setRead(readMaximum_, readMaximum_);
            view_.beep();
            view_.information(QStringLiteral("データ作成が完了しました。") + daysWithoutRaces());
            return;
        } else if (r < JVResult::Downloading) {
            flushStore();
            outcome_ = Outcome::Failed;
            QString text = failureText(JVOperation::JVRead, r);
            // A damaged downloaded file is named in the box and the error
            // log: the code alone would not say which file ended the run.
            if ((r == JVResult::DamagedFileSize || r == JVResult::DamagedFileContent) && !fileName.isEmpty()) {
                const QString file = shown::escapeControls(fileName);
                logProblem(
                    QStringLiteral("JVデータ取込：ダウンロードしたファイル %1 が異常なため、読込みを中止しました：%2")
                        .arg(file, messageText(JVOperation::JVRead, r)));
                text += QStringLiteral("\nファイル：") + file;
            }
            view_.beep();
            view_.information(text);
            return;
        }
    }
    flushStore();
    outcome_ = Outcome::Cancelled;
}

// A record that cannot be stored (a wrong length in a source file, a date
// that is no date) is passed over: ending the run there would end every
// later run at the same record.
void BatchAcquisition::store(const QByteArray& record, const QString& sourceFile)
{
    const QString raceNumber = shown::bytes(layout::raceNumber(record));
    try {
        dayfiles::fileName(record);
    } catch (const std::runtime_error& e) {
        ++skipped_;
        const QString header = shown::bytes(layout::header(record));
        view_.addListLine(QStringLiteral("読み飛ばし:%1R/%2").arg(raceNumber, shown::escapeControls(sourceFile)));
        logProblem(QStringLiteral("JVデータ取込：ファイル %1 のレコード「%2」を保存できないため読み飛ばしました：%3")
                       .arg(shown::escapeControls(sourceFile), header, QString::fromStdString(e.what())));
        return;
    }
    // A failure of add() is a failed write of earlier records, which ends the run.
    const QString dayFile = store_.add(record);
    ++stored_;
    if (dayFile.endsWith(QLatin1String(dayfiles::kVoteSuffix)))
        voteFiles_.insert(dayFile);
    view_.addListLine(QStringLiteral("作成済み:") + raceNumber + QStringLiteral("R/") + dayFile);
}

// A file the service left out holds records this run does not store: like a
// record passed over, it keeps the start point, so the next run offers it
// again once it can be read.
void BatchAcquisition::listPassedOverFiles()
{
    for (const QString& why : jvlink_.passedOver()) {
        ++skipped_;
        const QString shownWhy = shown::escapeControls(why);
        view_.addListLine(QStringLiteral("読み飛ばし:") + shownWhy);
        logProblem(QStringLiteral("JVデータ取込：") + shownWhy);
    }
}

// Writes the pending records; what the writes set aside goes to the error log.
void BatchAcquisition::flushStore()
{
    const auto logNotes = [this] {
        for (const QString& note : store_.takeNotes())
            logProblem(note);
    };
    try {
        store_.flush();
    } catch (const std::runtime_error&) {
        logNotes();
        throw;
    }
    logNotes();
}

// The votes of a day come out after its races (the day before, 16:00): a
// start point between the two brings the votes alone, and the day, which the
// date list knows by its race file, would be missing without a word.
QString BatchAcquisition::daysWithoutRaces() const
{
    QStringList days;
    for (const QString& voteFile : voteFiles_) {
        const QString date = voteFile.chopped(qsizetype(std::strlen(dayfiles::kVoteSuffix)));
        if (!platform::exists(dayfiles::locate(dataFolder_, date, dayfiles::kRaceSuffix).native))
            days.append(date);
    }
    if (days.isEmpty())
        return {};
    days.sort();
    return QStringLiteral("\n%1 は票数だけでレースの情報がないため、日付の一覧に出ません。"
                          "開始時点をその前日の16時より前にして、もう一度取得してください。")
        .arg(days.join(QStringLiteral("、")));
}

// After a failed write the list showed records as made that are not: it
// says which, record by record.
void BatchAcquisition::listUnwritten()
{
    for (const auto& [dayFile, records] : store_.pending()) {
        for (const QByteArray& record : records)
            view_.addListLine(QStringLiteral("書込み失敗:") + shown::bytes(layout::raceNumber(record))
                              + QStringLiteral("R/") + dayFile);
    }
}

void BatchAcquisition::logProblem(const QString& text)
{
    // Beside the settings file, in the application folder.
    ErrorLog(identity::errorLogIn(QFileInfo(settings_.path()).absolutePath())).tryWriteFailure(text);
}

void BatchAcquisition::closeStep()
{
    const int32_t r = jvlink_.JVClose();
    finish();
    view_.beep();
    if (r != JVResult::Ok)
        view_.information(failureText(JVOperation::JVClose, r));
}

void BatchAcquisition::fail(const QString& text)
{
    outcome_ = Outcome::Failed;
    view_.beep();
    view_.information(text);
    closeStep();
}

void BatchAcquisition::finish()
{
    state_ = State::Idle;
    running_ = false;
    view_.setRunning(false);
}

void BatchAcquisition::keepFirstStartPoint(const QDateTime& startPoint)
{
    // With no start point stored, each run would start eight days before its
    // own day, and a run that downloads does not advance it: the days between
    // two runs a fortnight apart would never be fetched. The first run keeps
    // where it began instead.
    if (!lasttime::tryParse(settings::read(settings_, settings::kLastTime, QString())))
        settings::write(settings_, settings::kLastTime, lasttime::format(startPoint));
}

void BatchAcquisition::advanceStartPoint()
{
    const std::optional<QDateTime> at = lasttime::fromTimestamp(lastFileTimestamp_);
    if (!at)
        return;
    view_.showStartPoint(*at);
    settings::write(settings_, settings::kLastTime, lasttime::format(*at));
}

void BatchAcquisition::setDownload(int position, int maximum)
{
    downloadMaximum_ = maximum;
    view_.setDownloadProgress(position, maximum);
}

void BatchAcquisition::setRead(int position, int maximum)
{
    readMaximum_ = maximum;
    view_.setReadProgress(position, maximum);
}

}  // namespace tavek::jvlink
