#include "racedata/RaceResult.h"

#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"
#include "racedata/ShownText.h"

#include <QString>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace tavek::result {

namespace {

using pools::Pool;

bool digits(QByteArrayView f)
{
    return !f.isEmpty() && std::all_of(f.begin(), f.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool blank(QByteArrayView f)
{
    return std::all_of(f.begin(), f.end(), [](char c) { return c == ' '; });
}

// Blank or zeros: an unused slot's field.
bool unused(QByteArrayView f)
{
    return std::all_of(f.begin(), f.end(), [](char c) { return c == ' ' || c == '0'; });
}

long long number(QByteArrayView f)
{
    long long n = 0;
    for (char c : f)
        n = n * 10 + (c - '0');
    return n;
}

class Reader {
public:
    explicit Reader(QByteArrayView record) : record_(record) {}

    [[noreturn]] void fail(const QString& what) const
    {
        throw ReadError(QStringLiteral("払戻レコード（レース %1）の%2")
                            .arg(shown::bytes(layout::raceKey(record_)), what)
                            .toStdString());
    }

    QByteArrayView at(int position, int length) const { return record_.sliced(position - 1, length); }

    int count(int position, const QString& name) const
    {
        const QByteArrayView f = at(position, layout::kCountLen);
        if (!blank(f) && !digits(f))
            fail(QStringLiteral("%1「%2」が数字ではありません").arg(name, shown::bytes(f)));
        return blank(f) ? 0 : int(number(f));
    }

    bool flag(int position, const QString& name) const
    {
        const char c = record_[position - 1];
        if (c != '0' && c != '1' && c != ' ')
            fail(QStringLiteral("%1「%2」が0か1ではありません").arg(name, shown::bytes(at(position, 1))));
        return c == '1';
    }

    pools::PoolPayout payouts(Pool pool) const
    {
        using namespace layout;
        const pools::PayoutLayout& payoutSlots = pools::payoutLayout(pool);
        const QString name = pools::pool(pool).caption();
        pools::PoolPayout paid;
        paid.notHeld = flag(hrFlag(kHrNotHeld, pool), name + QStringLiteral("の不成立フラグ"));
        paid.special = flag(hrFlag(kHrSpecial, pool), name + QStringLiteral("の特払フラグ"));
        paid.refunds = flag(hrFlag(kHrRefunds, pool), name + QStringLiteral("の返還フラグ"));
        for (int j = 0; j < payoutSlots.count; ++j) {
            const QByteArrayView combination = at(payoutSlots.slot(j), payoutSlots.combinationLen);
            const QByteArrayView yen = at(payoutSlots.yen(j), pools::PayoutLayout::kYenLen);
            const QByteArrayView popularity = at(payoutSlots.popularity(j), payoutSlots.popularityLen);
            const QString where = QStringLiteral("%1の払戻%2番目の").arg(name).arg(j + 1);
            if (unused(combination)) {
                if (!unused(yen) || !unused(popularity))
                    fail(where + QStringLiteral("組番がないのに払戻金か人気があります"));
                continue;
            }
            if (!digits(combination))
                fail(where + QStringLiteral("組番「%1」が数字ではありません").arg(shown::bytes(combination)));
            if (!digits(yen))
                fail(where + QStringLiteral("払戻金「%1」が数字ではありません").arg(shown::bytes(yen)));
            if (!blank(popularity) && !digits(popularity))
                fail(where + QStringLiteral("人気「%1」が数字ではありません").arg(shown::bytes(popularity)));
            const int entry = entryOfCombination(pool, combination);
            if (entry == 0)
                fail(where
                     + QStringLiteral("組番「%1」は%2の組番になっていません").arg(shown::bytes(combination), name));
            if (std::any_of(paid.payouts.begin(), paid.payouts.end(),
                            [entry](const pools::EntryPayout& p) { return p.entry == entry; }))
                fail(where + QStringLiteral("組番「%1」は2度目です").arg(shown::bytes(combination)));
            paid.payouts.push_back({entry, number(yen), blank(popularity) ? 0 : int(number(popularity))});
        }
        std::sort(paid.payouts.begin(), paid.payouts.end(),
                  [](const pools::EntryPayout& a, const pools::EntryPayout& b) { return a.entry < b.entry; });
        return paid;
    }

private:
    // The entry the digits name, each number of equal width; 0 when the
    // pool numbers no such combination. The runners of a field are 1..18
    // in every pool, the win and place tables' slots beyond notwithstanding.
    static int entryOfCombination(Pool pool, QByteArrayView combination)
    {
        const int count = pools::pool(pool).runners;
        const qsizetype width = combination.size() / count;
        int n[3] = {};
        for (int i = 0; i < count; ++i) {
            n[i] = int(number(combination.sliced(i * width, width)));
            if (n[i] > pools::kMaxRunners)
                return 0;
        }
        return pools::entryOf(pool, n[0], n[1], n[2]);
    }

    QByteArrayView record_;
};

// Every way to split `runners` into places in order, each a finishing order.
void eachOrder(std::vector<int> runners, std::vector<std::vector<int>>& places,
               const std::function<void(const pools::FinishingOrder&)>& visit)
{
    if (runners.empty()) {
        visit({places});
        return;
    }
    // Each non-empty subset for the next place, the rest after it.
    const unsigned n = unsigned(runners.size());
    for (unsigned mask = 1; mask < (1u << n); ++mask) {
        std::vector<int> place, rest;
        for (unsigned i = 0; i < n; ++i)
            (mask & (1u << i) ? place : rest).push_back(runners[i]);
        places.push_back(place);
        eachOrder(rest, places, visit);
        places.pop_back();
    }
}

}  // namespace

RaceResult read(QByteArrayView record)
{
    using namespace layout;
    if (record.endsWith("\r\n"))
        record.chop(2);
    const Reader in(record);
    if (recordType(record) != "HR" || record.size() != kHrLength - 2)
        throw ReadError(
            QStringLiteral("%1バイトのレコード「%2」は払戻レコード（HR、CR LFを除いて%3バイト）ではありません")
                .arg(record.size())
                .arg(shown::bytes(header(record)))
                .arg(kHrLength - 2)
                .toStdString());
    RaceResult result;
    result.raceKey = raceKey(record).toByteArray();
    result.registered = in.count(kHrRegistered, QStringLiteral("登録頭数"));
    result.starters = in.count(kHrStarters, QStringLiteral("出走頭数"));
    for (int h = 1; h <= pools::kRecordSlots; ++h)
        result.refunds.runner[size_t(h)] = in.flag(hrRunnerRefund(h), QStringLiteral("%1番の返還フラグ").arg(h));
    for (int b = 1; b <= pools::kBrackets; ++b) {
        result.refunds.bracket[size_t(b)] = in.flag(hrBracketRefund(b), QStringLiteral("%1枠の返還フラグ").arg(b));
        result.refunds.sameBracket[size_t(b)] = in.flag(hrSameBracketRefund(b),
                                                        QStringLiteral("%1枠の同枠返還フラグ").arg(b));
    }
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p)
        result.payouts[p] = in.payouts(Pool(p));
    result.order = resultOrder(result.payouts, result.starters);
    return result;
}

pools::FinishingOrder resultOrder(const pools::RacePayouts& payouts, int starters)
{
    constexpr size_t kMostRunners = 5;
    std::set<int> paidRunners;
    std::vector<Pool> telling;
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p) {
        const Pool pool = Pool(p);
        const pools::PoolPayout& paid = payouts[p];
        if (pool == Pool::Bracket || paid.notHeld || paid.special || paid.payouts.empty())
            continue;
        telling.push_back(pool);
        for (const pools::EntryPayout& e : paid.payouts)
            for (int runner : pools::entryRunners(pool, e.entry))
                if (runner > 0)
                    paidRunners.insert(runner);
    }
    if (paidRunners.empty() || paidRunners.size() > kMostRunners)
        return {};
    std::vector<pools::FinishingOrder> fitting;
    std::vector<std::vector<int>> places;
    eachOrder({paidRunners.begin(), paidRunners.end()}, places, [&](const pools::FinishingOrder& order) {
        for (Pool pool : telling) {
            std::vector<int> paid;
            for (const pools::EntryPayout& e : payouts[size_t(pool)].payouts)
                paid.push_back(e.entry);
            if (pools::winningEntries(pool, order, starters, {}) != paid)
                return;
        }
        fitting.push_back(order);
    });
    if (fitting.empty())
        return {};
    pools::FinishingOrder shared;
    for (size_t i = 0; i < fitting.front().places.size(); ++i) {
        const std::vector<int>& place = fitting.front().places[i];
        if (!std::all_of(fitting.begin(), fitting.end(),
                         [&](const pools::FinishingOrder& o) { return i < o.places.size() && o.places[i] == place; }))
            break;
        shared.places.push_back(place);
    }
    return shared;
}

}  // namespace tavek::result
