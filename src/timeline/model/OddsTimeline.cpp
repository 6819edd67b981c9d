#include "timeline/model/OddsTimeline.h"

#include "odds/model/PairFigures.h"
#include "odds/model/WinModel.h"
#include "pools/PairIndex.h"
#include "pools/Payout.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <algorithm>

namespace tavek::timeline {

using namespace sim;

namespace {

int quinellaVotes(QByteArrayView record, int k)
{
    int votes = -1;
    record::tryBlankAsAbsent(record::field(record, layout::quinellaVotes(k), layout::kVoteLen), votes);
    return votes;
}

QString oddsText(const std::optional<long double>& odds)
{
    return odds ? fmt::fixed1(*odds, 0) : QString();
}

}  // namespace

int registeredRunners(const history::Snapshot& snapshot)
{
    return std::clamp(record::blankAsZero(snapshot.record, layout::kRegistered, 2), 0, layout::kMaxWinEntries);
}

int winTotal(const history::Snapshot& snapshot)
{
    return win::recordFigure(snapshot.record, layout::kWinTotal);
}

int winVotes(const history::Snapshot& snapshot, int horse)
{
    return win::recordFigure(snapshot.record, layout::winVotes(horse));
}

std::optional<long double> winOdds(const history::Snapshot& snapshot, int horse)
{
    return win::recordOdds(snapshot.record, horse);
}

QString winOddsText(const history::Snapshot& snapshot, int horse)
{
    return oddsText(winOdds(snapshot, horse));
}

QString fetchedStamp(const history::Snapshot& snapshot)
{
    return snapshot.fetched.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

OddsTimeline::OddsTimeline(std::vector<history::Snapshot> snapshots) : snapshots_(std::move(snapshots))
{
}

OddsTimeline OddsTimeline::ofRace(const history::OddsHistory* history, QByteArrayView raceRecord)
{
    return history ? OddsTimeline(history->snapshots(layout::raceKey(raceRecord))) : OddsTimeline();
}

int OddsTimeline::runners() const
{
    return snapshots_.empty() ? 0 : registeredRunners(snapshots_.back());
}

int OddsTimeline::winTotal(int i) const
{
    return timeline::winTotal(snapshot(i));
}

QString OddsTimeline::winTotalText(int i) const
{
    return fmt::grouped11(winTotal(i)).trimmed();
}

int OddsTimeline::winVotes(int i, int horse) const
{
    return timeline::winVotes(snapshot(i), horse);
}

std::optional<long double> OddsTimeline::winOdds(int i, int horse) const
{
    return timeline::winOdds(snapshot(i), horse);
}

QString OddsTimeline::winOddsText(int i, int horse) const
{
    return timeline::winOddsText(snapshot(i), horse);
}

std::vector<int> OddsTimeline::leadingQuinellaPairs(int count) const
{
    return empty() ? std::vector<int>() : leadingQuinellaPairs(size() - 1, count);
}

std::vector<int> OddsTimeline::quinellaPairsInOrderOfLead(int count) const
{
    std::vector<int> order;
    for (int i = 0; i < size(); ++i)
        for (const int k : leadingQuinellaPairs(i, count))
            if (std::find(order.begin(), order.end(), k) == order.end())
                order.push_back(k);
    return order;
}

std::vector<int> OddsTimeline::leadingQuinellaPairs(int i, int count) const
{
    std::vector<std::pair<int, int>> byVotes;  // votes, pair
    for (int k = 1; k <= layout::kQuinellaPairs; ++k)
        if (const int v = quinellaVotes(snapshot(i).record, k); v > 0)
            byVotes.push_back({v, k});
    // Most votes first; among equal votes the lower pair, as the tab lists them.
    std::stable_sort(byVotes.begin(), byVotes.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> pairs;
    for (size_t i = 0; i < byVotes.size() && int(i) < count; ++i)
        pairs.push_back(byVotes[i].second);
    return pairs;
}

std::optional<long double> OddsTimeline::quinellaOdds(int i, int k) const
{
    const QByteArrayView record = snapshot(i).record;
    const int votes = quinellaVotes(record, k);
    if (votes <= 0)
        return std::nullopt;
    const int total = win::recordFigure(record, pairTotalPosition(pools::PairKind::Quinella));
    return pools::exactOdds(pools::pool(pools::Pool::Quinella).rate(record::raceDate(record)).value(), total, votes);
}

QString OddsTimeline::quinellaOddsText(int i, int k) const
{
    return oddsText(quinellaOdds(i, k));
}

QString OddsTimeline::quinellaPairName(int k)
{
    return pools::pairLabel(pools::PairKind::Quinella, k).remove(u' ');
}

QString OddsTimeline::fetchedTime(int i) const
{
    return snapshot(i).fetched.toString(QStringLiteral("HH:mm:ss"));
}

QString OddsTimeline::fetchedStamp(int i) const
{
    return timeline::fetchedStamp(snapshot(i));
}

QString OddsTimeline::caption(const QString& item, const std::optional<QDateTime>& postTime,
                              const QString& unavailable) const
{
    QString caption = item;
    if (postTime)
        caption += QStringLiteral("　発走 %1").arg(postTime->toString(QStringLiteral("HH:mm")));
    if (!unavailable.isEmpty())
        return caption + QStringLiteral("　―　オッズ推移を表示できません：") + unavailable;
    if (empty())
        return caption
               + QStringLiteral("　―　このレースのオッズ推移はまだありません。「速報票数」か「自動更新」で"
                                "票数を取得するたびに記録されます。");
    const QDate raceDay = postTime ? postTime->date() : snapshot(0).fetched.date();
    const auto when = [&](int i) {
        const QDateTime& t = snapshot(i).fetched;
        return t.date() == raceDay ? fetchedTime(i) : t.toString(QStringLiteral("MM/dd ")) + fetchedTime(i);
    };
    return caption + QStringLiteral("　―　%1回分の速報（%2〜%3）").arg(size()).arg(when(0), when(size() - 1));
}

}  // namespace tavek::timeline
