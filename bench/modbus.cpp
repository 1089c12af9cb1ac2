// The serial poll window's per-reply work: the CRC of the longest frame, the
// reading of the longest register reply, and the message list past its
// capacity (every new message drops the oldest).
#include <benchmark/benchmark.h>

#include <string>

#include "registers/core/Crc16.h"
#include "registers/core/ModbusRtu.h"
#include "server/core/MessageList.h"

namespace {

// A function 3 reply of 125 registers: 255 bytes, the longest frame.
std::string longestReply() {
    std::string f{1, 3, static_cast<char>(250)};
    for (int i = 0; i < 250; ++i) f += static_cast<char>(i * 7);
    izleme::modbus::appendCrc(f);
    return f;
}

void crcOfTheLongestFrame(benchmark::State& state) {
    const std::string frame = longestReply();
    for (auto _ : state) benchmark::DoNotOptimize(izleme::crc16Modbus(frame));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(frame.size()));
}
BENCHMARK(crcOfTheLongestFrame);

void readTheLongestReply(benchmark::State& state) {
    const std::string frame = longestReply();
    for (auto _ : state) benchmark::DoNotOptimize(izleme::modbus::readReply(frame).registers.size());
}
BENCHMARK(readTheLongestReply);

void messageListPastCapacity(benchmark::State& state) {
    izleme::MessageList list;
    const izleme::ServerMessage message{"Başlık", std::string(200, 'x')};
    for (int i = 0; i < izleme::MessageList::capacity; ++i) list.add(message);
    for (auto _ : state) benchmark::DoNotOptimize(list.add(message));
}
BENCHMARK(messageListPastCapacity);

}  // namespace
