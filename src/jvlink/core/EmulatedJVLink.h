#pragma once

#include "jvlink/core/JVDTLabLib_TLB.h"

namespace tavek::jvlink {

// The JV-Link service that ships with the program.
class EmulatedJVLink : public JVDTLabLib_TLB {
public:
    int32_t JVInit(const QString& sid) override;
    int32_t JVSetUIProperties() override;
    int32_t JVOpen(const QString& dataspec, const QString& fromdate, int32_t option,
                   int32_t& readCount, int32_t& downloadCount, QString& lastFileTimestamp) override;
    int32_t JVRTOpen(const QString& dataspec, const QString& key) override;
    int32_t JVStatus() override;
    int32_t JVRead(QString& buff, int32_t& size, QString& fileName) override;
    void JVCancel() override;
    int32_t JVClose() override;

private:
    bool initialised_ = false;
};

}  // namespace tavek::jvlink
