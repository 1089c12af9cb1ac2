// Cost of the locale number services that the once-a-second refresh calls for
// every display: masks, the general format and text-to-number.
#include <benchmark/benchmark.h>

#include "toolkit/core/NumberFormat.h"

namespace {

void maskFormat(benchmark::State& state) {
    double x = 229.87;
    for (auto _ : state) {
        benchmark::DoNotOptimize(izleme::formatMask(x, "000.0", ','));
        x += 0.01;
    }
}
BENCHMARK(maskFormat);

void generalFormat(benchmark::State& state) {
    double x = 1.0 / 3.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(izleme::formatGeneral(x, '.'));
        x *= 1.0001;
    }
}
BENCHMARK(generalFormat);

void numberParse(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(izleme::parseNumber("  -1234,5678E-2 ", ','));
    }
}
BENCHMARK(numberParse);

}  // namespace
