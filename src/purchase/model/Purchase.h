#pragma once

#include "finishorder/FinishOrder.h"
#include "odds/model/PoolFigures.h"
#include "purchase/model/TicketForm.h"

#include <QByteArrayView>
#include <optional>
#include <vector>

// A purchase of many tickets of one pool, every figure with the whole
// purchase in the pool: each ticket's stake joins its entry and the pool's
// total, so the stakes on the other tickets raise a ticket's payout a little
// and its own stake lowers it. Beside each figure stands the same at the odds
// now, without the purchase. Place and wide count the lower end of their
// range (what a ticket pays whoever else places), as the stake advisor does.
namespace tavek::purchase {

// How the total is spread over the tickets, 100 yen at a time.
enum class Split {
    Equal,   // the same stake on each ticket, the most the total allows
    Payout,  // 均等買い: every hit pays about the same (the dutching walk)
    Kelly,   // the largest expected log growth of the bankroll, the model's chances
};

struct Order {
    pools::Pool pool = pools::Pool::Trifecta;
    Form form;
    Split split = Split::Equal;
    long long total = 0;   // yen, a multiple of 100: what may be spent
    long long target = 0;  // yen above 0: the least purchase whose every hit pays this (total and split unused)
    std::optional<finish::Model> model;  // the chances of the hits; Kelly needs one
    long long bankroll = 0;              // Kelly's bankroll, yen
};

struct Ticket {
    int entry = 0;             // of the pool
    long long stake = 0;       // yen; Kelly may leave a ticket unbought (0)
    sim::OddsRange oddsNow;    // tenths, none where the entry has no votes now
    sim::OddsRange oddsAfter;  // tenths, with every stake of the purchase in the pool
    long long payout = 0;      // yen if it hits, at oddsAfter.low
    long long payoutNow = 0;   // yen at oddsNow.low
    double chance = -1;        // the model's chance of a hit; -1 without a model
};

struct Purchase {
    pools::Pool pool = pools::Pool::Trifecta;
    Form form;
    Split split = Split::Equal;
    long long budget = 0;  // the total asked; 0 with a target
    long long target = 0;
    std::optional<finish::Model> model;
    std::vector<Ticket> tickets;  // JRA's order
    std::vector<int> leftOut;     // entries naming a refunded runner, left out of the purchase
    std::vector<int> refunded;    // the refunded runners the form names
    long long total = 0;          // yen, the whole purchase
    // 1 / Σ(1 / odds) over the tickets bought; 0 for none. Now: the tickets
    // with odds now.
    double combinedOdds = 0;
    double combinedOddsNow = 0;
    // With a model: the chance that a ticket bought pays, and the payout to
    // expect in yen (after the purchase, and at the odds now); -1 without.
    double hitChance = -1;
    double expectedReturn = -1;
    double expectedReturnNow = -1;

    // The purchase's net in yen if ticket t hits, after and now.
    long long net(const Ticket& t) const { return t.payout - total; }
    long long netNow(const Ticket& t) const { return t.payoutNow - total; }
    // トリガミ: a ticket bought whose hit pays less than the whole purchase.
    bool torigami(const Ticket& t) const { return t.stake > 0 && t.payout < total; }
    bool torigamiNow(const Ticket& t) const { return t.stake > 0 && t.payoutNow < total; }
    int bought() const;
};

// The purchase of `order` in the race of vote-count record `voteRecord` (and
// trifecta record `trifectaRecord` for the trifecta). Refusal (Input) for a
// form or total that makes no purchase (formEntries; a runner the race does
// not list; a total below 100 yen a ticket, naming what is needed; a target
// no purchase within kMaxYen reaches; Kelly without a model); Refusal (Race)
// for a pool not sold, a purchase whose every ticket names a refunded runner,
// or a model without a view of the race.
Purchase buy(const Order& order, QByteArrayView voteRecord, QByteArrayView trifectaRecord = {});

}  // namespace tavek::purchase
