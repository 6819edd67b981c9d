// advise, curve, dutch and tickets: the stake advisor of one bet, its odds
// curve, a total spread over several bets of one pool, and a purchase of many
// tickets by box, pivot or formation.
#include "advisor/model/AdvisorInput.h"
#include "advisor/model/AdvisorTexts.h"
#include "advisor/model/ModelChance.h"
#include "cli/Cli.h"
#include "cli/Command.h"
#include "export/CsvExport.h"
#include "pools/PairIndex.h"
#include "purchase/model/PurchaseTexts.h"

#include <QJsonArray>

namespace tavek::cli {

namespace {

using advice::Bet;
using advice::BetKind;

struct BetOption {
    BetKind kind = BetKind::Win;
    QString list;  // "5", "3-7", or comma-separated for dutching
};

// Exactly one of --win, --quinella, --bracket, --place, --wide, --exacta,
// --trio, --trifecta.
BetOption betOption(Args& args)
{
    const std::pair<const char*, BetKind> options[] = {
        {"--win", BetKind::Win},     {"--quinella", BetKind::Quinella}, {"--bracket", BetKind::Bracket},
        {"--place", BetKind::Place}, {"--wide", BetKind::Wide},         {"--exacta", BetKind::Exacta},
        {"--trio", BetKind::Trio},   {"--trifecta", BetKind::Trifecta}};
    std::optional<BetOption> chosen;
    for (const auto& [name, kind] : options)
        if (const std::optional<QString> value = args.takeOption(QLatin1String(name))) {
            if (chosen)
                throw BadInput(QStringLiteral("--win、--quinella、--bracket、--place、--wide、--exacta、--trio、"
                                              "--trifecta はどれか1つだけを指定してください"));
            chosen = BetOption{kind, *value};
        }
    if (!chosen)
        throw BadInput(QStringLiteral("--win H、--quinella A-B、--bracket A-B、--place H、--wide A-B、"
                                      "--exacta A-B、--trio A-B-C、--trifecta A-B-C のどれかを指定してください"));
    return *chosen;
}

// "5", "3-7" (A < B; A <= B for brackets; A first for exacta) or "2-3-7"
// (A < B < C for trio; in order for trifecta) as the bet's number.
int betNumber(BetKind kind, const QString& text)
{
    switch (kind) {
    case BetKind::Win:
        return int(wholeNumber(text, 1, layout::kMaxWinEntries, QStringLiteral("馬番 H")));
    case BetKind::Quinella:
        return pairIndex(pools::PairKind::Quinella, text, advice::betKindName(kind));
    case BetKind::Bracket:
        return pairIndex(pools::PairKind::Bracket, text, advice::betKindName(kind));
    default:
        return poolEntry(advice::betPool(kind), text);
    }
}

Bet chosenBet(const SelectedRace& selected, BetKind kind, const QString& text)
{
    const advice::BetChoice choice = advice::chooseBet(selected.day(), selected.race, kind, betNumber(kind, text));
    if (!choice.ok())
        throw BadInput(choice.refusal);
    return choice.bet;
}

template <class T>
T accepted(const advice::Reading<T>& reading)
{
    if (!reading.ok())
        throw BadInput(reading.refusal);
    return reading.value;
}

QString optionOr(Args& args, const char* name, const char* fallback)
{
    return args.takeOption(QLatin1String(name)).value_or(QLatin1String(fallback));
}

double oddsNumber(long long tenths)
{
    return double(tenths) / 10;
}

// "--prob P|model" and "--model harville|discounted", which only goes with
// "--prob model".
struct ProbOption {
    std::optional<QString> prob;
    std::optional<finish::Model> model;
    bool fromModel() const { return prob == QLatin1String("model"); }
};

ProbOption probOption(Args& args)
{
    ProbOption option{args.takeOption(QStringLiteral("--prob")), modelOption(args)};
    if (option.model && !option.fromModel())
        throw BadInput(QStringLiteral("--model は --prob model のときだけ使えます"));
    return option;
}

std::vector<int> runnerList(const QString& text, const QString& option)
{
    std::vector<int> runners;
    for (const QString& r : text.split(u','))
        runners.push_back(int(wholeNumber(r, 1, pools::kMaxRunners, option + QStringLiteral(" の馬番"))));
    return runners;
}

// Exactly one of --list, --box, --pivot (with --with and maybe --multi) and
// --formation, as the form of `pool`.
purchase::Form formOption(Args& args, pools::Pool pool)
{
    const std::optional<QString> list = args.takeOption(QStringLiteral("--list"));
    const std::optional<QString> box = args.takeOption(QStringLiteral("--box"));
    const std::optional<QString> pivot = args.takeOption(QStringLiteral("--pivot"));
    const std::optional<QString> with = args.takeOption(QStringLiteral("--with"));
    const bool multi = args.takeFlag(QStringLiteral("--multi"));
    const std::optional<QString> formation = args.takeOption(QStringLiteral("--formation"));
    if (int(bool(list)) + int(bool(box)) + int(bool(pivot)) + int(bool(formation)) != 1)
        throw BadInput(QStringLiteral("--list、--box、--pivot、--formation のどれか1つを指定してください"));
    if ((with || multi) && !pivot)
        throw BadInput(QStringLiteral("--with と --multi は --pivot のときだけ使えます"));
    if (list) {
        std::vector<int> entries;
        for (const QString& bet : list->split(u','))
            entries.push_back(poolEntry(pool, bet));
        return purchase::Form::list(std::move(entries));
    }
    if (box)
        return purchase::Form::box(runnerList(*box, QStringLiteral("--box")));
    if (pivot) {
        if (!with)
            throw BadInput(QStringLiteral("--pivot には相手の馬を --with H,H,... で指定してください"));
        return purchase::Form::pivot(runnerList(*pivot, QStringLiteral("--pivot")),
                                     runnerList(*with, QStringLiteral("--with")), multi);
    }
    const QStringList places = formation->split(u'/');
    if (places.size() != pools::pool(pool).runners)
        throw BadInput(QStringLiteral("%1の --formation は%2頭分の馬を / で区切ってください（%3）")
                           .arg(pools::pool(pool).caption())
                           .arg(pools::pool(pool).runners)
                           .arg(pools::pool(pool).runners == 2 ? QStringLiteral("1,2/1,2,3")
                                                               : QStringLiteral("1,2/1,2,3/1,2,3,4")));
    std::array<std::vector<int>, 3> sets;
    for (qsizetype i = 0; i < places.size(); ++i)
        sets[size_t(i)] = runnerList(places[i], QStringLiteral("--formation"));
    return purchase::Form::formation(std::move(sets));
}

QJsonArray numbersJson(const std::vector<int>& numbers)
{
    QJsonArray array;
    for (int n : numbers)
        array.append(n);
    return array;
}

QJsonObject formJson(pools::Pool pool, const purchase::Form& form)
{
    QJsonObject object{{"kind", purchase::formKey(form.kind)}};
    switch (form.kind) {
    case purchase::FormKind::List: {
        QJsonArray bets;
        for (int n : form.bets)
            bets.append(pools::entryLabel(pool, n));
        object.insert("bets", bets);
        break;
    }
    case purchase::FormKind::Box:
        object.insert("runners", numbersJson(form.runners));
        break;
    case purchase::FormKind::Pivot:
        object.insert("pivots", numbersJson(form.pivots));
        object.insert("with", numbersJson(form.runners));
        object.insert("multi", form.multi);
        break;
    case purchase::FormKind::Formation: {
        QJsonArray places;
        for (int i = 0; i < pools::pool(pool).runners; ++i)
            places.append(numbersJson(form.places[size_t(i)]));
        object.insert("places", places);
        break;
    }
    }
    return object;
}

QJsonValue oddsJson(const sim::OddsRange& odds)
{
    return odds.has() ? QJsonValue(oddsNumber(odds.low)) : QJsonValue(QJsonValue::Null);
}

QJsonValue combinedJson(double odds)
{
    return odds > 0 ? QJsonValue(odds) : QJsonValue(QJsonValue::Null);
}

QJsonObject purchaseJson(const purchase::Purchase& p)
{
    QJsonArray tickets;
    for (const purchase::Ticket& t : p.tickets)
        tickets.append(QJsonObject{{"bet", pools::entryLabel(p.pool, t.entry)},
                                   {"stake", t.stake},
                                   {"odds_now", oddsJson(t.oddsNow)},
                                   {"odds_after", oddsJson(t.oddsAfter)},
                                   {"payout", t.payout},
                                   {"net", p.net(t)},
                                   {"torigami", p.torigami(t)}});
    QJsonArray leftOut;
    for (int n : p.leftOut)
        leftOut.append(pools::entryLabel(p.pool, n));
    QJsonObject object{{"pool", QLatin1String(pools::pool(p.pool).key)},
                       {"form", formJson(p.pool, p.form)},
                       {"split", purchase::splitKey(p.split)},
                       {"total", p.total},
                       {"tickets", tickets},
                       {"left_out", leftOut},
                       {"combined_odds", combinedJson(p.combinedOdds)},
                       {"combined_odds_now", combinedJson(p.combinedOddsNow)}};
    if (p.target > 0)
        object.insert("target", p.target);
    else
        object.insert("budget", p.budget);
    if (p.model) {
        object.insert("model", finish::modelKey(*p.model));
        object.insert("hit_chance", p.hitChance);
        object.insert("expected_return", p.expectedReturn);
        object.insert("expected_return_now", p.expectedReturnNow);
    }
    return object;
}

}  // namespace

int runAdvise(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const BetOption option = betOption(ctx.args);
    const ProbOption probChoice = probOption(ctx.args);
    if (!probChoice.prob)
        throw BadInput(QStringLiteral("--prob P を指定してください"));
    const QString& prob = *probChoice.prob;
    advice::AdviceInput input;
    input.bankroll = accepted(advice::readBankroll(optionOr(ctx.args, "--bankroll", "100000")));
    input.kelly = accepted(advice::readKellyFraction(optionOr(ctx.args, "--kelly", "1")));
    const SelectedRace selected = takeSelectedRace(ctx);
    const Bet bet = chosenBet(selected, option.kind, option.list);
    // "--prob model": the chance the win pool's view gives the bet.
    QString probText = prob;
    if (probChoice.fromModel()) {
        const advice::MarketView view = advice::marketView(selected.day(), selected.race, bet,
                                                           probChoice.model.value_or(finish::Model::Discounted));
        if (!view.usable())
            throw BadInput(view.refusal);
        probText = advice::modelProbText(view.bet->chance, advice::ProbForm::Probability);
    }
    input.prob = accepted(advice::readProbability(probText, advice::ProbForm::Probability));
    const advice::Advice a = advice::advise(bet, input);

    if (json) {
        QJsonObject object{
            {"date", selected.loaded.date},
            {"race", selected.item},
            {"bet", advice::betLabel(bet)},
            {"pool", bet.pool},
            {"votes", bet.votes},
            {"rate", double(bet.rate.numerator) / bet.rate.denominator},
            {"odds_now", oddsNumber(advice::payoutTenths(bet, 0))},
            {"prob", input.prob.value()},
            {"bankroll", input.bankroll},
            {"kelly", input.kelly.value()},
            {"max_ev_stake", a.maxEvStake},
            {"max_ev", advice::expectedValue(bet, input.prob, a.maxEvStake / pools::kYenPerVote)},
            {"odds_at_max_ev", oddsNumber(advice::payoutTenths(bet, a.maxEvStake / pools::kYenPerVote))},
            {"break_even_stake", a.breakEvenStake},
            {"odds_at_break_even", oddsNumber(advice::payoutTenths(bet, a.breakEvenStake / pools::kYenPerVote))},
            {"kelly_stake", a.kellyStake},
            {"odds_at_kelly", oddsNumber(advice::payoutTenths(bet, a.kellyStake / pools::kYenPerVote))},
        };
        // Place and wide: the odds above are the lower end of the range.
        if (advice::hasOddsRange(bet.kind))
            object.insert("odds_max_now", oddsNumber(advice::payoutHighTenths(bet, 0)));
        printJson(ctx.out, object);
        return kSuccess;
    }
    const advice::BetTexts texts = advice::betTexts(bet);
    const advice::AdviceSheet sheet = advice::adviceSheet(bet, input, a);
    ctx.out << selected.item << '\n'
            << texts.bet << '\t' << QStringLiteral("合計票数 ") << texts.pool << '\t' << QStringLiteral("票数 ")
            << texts.votes << '\t' << QStringLiteral("払戻率 ") << texts.rate << '\n'
            << QStringLiteral("現在のオッズ ") << texts.oddsNow << '\t' << QStringLiteral("適正オッズ ")
            << sheet.fairOdds << '\n';
    QStringList header;
    for (const QString& c : advice::stakeColumns())
        header << c;
    ctx.out << header.join(u'\t') << '\n';
    for (const advice::StakeLine& l : sheet.lines)
        ctx.out << QStringList{l.caption, l.stake, l.odds, l.ev, l.growth}.join(u'\t') << '\n';
    return kSuccess;
}

int runCurve(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const BetOption option = betOption(ctx.args);
    const long long to = accepted(advice::readStake(optionOr(ctx.args, "--to", "1000000"), 0, QStringLiteral("--to")));
    const long long step = accepted(
        advice::readStake(optionOr(ctx.args, "--step", "10000"), pools::kYenPerVote, QStringLiteral("--step")));
    const SelectedRace selected = takeSelectedRace(ctx);
    const Bet bet = chosenBet(selected, option.kind, option.list);
    const std::vector<advice::CurvePoint> points = advice::curve(bet, to, step);

    if (json) {
        QJsonArray array;
        for (const advice::CurvePoint& p : points)
            array.append(QJsonObject{{"stake", p.stake},
                                     {"odds", oddsNumber(p.oddsTenths)},
                                     {"display", advice::tabOddsText(bet, p.stake / pools::kYenPerVote)}});
        printJson(ctx.out, QJsonObject{{"date", selected.loaded.date},
                                       {"race", selected.item},
                                       {"bet", advice::betLabel(bet)},
                                       {"points", array}});
        return kSuccess;
    }
    ctx.out << selected.item << '\n' << advice::betLabel(bet) << '\n';
    for (const advice::CurvePoint& p : points)
        ctx.out << advice::yenText(p.stake) << '\t' << advice::oddsText(p.oddsTenths) << '\t'
                << advice::tabOddsText(bet, p.stake / pools::kYenPerVote) << '\n';
    return kSuccess;
}

int runDutch(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const BetOption option = betOption(ctx.args);
    const std::optional<QString> totalText = ctx.args.takeOption(QStringLiteral("--total"));
    if (!totalText)
        throw BadInput(QStringLiteral("--total YEN を指定してください"));
    const long long total = accepted(advice::readStake(*totalText, pools::kYenPerVote, QStringLiteral("--total")));
    const SelectedRace selected = takeSelectedRace(ctx);
    std::vector<Bet> bets;
    for (const QString& text : option.list.split(u',')) {
        const Bet bet = chosenBet(selected, option.kind, text);
        if (std::any_of(bets.begin(), bets.end(), [&](const Bet& b) { return b.number == bet.number; }))
            throw BadInput(QStringLiteral("%1 が2回挙げられています").arg(advice::betLabel(bet)));
        bets.push_back(bet);
    }
    const advice::Dutching d = advice::dutch(bets, total);

    if (json) {
        QJsonArray tickets;
        for (const advice::DutchTicket& t : d.tickets)
            tickets.append(QJsonObject{{"bet", advice::betLabel(t.bet)},
                                       {"stake", t.stake},
                                       {"odds", oddsNumber(t.oddsTenths)},
                                       {"return", t.payout}});
        printJson(ctx.out, QJsonObject{{"date", selected.loaded.date},
                                       {"race", selected.item},
                                       {"total", total},
                                       {"tickets", tickets},
                                       {"min_return", d.minPayout}});
        return kSuccess;
    }
    QStringList header;
    for (const QString& c : advice::dutchColumns())
        header << c;
    ctx.out << selected.item << '\n' << header.join(u'\t') << '\n';
    for (const advice::DutchLine& l : advice::dutchLines(d))
        ctx.out << QStringList{l.bet, l.stake, l.odds, l.payout}.join(u'\t') << '\n';
    ctx.out << QStringLiteral("最低払戻金 ") << advice::minPayoutText(d) << '\n';
    return kSuccess;
}

int runTickets(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const bool csvOut = takeCsvFlag(ctx.args, json);
    purchase::Order order;
    const std::optional<pools::Pool> pool = poolOption(ctx.args);
    if (!pool)
        throw BadInput(QStringLiteral("--pool win|place|quinella|wide|exacta|trio|trifecta を指定してください"));
    if (!purchase::purchasable(*pool))
        throw BadInput(QStringLiteral("%1は買い目の組み立てに対応していません").arg(pools::pool(*pool).caption()));
    order.pool = *pool;
    order.form = formOption(ctx.args, *pool);
    const std::optional<QString> total = ctx.args.takeOption(QStringLiteral("--total"));
    const std::optional<QString> target = ctx.args.takeOption(QStringLiteral("--target"));
    const std::optional<QString> split = ctx.args.takeOption(QStringLiteral("--split"));
    const std::optional<QString> bankroll = ctx.args.takeOption(QStringLiteral("--bankroll"));
    if (bool(total) == bool(target))
        throw BadInput(QStringLiteral("--total YEN か --target YEN のどちらか1つを指定してください"));
    if (target && split)
        throw BadInput(QStringLiteral("--target は払戻金をそろえる買い方です（--split は使えません）"));
    if (split) {
        const std::optional<purchase::Split> s = purchase::splitOf(*split);
        if (!s)
            throw badValue(QStringLiteral("--split"), *split, QStringLiteral("equal、payout、kelly のどれか"));
        order.split = *s;
    }
    if (bankroll && order.split != purchase::Split::Kelly)
        throw BadInput(QStringLiteral("--bankroll は --split kelly のときだけ使えます"));
    if (total)
        order.total = accepted(advice::readStake(*total, pools::kYenPerVote, QStringLiteral("--total")));
    else
        order.target = accepted(advice::readStake(*target, pools::kYenPerVote, QStringLiteral("--target")));
    order.bankroll = accepted(advice::readBankroll(bankroll.value_or(QStringLiteral("100000"))));
    const ProbOption prob = probOption(ctx.args);
    if (prob.prob && !prob.fromModel())
        throw badValue(QStringLiteral("--prob"), *prob.prob, QStringLiteral("買い目ごとの的中確率はモデルから：model"));
    if (prob.fromModel())
        order.model = prob.model.value_or(finish::Model::Discounted);
    const SelectedRace selected = takeSelectedRace(ctx);
    if (order.pool == pools::Pool::Trifecta)
        if (const QString problem = selected.day().trifectaProblem(); !problem.isEmpty()) {
            ctx.err << "tavek-cli: " << kWarning << problem << '\n';
            ctx.err.flush();
        }

    std::optional<purchase::Purchase> bought;
    try {
        bought = purchase::buy(order, selected.day().voteRecord(selected.race),
                               selected.day().trifectaRecord(selected.race));
    } catch (const purchase::Refusal& refusal) {
        if (refusal.kind() == purchase::Refusal::Input)
            throw BadInput(refusal.message());
        ctx.err << refusal.message() << '\n';
        return kRefused;
    }
    const purchase::Purchase& p = *bought;

    if (json) {
        QJsonObject object = purchaseJson(p);
        object.insert("date", selected.loaded.date);
        object.insert("race", selected.item);
        printJson(ctx.out, object);
        return kSuccess;
    }
    if (csvOut) {
        ctx.out << csv::text(csv::ticketTable(p));
        return kSuccess;
    }
    csv::Table table{purchase::ticketColumns(bool(p.model))};
    for (const purchase::Ticket& t : p.tickets)
        table.push_back(purchase::ticketRow(p, t));
    QStringList heading{pools::pool(p.pool).caption() + u' ' + purchase::formText(p.pool, p.form),
                        p.target > 0 ? QStringLiteral("目標払戻金 ") + advice::yenText(p.target)
                                     : purchase::splitName(p.split)};
    if (p.model)
        heading << finish::modelName(*p.model);
    ctx.out << selected.item << '\n' << heading.join(u'\t') << '\n';
    for (const QStringList& row : table)
        ctx.out << row.join(u'\t') << '\n';
    ctx.out << purchase::summaryColumns().join(u'\t') << '\n';
    for (const purchase::SummaryLine& l : purchase::summaryLines(p))
        ctx.out << QStringList{l.caption, l.after, l.now}.join(u'\t') << '\n';
    if (const QString note = purchase::noteText(p); !note.isEmpty())
        ctx.out << note << '\n';
    return kSuccess;
}

}  // namespace tavek::cli
