// Register data speeds: one display refresh tick of the instantaneous values
// from a filled row, and the reply parser on a 200-register reply.
#include <benchmark/benchmark.h>

#include <string>

#include "registers/core/InstantValues.h"
#include "registers/core/RegisterReplyParser.h"

namespace {

using namespace izleme;

// A plausible filled row: every register 0..65 holds a value.
void fillRow(RegisterTable& t, int row) {
    for (int r = 0; r < 66; r += 2) {
        t.setValue(row, r, r % 4 == 0 ? 0 : 65535);
        t.setValue(row, r + 1, 1000 + 37 * r);
    }
}

void refreshTick(benchmark::State& state) {
    RegisterTable table;
    fillRow(table, 1);
    for (auto _ : state) {
        std::vector<DisplayText> texts = instantValues(table, 1, ',');
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(refreshTick)->Unit(benchmark::kMicrosecond);

std::string reply(int registers) {
    std::string text = "1$3$" + std::to_string(2 * registers) + "$";
    for (int r = 0; r < registers; ++r) text += std::to_string(r % 256) + "$" + std::to_string((r * 7) % 256) + "$";
    return text + "12$34$";
}

void parseReply200(benchmark::State& state) {
    RegisterTable table;
    table.setDeviceRow(1);
    const std::string text = reply(200);
    for (auto _ : state) {
        table.setCursor(0);
        parseRegisterReply(table, text);
        benchmark::DoNotOptimize(table.value(1, 199));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(parseReply200)->Unit(benchmark::kMicrosecond);

}  // namespace
