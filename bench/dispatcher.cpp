// Cost of one dispatch call over text that matches no keyword and over a
// chunk of valid mixed replies, for growing sizes: it should grow linearly.
#include "server/core/Reassembler.h"
#include "server/core/ReplyDispatcher.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using izleme::ReplyDispatcher;

// Counts what it is given, so that the handling is not optimised away.
struct Counting : izleme::ReplyHandlers {
    std::size_t bytes = 0;
    void cihazlar(std::string_view g, std::string_view m, std::string_view n, std::string_view s) override {
        bytes += g.size() + m.size() + n.size() + s.size();
    }
    void akimdegerleri(const std::array<std::string_view, 7>& f) override { bytes += f[6].size(); }
    void mesajvar(std::string_view h, std::string_view b) override { bytes += h.size() + b.size(); }
    void hattayok(std::string_view s) override { bytes += s.size(); }
    void enerjial(const izleme::EnerjialRoute&, std::string_view t) override { bytes += t.size(); }
    void pong() override { ++bytes; }
};

std::string junk(std::size_t size) {
    std::string s;
    s.reserve(size);
    for (std::size_t i = 0; s.size() < size; ++i) s.push_back(static_cast<char>('A' + i % 23));
    return s;
}

std::string mixed(std::size_t size) {
    const std::string S = "\x01";
    const std::string T = "\xF4\xF4\xF4";
    const std::string block = "cihazlar" + S + "merkez" + S + "KRT100" + S + "Pano" + S + "12001" + S + T + "pong" +
                              S + T + "akimdegerleri" + S + "1" + S + "2" + S + "3" + S + "4" + S + "5" + S + "6" +
                              S + "7" + S + T + "Hattayok" + S + "1234" + S + T + "mesajvar" + S + "h" + S + "b" +
                              S + T + "enerjial" + S + "ab1$3$4$0$230$1$44$12$34$" + T;
    std::string s;
    while (s.size() + block.size() <= size) s += block;
    return s;
}

void dispatchOnce(benchmark::State& state, const std::string& chunk) {
    Counting h;
    for (auto _ : state) {
        ReplyDispatcher d;
        benchmark::DoNotOptimize(d.dispatch(chunk, "anideger", h));
    }
    benchmark::DoNotOptimize(h.bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(chunk.size()));
    state.SetComplexityN(static_cast<std::int64_t>(chunk.size()));
}

void BM_DispatchUnrecognised(benchmark::State& state) {
    dispatchOnce(state, junk(static_cast<std::size_t>(state.range(0))));
}

void BM_DispatchMixedReplies(benchmark::State& state) {
    dispatchOnce(state, mixed(static_cast<std::size_t>(state.range(0))));
}

void BM_ReassembleThenDispatch(benchmark::State& state) {
    const std::string stream = mixed(static_cast<std::size_t>(state.range(0)));
    Counting h;
    for (auto _ : state) {
        izleme::Reassembler r;
        ReplyDispatcher d;
        for (std::size_t at = 0; at < stream.size(); at += 1460) {
            const std::string now = r.feed(std::string_view(stream).substr(at, 1460));
            if (!now.empty()) benchmark::DoNotOptimize(d.dispatch(now, "anideger", h));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(stream.size()));
}

BENCHMARK(BM_DispatchUnrecognised)->RangeMultiplier(4)->Range(4 << 10, 256 << 10)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_DispatchMixedReplies)->RangeMultiplier(4)->Range(4 << 10, 256 << 10)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_ReassembleThenDispatch)->Arg(64 << 10)->Unit(benchmark::kMicrosecond);

}  // namespace
