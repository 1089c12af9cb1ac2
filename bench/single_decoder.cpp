// The single decoder over all 2^32 bit patterns: each must give what the
// hardware conversion of the same bits gives, infinities and NaNs giving a
// zero of the same sign. Reports the count of mismatches; run by hand.
#include <benchmark/benchmark.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "registers/core/SingleDecoder.h"

namespace {

using izleme::decodeSingle;
using izleme::decodeSingleFromDigits;

double reference(std::uint32_t bits) {
    if (((bits >> 23) & 0xFF) == 0xFF) return (bits >> 31) ? -0.0 : 0.0;
    return static_cast<double>(std::bit_cast<float>(bits));
}

using Decoder = double (*)(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t);

void everyPattern(benchmark::State& state, Decoder decode, const char* label) {
    std::uint64_t mismatches = 0;
    std::uint32_t firstMismatch = 0;
    for (auto _ : state) {
        std::uint32_t bits = 0;
        do {
            const double got = decode(static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
                                      static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits));
            const double want = reference(bits);
            if (got != want || std::signbit(got) != std::signbit(want)) {
                if (mismatches++ == 0) firstMismatch = bits;
            }
        } while (++bits != 0);
    }
    state.counters["patterns"] = 4294967296.0;
    state.counters["mismatches"] = static_cast<double>(mismatches);
    std::printf("%s: %llu mismatches over 2^32 patterns\n", label, static_cast<unsigned long long>(mismatches));
    if (mismatches != 0) {
        std::printf("first mismatch at bits %08x\n", firstMismatch);
        state.SkipWithError("decoder differs from the hardware conversion");
    }
}

// The fast decoder over all patterns; the digit-text method (much slower) on
// request with --benchmark_filter=digits.
BENCHMARK_CAPTURE(everyPattern, fast, decodeSingle, "fast decoder")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(everyPattern, digits, decodeSingleFromDigits, "digit-text method")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

void decodeOne(benchmark::State& state) {
    std::uint32_t bits = 0x3F800000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeSingle(static_cast<std::uint8_t>(bits >> 24),
                                              static_cast<std::uint8_t>(bits >> 16),
                                              static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)));
        bits += 0x9E3779B9u;
    }
}
BENCHMARK(decodeOne);

}  // namespace
