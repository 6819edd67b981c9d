#pragma once

#include "jvlink/client/JVDTLabLib_TLB.h"
#include "racedata/Cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <utility>

namespace tavek::test {

// A JV-Link that answers from a script, for tests of its callers: every
// failure a caller must handle can be put exactly where it is wanted, and
// the calls made are recorded by name.
class ScriptedJVLink : public jvlink::JVDTLabLib_TLB {
public:
    int32_t initResult = 0;
    int32_t openResult = 0;
    int32_t readCount = 0;
    int32_t downloadCount = 0;
    QString lastFileTimestamp;
    int32_t rtOpenResult = 0;
    int32_t setUIResult = 0;
    std::deque<int32_t> statuses;      // JVStatus answers; the last one repeats
    std::deque<int32_t> closeResults;  // JVClose answers; 0 when used up
    QStringList calls;
    QString softwareId;  // as given to JVInit
    QString openedFrom;
    QString realTimeKey;
    QStringList realTimeSpecs;             // the dataspec of each JVRTOpen
    std::function<void()> onRealTimeOpen;  // runs at each JVRTOpen, before it answers

    // JVRead answers in order: a record (its length is the result) or a code.
    // When the script is used up, 0 (end of data).
    void record(const QByteArray& bytes) { reads_.emplace_back(int32_t(bytes.size()), cp932::decode(bytes)); }
    void code(int32_t result) { reads_.emplace_back(result, QString()); }

    int32_t JVInit(const QString& sid) override
    {
        softwareId = sid;
        return log("JVInit", initResult);
    }
    int32_t JVSetUIProperties() override { return log("JVSetUIProperties", setUIResult); }
    int32_t JVOpen(const QString&, const QString& fromdate, int32_t, int32_t& rc, int32_t& dc, QString& stamp) override
    {
        openedFrom = fromdate;
        rc = readCount;
        dc = downloadCount;
        stamp = lastFileTimestamp;
        return log("JVOpen", openResult);
    }
    int32_t JVRTOpen(const QString& dataspec, const QString& key) override
    {
        realTimeKey = key;
        realTimeSpecs.append(dataspec);
        if (onRealTimeOpen)
            onRealTimeOpen();
        return log("JVRTOpen", rtOpenResult);
    }
    int32_t JVStatus() override
    {
        const int32_t s = statuses.empty() ? 0 : statuses.front();
        if (statuses.size() > 1)
            statuses.pop_front();
        return log("JVStatus", s);
    }
    int32_t JVRead(QString& buff, int32_t&, QString&) override
    {
        if (reads_.empty())
            return log("JVRead", 0);
        auto [result, text] = std::move(reads_.front());
        reads_.pop_front();
        buff = text;
        return log("JVRead", result);
    }
    void JVCancel() override { calls.append(QStringLiteral("JVCancel")); }
    int32_t JVClose() override
    {
        const int32_t r = closeResults.empty() ? 0 : closeResults.front();
        if (!closeResults.empty())
            closeResults.pop_front();
        return log("JVClose", r);
    }

    int count(const char* call) const { return int(calls.count(QLatin1String(call))); }

private:
    int32_t log(const char* call, int32_t result)
    {
        calls.append(QLatin1String(call));
        return result;
    }
    std::deque<std::pair<int32_t, QString>> reads_;
};

}  // namespace tavek::test
