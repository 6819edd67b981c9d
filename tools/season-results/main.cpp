// season-results: the built-in service's results over a span of race days,
// measured as JRA's published figures count them, for the README's market
// table: how often the favourite (the runner of the most win votes) wins and
// finishes in the first three, the mean and median payout of every pool, and
// the dead heats and special payouts.
//
// Usage: season-results FROM TO (dates as 2025-01-01)
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/RaceFinish.h"
#include "jvlink/emulator/VoteModel.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

struct Figures {
    int races = 0, favouriteWon = 0, favouritePlaced = 0, deadHeats = 0, specialPayouts = 0;
    std::array<std::vector<long long>, pools::kPoolCount> yen;
};

void addRace(Figures& f, const RaceDraw& draw)
{
    const Votes votes = votesOf(draw);
    const pools::FinishingOrder order = finishOf(draw);
    const pools::RacePayouts paid = pools::racePayouts(salesOf(draw, votes), order);
    ++f.races;
    const int favourite = int(std::max_element(votes.win.begin(), votes.win.end()) - votes.win.begin()) + 1;
    int before = 0;
    for (size_t place = 0; place < order.places.size(); ++place) {
        const bool in = std::count(order.places[place].begin(), order.places[place].end(), favourite) > 0;
        f.favouriteWon += in && place == 0;
        f.favouritePlaced += in && before < 3;
        before += int(order.places[place].size());
    }
    f.deadHeats += before != int(order.places.size());
    for (size_t p = 0; p < paid.size(); ++p) {
        f.specialPayouts += paid[p].special;
        for (const pools::EntryPayout& e : paid[p].payouts)
            f.yen[p].push_back(e.yen);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const QDate from = argc == 3 ? QDate::fromString(QString::fromLatin1(argv[1]), Qt::ISODate) : QDate();
    const QDate to = argc == 3 ? QDate::fromString(QString::fromLatin1(argv[2]), Qt::ISODate) : QDate();
    if (!from.isValid() || !to.isValid() || to < from) {
        std::fprintf(stderr, "usage: %s FROM TO (dates as 2025-01-01)\n", argv[0]);
        return 2;
    }
    Figures f;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        const auto meetings = calendar::meetingsOn(day);
        for (size_t slot = 0; slot < meetings.size(); ++slot)
            for (int number = 1; number <= calendar::kRacesPerMeeting; ++number)
                addRace(f, drawRace({day, meetings[slot], number, int(slot)}));
    }
    if (f.races == 0) {
        std::printf("no races\n");
        return 0;
    }
    std::printf("races %d\n", f.races);
    std::printf("favourite won %.1f %%, in the first three %.1f %%\n", 100.0 * f.favouriteWon / f.races,
                100.0 * f.favouritePlaced / f.races);
    std::printf("dead heats %d (1 race in %.0f), special payouts %d\n", f.deadHeats,
                f.deadHeats ? double(f.races) / f.deadHeats : 0.0, f.specialPayouts);
    for (size_t p = 0; p < f.yen.size(); ++p) {
        std::vector<long long>& yen = f.yen[p];
        if (yen.empty())
            continue;
        std::sort(yen.begin(), yen.end());
        double sum = 0;
        for (long long y : yen)
            sum += double(y);
        std::printf("%-8s payouts %6zu  mean %9.0f  median %7lld  yen per 100 yen\n", pools::kPools[p].key, yen.size(),
                    sum / double(yen.size()), yen[yen.size() / 2]);
    }
    return 0;
}
