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
    const qsizetype count = args_.removeAll(name);
    if (count > 1)
        throw BadInput(QStringLiteral("%1 が2回以上指定されています").arg(name));
    return count > 0;
}

std::optional<QString> Args::takeOption(const QString& name)
{
    const qsizetype i = args_.indexOf(name);
    if (i < 0)
        return std::nullopt;
    if (i + 1 >= args_.size())
        throw BadInput(QStringLiteral("%1 に値がありません").arg(name));
    const QString value = args_.at(i + 1);
    args_.remove(i, 2);
    if (args_.contains(name))
        throw BadInput(QStringLiteral("%1 が2回以上指定されています").arg(name));
    return value;
}

QString Args::takePositional(const QString& what)
{
    const auto it = std::find_if(args_.begin(), args_.end(), [](const QString& a) { return !a.startsWith(u"--"); });
    if (it == args_.end())
        throw BadInput(QStringLiteral("%1 を指定してください").arg(what));
    const QString value = *it;
    args_.erase(it);
    return value;
}

void Args::expectEnd() const
{
    if (!args_.isEmpty())
        throw BadInput(QStringLiteral("余分な引数 \"%1\" があります").arg(args_.first()));
}

BadInput badValue(const QString& name, const QString& value, const QString& hint)
{
    // A blank after a name in Latin letters (RACE, --top), none after Japanese.
    const QString space = !name.isEmpty() && name.back().unicode() < 0x80 ? QStringLiteral(" ") : QString();
    return BadInput(QStringLiteral("%1%2に \"%3\" は使えません（%4）").arg(name, space, value, hint));
}

LoadedDay loadDay(const CommandContext& ctx, const QString& date)
{
    LoadedDay loaded;
    loaded.date = dayfiles::dateText(date);
    if (loaded.date.isEmpty())
        throw badValue(QStringLiteral("DATE"), date, QStringLiteral("2005年04月16日 か 2005-04-16 の形の日付"));
    const dayfiles::Location raceFile = dayfiles::locate(ctx.dataFolder, loaded.date, dayfiles::kRaceSuffix);
    if (!platform::exists(raceFile.native)) {
        // A data folder that cannot be read hides every day file: that is the cause to name.
        QString unreadable;
        dayfiles::dateList(ctx.dataFolder, &unreadable);
        throw BadInput(unreadable.isEmpty() ? QStringLiteral("日ファイル %1 がありません").arg(raceFile.shown)
                                            : unreadable);
    }
    loaded.day = std::make_unique<DayData>();
    loaded.load = loaded.day->load(ctx.dataFolder, loaded.date);
    return loaded;
}

int raceSlot(const LoadedDay& day, const QString& race)
{
    const int count = day.day->raceCount();
    if (count == 0)
        throw BadInput(QStringLiteral("%1 にはレースがありません").arg(day.date));
    const int slot = int(wholeNumber(race, 1, count, QStringLiteral("%1 の RACE").arg(day.date))) - 1;
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
        ctx.err << "tavek-cli: " << kWarning << selected.loaded.load.skipped << '\n';
        ctx.err.flush();
    }
    // No vote record: not fetched yet, unless a damaged line of the vote
    // file (the warning above) was this race's.
    if (layout::recordType(selected.day().voteRecord(selected.race)) != "H1")
        throw BadInput(selected.loaded.load.skipped.isEmpty()
                           ? QStringLiteral("%1 の票数はまだ取得されていません（tavek-cli quick か、ウィンドウの"
                                            "「速報票数」で取得できます）")
                                 .arg(selected.item)
                           : QStringLiteral("%1 の票数レコードがありません（%2）")
                                 .arg(selected.item, selected.day().voteFilePath()));
    if (win::registeredRunners(selected.day(), selected.race) <= 0)
        throw BadInput(
            QStringLiteral("%1 には登録された馬がいません（%2）").arg(selected.item, selected.day().voteFilePath()));
    selected.day().selectRace(selected.race);
    return selected;
}

namespace {

QDate dateOption(Args& args, const QString& name)
{
    const std::optional<QString> text = args.takeOption(name);
    if (!text)
        return {};
    const QString listed = dayfiles::dateText(*text);
    const QDate date = QDate::fromString(listed, QStringLiteral("yyyy年MM月dd日"));
    if (listed.isEmpty() || !date.isValid())
        throw badValue(name, *text, QStringLiteral("2005-04-16 の形の日付"));
    return date;
}

}  // namespace

DaySpan takeDaySpan(Args& args)
{
    const DaySpan span{dateOption(args, QStringLiteral("--from")), dateOption(args, QStringLiteral("--to"))};
    if (span.from.isValid() && span.to.isValid() && span.to < span.from)
        throw BadInput(QStringLiteral("--to %1 が --from %2 より前です")
                           .arg(span.to.toString(Qt::ISODate), span.from.toString(Qt::ISODate)));
    return span;
}

void requireDataFolder(const CommandContext& ctx)
{
    if (!QFileInfo(ctx.dataFolder).isDir())
        throw BadInput(QStringLiteral("データフォルダ %1 がありません").arg(ctx.dataFolder));
}

long long wholeNumber(const QString& text, long long min, long long max, const QString& what)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    const bool digitsOnly = !text.isEmpty()
                            && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digitsOnly || value < min || value > max)
        throw badValue(what, text, QStringLiteral("%1〜%2").arg(min).arg(max));
    return value;
}

int pairIndex(pools::PairKind kind, const QString& text, const QString& kindName)
{
    const QStringList numbers = text.split(u'-');
    const int k = numbers.size() != 2
                      ? 0
                      : pools::pairIndexOf(
                          kind, int(wholeNumber(numbers[0], 1, pools::kMaxRunners, QStringLiteral("組番 A-B"))),
                          int(wholeNumber(numbers[1], 1, pools::kMaxRunners, QStringLiteral("組番 A-B"))));
    if (k == 0)
        throw BadInput(QStringLiteral("\"%1\" は%2の組番ではありません（A-B で A %3 B）")
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
    static constexpr Form kForms[] = {
        {pools::Pool::Win, 1, pools::kRecordSlots, "馬番 H"},
        {pools::Pool::Place, 1, pools::kRecordSlots, "馬番 H"},
        {pools::Pool::Quinella, 2, pools::kMaxRunners, "A-B で A < B"},
        {pools::Pool::Wide, 2, pools::kMaxRunners, "A-B で A < B"},
        {pools::Pool::Exacta, 2, pools::kMaxRunners, "A-B で A が1着、B が2着"},
        {pools::Pool::Trio, 3, pools::kMaxRunners, "A-B-C で A < B < C"},
        {pools::Pool::Trifecta, 3, pools::kMaxRunners, "A-B-C で A が1着、B が2着、C が3着"}};
    const Form& f = *std::find_if(std::begin(kForms), std::end(kForms), [&](const Form& x) { return x.pool == pool; });
    const QStringList numbers = text.split(u'-');
    std::array<int, 3> runners{};
    if (numbers.size() == f.runners)
        for (qsizetype i = 0; i < numbers.size(); ++i)
            runners[size_t(i)] = int(wholeNumber(numbers[i], 1, f.last, QStringLiteral("馬番")));
    const int n = numbers.size() == f.runners ? pools::entryOf(pool, runners[0], runners[1], runners[2]) : 0;
    if (n == 0)
        throw BadInput(QStringLiteral("\"%1\" は%2の組番ではありません（%3）")
                           .arg(text, pools::pool(pool).caption(), QString::fromUtf8(f.form)));
    return n;
}

SimulationOption simulationOption(Args& args, const QString& targetName)
{
    const std::optional<QString> stake = args.takeOption(QStringLiteral("--stake"));
    const std::optional<QString> odds = args.takeOption(QStringLiteral("--odds"));
    if (stake && odds)
        throw BadInput(QStringLiteral("--stake と --odds は同時に指定できません"));
    if (!stake && !odds)
        return {};
    const QString text = stake ? *stake : *odds;
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        throw badValue(stake ? QStringLiteral("--stake") : QStringLiteral("--odds"), text,
                       QStringLiteral("%1:%2 の形").arg(targetName, stake ? u"YEN" : u"ODDS"));
    return {stake ? SimulationOption::Stake : SimulationOption::Odds, text.left(colon), text.mid(colon + 1)};
}

long long stakeValue(const QString& text)
{
    return wholeNumber(text, 0, win::kMaxStake, QStringLiteral("--stake の金額"));
}

long double oddsValue(const QString& text, const QString& bet)
{
    static const QRegularExpression format(QStringLiteral("^[0-9]{1,7}(\\.[0-9])?$"));
    if (!format.match(text).hasMatch())
        throw badValue(QStringLiteral("%1 のオッズ").arg(bet), text,
                       QStringLiteral("整数7桁まで、小数1桁までの数、例 10.0"));
    const long double odds = std::strtold(text.toLatin1().constData(), nullptr);
    // The odds field refuses these before any simulation: so does the option.
    if (!(odds > 1.0L))
        throw BadInput(
            QStringLiteral("%1 のオッズ %2：%3").arg(bet, text, sim::refusalMessage(sim::SimResult::NotAboveOne)));
    return odds;
}

std::optional<pools::Pool> poolOption(Args& args)
{
    const std::optional<QString> text = args.takeOption(QStringLiteral("--pool"));
    if (!text)
        return std::nullopt;
    for (const pools::VotePool& p : pools::kPools)
        if (*text == QLatin1String(p.key))
            return pools::Pool(&p - pools::kPools.data());
    throw badValue(QStringLiteral("--pool"), *text,
                   QStringLiteral("win、place、bracket、quinella、wide、exacta、trio、trifecta のどれか"));
}

std::optional<finish::Model> modelOption(Args& args)
{
    const std::optional<QString> text = args.takeOption(QStringLiteral("--model"));
    if (!text)
        return std::nullopt;
    if (const std::optional<finish::Model> model = finish::modelOf(*text))
        return *model;
    throw badValue(QStringLiteral("--model"), *text, QStringLiteral("harville か discounted"));
}

bool takeCsvFlag(Args& args, bool json)
{
    const bool csv = args.takeFlag(QStringLiteral("--csv"));
    if (csv && json)
        throw BadInput(QStringLiteral("--json と --csv は同時に指定できません"));
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

void printJsonWithArray(QTextStream& out, QJsonObject head, const QString& key,
                        const std::function<void(const std::function<void(const QString&)>& write)>& fill)
{
    // The object with an empty array, cut where its elements go.
    head.insert(key, QJsonArray());
    const QString whole = QString::fromUtf8(QJsonDocument(head).toJson(QJsonDocument::Indented));
    const QString opening = QStringLiteral("\"%1\": [\n").arg(key);
    const qsizetype cut = whole.lastIndexOf(opening) + opening.size();
    out << QStringView(whole).first(cut);
    bool first = true;
    fill([&](const QString& element) {
        out << (first ? "" : ",\n") << element;
        first = false;
    });
    if (!first)
        out << '\n';
    out << QStringView(whole).sliced(cut);
}

QString jsonString(const QString& text)
{
    // Most texts need no escape; the others get Qt's, as printJson writes them.
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c < u' ' || c == u'"' || c == u'\\'; }))
        return u'"' + text + u'"';
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);  // ["..."]
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
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
