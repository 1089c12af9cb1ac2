// One phase of the harmonics page, from the reply text to the pictures: the
// waveform reader, the analysis of voltage and current (31 orders each), their
// magnitude lists and distortion, and the drawing of the waveform image and
// the two bar charts. The page's target: under 1 ms per phase in a release build.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>
#include <numbers>
#include <string>

#include "bench/client/QtBenchMain.h"
#include "control/core/HarmonicAnalysis.h"
#include "control/core/Waveform.h"
#include "control/ui/HarmonicDrawing.h"
#include "toolkit/ui/Cp1254Text.h"

using namespace izleme;

namespace {

// A complete reply text after its head: a distorted voltage and current.
std::string replyText() {
    std::string s = "1$3$130$";
    for (int q = 0; q < 2; ++q) {
        for (int i = 0; i < 64; ++i) {
            const double th = 2 * std::numbers::pi * i / 64;
            const double x = q == 0 ? 100 * std::sin(th) + 5 * std::sin(5 * th) + 3 * std::sin(7 * th)
                                    : 70 * std::sin(th - 0.6) + 12 * std::sin(5 * (th - 0.6));
            const long n = std::lround(x);
            s += std::to_string(n < 0 ? n + 256 : n) + "$";
        }
    }
    return s + "17$42$\xF4\xF4\xF4";
}

void BM_Analysis(benchmark::State& state) {
    SampleBuffers buffers;
    buffers.store(readWaveform(replyText()).samples);
    for (auto _ : state) {
        benchmark::DoNotOptimize(harmonicMagnitudes(std::span<const double, 64>(buffers.voltage.data(), 64)));
        benchmark::DoNotOptimize(harmonicMagnitudes(std::span<const double, 64>(buffers.current.data(), 64)));
    }
}
BENCHMARK(BM_Analysis)->Unit(benchmark::kMicrosecond);

void BM_PhaseReadAnalyseAndDraw(benchmark::State& state) {
    const std::string text = replyText();
    QImage wave(254, 254, QImage::Format_RGB32);
    QImage voltageChart(254, 171, QImage::Format_RGB32);
    QImage currentChart(254, 171, QImage::Format_RGB32);
    SampleBuffers buffers;
    for (auto _ : state) {
        const WaveformRead read = readWaveform(text);
        drawWaveform(wave, read.samples);
        buffers.store(read.samples);
        for (const auto& [samples, chart, current] :
             {std::tuple{&buffers.voltage, &voltageChart, false}, std::tuple{&buffers.current, &currentChart, true}}) {
            const HarmonicList list =
                harmonicList(harmonicMagnitudes(std::span<const double, 64>(samples->data(), 64)), ',');
            const QString headline = fromCp1254(headlineText(headlinePrefix(2, current), list.values[0], ','));
            drawBarChart(*chart, list, headline, fromCp1254(cornerLabel(2, current)));
            benchmark::DoNotOptimize(thdText(thdPercent(list.values), ','));
        }
        benchmark::DoNotOptimize(wave.constBits());
    }
}
BENCHMARK(BM_PhaseReadAnalyseAndDraw)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return izleme::bench::runQtBenchmarks(argc, argv); }
