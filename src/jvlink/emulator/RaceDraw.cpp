#include "jvlink/emulator/RaceDraw.h"

#include "jvlink/emulator/GradeOneRaces.h"
#include "jvlink/emulator/Random.h"

#include <algorithm>
#include <cmath>

namespace tavek::jvlink {

namespace {

constexpr double kOku = 1e8;  // 億円

bool mainCourse(int course)
{
    return course == 5 || course == 6 || course == 8 || course == 9;
}

bool sunday(const calendar::Race& race)
{
    return race.date.dayOfWeek() == Qt::Sunday;
}

RaceClass classOf(const calendar::Race& race, Random& rng)
{
    switch (race.number) {
    case 1:
    case 2:
        return RaceClass::Maiden;
    case 3:
    case 5:
        return race.date.month() >= 6 ? RaceClass::Newcomer : RaceClass::Maiden;
    case 9:
    case 10:
        return RaceClass::Special;
    case 11: {
        // Graded races: on Sundays at the main courses most weeks, less often on
        // Saturdays and at the local courses (about 110 a year besides the G1s).
        const double graded = mainCourse(race.meeting.course) ? (sunday(race) ? 0.65 : 0.45)
                                                              : (sunday(race) ? 0.4 : 0.1);
        const double u = rng.uniform();
        if (u < graded * 0.35)
            return RaceClass::Grade2;
        return u < graded ? RaceClass::Grade3 : RaceClass::Stakes;
    }
    case 12:
        return rng.uniform() < 0.6 ? RaceClass::TwoWin : RaceClass::OneWin;
    default:
        return rng.uniform() < 0.7 ? RaceClass::OneWin : RaceClass::TwoWin;
    }
}

// Median sales of all eight pools of an ordinary race by race number, in
// 億円, for a Saturday at a local course at the 2024 level: rising through the
// card to the main race, the last race just below it.
constexpr double kByNumber[12] = {2.7, 3.0, 3.3, 3.6, 4.0, 4.5, 5.2, 6.0, 7.4, 8.7, 14.0, 11.2};

double medianSales(const RaceDraw& d, bool gradeOneDay)
{
    const calendar::Race& r = d.race;
    double oku;
    switch (d.raceClass) {
    case RaceClass::Grade3:
        oku = 24.0;
        break;
    case RaceClass::Grade2:
        oku = 46.0;
        break;
    default:
        oku = kByNumber[r.number - 1] * (mainCourse(r.meeting.course) ? 1.15 : 1.0) * (gradeOneDay ? 1.25 : 1.0);
        break;
    }
    return oku * (sunday(r) ? 1.25 : 1.0) * kOku;
}

// Registered runners; mean about 13.85, so that the starters average about 13.7.
int drawRegistered(Random& rng, RaceClass c)
{
    if (c == RaceClass::Grade1) {  // G1 fields are mostly full
        const double u = rng.uniform();
        return u < 0.55 ? kMaxRunners : (u < 0.7 ? 17 : (u < 0.9 ? 16 : 14));
    }
    static constexpr int kWeights[11] = {3, 4, 6, 8, 10, 11, 12, 11, 13, 7, 11};  // 8..18
    int u = rng.below(96);
    for (int n = 0; n < 11; ++n) {
        u -= kWeights[n];
        if (u < 0)
            return 8 + n;
    }
    return kMaxRunners;
}

// Spread of the runners' log strengths by field size: the favourite takes
// about 0.42 of the win pool with 8 runners and 0.28 with 18.
double strengthSpread(int runners)
{
    return 1.27 - 0.003 * (runners - 8);
}

}  // namespace

double salesLevel(int year)
{
    // JRA's annual 売得金 in 兆円 at the years we know, straight lines between.
    struct Point {
        int year;
        double trillion;
    };
    static constexpr Point kPoints[] = {{2003, 3.0}, {2011, 2.3}, {2024, 3.3135}, {2025, 3.5}};
    if (year <= kPoints[0].year)
        return kPoints[0].trillion / 3.3135;
    for (size_t i = 1; i < std::size(kPoints); ++i)
        if (year <= kPoints[i].year) {
            const Point a = kPoints[i - 1], b = kPoints[i];
            return (a.trillion + (b.trillion - a.trillion) * (year - a.year) / (b.year - a.year)) / 3.3135;
        }
    return kPoints[std::size(kPoints) - 1].trillion / 3.3135;
}

RaceDraw drawRace(const calendar::Race& race)
{
    const QByteArray key = race.key();
    Random rng(Random::seed(
        {static_cast<uint64_t>(key.left(8).toLongLong()), static_cast<uint64_t>(key.mid(8).toLongLong())}));
    RaceDraw d{};
    d.race = race;
    const auto gradeOne = gradeone::raceOf(race);
    bool gradeOneDay = gradeOne.has_value();
    if (gradeOne) {
        d.raceClass = RaceClass::Grade1;
        d.gradeOneName = gradeOne->name;
        rng.next();  // the draw of the class, so that the rest of the race draws as before
    } else {
        d.raceClass = classOf(race, rng);
        if (race.number != 11)
            gradeOneDay = gradeone::raceOf({race.date, race.meeting, 11, race.slot}).has_value();
    }
    d.registered = drawRegistered(rng, d.raceClass);
    d.scratched.fill(false);
    d.strength.fill(0.0);
    const double u = rng.uniform();
    const int scratches = u < 0.02 ? 2 : (u < 0.14 ? 1 : 0);
    for (int i = 0; i < scratches; ++i)
        d.scratched[rng.below(d.registered)] = true;
    d.starters = d.registered;
    for (int h = 0; h < d.registered; ++h)
        d.starters -= d.scratched[h];
    const double spread = strengthSpread(d.starters);
    for (int h = 0; h < d.registered; ++h) {
        const double s = std::exp(spread * rng.gaussian());
        if (!d.scratched[h])
            d.strength[h] = s;
    }

    // Sales: lognormal around the race's median, scaled to the year.
    const double median = gradeOne ? gradeOne->salesOku * kOku : medianSales(d, gradeOneDay);
    const double sigma = gradeOne ? 0.10
                                  : (d.raceClass == RaceClass::Grade2 || d.raceClass == RaceClass::Grade3 ? 0.2 : 0.28);
    d.salesYen = median * salesLevel(race.date.year()) * std::exp(sigma * rng.gaussian());

    // Pool mix: drawn around JRA's shares, trio taking more in big races; the
    // trifecta takes 26-30 % of the sales.
    static constexpr double kMix[pools::kVoteCountPools] = {0.10, 0.14, 0.03, 0.24, 0.11, 0.09, 0.29};
    const double big = gradeOne ? 1.0
                                : (d.raceClass == RaceClass::Grade2 || d.raceClass == RaceClass::Grade3 ? 0.5 : 0.0);
    std::array<double, pools::kVoteCountPools> mix{};
    double sum = 0;
    for (int k = 0; k < pools::kVoteCountPools; ++k) {
        mix[k] = kMix[k] * std::exp(0.12 * rng.gaussian())
                 * (pools::Pool(k) == pools::Pool::Trio ? 1.0 + 0.3 * big : 1.0);
        sum += mix[k];
    }
    const double trifecta = 0.26 + 0.04 * big;
    const double sevenPoolVotes = d.salesYen * (1.0 - trifecta) / 100.0;
    for (int k = 0; k < pools::kVoteCountPools; ++k)
        d.pool[k] = sevenPoolVotes * mix[k] / sum;
    // The trifecta's own pool, where sold, two points above the part set
    // aside for it, so that it takes about 29 % of a year's sales as JRA's
    // does; sized against the seven pools, which keep their figures.
    const double trifectaShare = trifecta + 0.02;
    d.trifectaPool = pools::trifectaSold(key.first(8), race.number)
                         ? sevenPoolVotes * trifectaShare / (1.0 - trifectaShare)
                         : 0.0;
    d.noiseSeed = rng.next();
    d.nameSeed = static_cast<int>(rng.next() & 0x7FFFFFFF);
    return d;
}

}  // namespace tavek::jvlink
