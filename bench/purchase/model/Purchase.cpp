// A purchase of many trifecta tickets with the 均等買い split, every figure
// after the whole purchase and under the discounted model: what the 買い目
// tab works out on each change and tavek-cli tickets once. Targets: a
// formation of 300 tickets under 20 ms, the whole trifecta (4,896 tickets)
// under 200 ms.
#include "purchase/model/Purchase.h"
#include "support/TrifectaRecord.h"
#include "support/VoteRecord.h"

#include <benchmark/benchmark.h>

using namespace tavek;
using namespace tavek::purchase;

namespace {

std::vector<int> runners(int last)
{
    std::vector<int> r;
    for (int h = 1; h <= last; ++h)
        r.push_back(h);
    return r;
}

void run(benchmark::State& state, const Form& form, long long total, Split split = Split::Payout)
{
    const QByteArray votes = bench::fullVoteCounts();
    const QByteArray trifecta = bench::fullTrifecta();
    Order order;
    order.pool = pools::Pool::Trifecta;
    order.form = form;
    order.split = split;
    order.total = total;
    order.bankroll = 10'000'000;
    order.model = finish::Model::Discounted;
    for (auto _ : state)
        benchmark::DoNotOptimize(buy(order, votes, trifecta));
}

// 1着 1-5, 2着 1-7, 3着 1-12: 5 x 6 x 10 = 300 tickets, 1,000 yen a ticket.
void BM_Formation300(benchmark::State& state)
{
    run(state, Form::formation({runners(5), runners(7), runners(12)}), 300'000);
}
BENCHMARK(BM_Formation300)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Kelly over the same tickets: each 100-yen step weighs every ticket.
void BM_Formation300Kelly(benchmark::State& state)
{
    run(state, Form::formation({runners(5), runners(7), runners(12)}), 300'000, Split::Kelly);
}
BENCHMARK(BM_Formation300Kelly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Every trifecta ticket, 200 to 1,000 yen a ticket.
void BM_WholeTrifecta(benchmark::State& state)
{
    run(state, Form::box(runners(pools::kMaxRunners)), state.range(0));
}
BENCHMARK(BM_WholeTrifecta)
    ->Arg(1'000'000)
    ->Arg(5'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
