#include "cli/Cli.h"
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "odds/model/ReferenceSheet.h"

#include <QJsonArray>

namespace tavek::cli {

// The reference tab of one race: the seven totals and the ranked exacta and
// trio lists.
int runReference(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const SelectedRace selected = takeSelectedRace(ctx);
    const LoadedDay& loaded = selected.loaded;
    const QString& item = selected.item;
    const sim::ReferenceSheet sheet = sim::referenceSheet(selected.day().voteRecord(selected.race));

    if (csvOut) {
        ctx.out << csv::text(csv::referenceTable(sheet));
        return kSuccess;
    }
    if (json) {
        QJsonObject totals;
        for (int t = 0; t < sim::kBetTypes; ++t)
            totals.insert(QLatin1String(sim::betTypeKey(sim::BetType(t))), sheet.totals[size_t(t)]);
        printJson(ctx.out, QJsonObject{
                               {"date", loaded.date},
                               {"race", item},
                               {"totals", totals},
                               {"exacta", QJsonArray::fromStringList(sheet.exacta)},
                               {"trio", QJsonArray::fromStringList(sheet.trio)},
                           });
        return kSuccess;
    }
    static const char* const captions[] = {"単勝合計票数：",   "複勝合計票数：", "枠連合計票数：", "馬連合計票数：",
                                           "ワイド合計票数：", "馬単合計票数：", "3連複合計票数："};
    ctx.out << item << '\n';
    for (int t = 0; t < sim::kBetTypes; ++t)
        ctx.out << QString::fromUtf8(captions[t]) << sheet.totals[size_t(t)] << '\n';
    ctx.out << QStringLiteral("馬単票数リスト") << '\n';
    for (const QString& line : sheet.exacta)
        ctx.out << line << '\n';
    ctx.out << QStringLiteral("3連複票数リスト") << '\n';
    for (const QString& line : sheet.trio)
        ctx.out << line << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
