// A meter reading as it arrives: chunks of "sayacal" messages through the
// dispatcher (each readout is consumed with its message, not walked over byte
// by byte), and the readout gathered message by message with its six index
// cuts made afresh from the whole text each time.
#include "energy/core/MeterReadout.h"
#include "server/core/ReplyDispatcher.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kReadout =
    "/ZDN5ZDN100-14001\r\n0.0.0(14001)\r\n0.9.1(101500)\r\n0.9.2(240304)\r\n21.8.0(060040.123*kWh)\r\n"
    "41.8.0(058273.044*kWh)\r\n61.8.0(058273.044*kWh)\r\n1.8.0(176715.008*kWh)\r\n1.8.1(102734.721*kWh)\r\n"
    "1.8.2(049558.651*kWh)\r\n1.8.3(024421.636*kWh)\r\n5.8.0(024233.670*kvarh)\r\n8.8.0(012236.594*kvarh)\r\n"
    "32.7.0(231.4*V)\r\n52.7.0(229.8*V)\r\n72.7.0(230.6*V)\r\n31.7.0(101.25*A)\r\n51.7.0(098.40*A)\r\n"
    "71.7.0(099.10*A)\r\n14.7.0(50.01*Hz)\r\n0.2.0(V1.04)\r\n96.50(T1)\r\n!\r\n";

struct Gathering : izleme::ReplyHandlers {
    izleme::meter::MeterReadout readout;
    void sayacal(std::string_view text) override { readout.append(text); }
};

// A chunk of `messages` readouts, each a whole reading in one message.
void BM_DispatchReadouts(benchmark::State& state) {
    std::string chunk;
    for (int i = 0; i < state.range(0); ++i) chunk += "sayacal\x01#\x01" + kReadout + "\xF4\xF4\xF4";
    izleme::ReplyDispatcher dispatcher;
    for (auto _ : state) {
        Gathering h;
        benchmark::DoNotOptimize(dispatcher.dispatch(chunk, "sayac", h));
        benchmark::DoNotOptimize(h.readout.shown());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(chunk.size()));
    state.SetComplexityN(state.range(0));
}

// One reading in `parts` messages, cut at line ends.
void BM_GatherReadout(benchmark::State& state) {
    const auto parts = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        izleme::meter::MeterReadout m;
        for (std::size_t p = 0; p < parts; ++p) {
            const std::size_t from = kReadout.size() * p / parts;
            const std::size_t to = kReadout.size() * (p + 1) / parts;
            m.append(std::string_view(kReadout).substr(from, to - from));
        }
        benchmark::DoNotOptimize(m.shown());
    }
}

}  // namespace

BENCHMARK(BM_DispatchReadouts)->RangeMultiplier(4)->Range(1, 256)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_GatherReadout)->Arg(1)->Arg(3)->Arg(8)->Unit(benchmark::kMicrosecond);
