// advise, curve and dutch: the stake advisor of one bet, its odds curve, and
// a total spread over several bets of one pool.
#include "advisor/model/AdvisorInput.h"
#include "advisor/model/AdvisorTexts.h"
#include "advisor/model/ModelChance.h"
#include "cli/Cli.h"
#include "cli/Command.h"
#include "pools/PairIndex.h"

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

}  // namespace

int runAdvise(CommandContext& ctx)
{
    const bool json = ctx.args.takeFlag(QStringLiteral("--json"));
    const BetOption option = betOption(ctx.args);
    const std::optional<QString> prob = ctx.args.takeOption(QStringLiteral("--prob"));
    if (!prob)
        throw BadInput(QStringLiteral("--prob P を指定してください"));
    const std::optional<finish::Model> model = modelOption(ctx.args);
    const bool fromModel = *prob == QLatin1String("model");
    if (model && !fromModel)
        throw BadInput(QStringLiteral("--model は --prob model のときだけ使えます"));
    advice::AdviceInput input;
    input.bankroll = accepted(advice::readBankroll(optionOr(ctx.args, "--bankroll", "100000")));
    input.kelly = accepted(advice::readKellyFraction(optionOr(ctx.args, "--kelly", "1")));
    const SelectedRace selected = takeSelectedRace(ctx);
    const Bet bet = chosenBet(selected, option.kind, option.list);
    // "--prob model": the chance the win pool's view gives the bet.
    QString probText = *prob;
    if (fromModel) {
        const advice::MarketView view = advice::marketView(selected.day(), selected.race, bet,
                                                           model.value_or(finish::Model::Discounted));
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

}  // namespace tavek::cli
