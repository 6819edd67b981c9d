#include "history/HistoryAccess.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"

namespace tavek::history {

HistoryAccess::HistoryAccess(const QString& applicationFolder)
    : databasePath_(databaseIn(applicationFolder)), errorLogPath_(identity::errorLogIn(applicationFolder))
{
}

HistoryAccess::~HistoryAccess() = default;

OddsHistory* HistoryAccess::get()
{
    if (history_ || refused_)
        return history_.get();
    const QString before = whyNone_;
    whyNone_.clear();
    try {
        history_ = std::make_unique<OddsHistory>(databasePath_);
    } catch (const NewerSchema& e) {
        refused_ = true;
        whyNone_ = QString::fromStdString(e.what());
        ErrorLog(errorLogPath_).tryWriteFailure(whyNone_);
        failed(Failure::Refused, whyNone_);
    } catch (const std::runtime_error& e) {
        // An automatic refresh meets the same cause at every turn: the log
        // has it once, until it changes.
        whyNone_ = QString::fromStdString(e.what());
        if (whyNone_ != before)
            ErrorLog(errorLogPath_).tryWriteFailure(whyNone_);
        failed(Failure::NotOpened, whyNone_);
    }
    return history_.get();
}

void HistoryAccess::failed(Failure failure, const QString& why)
{
    if (notice_)
        notice_(failure, why);
}

}  // namespace tavek::history
