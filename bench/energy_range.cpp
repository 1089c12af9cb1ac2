// Cost of reading one date-range energy reply as its panel shows it: six
// counters under "##.00", two ratios and their classes.
#include <benchmark/benchmark.h>

#include "energy/core/EnergyRange.h"

namespace {

void rangeReply(benchmark::State& state) {
    const izleme::energy::RangeFields fields{"12001",    "26.02.2024", "04.03.2024", "61447380", "75280840",
                                             "10047970", "12567660",   "123040",     "171280"};
    for (auto _ : state) benchmark::DoNotOptimize(izleme::energy::readRangeReply(fields, 1000, ','));
}
BENCHMARK(rangeReply);

}  // namespace
