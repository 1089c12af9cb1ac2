#include "energy/core/EnergyRange.h"

#include <cmath>

#include "toolkit/core/NumberFormat.h"

namespace izleme::energy {

RangeShown readRangeReply(const RangeFields& fields, double displayDivisor, char decimalSeparator) {
    RangeShown shown;
    shown.statusText.append(fields[0])
        .append(" Cihaz\xFDn\xFDn ")
        .append(fields[1])
        .append(" ve ")
        .append(fields[2])
        .append(" tarihleri aras\xFD Enerji bilgileri al\xFDn\xFDyor. ");

    std::array<double, 6> counter{};
    for (std::size_t i = 0; i < counter.size(); ++i) {
        const auto value = parseNumber(fields[3 + i], decimalSeparator);
        if (!value) return shown;
        counter[i] = *value;
        shown.counters.push_back(formatMask(*value / displayDivisor, rangeMask, decimalSeparator));
    }

    const auto [a1, a2, i1, i2, c1, c2] = counter;
    double inductive = 0;
    double capacitive = 0;
    if (a2 - a1 > 0) {
        inductive = (i2 - i1) / (a2 - a1) * 100;
        capacitive = (c2 - c1) / (a2 - a1) * 100;
    }
    // Differences of counters near the end of the double range: no ratio to class.
    if (!std::isfinite(inductive) || !std::isfinite(capacitive)) return shown;

    auto ratio = [&](double percent, RatioSide side) {
        return RatioShown{percent, formatMask(percent, rangeMask, decimalSeparator), penaltyClass(percent, side)};
    };
    shown.ratios = {ratio(inductive, RatioSide::Inductive), ratio(capacitive, RatioSide::Capacitive)};
    return shown;
}

std::string penaltyAlarmText(std::string_view serial, RatioSide side, std::string_view ratioText) {
    std::string text(serial);
    text += " Seri Nolu cihaz CEZA s\xFDn\xFDr\xFDnda: ";
    text += side == RatioSide::Inductive ? "\xDDnd\xFCktif" : "Kapasitif";
    text += " oran %";
    text += ratioText;
    return text;
}

}  // namespace izleme::energy
