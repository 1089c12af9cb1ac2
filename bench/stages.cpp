// What the stage and settings pages compute on every refresh tick: the stage
// states, the twelve powers and phases, and the twelve settings read-back texts.
#include <benchmark/benchmark.h>

#include <string>

#include "control/core/CapacitorStages.h"
#include "control/core/RelaySettings.h"

namespace {

using namespace izleme;

RegisterTable filledTable() {
    RegisterTable t;
    t.setValue(1, 66, 0);
    t.setValue(1, 67, 0x5A5);
    for (int r = 166; r <= 180; ++r) t.setValue(1, r, 100 + 7 * r);
    for (int n = 1; n <= kStageCount; ++n) {
        t.setValue(1, 191 + n, 500 * n);
        t.setValue(1, 205 + n, n % 5);
    }
    return t;
}

void stageViewTick(benchmark::State& state) {
    const RegisterTable table = filledTable();
    for (auto _ : state) {
        auto states = stageStates(table, 1);
        benchmark::DoNotOptimize(states);
        for (int n = 1; n <= kStageCount; ++n) {
            std::string power = stagePowerText(table, 1, n, ',');
            auto phase = stagePhaseText(table, 1, n);
            benchmark::DoNotOptimize(power.data());
            benchmark::DoNotOptimize(phase);
        }
    }
}
BENCHMARK(stageViewTick)->Unit(benchmark::kMicrosecond);

void settingsReadBackTick(benchmark::State& state) {
    const RegisterTable table = filledTable();
    for (auto _ : state) {
        for (const SettingsGroup& g : settingsGroups()) {
            for (int r = g.firstRegister; r < g.firstRegister + g.count; ++r) {
                std::string text = readBackText(table, 1, r, ',');
                benchmark::DoNotOptimize(text.data());
            }
        }
    }
}
BENCHMARK(settingsReadBackTick)->Unit(benchmark::kMicrosecond);

}  // namespace
