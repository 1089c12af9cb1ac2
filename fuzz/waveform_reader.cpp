// Waveform reader over arbitrary reply texts, then the analysis and the
// figures the page shows of it. Every sample is a signed byte; a broken reply
// stores nothing; the magnitudes are finite and no larger than the samples
// allow.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "control/core/HarmonicAnalysis.h"
#include "control/core/Waveform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const izleme::WaveformRead read = izleme::readWaveform(text);
    for (int s : read.samples)
        if (s < -128 || s > 127) std::abort();
    // Every sample needs a "$" of its own after the three leading ones.
    if (read.samples.size() > size / 2) std::abort();

    izleme::SampleBuffers buffers;
    if (!read.broken) buffers.store(read.samples);
    const izleme::Magnitudes m = izleme::harmonicMagnitudes(std::span<const double, 64>(buffers.voltage.data(), 64));
    for (double v : m)
        if (!std::isfinite(v) || v < 0 || v > 256.0) std::abort();
    const izleme::HarmonicList list = izleme::harmonicList(m, ',');
    for (int order = 1; order <= izleme::kHarmonicOrders; ++order) {
        const izleme::Bar bar =
            izleme::barRect(order, list.values[static_cast<std::size_t>(order - 1)], list.values[0], 171);
        if (bar.top < 0 || bar.top > bar.bottom) std::abort();
    }
    (void)izleme::thdText(izleme::thdPercent(list.values), ',');
    return 0;
}
