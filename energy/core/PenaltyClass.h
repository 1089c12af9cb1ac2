// Penalty classes of the reactive energy ratios: the ratio in percent, rounded
// to the nearest integer (a half to the even neighbour), against the limits of
// the inductive or the capacitive side, with the class's text and colour.
#pragma once

#include <string>

namespace izleme::energy {

enum class RatioSide { Inductive, Capacitive };

enum class PenaltyClass { Normal, Critical, Alarm, Penalty };

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The class of a ratio in percent. Negative ratios are "NORMAL"; a ratio too
// large for a 64-bit integer counts as the largest one.
PenaltyClass penaltyClass(double ratioPercent, RatioSide side);

// "NORMAL", "KRİTİK", "ALARM", "CEZA" as code page 1254 bytes.
std::string penaltyText(PenaltyClass c);

// lime, yellow, magenta, red.
Rgb penaltyColour(PenaltyClass c);

}  // namespace izleme::energy
