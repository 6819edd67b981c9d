#include "pools/PoolIndex.h"
#include "purchase/model/TicketForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace tavek;
using namespace tavek::purchase;
using pools::Pool;

namespace {

using Runners = std::vector<int>;

bool in(const Runners& set, int runner)
{
    return std::find(set.begin(), set.end(), runner) != set.end();
}

// Whether entry n of `pool` is a ticket of `form`, by the form's definition:
// a box names only its runners; a pivot names every pivot and partners
// otherwise (the pivots first, in order, for an ordered pool without マルチ);
// a formation takes one runner from each place's set (in some order, for a
// pool that does not count it).
bool ticketOf(Pool pool, const Form& form, int n)
{
    const pools::EntryRunners e = pools::entryRunners(pool, n);
    Runners r(e.begin(), e.begin() + pools::pool(pool).runners);
    const bool ordered = pools::pool(pool).numbering.order == pools::Order::Ordered;
    switch (form.kind) {
    case FormKind::List:
        return in(form.bets, n);
    case FormKind::Box:
        return std::all_of(r.begin(), r.end(), [&](int h) { return in(form.runners, h); });
    case FormKind::Pivot: {
        if (ordered && !form.multi)
            return std::equal(form.pivots.begin(), form.pivots.end(), r.begin())
                   && std::all_of(r.begin() + long(form.pivots.size()), r.end(),
                                  [&](int h) { return in(form.runners, h); });
        return std::all_of(form.pivots.begin(), form.pivots.end(), [&](int p) { return in(r, p); })
               && std::all_of(r.begin(), r.end(), [&](int h) { return in(form.pivots, h) || in(form.runners, h); });
    }
    case FormKind::Formation:
        break;
    }
    if (!ordered)
        std::sort(r.begin(), r.end());
    do {
        bool fits = true;
        for (size_t i = 0; i < r.size(); ++i)
            fits = fits && in(form.places[i], r[i]);
        if (fits)
            return true;
    } while (!ordered && std::next_permutation(r.begin(), r.end()));
    return false;
}

Form box(Runners runners)
{
    return Form::box(std::move(runners));
}

Form pivot(Runners pivots, Runners partners, bool multi = false)
{
    return Form::pivot(std::move(pivots), std::move(partners), multi);
}

Form formation(Runners first, Runners second, Runners third = {})
{
    return Form::formation({std::move(first), std::move(second), std::move(third)});
}

Form list(Runners entries)
{
    return Form::list(std::move(entries));
}

Runners allRunners()
{
    Runners r(pools::kMaxRunners);
    std::iota(r.begin(), r.end(), 1);
    return r;
}

}  // namespace

// Every form of every pool makes JRA's count of tickets: exactly the entries
// its definition names, ascending (the order of the pool's entries, JRA's).
TEST(TicketForm, MakesTheEntriesItsDefinitionNamesInJrasOrder)
{
    const struct {
        Pool pool;
        Form form;
        int count;
    } cases[] = {
        {Pool::Win, list({3, 1, 7}), 3},
        {Pool::Place, list({5}), 1},
        {Pool::Trifecta, list({4896, 1, 300}), 3},
        {Pool::Quinella, box({1, 2, 3, 4}), 6},
        {Pool::Wide, box({2, 9}), 1},
        {Pool::Exacta, box({1, 2, 3, 4}), 12},
        {Pool::Trio, box({1, 2, 3, 4, 5}), 10},
        {Pool::Trifecta, box({1, 2, 3, 4, 5}), 60},
        {Pool::Trifecta, box(allRunners()), 4896},
        {Pool::Trio, box(allRunners()), 816},
        {Pool::Quinella, pivot({5}, {1, 2, 3}), 3},
        {Pool::Exacta, pivot({5}, {1, 2, 3}), 3},
        {Pool::Exacta, pivot({5}, {1, 2, 3}, true), 6},
        {Pool::Trio, pivot({5}, {1, 2, 3, 4}), 6},
        {Pool::Trio, pivot({5, 6}, {1, 2, 3, 4}), 4},
        {Pool::Trifecta, pivot({5}, {1, 2, 3, 4}), 12},
        {Pool::Trifecta, pivot({5}, {1, 2, 3, 4}, true), 36},
        {Pool::Trifecta, pivot({6, 5}, {1, 2, 3, 4}), 4},
        {Pool::Trifecta, pivot({5, 6}, {1, 2, 3, 4}, true), 24},
        {Pool::Exacta, formation({1, 2}, {1, 2, 3}), 4},
        {Pool::Quinella, formation({1, 2}, {1, 2, 3}), 3},
        {Pool::Wide, formation({7}, {7, 8}), 1},
        {Pool::Trio, formation({1, 2}, {1, 2, 3}, {1, 2, 3, 4}), 4},
        {Pool::Trifecta, formation({1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}), 24},
        {Pool::Trifecta, formation({1}, {2}, {3}), 1},
        {Pool::Trifecta, formation(allRunners(), allRunners(), allRunners()), 4896},
    };
    for (const auto& c : cases) {
        std::vector<int> expected;
        for (int n = 1; n <= pools::pool(c.pool).entries; ++n)
            if (ticketOf(c.pool, c.form, n))
                expected.push_back(n);
        const std::vector<int> tickets = formEntries(c.pool, c.form);
        EXPECT_EQ(tickets, expected) << pools::pool(c.pool).key << ' ' << int(c.form.kind);
        EXPECT_EQ(int(tickets.size()), c.count) << pools::pool(c.pool).key << ' ' << int(c.form.kind);
    }
}

TEST(TicketForm, RefusesFormsThatMakeNoPurchase)
{
    Runners many(size_t(kMaxTickets) + 1, 1);
    const struct {
        Pool pool;
        Form form;
        const char16_t* reason;
    } cases[] = {
        {Pool::Trio, box({1, 2, 2, 3}), u"ボックスに2番が2回あります"},
        {Pool::Trifecta, box({1, 2}), u"3頭以上"},
        {Pool::Quinella, box({0, 2}), u"1から18まで"},
        {Pool::Trio, box({1, 2, 19}), u"1から18まで"},
        {Pool::Trifecta, pivot({1}, {2, 1, 3}), u"1番が軸と相手の両方"},
        {Pool::Trifecta, pivot({1, 1}, {2, 3}), u"軸に1番が2回"},
        {Pool::Quinella, pivot({1, 2}, {3, 4}), u"軸は1頭です"},
        {Pool::Trifecta, pivot({1, 2, 3}, {4}), u"1頭か2頭"},
        {Pool::Trifecta, pivot({}, {4}), u"1頭か2頭"},
        {Pool::Trio, pivot({1}, {2}), u"相手を2頭以上"},
        {Pool::Trio, pivot({1}, {2, 3}, true), u"マルチは馬単と3連単だけ"},
        {Pool::Trifecta, formation({1}, {1}, {1, 2}), u"買い目ができません"},
        {Pool::Exacta, formation({1}, {}), u"2着に馬を選んで"},
        {Pool::Exacta, formation({1}, {2}, {3}), u"2頭まで"},
        {Pool::Trio, formation({1}, {2, 2}, {3}), u"2頭目に2番が2回"},
        {Pool::Trifecta, list(many), u"4,896点までです（4,897点"},
        {Pool::Exacta, list({5, 7, 5}), u"1-6 が2回"},
        {Pool::Exacta, list({307}), u"組番はありません"},
        {Pool::Exacta, list({}), u"一つ以上"},
        {Pool::Win, box({1, 2}), u"通常"},
        {Pool::Bracket, list({1}), u"枠連は買い目の組み立てに対応していません"},
    };
    for (const auto& c : cases) {
        try {
            formEntries(c.pool, c.form);
            ADD_FAILURE() << "accepted: " << QString::fromUtf16(c.reason).toStdString();
        } catch (const Refusal& e) {
            EXPECT_EQ(e.kind(), Refusal::Input);
            EXPECT_TRUE(e.message().contains(QStringView(c.reason))) << e.message().toStdString();
        }
    }
}
