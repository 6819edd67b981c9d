#include "jvlink/core/RaceDraw.h"

#include "jvlink/core/Random.h"

#include <cmath>

namespace tavek::jvlink {

namespace {

RaceClass classOf(const calendar::Race& race, Random& rng)
{
    switch (race.number) {
    case 1:
    case 2:
        return RaceClass::Maiden;
    case 3:
        return race.date.month() >= 6 ? RaceClass::Newcomer : RaceClass::Maiden;
    case 9:
    case 10:
        return RaceClass::Special;
    case 11:
        return rng.uniform() < 0.06 ? RaceClass::Grade1 : RaceClass::Stakes;
    case 12:
        return RaceClass::TwoWin;
    default:
        return rng.uniform() < 0.7 ? RaceClass::OneWin : RaceClass::TwoWin;
    }
}

// Typical final win votes (100-yen tickets) of a class.
double basePool(RaceClass c)
{
    switch (c) {
    case RaceClass::Newcomer:
        return 70'000;
    case RaceClass::Maiden:
        return 90'000;
    case RaceClass::OneWin:
        return 120'000;
    case RaceClass::TwoWin:
        return 150'000;
    case RaceClass::Special:
        return 220'000;
    case RaceClass::Stakes:
        return 600'000;
    case RaceClass::Grade1:
        return 4'000'000;
    }
    return 100'000;
}

int drawRegistered(Random& rng)
{
    const double u = rng.uniform();
    if (u < 0.30)
        return 18;
    if (u < 0.50)
        return 16;
    return 8 + rng.below(10);  // 8..17
}

}  // namespace

RaceDraw drawRace(const calendar::Race& race)
{
    const QByteArray key = race.key();
    Random rng(Random::seed(
        {static_cast<uint64_t>(key.left(8).toLongLong()), static_cast<uint64_t>(key.mid(8).toLongLong())}));
    RaceDraw d{};
    d.race = race;
    d.raceClass = classOf(race, rng);
    d.registered = drawRegistered(rng);
    d.scratched.fill(false);
    d.strength.fill(0.0);
    const double u = rng.uniform();
    const int scratches = u < 0.02 ? 2 : (u < 0.14 ? 1 : 0);
    for (int i = 0; i < scratches; ++i)
        d.scratched[rng.below(d.registered)] = true;
    d.starters = d.registered;
    for (int h = 0; h < d.registered; ++h) {
        const double s = std::exp(0.9 * rng.gaussian());
        if (d.scratched[h])
            --d.starters;
        else
            d.strength[h] = s;
    }
    d.winPool = basePool(d.raceClass) * (0.6 + 0.9 * rng.uniform());
    d.nameSeed = static_cast<int>(rng.next() & 0x7FFFFFFF);
    return d;
}

}  // namespace tavek::jvlink
