#include "control/core/HarmonicAnalysis.h"

#include <cmath>
#include <numbers>

#include "toolkit/core/Cp1254.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

constexpr int kSamples = 64;

// sin and cos of 2π·m/64 for m = 0..63: every angle of the transform is one of
// these, since (i·k) mod 64 picks the same point of the period.
struct Table {
    std::array<double, kSamples> sin{};
    std::array<double, kSamples> cos{};
    Table() {
        for (int m = 0; m < kSamples; ++m) {
            const double theta = 2.0 * std::numbers::pi * m / kSamples;
            sin[static_cast<std::size_t>(m)] = std::sin(theta);
            cos[static_cast<std::size_t>(m)] = std::cos(theta);
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

}  // namespace

Magnitudes harmonicMagnitudes(std::span<const double, 64> samples) {
    const Table& t = table();
    Magnitudes m{};
    for (int k = 1; k <= kHarmonicOrders; ++k) {
        double s = 0.0;
        double c = 0.0;
        for (int i = 0; i < kSamples; ++i) {
            const auto at = static_cast<std::size_t>((i * k) % kSamples);
            const double x = samples[static_cast<std::size_t>(i)];
            s += t.sin[at] * x;
            c += t.cos[at] * x;
        }
        m[static_cast<std::size_t>(k - 1)] = std::sqrt(s * s + c * c) / 32.0;
    }
    return m;
}

HarmonicList harmonicList(const Magnitudes& magnitudes, char decimalSeparator) {
    HarmonicList list;
    for (std::size_t k = 0; k < magnitudes.size(); ++k) {
        list.texts[k] = formatGeneral(magnitudes[k], decimalSeparator);
        list.values[k] = parseNumber(list.texts[k], decimalSeparator).value_or(magnitudes[k]);
    }
    return list;
}

int barHeight(double magnitude, double fundamental, int chartHeight) {
    const double h = magnitude * fundamental / 4.0;
    if (!(h > 0.0)) return 0;  // zero, negative or not a number
    if (h >= chartHeight) return chartHeight;
    return static_cast<int>(roundHalfEven(h));
}

Bar barRect(int order, double magnitude, double fundamental, int chartHeight) {
    const int c = order - 1;
    return {7 * c + 5, 7 * c + 10, chartHeight - barHeight(magnitude, fundamental, chartHeight), chartHeight};
}

std::string headlineText(std::string_view prefix, double fundamental, char decimalSeparator) {
    return std::string(prefix) + formatMask(fundamental, "000.00", decimalSeparator);
}

std::string headlinePrefix(int phase, bool current) {
    const std::string p = std::to_string(phase);
    return (current ? "I" : "V") + p + cp1254::fromUtf8(" için H1: ").value_or(" icin H1: ");
}

std::string cornerLabel(int phase, bool current) {
    if (phase <= 1) return {};
    std::string label(1, current ? 'I' : 'V');
    label += std::to_string(phase);
    return label;
}

std::optional<double> thdPercent(const Magnitudes& m) {
    if (!(m[0] != 0.0) || !std::isfinite(m[0])) return std::nullopt;
    double sum = 0.0;
    for (std::size_t k = 1; k < m.size(); ++k) sum += m[k] * m[k];
    return std::sqrt(sum) / m[0] * 100.0;
}

std::string thdText(std::optional<double> percent, char decimalSeparator) {
    if (!percent) return "THD: -";
    return "THD: %" + formatMask(*percent, "0.0", decimalSeparator);
}

std::optional<int> selectedOrder(std::string_view typed) {
    const std::optional<std::int64_t> n = parseInteger(typed);
    const std::int64_t order = n.value_or(1);
    if (order < 1 || order > kHarmonicOrders) return std::nullopt;
    return static_cast<int>(order);
}

}  // namespace izleme
