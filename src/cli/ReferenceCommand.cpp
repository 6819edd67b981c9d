#include "cli/Cli.h"
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "odds/model/ReferenceSheet.h"

#include <QJsonArray>

namespace tavek::cli {

// The reference tab of one race: the eight totals and the ranked exacta and
// trio lists.
int runReference(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const SelectedRace selected = takeSelectedRace(ctx);
    const LoadedDay& loaded = selected.loaded;
    const QString& item = selected.item;
    const sim::ReferenceSheet sheet = sim::referenceSheet(selected.day().voteRecord(selected.race),
                                                          selected.day().trifectaRecord(selected.race));

    if (csvOut) {
        ctx.out << csv::text(csv::referenceTable(sheet));
        return kSuccess;
    }
    if (json) {
        QJsonObject totals;
        for (size_t t = 0; t < pools::kPools.size(); ++t)
            totals.insert(QLatin1String(pools::kPools[t].key), sheet.totals[t]);
        printJson(ctx.out, QJsonObject{
                               {"date", loaded.date},
                               {"race", item},
                               {"totals", totals},
                               {"exacta", QJsonArray::fromStringList(sheet.exacta)},
                               {"trio", QJsonArray::fromStringList(sheet.trio)},
                           });
        return kSuccess;
    }
    ctx.out << item << '\n';
    for (int t = 0; t < pools::kPoolCount; ++t)
        ctx.out << sim::totalLabel(pools::Pool(t)) << sheet.totals[size_t(t)] << '\n';
    ctx.out << sim::listCaption(pools::Pool::Exacta) << '\n';
    for (const QString& line : sheet.exacta)
        ctx.out << line << '\n';
    ctx.out << sim::listCaption(pools::Pool::Trio) << '\n';
    for (const QString& line : sheet.trio)
        ctx.out << line << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
