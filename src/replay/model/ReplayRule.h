#pragma once

#include "advisor/model/AdvisorBet.h"
#include "advisor/model/StakeAdvisor.h"
#include "finishorder/FinishOrder.h"
#include "pools/VotePools.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What a replay bets: the rule that picks a race's bets from the votes at
// the chosen moment and the rule that sizes each stake. The texts a user
// gives them (tavek-cli's options, the window's fields) are read here, so
// both refuse the same things with the same words.
namespace tavek::replay {

enum class RuleKind { Value, Popularity, BetList };

// A ticket of the user's bet list: date, race, pool, bet, stake.
struct ListedBet {
    QString date;  // the date text, 2005年04月16日
    int race = 0;  // 1-based, as the day's race list numbers it
    pools::Pool pool = pools::Pool::Win;
    int entry = 0;
    long long stake = 0;  // yen
    int line = 0;         // the file's line, for messages
};

struct Rule {
    RuleKind kind = RuleKind::Value;
    // Value: the pools searched; popularity: its one pool.
    std::array<bool, pools::kPoolCount> pools{true, true, true, true, true, true, true, true};
    double minReturn = 110;  // value: the least expected return, yen per 100 yen
    int top = 5;             // value: the most bets a race
    int popularity = 1;      // popularity: the rank backed; 0 backs every rank
    std::vector<ListedBet> bets;
};

struct Stake {
    enum Kind { Flat, Kelly } kind = Flat;
    long long yen = 100;           // flat
    advice::Fraction kelly{1, 4};  // kelly: the fraction of the Kelly stake
};

struct Settings {
    Rule rule;
    Stake stake;
    finish::Model model = finish::Model::Discounted;
    long long bankroll = 100'000;
    // None: the final votes. Else the last quick report of the odds history
    // at least this many minutes before post time.
    std::optional<int> minutesBefore;
};

inline constexpr int kMaxTop = 100;
inline constexpr int kMaxMinutesBefore = 24 * 60;

// Each reader gives the value, or the refusal in Japanese naming what it takes.
template <typename T>
struct Reading {
    T value{};
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// "value", "popularity:K" (1 to 4896), "popularity:all", "list:FILE" (the
// rule's kind and, for list, the file name in `file`).
Reading<Rule> readRule(const QString& text, QString* file = nullptr);
// "all" or pool keys separated by commas ("win,trio").
Reading<std::array<bool, pools::kPoolCount>> readPools(const QString& text);
// "flat:YEN" (100 to 10,000,000 in 100s) or "kelly:F" (above 0, at most 1).
// The bankroll is read as the advisor reads it (advice::readBankroll).
Reading<Stake> readStake(const QString& text);
// "final" or whole minutes 0 to a day.
Reading<std::optional<int>> readMoment(const QString& text);

// The tickets of a bet list in CSV (a header line naming date may lead):
// date (2005-04-16, 20050416 or 2005年04月16日), race (1-based), pool (its key
// or its name, 単勝), bet ("3", "1-2", "2-3-7" as the boards name it) and
// stake (yen in 100s). A row that cannot be read is named with its line in
// `problems`, and the others are kept.
std::vector<ListedBet> readBetList(const QByteArray& csv, QStringList& problems);

// The entry of `label` in the pool, 0 when it names none.
int entryOfLabel(pools::Pool pool, QStringView label);

// One bet the rule chose at the moment, before its stake is sized.
struct Candidate {
    pools::Pool pool = pools::Pool::Win;
    int entry = 0;
    long long oddsTenths = 0;              // at the moment; the lower end for place and wide
    int popularity = 0;                    // at the moment
    double expectedReturn = -1;            // the model's, yen per 100 yen; below 0 where not worked out
    std::optional<advice::Fraction> prob;  // the model's chance as the advisor takes it
    long long listedStake = 0;             // a bet list's stake; 0 for the stake rule's
    advice::Bet bet;                       // the bet at the moment, as the advisor sizes it
};

// The candidates of a race whose votes at the moment are `votes` (H1) and
// `trifecta` (H6; empty where none), for `listed` of a bet list the tickets
// of this race. A listed ticket without odds at the moment is named in
// `problems` with its line.
std::vector<Candidate> candidates(const Settings& settings, QByteArrayView votes, QByteArrayView trifecta,
                                  const std::vector<const ListedBet*>& listed, QStringList& problems);

// The stake of a candidate out of `available` yen: the listed or flat stake,
// or the advisor's Kelly stake with the model's chance (none without one);
// cut to the bankroll, in 100s; 0 for no bet.
long long stakeFor(const Stake& stake, const Candidate& c, long long available);

}  // namespace tavek::replay
