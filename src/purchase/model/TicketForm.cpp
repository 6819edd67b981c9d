#include "purchase/model/TicketForm.h"

#include "pools/PoolIndex.h"
#include "racedata/NumberFormat.h"

#include <algorithm>
#include <set>

namespace tavek::purchase {

namespace {

using Sets = std::vector<std::array<std::vector<int>, 3>>;

[[noreturn]] void refuse(const QString& message)
{
    throw Refusal(Refusal::Input, message);
}

int numbers(pools::Pool pool)
{
    return pools::pool(pool).runners;
}

bool ordered(pools::Pool pool)
{
    return pools::pool(pool).numbering.order == pools::Order::Ordered;
}

QString runnerText(int runner)
{
    return QStringLiteral("%1番").arg(runner);
}

// Each runner once, within 1..18; `what` names the set in the refusal.
void checkSet(const std::vector<int>& runners, const QString& what)
{
    std::set<int> seen;
    for (int r : runners) {
        if (r < 1 || r > pools::kMaxRunners)
            refuse(QStringLiteral("%1の馬番は1から%2までです（%3）").arg(what).arg(pools::kMaxRunners).arg(r));
        if (!seen.insert(r).second)
            refuse(QStringLiteral("%1に%2が2回あります").arg(what, runnerText(r)));
    }
}

// The entries of the products of each row's sets, one runner from each set
// of the pool's places: a combination that names a runner twice makes no
// ticket, and a pool that does not count the order takes each set of runners
// once.
std::vector<int> productEntries(pools::Pool pool, const Sets& rows)
{
    const int k = numbers(pool);
    std::vector<bool> chosen(size_t(pools::pool(pool).entries) + 1, false);
    for (const auto& sets : rows) {
        std::array<int, 3> r{};
        const auto place = [&](auto& self, int i) -> void {
            if (i == k) {
                std::array<int, 3> key = r;
                if (!ordered(pool))
                    std::sort(key.begin(), key.begin() + k);
                chosen[size_t(pools::entryOf(pool, key[0], key[1], key[2]))] = true;
                return;
            }
            for (int runner : sets[size_t(i)])
                if (std::find(r.begin(), r.begin() + i, runner) == r.begin() + i) {
                    r[size_t(i)] = runner;
                    self(self, i + 1);
                }
        };
        place(place, 0);
    }
    chosen[0] = false;  // entryOf's "no entry"
    std::vector<int> entries;
    for (size_t n = 1; n < chosen.size(); ++n)
        if (chosen[n])
            entries.push_back(int(n));
    return entries;
}

std::vector<int> listEntries(pools::Pool pool, const std::vector<int>& bets)
{
    if (bets.size() > size_t(kMaxTickets))
        refuse(QStringLiteral("買い目は%1点までです（%2点が挙げられています）")
                   .arg(fmt::grouped(kMaxTickets, 0), fmt::grouped(qlonglong(bets.size()), 0)));
    if (bets.empty())
        refuse(QStringLiteral("買い目を一つ以上挙げてください"));
    std::set<int> seen;
    for (int n : bets) {
        if (n < 1 || n > pools::pool(pool).entries)
            refuse(QStringLiteral("%1にその組番はありません").arg(pools::pool(pool).caption()));
        if (!seen.insert(n).second)
            refuse(QStringLiteral("%1 が2回挙げられています").arg(pools::entryLabel(pool, n)));
    }
    return {seen.begin(), seen.end()};
}

std::vector<int> boxEntries(pools::Pool pool, const std::vector<int>& runners)
{
    checkSet(runners, QStringLiteral("ボックス"));
    if (int(runners.size()) < numbers(pool))
        refuse(QStringLiteral("%1のボックスには%2頭以上を選んでください")
                   .arg(pools::pool(pool).caption())
                   .arg(numbers(pool)));
    return productEntries(pool, {{runners, runners, runners}});
}

std::vector<int> pivotEntries(pools::Pool pool, const Form& form)
{
    const QString caption = pools::pool(pool).caption();
    if (form.multi && !offersMulti(pool))
        refuse(QStringLiteral("マルチは馬単と3連単だけのものです（%1は着順を問いません）").arg(caption));
    const int p = int(form.pivots.size());
    if (p < 1 || p > mostPivots(pool))
        refuse(mostPivots(pool) == 1 ? QStringLiteral("%1の流しの軸は1頭です").arg(caption)
                                     : QStringLiteral("%1の流しの軸は1頭か2頭です").arg(caption));
    checkSet(form.pivots, QStringLiteral("軸"));
    checkSet(form.runners, QStringLiteral("相手"));
    for (int pivot : form.pivots)
        if (std::count(form.runners.begin(), form.runners.end(), pivot))
            refuse(QStringLiteral("%1が軸と相手の両方にあります").arg(runnerText(pivot)));
    const int k = numbers(pool);
    if (int(form.runners.size()) < k - p)
        refuse(QStringLiteral("%1の軸%2頭流しには相手を%3頭以上選んでください").arg(caption).arg(p).arg(k - p));

    // The pivots in the first places in their order, the partners after
    // them; マルチ puts the pivots in every place, in either order.
    // seats[place]: the pivot that takes it, p for a partner.
    std::vector<int> seats;
    for (int i = 0; i < k; ++i)
        seats.push_back(std::min(i, p));
    Sets rows;
    do {
        std::array<std::vector<int>, 3> sets;
        for (int i = 0; i < k; ++i)
            sets[size_t(i)] = seats[size_t(i)] < p ? std::vector<int>{form.pivots[size_t(seats[size_t(i)])]}
                                                   : form.runners;
        rows.push_back(sets);
    } while (form.multi && std::next_permutation(seats.begin(), seats.end()));
    return productEntries(pool, rows);
}

std::vector<int> formationEntries(pools::Pool pool, const Form& form)
{
    const int k = numbers(pool);
    for (int i = 0; i < k; ++i) {
        const QString what = ordered(pool) ? QStringLiteral("%1着").arg(i + 1) : QStringLiteral("%1頭目").arg(i + 1);
        if (form.places[size_t(i)].empty())
            refuse(QStringLiteral("フォーメーションの%1に馬を選んでください").arg(what));
        checkSet(form.places[size_t(i)], what);
    }
    for (size_t i = size_t(k); i < form.places.size(); ++i)
        if (!form.places[i].empty())
            refuse(QStringLiteral("%1のフォーメーションは%2頭までです").arg(pools::pool(pool).caption()).arg(k));
    std::vector<int> entries = productEntries(pool, {form.places});
    if (entries.empty())
        refuse(QStringLiteral("このフォーメーションでは買い目ができません（どの組み合わせも同じ馬を2回含みます）"));
    return entries;
}

}  // namespace

Form Form::list(std::vector<int> entries)
{
    Form f;
    f.bets = std::move(entries);
    return f;
}

Form Form::box(std::vector<int> runners)
{
    Form f;
    f.kind = FormKind::Box;
    f.runners = std::move(runners);
    return f;
}

Form Form::pivot(std::vector<int> pivots, std::vector<int> partners, bool multi)
{
    Form f;
    f.kind = FormKind::Pivot;
    f.pivots = std::move(pivots);
    f.runners = std::move(partners);
    f.multi = multi;
    return f;
}

Form Form::formation(std::array<std::vector<int>, 3> places)
{
    Form f;
    f.kind = FormKind::Formation;
    f.places = std::move(places);
    return f;
}

bool purchasable(pools::Pool pool)
{
    return pool != pools::Pool::Bracket;
}

bool offersForm(pools::Pool pool, FormKind kind)
{
    return purchasable(pool) && (kind == FormKind::List || numbers(pool) > 1);
}

bool offersMulti(pools::Pool pool)
{
    return numbers(pool) > 1 && ordered(pool);
}

int mostPivots(pools::Pool pool)
{
    return numbers(pool) == 3 ? 2 : 1;
}

std::vector<int> formEntries(pools::Pool pool, const Form& form)
{
    const QString caption = pools::pool(pool).caption();
    if (!purchasable(pool))
        refuse(QStringLiteral("%1は買い目の組み立てに対応していません").arg(caption));
    if (!offersForm(pool, form.kind))
        refuse(QStringLiteral("%1は買い目を並べて（通常）買います").arg(caption));
    switch (form.kind) {
    case FormKind::List:
        return listEntries(pool, form.bets);
    case FormKind::Box:
        return boxEntries(pool, form.runners);
    case FormKind::Pivot:
        return pivotEntries(pool, form);
    case FormKind::Formation:
        break;
    }
    return formationEntries(pool, form);
}

std::vector<int> formRunners(pools::Pool pool, const Form& form)
{
    std::set<int> runners(form.runners.begin(), form.runners.end());
    runners.insert(form.pivots.begin(), form.pivots.end());
    for (const std::vector<int>& place : form.places)
        runners.insert(place.begin(), place.end());
    for (int n : form.bets)
        for (int r : pools::entryRunners(pool, n))
            if (r > 0)
                runners.insert(r);
    return {runners.begin(), runners.end()};
}

}  // namespace tavek::purchase
