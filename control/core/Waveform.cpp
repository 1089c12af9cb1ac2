#include "control/core/Waveform.h"

#include <algorithm>
#include <string>

#include "registers/core/RegisterReplyParser.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {

WaveformRead readWaveform(std::string_view text) {
    // Two consecutive bytes 199 and 239 become the single value 3, as in every
    // register reply text.
    const std::string work = shortenReadCode(text);

    std::string_view rest(work);
    for (int i = 0; i < 3; ++i) {
        const std::size_t d = rest.find('$');
        if (d != std::string_view::npos) rest.remove_prefix(d + 1);
    }

    WaveformRead out;
    while (rest.size() > 1) {
        const std::size_t d = rest.find('$');
        if (d == std::string_view::npos) break;  // the message's end: no further sample
        const std::optional<std::int64_t> n = parseInteger(rest.substr(0, d));
        if (!n || *n < 0 || *n > 255) {
            out.broken = true;
            break;
        }
        out.samples.push_back(*n > 127 ? static_cast<int>(*n) - 256 : static_cast<int>(*n));
        rest.remove_prefix(d + 1);
    }
    return out;
}

void SampleBuffers::store(const std::vector<int>& samples) {
    const std::size_t n = std::min<std::size_t>(samples.size(), kStoredSampleCount);
    for (std::size_t j = 0; j < n; ++j) {
        if (j < kWaveformSamples)
            voltage[j] = samples[j];
        else
            current[j - kWaveformSamples] = samples[j];
    }
}

}  // namespace izleme
