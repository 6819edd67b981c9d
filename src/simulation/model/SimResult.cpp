#include "simulation/model/SimResult.h"

namespace tavek::sim {

QString refusalMessage(SimResult result)
{
    switch (result) {
    case SimResult::NotAboveOne:
        return QStringLiteral("１倍よりも大きい数字を入力してください。");
    case SimResult::Unrealistic:
        return QStringLiteral("非現実的な数値が入力されました。");
    case SimResult::Accepted:
    case SimResult::None:
        break;
    }
    return {};
}

const char* simResultName(SimResult result)
{
    switch (result) {
    case SimResult::Accepted:
        return "accepted";
    case SimResult::NotAboveOne:
        return "not_above_one";
    case SimResult::Unrealistic:
        return "unrealistic";
    case SimResult::None:
        break;
    }
    return "none";
}

}  // namespace tavek::sim
