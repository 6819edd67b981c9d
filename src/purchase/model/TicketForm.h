#pragma once

#include "pools/VotePools.h"

#include <QString>
#include <array>
#include <stdexcept>
#include <vector>

// How a bettor asks for many tickets of one pool at once, as JRA sells them:
// a list of bets (通常), a box of runners (ボックス), a pivot with its
// partners (流し, with マルチ for the ordered pools) or a set of runners for
// each place (フォーメーション). Win and place are bought as a list only.
namespace tavek::purchase {

// The most tickets one purchase holds: every entry of the largest pool.
inline constexpr int kMaxTickets = pools::pool(pools::Pool::Trifecta).entries;

// Why a purchase cannot be made, in the bettor's words. Input: what the
// bettor asked makes no purchase (a runner twice in a box, a total too small,
// ...). Race: the race refuses it (the pool not sold, every ticket refunded,
// no chances for the model).
class Refusal : public std::runtime_error {
public:
    enum Kind { Input, Race };
    Refusal(Kind kind, const QString& message) : std::runtime_error(message.toStdString()), kind_(kind) {}
    Kind kind() const { return kind_; }
    QString message() const { return QString::fromStdString(what()); }

private:
    Kind kind_;
};

enum class FormKind { List, Box, Pivot, Formation };

struct Form {
    FormKind kind = FormKind::List;
    std::vector<int> bets;                   // List: entries of the pool
    std::vector<int> runners;                // Box: the runners; Pivot: the partners (相手)
    std::vector<int> pivots;                 // Pivot: one, or two for trio and trifecta (軸)
    bool multi = false;                      // Pivot of exacta or trifecta: the pivots in any place (マルチ)
    std::array<std::vector<int>, 3> places;  // Formation: the runners of each place, first to third

    static Form list(std::vector<int> entries);
    static Form box(std::vector<int> runners);
    static Form pivot(std::vector<int> pivots, std::vector<int> partners, bool multi = false);
    static Form formation(std::array<std::vector<int>, 3> places);
};

// The pools bought by ticket: win, place, quinella, wide, exacta, trio,
// trifecta (the bracket quinella is not).
bool purchasable(pools::Pool pool);

// Whether `pool` is bought by `kind`: a list for every pool, the other forms
// for the pools of pairs and triples; マルチ for exacta and trifecta only.
bool offersForm(pools::Pool pool, FormKind kind);
bool offersMulti(pools::Pool pool);

// The pivots a pivot form of `pool` takes: 1, or 1 and 2 for trio and trifecta.
int mostPivots(pools::Pool pool);

// The tickets of `form` in `pool`: their entries ascending, JRA's order of
// tickets, each once (a formation drops repeats and the orders that name a
// runner twice). Refusal (Input) for a form that makes no purchase: a pool
// or form not offered, a runner outside 1..18, a runner twice in a box, a set
// or the pivots, a pivot among the partners, too few runners, a formation
// that makes no ticket, a list of more than kMaxTickets bets or one bet twice.
std::vector<int> formEntries(pools::Pool pool, const Form& form);

// The runners `form` names, ascending, each once.
std::vector<int> formRunners(pools::Pool pool, const Form& form);

}  // namespace tavek::purchase
