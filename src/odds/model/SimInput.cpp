#include "odds/model/SimInput.h"

#include <stdexcept>

namespace tavek::sim {

QString runAgain(const QString& what, const std::function<SimResult()>& simulate,
                 const std::function<QString(SimResult)>& refusal)
{
    QString why;
    try {
        const SimResult result = simulate();
        if (result == SimResult::Accepted)
            return {};
        why = refusal(result);
    } catch (const std::runtime_error& e) {
        why = QString::fromStdString(e.what());
    }
    return QStringLiteral("%1 のシミュレーションは新しい票数では成り立たないため取り消しました：%2").arg(what, why);
}

}  // namespace tavek::sim
