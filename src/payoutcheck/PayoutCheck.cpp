#include "payoutcheck/PayoutCheck.h"

#include "odds/model/PoolFigures.h"
#include "racedata/KeibaFunc.h"

#include <algorithm>
#include <map>

namespace tavek::payoutcheck {

FinalVotes finalVotes(QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    FinalVotes out;
    pools::RaceSales& sales = out.sales;
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p) {
        const pools::Pool pool = pools::Pool(p);
        const sim::PoolFigures f = sim::readPoolFigures(pool, pools::inVoteCounts(pool) ? voteRecord : trifectaRecord);
        if (pools::inVoteCounts(pool)) {
            // The refunds and the field are the vote-count record's, for every pool.
            sales.starters = f.starters;
            std::array<bool, pools::kRecordSlots + 1> refunded{};
            std::copy(f.refunded.begin(), f.refunded.end(), refunded.begin());
            for (int h = 1; h <= std::min(f.runners, pools::kMaxRunners); ++h)
                sales.brackets[size_t(h)] = keiba::bracketOf(f.runners, h);
            sales.refunds = pools::refundsOf(refunded, f.runners, sales.brackets);
        }
        pools::PoolSales& s = sales.pools[p];
        s.rate = f.rate;
        s.onSale = f.onSale;
        s.total = std::max(f.total, 0LL);
        s.votes.resize(f.votes.size());
        std::transform(f.votes.begin(), f.votes.end(), s.votes.begin(), [](long long v) { return std::max(v, 0LL); });
        out.known[p] = f.total >= 0 && f.onSale;
    }
    return out;
}

pools::RacePayouts recompute(const FinalVotes& votes, const result::RaceResult& result)
{
    pools::RacePayouts computed;
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p) {
        if (!votes.known[p]) {
            computed[p].notHeld = true;
            continue;
        }
        std::vector<int> winners;
        for (const pools::EntryPayout& paid : result.payouts[p].payouts)
            winners.push_back(paid.entry);
        computed[p] = pools::payPool(pools::Pool(p), votes.sales.pools[p], votes.sales.refunds, votes.sales.starters,
                                     winners);
    }
    return computed;
}

Check compare(const result::RaceResult& result, const FinalVotes& votes, const pools::RacePayouts& computed)
{
    Check check;
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p) {
        if (!votes.known[p])
            continue;
        // By entry, ascending: what each side pays, -1 for nothing.
        std::map<int, std::pair<long long, long long>> yen;
        for (const pools::EntryPayout& e : result.payouts[p].payouts)
            yen[e.entry] = {e.yen, -1};
        for (const pools::EntryPayout& e : computed[p].payouts)
            yen.try_emplace(e.entry, -1, -1).first->second.second = e.yen;
        for (const auto& [entry, both] : yen) {
            ++check.compared;
            ++check.comparedByPool[p];
            if (both.first != both.second)
                check.differences.push_back({pools::Pool(p), entry, both.first, both.second});
        }
    }
    return check;
}

Check checkRace(QByteArrayView voteRecord, QByteArrayView trifectaRecord, const result::RaceResult& result)
{
    const FinalVotes votes = finalVotes(voteRecord, trifectaRecord);
    return compare(result, votes, recompute(votes, result));
}

}  // namespace tavek::payoutcheck
