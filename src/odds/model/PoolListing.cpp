#include "odds/model/PoolListing.h"

#include "racedata/KeibaFunc.h"
#include "racedata/NumberFormat.h"

#include <algorithm>

namespace tavek::sim {

int placeBracket(const PoolBoard& board, int n)
{
    return board.pool() == pools::Pool::Place && board.inField(n) ? keiba::bracketOf(board.registered(), n) : 0;
}

QString shareText(const PoolBoard& board, int n)
{
    if (board.votes(n) < 0 || board.total() <= 0)
        return {};
    return fmt::fixed1(static_cast<long double>(board.votes(n)) * 100 / board.total(), 5) + u'%';
}

std::vector<int> mostBacked(const PoolBoard& board, int count)
{
    std::vector<int> entries;
    for (int n = 1; n <= board.size(); ++n)
        if (board.inField(n) && board.votes(n) > 0)
            entries.push_back(n);
    const auto more = [&](int a, int b) {
        return board.votes(a) > board.votes(b) || (board.votes(a) == board.votes(b) && a < b);
    };
    // Only the head is needed: 20 of up to 816 trio entries at every race switch.
    const auto head = entries.begin() + std::min<ptrdiff_t>(std::max(count, 0), ptrdiff_t(entries.size()));
    std::partial_sort(entries.begin(), head, entries.end(), more);
    entries.erase(head, entries.end());
    return entries;
}

QString rankedLine(const PoolBoard& board, int rank, int n)
{
    return fmt::integer(rank, 2) + u' ' + board.label(n).leftJustified(8) + board.votesText(n) + u' '
           + board.oddsText(n);
}

}  // namespace tavek::sim
