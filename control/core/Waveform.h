// The waveform reader of the harmonics page: a register reply text carrying 64
// voltage and 64 current samples of one period, each a signed byte sent as its
// byte value 0..255, followed by the reply's two check bytes.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace izleme {

inline constexpr int kWaveformSamples = 64;     // samples of each quantity in one period
inline constexpr int kStoredSampleCount = 130;  // 64 voltage, 64 current, 2 check bytes

struct WaveformRead {
    // The signed value of every field closed by "$" after the reply's three
    // leading fields, in order (128 and above stand for -128..-1).
    std::vector<int> samples;
    // A field before a "$" that is not a byte value 0..255: the reply is broken
    // and must not be mixed into what an earlier reply left.
    bool broken = false;
};

// Reads the text that follows the reply's 11-byte head, up to and including
// the message terminator. "$199$239" is first rewritten to "$3" (as register
// replies are), then everything up to the third "$" is skipped. What follows
// the last "$" (the terminator, or a cut-off field) ends the samples cleanly.
WaveformRead readWaveform(std::string_view text);

// The analysis state of the page, shared by the three phases: whichever phase
// replied last fills it. Positions a reply does not reach keep their values.
struct SampleBuffers {
    std::array<double, 66> voltage{};  // 0..63 voltage samples; 64, 65 never written
    std::array<double, 66> current{};  // 0..63 current samples; 64, 65 the check bytes

    // Sample j goes to voltage[j] (j <= 63) or current[j - 64] (j <= 129).
    void store(const std::vector<int>& samples);
};

}  // namespace izleme
