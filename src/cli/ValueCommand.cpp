// value: the bets of every pool ranked by their expected return under the
// win pool's view (妙味).
#include "cli/Cli.h"
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "value/model/BetValue.h"

namespace tavek::cli {

namespace {

double oddsNumber(long long tenths)
{
    return double(tenths) / 10;
}

QJsonObject valueObject(const value::BetValue& v)
{
    QJsonObject o{{"pool", pools::pool(v.pool).key},
                  {"bet", value::valueBetLabel(v.pool, v.number)},
                  {"market_share", v.share},
                  {"model_prob", v.chance},
                  {"expected_return", v.expectedReturn}};
    if (v.pool == pools::Pool::Place || v.pool == pools::Pool::Wide) {
        o.insert("odds_min", oddsNumber(v.oddsLow));
        o.insert("odds_max", oddsNumber(v.oddsHigh));
    } else {
        o.insert("odds", oddsNumber(v.oddsLow));
    }
    return o;
}

}  // namespace

int runValue(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    const std::optional<pools::Pool> pool = poolOption(ctx.args);
    const finish::Model model = modelOption(ctx.args).value_or(finish::Model::Discounted);
    const std::optional<QString> topText = ctx.args.takeOption(QStringLiteral("--top"));
    const int top = topText ? int(wholeNumber(*topText, 1, 10'000, QStringLiteral("--top"))) : value::kValueTop;
    const SelectedRace selected = takeSelectedRace(ctx);
    const QByteArrayView record = selected.day().voteRecord(selected.race);
    if (const QString none = value::noViewReason(record); !none.isEmpty())
        throw BadInput(none);
    const std::vector<value::BetValue> ranked = value::rankedValues(
        value::betValues(record, model, selected.day().trifectaRecord(selected.race)), pool, top);

    if (json) {
        QJsonArray bets;
        for (const value::BetValue& v : ranked)
            bets.append(valueObject(v));
        printJson(ctx.out, QJsonObject{{"date", selected.loaded.date},
                                       {"race", selected.item},
                                       {"model", finish::modelKey(model)},
                                       {"bets", bets}});
        return kSuccess;
    }
    csv::Table table{value::valueColumns()};
    for (const value::BetValue& v : ranked)
        table.push_back(value::valueRow(v));
    if (csvOut) {
        ctx.out << csv::text(table);
        return kSuccess;
    }
    ctx.out << selected.item << '\t' << finish::modelName(model) << '\n';
    for (const QStringList& row : table)
        ctx.out << row.join(u'\t') << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
