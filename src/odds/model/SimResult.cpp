#include "odds/model/SimResult.h"

namespace tavek::sim {

QString refusalMessage(SimResult result, const QString& currentOdds)
{
    switch (result) {
    case SimResult::NotAboveOne:
        return QStringLiteral("１倍よりも大きい数字を入力してください。");
    case SimResult::Unrealistic:
        if (!currentOdds.trimmed().isEmpty())
            return QStringLiteral(
                       "非現実的な数値が入力されました。現在のオッズ %1 倍より大きい数字を入力してください。")
                .arg(currentOdds.trimmed());
        return QStringLiteral("非現実的な数値が入力されました。");
    case SimResult::Refunded:
        return QStringLiteral("返還（出走取消・競走除外）の対象はシミュレーションできません。");
    case SimResult::NoVotes:
        return QStringLiteral("実際の票数がないため、シミュレーションできません。");
    case SimResult::NotSold:
        return QStringLiteral("このレースでは発売のない賭式のため、シミュレーションできません。");
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
    case SimResult::Refunded:
        return "refunded";
    case SimResult::NoVotes:
        return "no_votes";
    case SimResult::NotSold:
        return "not_sold";
    case SimResult::None:
        break;
    }
    return "none";
}

}  // namespace tavek::sim
