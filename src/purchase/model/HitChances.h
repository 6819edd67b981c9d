#pragma once

#include "finishorder/FinishOrder.h"
#include "odds/model/PoolFigures.h"

#include <QByteArrayView>
#include <array>
#include <vector>

namespace tavek::purchase {

// The finishes of a race that pay the tickets of one purchase, with their
// chances under a finish-order model over the win pool's view (as the 妙味
// tab reads every bet's chance). A finish is the first two or three runners;
// place pays two or three runners of it and wide three pairs, so one finish
// may pay several tickets. The finishes that pay none are counted only as
// the chance that none pays.
class HitChances {
public:
    // The tickets are the entries `entries` of the pool of `figures`;
    // `voteRecord` gives the win votes. Refusal (Race) when the win pool
    // gives no view of the race.
    HitChances(QByteArrayView voteRecord, const sim::PoolFigures& figures, finish::Model model,
               const std::vector<int>& entries);

    struct Finish {
        double chance = 0;
        std::array<int, 3> tickets{};  // indexes into the tickets
        int count = 0;
    };
    const std::vector<Finish>& finishes() const { return finishes_; }
    // The finishes that pay ticket i, as indexes into finishes().
    const std::vector<int>& finishesOf(size_t ticket) const { return byTicket_[ticket]; }

    // Ticket i's own chance of paying.
    double chance(size_t ticket) const { return chance_[ticket]; }
    // The chance that a ticket of a payout above 0 pays (`payouts` in the
    // tickets' order, yen).
    double hitChance(const std::vector<long long>& payouts) const;
    // The payout to expect in yen: every finish's payouts by its chance.
    double expectedPayout(const std::vector<long long>& payouts) const;

private:
    void add(double chance, std::initializer_list<int> entries, const std::vector<int>& ticketOf);

    std::vector<Finish> finishes_;
    std::vector<std::vector<int>> byTicket_;
    std::vector<double> chance_;
};

}  // namespace tavek::purchase
