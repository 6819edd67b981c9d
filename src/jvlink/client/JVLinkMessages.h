#pragma once

#include "jvlink/client/JVDTLabLib_TLB.h"

#include <QString>

namespace tavek::jvlink {

// The message for an operation's result code followed by "(code)", e.g.
// "fromdate パラメータが不正です。(-112)"; a code without a message gives
// "(code)" alone (every JVClose failure does).
QString messageText(JVOperation operation, int code);

}  // namespace tavek::jvlink
