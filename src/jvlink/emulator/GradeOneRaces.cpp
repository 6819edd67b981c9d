#include "jvlink/emulator/GradeOneRaces.h"

#include <algorithm>
#include <array>

namespace tavek::jvlink::gradeone {

namespace {

enum class Anchor { Derby, Arima, Hopeful };

struct Entry {
    const char16_t* name;
    int course;
    Anchor anchor;
    int weeks;  // Sundays after the anchor
    int since;  // first year as a G1 under this name at this course
    double salesOku;
};

// Sales: the Arima Kinen far ahead, then the Derby, the Japan Cup and the
// autumn Tenno Sho; the two-year-old races at the bottom.
// clang-format off
constexpr std::array kEntries = {
    Entry{u"フェブラリーステークス", 5, Anchor::Derby, -14, 2003, 150},
    Entry{u"高松宮記念", 7, Anchor::Derby, -9, 2003, 150},
    Entry{u"大阪杯", 9, Anchor::Derby, -8, 2017, 170},
    Entry{u"桜花賞", 9, Anchor::Derby, -7, 2003, 160},
    Entry{u"皐月賞", 6, Anchor::Derby, -6, 2003, 200},
    Entry{u"天皇賞（春）", 8, Anchor::Derby, -4, 2003, 190},
    Entry{u"ＮＨＫマイルカップ", 5, Anchor::Derby, -3, 2003, 140},
    Entry{u"ヴィクトリアマイル", 5, Anchor::Derby, -2, 2006, 130},
    Entry{u"優駿牝馬", 5, Anchor::Derby, -1, 2003, 170},
    Entry{u"東京優駿", 5, Anchor::Derby, 0, 2003, 290},
    Entry{u"安田記念", 5, Anchor::Derby, 1, 2003, 170},
    Entry{u"宝塚記念", 9, Anchor::Derby, 4, 2003, 220},
    Entry{u"スプリンターズステークス", 6, Anchor::Arima, -12, 2003, 160},
    Entry{u"秋華賞", 8, Anchor::Arima, -10, 2003, 140},
    Entry{u"菊花賞", 8, Anchor::Arima, -9, 2003, 190},
    Entry{u"天皇賞（秋）", 5, Anchor::Arima, -8, 2003, 250},
    Entry{u"エリザベス女王杯", 8, Anchor::Arima, -6, 2003, 130},
    Entry{u"マイルチャンピオンシップ", 8, Anchor::Arima, -5, 2003, 160},
    Entry{u"ジャパンカップ", 5, Anchor::Arima, -4, 2003, 270},
    Entry{u"チャンピオンズカップ", 7, Anchor::Arima, -3, 2014, 130},
    Entry{u"阪神ジュベナイルフィリーズ", 9, Anchor::Arima, -2, 2003, 100},
    Entry{u"朝日杯フューチュリティステークス", 9, Anchor::Arima, -1, 2014, 100},
    Entry{u"有馬記念", 6, Anchor::Arima, 0, 2003, 620},
    Entry{u"ホープフルステークス", 6, Anchor::Hopeful, 0, 2017, 110},
};
// clang-format on

QDate dateOf(const Entry& e, int year)
{
    switch (e.anchor) {
    case Anchor::Derby:
        return calendar::derbyDay(year).addDays(7 * e.weeks);
    case Anchor::Arima:
        return calendar::arimaDay(year).addDays(7 * e.weeks);
    case Anchor::Hopeful:
        return calendar::hopefulDay(year);
    }
    return {};
}

}  // namespace

std::vector<GradeOneRace> racesOf(int year)
{
    std::vector<GradeOneRace> races;
    for (const Entry& e : kEntries)
        if (year >= e.since)
            races.push_back({QString::fromUtf16(e.name), e.course, dateOf(e, year), e.salesOku});
    std::stable_sort(races.begin(), races.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
    return races;
}

std::optional<GradeOneRace> raceOf(const calendar::Race& race)
{
    if (race.number != 11)
        return std::nullopt;
    for (const Entry& e : kEntries)
        if (race.date.year() >= e.since && e.course == race.meeting.course && dateOf(e, race.date.year()) == race.date)
            return GradeOneRace{QString::fromUtf16(e.name), e.course, race.date, e.salesOku};
    return std::nullopt;
}

bool isGradeOneName(const QString& name)
{
    return std::any_of(kEntries.begin(), kEntries.end(),
                       [&](const Entry& e) { return name == QString::fromUtf16(e.name); });
}

}  // namespace tavek::jvlink::gradeone
