// replay: a season's bets chosen by a rule, sized out of the bankroll and
// settled with the bettor's own stakes in the final pools.
#include "advisor/model/AdvisorInput.h"
#include "cli/Cli.h"
#include "cli/Command.h"
#include "cli/JVLinkSession.h"
#include "export/CsvExport.h"
#include "replay/model/SeasonReplay.h"

#include <QFile>

namespace tavek::cli {

namespace {

template <typename T>
T accepted(const replay::Reading<T>& reading)
{
    if (!reading.ok())
        throw BadInput(reading.refusal);
    return reading.value;
}

QJsonObject tallyObject(const replay::Tally& t)
{
    return {{"bets", t.bets},
            {"hits", t.hits},
            {"staked", t.staked},
            {"returned", t.returned},
            {"return_percent", t.returnPercent()}};
}

QJsonArray bandArray(const std::vector<replay::Band>& bands, bool predicted)
{
    QJsonArray array;
    for (const replay::Band& b : bands) {
        QJsonObject o = tallyObject(b.tally);
        o.insert("band", b.label);
        if (predicted)
            o.insert("predicted_percent", b.predicted);
        array.append(o);
    }
    return array;
}

QJsonObject reportObject(const replay::Report& r, const replay::Settings& settings)
{
    QJsonObject o = tallyObject(r.total());
    o.insert("races", r.races());
    o.insert("skipped", r.skipped());
    o.insert("hit_rate", r.total().hitRate());
    o.insert("profit", r.total().profit());
    o.insert("bankroll", settings.bankroll);
    o.insert("final_bankroll", r.bankroll());
    o.insert("max_drawdown", r.maxDrawdown());
    o.insert("longest_losing_run", r.longestLosingRun());
    o.insert("model", finish::modelKey(settings.model));
    QJsonArray byPool;
    for (size_t p = 0; p < r.byPool().size(); ++p)
        if (r.byPool()[p].bets > 0) {
            QJsonObject pool = tallyObject(r.byPool()[p]);
            pool.insert("pool", QLatin1String(pools::kPools[p].key));
            byPool.append(pool);
        }
    o.insert("by_pool", byPool);
    o.insert("by_popularity", bandArray(r.byPopularity(), false));
    o.insert("by_odds", bandArray(r.byOdds(), false));
    o.insert("calibration", bandArray(r.calibration(), true));
    QJsonObject alone = tallyObject(r.alone());
    alone.insert("profit", r.alone().profit());
    o.insert("without_own_money", alone);
    return o;
}

replay::Settings settingsOf(Args& args, QString& listFile)
{
    replay::Settings s;
    const std::optional<QString> rule = args.takeOption(QStringLiteral("--rule"));
    s.rule = rule ? accepted(replay::readRule(*rule, &listFile)) : replay::Rule{};
    if (const std::optional<QString> pool = args.takeOption(QStringLiteral("--pool")))
        s.rule.pools = accepted(replay::readPools(*pool));
    if (const std::optional<QString> min = args.takeOption(QStringLiteral("--min-return"))) {
        if (s.rule.kind != replay::RuleKind::Value)
            throw BadInput(QStringLiteral("--min-return は --rule value のときだけ使えます"));
        s.rule.minReturn = double(wholeNumber(*min, 0, 100'000, QStringLiteral("--min-return")));
    }
    if (const std::optional<QString> top = args.takeOption(QStringLiteral("--top"))) {
        if (s.rule.kind != replay::RuleKind::Value)
            throw BadInput(QStringLiteral("--top は --rule value のときだけ使えます"));
        s.rule.top = int(wholeNumber(*top, 1, replay::kMaxTop, QStringLiteral("--top")));
    }
    s.model = modelOption(args).value_or(finish::Model::Discounted);
    if (const std::optional<QString> stake = args.takeOption(QStringLiteral("--stake"))) {
        if (s.rule.kind == replay::RuleKind::BetList)
            throw BadInput(QStringLiteral("--stake は list の買い方では使えません（金額はリストの行のもの）"));
        s.stake = accepted(replay::readStake(*stake));
    }
    if (const std::optional<QString> bankroll = args.takeOption(QStringLiteral("--bankroll"))) {
        const advice::Reading<long long> yen = advice::readBankroll(*bankroll);
        if (!yen.ok())
            throw BadInput(QStringLiteral("--bankroll: ") + yen.refusal);
        s.bankroll = yen.value;
    }
    if (const std::optional<QString> at = args.takeOption(QStringLiteral("--at")))
        s.minutesBefore = accepted(replay::readMoment(*at));
    return s;
}

}  // namespace

int runReplay(CommandContext& ctx)
{
    const DaySpan span = takeDaySpan(ctx.args);
    if (!span.from.isValid() || !span.to.isValid())
        throw BadInput(QStringLiteral("--from と --to で期間を指定してください"));
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    QString listFile;
    replay::Settings settings = settingsOf(ctx.args, listFile);
    ctx.args.expectEnd();
    requireDataFolder(ctx);
    QStringList listProblems;
    if (settings.rule.kind == replay::RuleKind::BetList) {
        QFile file(listFile);
        if (!file.open(QIODevice::ReadOnly))
            throw BadInput(QStringLiteral("買い目リスト %1 が読めません（%2）").arg(listFile, file.errorString()));
        settings.rule.bets = replay::readBetList(file.readAll(), listProblems);
        if (settings.rule.bets.empty())
            throw BadInput(QStringLiteral("買い目リスト %1 に読める行がありません%2")
                               .arg(listFile, listProblems.isEmpty() ? QString() : u'：' + listProblems.front()));
    }
    const QString historyFile = historyPath(ctx.dataFolder);
    if (settings.minutesBefore && !QFile::exists(historyFile))
        throw BadInput(
            QStringLiteral("オッズ履歴 %1 がありません（--at final なら最終票数で再生します）").arg(historyFile));

    if (csvOut)
        ctx.out << csv::text({replay::betColumns()});
    const replay::BetSink sink = csvOut ? replay::BetSink(
                                     [&](const replay::BetRow& row) { ctx.out << csv::text({replay::betRow(row)}); })
                                        : replay::BetSink();
    std::optional<replay::SeasonReplay> result;
    try {
        result = replay::replaySeason(ctx.dataFolder, span.from, span.to, settings, historyFile, sink);
    } catch (const std::runtime_error& e) {
        throw BadInput(QString::fromStdString(e.what()));
    }
    const replay::Report& report = result->report;
    if (report.races() + report.skipped() == 0)
        throw BadInput(QStringLiteral("%1〜%2 に結果（払戻）のあるレースがありません")
                           .arg(span.from.toString(Qt::ISODate), span.to.toString(Qt::ISODate)));
    if (json)
        printJson(ctx.out, reportObject(report, settings));
    else if (!csvOut)
        for (const QString& line : report.lines())
            ctx.out << line << '\n';
    ctx.out.flush();
    const QStringList problems = listProblems + result->problems;
    for (const QString& problem : problems)
        ctx.err << "tavek-cli: " << problem << '\n';
    return problems.isEmpty() ? kSuccess : kBadInput;
}

}  // namespace tavek::cli
