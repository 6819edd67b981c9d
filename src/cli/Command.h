#pragma once

#include "finishorder/FinishOrder.h"
#include "odds/model/SimResult.h"
#include "pools/PairIndex.h"
#include "racedata/DayData.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

// What a tavek-cli command gets and the helpers the commands share. A
// command is a function `int runX(CommandContext&)` in its own file, listed in
// CommandList.h.
namespace tavek::cli {

// Bad usage or unreadable input: exit code 2 with this one-line message.
class BadInput : public std::runtime_error {
public:
    explicit BadInput(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The refusal of an argument's value: "NAME に "VALUE" は使えません（HINT）".
BadInput badValue(const QString& name, const QString& value, const QString& hint);

// What starts a warning on standard error, after the program's name.
inline constexpr QStringView kWarning = u"警告：";

// The arguments after the command name; commands take what they know and
// call expectEnd() so that anything left over is refused.
class Args {
public:
    explicit Args(QStringList args) : args_(std::move(args)) {}
    bool takeFlag(const QString& name);
    std::optional<QString> takeOption(const QString& name);  // "--name VALUE"
    QString takePositional(const QString& what);             // throws BadInput when missing
    void expectEnd() const;

private:
    QStringList args_;
};

struct CommandContext {
    QString dataFolder;
    Args args;
    QTextStream& out;
    QTextStream& err;
};

// A loaded day of the data folder.
struct LoadedDay {
    QString date;  // the date text, 2005年04月16日
    std::unique_ptr<DayData> day;
    DayLoad load;
};

// Loads DATE (as listed or as 2005-04-16); BadInput when it is no day of the
// data folder.
LoadedDay loadDay(const CommandContext& ctx, const QString& date);

// The slot of the 1-based race number RACE of a loaded day. BadInput when
// there is no such race, or when its vote record has a field that is not a
// number (the message names the file and race).
int raceSlot(const LoadedDay& day, const QString& race);

// The race of a command's "DATE RACE" arguments (the last ones it takes),
// loaded and made current. BadInput when the race has no registered runners:
// the window hides every simulation tab for such a race.
struct SelectedRace {
    LoadedDay loaded;
    int race = 0;
    QString item;  // the race item, "2005/04/16 東京 11R"
    DayData& day() const { return *loaded.day; }
};
SelectedRace takeSelectedRace(CommandContext& ctx);

// "--from DATE" and "--to DATE" of a command over the data folder's days:
// an invalid date where one is absent. BadInput for a date that is no date
// and for --to before --from.
struct DaySpan {
    QDate from, to;
};
DaySpan takeDaySpan(Args& args);

// BadInput unless the data folder is a folder.
void requireDataFolder(const CommandContext& ctx);

// A whole number in [min, max], or BadInput naming `what` and the range.
long long wholeNumber(const QString& text, long long min, long long max, const QString& what);

// The pair index of "A-B" (two whole numbers 1 to 18) of `kind`: A < B for a
// quinella pair, A <= B for a bracket pair. BadInput otherwise, the message
// naming the pair's kind as `kindName`: "\"3-3\" は馬連の組番ではありません（A-B で A < B）".
int pairIndex(pools::PairKind kind, const QString& text, const QString& kindName);

// The entry of BET in the win, place, quinella, wide, exacta, trio or
// trifecta pool: "H" (1 to 28) for win and place, "A-B" with A < B for
// quinella and wide, A != B for exacta (A first), "A-B-C" with A < B < C for
// trio, in order for trifecta (runners 1 to 18). BadInput otherwise, naming
// the form.
int poolEntry(pools::Pool pool, const QString& text);

// "--stake T:YEN" or "--odds T:ODDS", as the input dialogs take them; T is the
// runner or pair (`targetName` names it in messages: "H", "A-B").
struct SimulationOption {
    enum Kind { None, Stake, Odds } kind = None;
    QString target;
    QString value;
};
SimulationOption simulationOption(Args& args, const QString& targetName);

// YEN as the amount field takes it: 0 to 9,999,999; BadInput otherwise.
long long stakeValue(const QString& text);

// ODDS of `bet` ("単勝 1") as the odds field takes it: up to 7 integer digits
// and one decimal, no sign, above 1.0; BadInput naming the bet otherwise.
long double oddsValue(const QString& text, const QString& bet);

// "--pool KEY", a pool's tavek-cli key (win, place, ...); none when absent;
// BadInput for any other value.
std::optional<pools::Pool> poolOption(Args& args);

// "--model harville|discounted"; none when absent (the commands then take
// discounted); BadInput for any other value.
std::optional<finish::Model> modelOption(Args& args);

// "--csv": the output as CSV (csv::text) instead of text; BadInput together
// with --json.
bool takeCsvFlag(Args& args, bool json);

// Prints one JSON object or array, indented, with a final newline.
void printJson(QTextStream& out, const QJsonObject& object);
void printJson(QTextStream& out, const QJsonArray& array);

// Prints `head` with one more member, the array `key`, byte for byte as
// printJson prints the whole object, its elements written as `fill` hands
// them to `write`, each already indented for its place (two levels of four
// blanks, no line end): a long list is never held whole. `key` sorts after
// every key of `head`, so that it comes last, as QJsonObject orders its keys.
void printJsonWithArray(QTextStream& out, QJsonObject head, const QString& key,
                        const std::function<void(const std::function<void(const QString&)>& write)>& fill);

// `text` as a JSON string, quotes included, escaped as printJson escapes it.
QString jsonString(const QString& text);

// The "result" and "message" members of a simulating command's JSON: the
// result's name, and its refusal message (`message`, else the result's own) or null.
void insertResult(QJsonObject& object, sim::SimResult result, const QString& message = {});

// The exit of a simulating command once its output is printed: a refused
// result's message (`message`, else the result's own) goes to err after the
// output, exit code kRefused; kSuccess otherwise.
int simulationExit(CommandContext& ctx, sim::SimResult result, const QString& message = {});

}  // namespace tavek::cli
