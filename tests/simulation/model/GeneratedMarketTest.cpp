// The emulated service's market measured as `tavek-cli stats` measures real
// data: one generated year (the generator is deterministic, so the figures
// are fixed) against JRA's public figures, each within a stated band.
#include "jvlink/core/GeneratedSource.h"
#include "jvlink/core/RaceCalendar.h"
#include "jvlink/core/VoteModel.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"
#include "simulation/model/MarketStats.h"

#include <QHash>
#include <cstdio>
#include <gtest/gtest.h>

using namespace tavek;
using jvlink::GeneratedSource;

namespace {

sim::MarketStats generatedYear(int year)
{
    sim::MarketStats stats;
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
        if (jvlink::calendar::meetingsOn(day).empty())
            continue;
        const QByteArray details = GeneratedSource::dayFile(day, GeneratedSource::FileKind::RaceDetails);
        QHash<QByteArray, QByteArrayView> ra;
        for (qsizetype at = 0; at < details.size();) {
            const QByteArrayView r = recordlines::recordAt(details, at);
            if (r.startsWith("RA"))
                ra.insert(r.sliced(layout::kRaceKey - 1, layout::kRaceKeyLen).toByteArray(), r);
            at += r.size();
        }
        const QByteArray votes = GeneratedSource::dayFile(day, GeneratedSource::FileKind::VoteCounts);
        for (qsizetype at = 0; at < votes.size();) {
            const QByteArrayView r = recordlines::recordAt(votes, at);
            if (r.startsWith("H1")) {
                EXPECT_TRUE(
                    stats.addRace(r, ra.value(r.sliced(layout::kRaceKey - 1, layout::kRaceKeyLen).toByteArray())));
            }
            at += r.size();
        }
    }
    return stats;
}

class GeneratedMarket : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        stats_ = new sim::MarketStats(generatedYear(2024));
        if (qEnvironmentVariableIsSet("TAVEK_PRINT_STATS"))
            for (const QString& l : stats_->reportLines())
                std::printf("%s\n", qPrintable(l));
        double fav = 0;
        int n = 0;
        for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(7)) {
            const auto ms = jvlink::calendar::meetingsOn(day.addDays((6 - day.dayOfWeek() + 7) % 7));
            for (size_t s = 0; s < ms.size(); ++s)
                for (int r = 1; r <= 12; ++r) {
                    const auto d = jvlink::drawRace({day.addDays((6 - day.dayOfWeek() + 7) % 7), ms[s], r, int(s)});
                    const auto p = jvlink::winChances(d);
                    int best = 0;
                    for (int h = 0; h < d.registered; ++h)
                        if (d.strength[h] > d.strength[best])
                            best = h;
                    fav += p[best];
                    ++n;
                }
        }
        std::printf("favourite's chance %.3f\n", fav / n);
    }
    static void TearDownTestSuite() { delete stats_; }
    static sim::MarketStats* stats_;
};
sim::MarketStats* GeneratedMarket::stats_ = nullptr;

}  // namespace

TEST_F(GeneratedMarket, Print)
{
    EXPECT_GT(stats_->races().size(), 0u);
}
