#include "cli/Command.h"

#include "cli/Cli.h"
#include "odds/model/WinModel.h"
#include "odds/model/WinTexts.h"
#include "platform/RawNames.h"
#include "pools/PoolIndex.h"
#include "racedata/DayFiles.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

#include <array>
#include <cstdlib>

namespace tavek::cli {

bool Args::takeFlag(const QString& name)
{
    return args_.removeAll(name) > 0;
}

std::optional<QString> Args::takeOption(const QString& name)
{
    const qsizetype i = args_.indexOf(name);
    if (i < 0)
        return std::nullopt;
    if (i + 1 >= args_.size())
        throw BadInput(QStringLiteral("%1 needs a value").arg(name));
    const QString value = args_.at(i + 1);
    args_.remove(i, 2);
    if (args_.contains(name))
        throw BadInput(QStringLiteral("%1 given twice").arg(name));
    return value;
}

QString Args::takePositional(const QString& what)
{
    const auto it = std::find_if(args_.begin(), args_.end(), [](const QString& a) { return !a.startsWith(u"--"); });
    if (it == args_.end())
        throw BadInput(QStringLiteral("missing %1").arg(what));
    const QString value = *it;
    args_.erase(it);
    return value;
}

void Args::expectEnd() const
{
    if (!args_.isEmpty())
        throw BadInput(QStringLiteral("unexpected argument \"%1\"").arg(args_.first()));
}

LoadedDay loadDay(const CommandContext& ctx, const QString& date)
{
    LoadedDay loaded;
    loaded.date = dayfiles::dateText(date);
    if (loaded.date.isEmpty())
        throw BadInput(QStringLiteral("\"%1\" is not a date (use 2005年04月16日 or 2005-04-16)").arg(date));
    const dayfiles::Location raceFile = dayfiles::locate(ctx.dataFolder, loaded.date, dayfiles::kRaceSuffix);
    if (!platform::exists(raceFile.native))
        throw BadInput(QStringLiteral("no day file %1").arg(raceFile.shown));
    loaded.day = std::make_unique<DayData>();
    loaded.load = loaded.day->load(ctx.dataFolder, loaded.date);
    return loaded;
}

int raceSlot(const LoadedDay& day, const QString& race)
{
    const int count = day.day->raceCount();
    if (count == 0)
        throw BadInput(QStringLiteral("%1 has no races").arg(day.date));
    const int slot = int(wholeNumber(race, 1, count, QStringLiteral("RACE (1 to %1 on %2)").arg(count).arg(day.date)))
                     - 1;
    if (!day.load.raceProblems[slot].isEmpty())
        throw BadInput(day.load.raceProblems[slot]);
    return slot;
}

SelectedRace takeSelectedRace(CommandContext& ctx)
{
    const QString date = ctx.args.takePositional(QStringLiteral("DATE"));
    const QString raceArg = ctx.args.takePositional(QStringLiteral("RACE"));
    ctx.args.expectEnd();
    SelectedRace selected;
    selected.loaded = loadDay(ctx, date);
    selected.race = raceSlot(selected.loaded, raceArg);
    selected.item = selected.loaded.load.raceItems[selected.race];
    // Lines of the day files that are no whole record (a file cut short) may
    // be this race's: the user learns of them whatever the race.
    if (!selected.loaded.load.skipped.isEmpty()) {
        ctx.err << "tavek-cli: warning: " << selected.loaded.load.skipped << '\n';
        ctx.err.flush();
    }
    if (win::registeredRunners(selected.day(), selected.race) <= 0)
        throw BadInput(
            QStringLiteral("%1 has no registered runners in %2").arg(selected.item, selected.day().voteFilePath()));
    selected.day().selectRace(selected.race);
    return selected;
}

long long wholeNumber(const QString& text, long long min, long long max, const QString& what)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    const bool digitsOnly = !text.isEmpty()
                            && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digitsOnly || value < min || value > max)
        throw BadInput(QStringLiteral("\"%1\" is not a valid %2").arg(text, what));
    return value;
}

int pairIndex(pools::PairKind kind, const QString& text, const QString& kindName)
{
    const QStringList numbers = text.split(u'-');
    const int k = numbers.size() != 2
                      ? 0
                      : pools::pairIndexOf(
                          kind, int(wholeNumber(numbers[0], 1, pools::kMaxRunners, QStringLiteral("pair A-B"))),
                          int(wholeNumber(numbers[1], 1, pools::kMaxRunners, QStringLiteral("pair A-B"))));
    if (k == 0)
        throw BadInput(QStringLiteral("\"%1\" is no %2 pair (A-B with A %3 B)")
                           .arg(text, kindName, kind == pools::PairKind::Quinella ? u"<" : u"<="));
    return k;
}

int poolEntry(pools::Pool pool, const QString& text)
{
    struct Form {
        pools::Pool pool;
        int runners;
        int last;
        const char* form;
    };
    static constexpr Form kForms[] = {{pools::Pool::Place, 1, pools::kRecordSlots, "H, 1 to 28"},
                                      {pools::Pool::Wide, 2, pools::kMaxRunners, "A-B with A < B"},
                                      {pools::Pool::Exacta, 2, pools::kMaxRunners, "A-B with A and B different"},
                                      {pools::Pool::Trio, 3, pools::kMaxRunners, "A-B-C with A < B < C"},
                                      {pools::Pool::Trifecta, 3, pools::kMaxRunners, "A-B-C all different"}};
    const Form& f = *std::find_if(std::begin(kForms), std::end(kForms), [&](const Form& x) { return x.pool == pool; });
    const QStringList numbers = text.split(u'-');
    std::array<int, 3> runners{};
    if (numbers.size() == f.runners)
        for (qsizetype i = 0; i < numbers.size(); ++i)
            runners[size_t(i)] = int(
                wholeNumber(numbers[i], 1, f.last, QStringLiteral("runner (1 to %1)").arg(f.last)));
    const int n = numbers.size() == f.runners ? pools::entryOf(pool, runners[0], runners[1], runners[2]) : 0;
    if (n == 0)
        throw BadInput(QStringLiteral("\"%1\" is no %2 bet (%3)")
                           .arg(text, QLatin1String(pools::pool(pool).key), QLatin1String(f.form)));
    return n;
}

SimulationOption simulationOption(Args& args, const QString& targetName)
{
    const std::optional<QString> stake = args.takeOption(QStringLiteral("--stake"));
    const std::optional<QString> odds = args.takeOption(QStringLiteral("--odds"));
    if (stake && odds)
        throw BadInput(QStringLiteral("give either --stake or --odds, not both"));
    if (!stake && !odds)
        return {};
    const QString text = stake ? *stake : *odds;
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        throw BadInput(QStringLiteral("\"%1\" is not %2:%3").arg(text, targetName, stake ? u"YEN" : u"ODDS"));
    return {stake ? SimulationOption::Stake : SimulationOption::Odds, text.left(colon), text.mid(colon + 1)};
}

long long stakeValue(const QString& text)
{
    return wholeNumber(text, 0, win::kMaxStake, QStringLiteral("YEN (0 to 9999999)"));
}

long double oddsValue(const QString& text)
{
    static const QRegularExpression format(QStringLiteral("^[0-9]{1,7}(\\.[0-9])?$"));
    if (!format.match(text).hasMatch())
        throw BadInput(
            QStringLiteral("\"%1\" is not valid ODDS (up to 7 digits and one decimal, e.g. 10.0)").arg(text));
    return std::strtold(text.toLatin1().constData(), nullptr);
}

finish::Model modelOption(Args& args)
{
    const std::optional<QString> text = args.takeOption(QStringLiteral("--model"));
    if (!text)
        return finish::Model::Discounted;
    if (const std::optional<finish::Model> model = finish::modelOf(*text))
        return *model;
    throw BadInput(QStringLiteral("--model takes harville or discounted, not %1").arg(*text));
}

bool takeCsvFlag(Args& args, bool json)
{
    const bool csv = args.takeFlag(QStringLiteral("--csv"));
    if (csv && json)
        throw BadInput(QStringLiteral("give either --json or --csv, not both"));
    return csv;
}

void printJson(QTextStream& out, const QJsonObject& object)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

void printJson(QTextStream& out, const QJsonArray& array)
{
    out << QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

void insertResult(QJsonObject& object, sim::SimResult result, const QString& givenMessage)
{
    const QString message = givenMessage.isEmpty() ? sim::refusalMessage(result) : givenMessage;
    object.insert(QStringLiteral("result"), QString::fromLatin1(sim::simResultName(result)));
    object.insert(QStringLiteral("message"), message.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(message));
}

int simulationExit(CommandContext& ctx, sim::SimResult result, const QString& givenMessage)
{
    const QString message = givenMessage.isEmpty() ? sim::refusalMessage(result) : givenMessage;
    if (message.isEmpty())
        return kSuccess;
    ctx.out.flush();
    ctx.err << message << '\n';
    return kRefused;
}

}  // namespace tavek::cli
