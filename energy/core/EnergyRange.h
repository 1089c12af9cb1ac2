// The date-range energy reply of a device ("reaktifenerji" for an analyzer
// relay, "tedassycal" for a meter): the counters at two dates, the inductive
// and capacitive ratios between them and their penalty classes, as the
// date-range panel shows them. Texts are code page 1254 bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "energy/core/PenaltyClass.h"

namespace izleme::energy {

// The reply's fields after its keyword: serial, first date, last date, A1, A2,
// I1, I2, C1, C2 (active, inductive and capacitive counters at each date).
using RangeFields = std::array<std::string_view, 9>;

// The mask of every counter and ratio display: two decimals, no leading zero.
inline constexpr std::string_view rangeMask = "##.00";

struct RatioShown {
    double percent = 0;
    std::string text;  // "##.00" under the locale decimal separator
    PenaltyClass penalty = PenaltyClass::Normal;
};

struct RangeShown {
    std::string statusText;  // "<serial> Cihazının <first> ve <last> tarihleri arası ..."
    // The counters A1, A2, I1, I2, C1, C2 as far as they converted, each divided
    // by the divisor and under "##.00"; fewer than six when one failed.
    std::vector<std::string> counters;
    // Inductive, then capacitive; nothing when a counter failed to convert,
    // so that no ratio of an earlier reply stays beside these counters.
    std::optional<std::array<RatioShown, 2>> ratios;
};

// Reads a reply. Counters are decimal numbers under decimalSeparator; shown
// counters are divided by displayDivisor (1000 for watt-hours), ratios come
// from the counters as received. When A2 is not above A1 both ratios are 0.
RangeShown readRangeReply(const RangeFields& fields, double displayDivisor, char decimalSeparator);

// The alarm text for a ratio in "CEZA":
// "<serial> Seri Nolu cihaz CEZA sınırında: İndüktif oran %<ratio text>".
std::string penaltyAlarmText(std::string_view serial, RatioSide side, std::string_view ratioText);

}  // namespace izleme::energy
