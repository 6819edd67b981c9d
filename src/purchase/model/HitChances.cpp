#include "purchase/model/HitChances.h"

#include "pools/FinishingOrder.h"
#include "pools/PoolIndex.h"
#include "purchase/model/TicketForm.h"
#include "value/model/BetValue.h"

#include <algorithm>

namespace tavek::purchase {

HitChances::HitChances(QByteArrayView voteRecord, const sim::PoolFigures& figures, finish::Model model,
                       const std::vector<int>& entries)
    : byTicket_(entries.size()), chance_(entries.size(), 0.0)
{
    if (const QString none = value::noViewReason(voteRecord); !none.isEmpty())
        throw Refusal(Refusal::Race, none);
    const std::array<double, pools::kMaxRunners> win = value::winPoolChances(voteRecord);
    const int field = std::clamp(figures.runners, 0, pools::kMaxRunners);
    const finish::FinishOrder order(std::span(win.data(), size_t(field)), finish::discountsOf(model));
    std::vector<int> ticketOf(size_t(pools::pool(figures.pool).entries) + 1, -1);
    for (size_t t = 0; t < entries.size(); ++t)
        ticketOf[size_t(entries[t])] = int(t);

    using pools::Pool;
    const Pool pool = figures.pool;
    const bool twoPlace = pool == Pool::Place && pools::placeWinners(figures.starters) == 2;
    const int places = pool == Pool::Win ? 1 : pool == Pool::Quinella || pool == Pool::Exacta || twoPlace ? 2 : 3;
    const auto entry = [pool](int a, int b = 0, int c = 0) { return pools::entryOf(pool, a, b, c); };
    // The finish a, b, c (runners 1-based; 0-based in the finish order), each
    // taken once: a pool that does not count the order takes it ascending.
    const auto visit = [&](int a, int b, int c) {
        const bool ascending = a < b && (places < 3 || b < c);
        switch (pool) {
        case Pool::Win:
            return add(order.first(a - 1), {entry(a)}, ticketOf);
        case Pool::Exacta:
            return add(order.exacta(a - 1, b - 1), {entry(a, b)}, ticketOf);
        case Pool::Trifecta:
            return add(order.ordered(a - 1, b - 1, c - 1), {entry(a, b, c)}, ticketOf);
        default:
            break;
        }
        if (!ascending)
            return;
        if (pool == Pool::Quinella)
            add(order.quinella(a - 1, b - 1), {entry(a, b)}, ticketOf);
        else if (twoPlace)
            add(order.quinella(a - 1, b - 1), {entry(a), entry(b)}, ticketOf);
        else if (pool == Pool::Place)
            add(order.trio(a - 1, b - 1, c - 1), {entry(a), entry(b), entry(c)}, ticketOf);
        else if (pool == Pool::Wide)
            add(order.trio(a - 1, b - 1, c - 1), {entry(a, b), entry(a, c), entry(b, c)}, ticketOf);
        else
            add(order.trio(a - 1, b - 1, c - 1), {entry(a, b, c)}, ticketOf);
    };
    for (int a = 1; a <= field; ++a)
        for (int b = 1; b <= (places > 1 ? field : 1); ++b)
            for (int c = 1; c <= (places > 2 ? field : 1); ++c)
                if (places == 1 || (b != a && (places == 2 || (c != a && c != b))))
                    visit(a, b, c);
}

void HitChances::add(double chance, std::initializer_list<int> entries, const std::vector<int>& ticketOf)
{
    Finish f{chance, {}, 0};
    for (int n : entries)
        if (const int t = ticketOf[size_t(n)]; t >= 0)
            f.tickets[size_t(f.count++)] = t;
    if (f.count == 0 || chance <= 0)
        return;
    for (int i = 0; i < f.count; ++i) {
        byTicket_[size_t(f.tickets[size_t(i)])].push_back(int(finishes_.size()));
        chance_[size_t(f.tickets[size_t(i)])] += chance;
    }
    finishes_.push_back(f);
}

double HitChances::hitChance(const std::vector<long long>& payouts) const
{
    double sum = 0;
    for (const Finish& f : finishes_)
        if (std::any_of(f.tickets.begin(), f.tickets.begin() + f.count, [&](int t) { return payouts[size_t(t)] > 0; }))
            sum += f.chance;
    return sum;
}

double HitChances::expectedPayout(const std::vector<long long>& payouts) const
{
    double sum = 0;
    for (const Finish& f : finishes_)
        for (int i = 0; i < f.count; ++i)
            sum += f.chance * double(payouts[size_t(f.tickets[size_t(i)])]);
    return sum;
}

}  // namespace tavek::purchase
