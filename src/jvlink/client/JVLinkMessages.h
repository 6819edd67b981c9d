#pragma once

#include "jvlink/client/JVDTLabLib_TLB.h"
#include "jvlink/client/JVResult.h"

#include <QString>

namespace tavek::jvlink {

// The message for an operation's result code followed by "(code)": for
// JVOpen and BadFromdate "fromdate パラメータが不正です。" and the number in
// brackets. A code without a message gives "(code)" alone (every JVClose
// failure does). The real-time open answers
// the codes of the stored-data open, with their messages.
QString messageText(JVOperation operation, int code);

// A failed operation as the program names it: "JVReadエラー:" and messageText.
QString failureText(JVOperation operation, int code);

}  // namespace tavek::jvlink
