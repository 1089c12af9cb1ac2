// The harmonic analysis of one quantity: the peak amplitudes of orders 1..31
// of 64 samples taken as one period of the fundamental, and what the page
// draws and shows of them (bar heights, headline, distortion, order choice).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace izleme {

inline constexpr int kHarmonicOrders = 31;

using Magnitudes = std::array<double, kHarmonicOrders>;  // entry k-1: order k

// M_k = sqrt(S² + C²) / 32 with S, C the sine and cosine sums of the 64
// samples at order k: a sinusoid of peak amplitude A at order k gives A at k,
// a constant gives 0 at every order. No window; orders 0 and 32 are not taken.
Magnitudes harmonicMagnitudes(std::span<const double, 64> samples);

// The magnitudes as the page keeps them: each as its text in the general
// number format (what the value boxes show), and the number read back from
// that text (what the bar chart and headline use).
struct HarmonicList {
    std::array<std::string, kHarmonicOrders> texts;
    Magnitudes values{};
};
HarmonicList harmonicList(const Magnitudes& magnitudes, char decimalSeparator);

// Bar charts: 31 bars 5 px wide on a 7 px pitch from x = 5, standing on the
// bottom edge; a bar is magnitude × fundamental ÷ 4 px tall (rounded, a half
// to even), cut off at the chart's height.
struct Bar {
    int left;
    int right;
    int top;
    int bottom;
};
int barHeight(double magnitude, double fundamental, int chartHeight);
Bar barRect(int order, double magnitude, double fundamental, int chartHeight);

// The headline written on a chart: its prefix, then the fundamental under the
// mask "000.00". The prefixes and corner labels per phase 1..3 (code page 1254).
std::string headlineText(std::string_view prefix, double fundamental, char decimalSeparator);
std::string headlinePrefix(int phase, bool current);
std::string cornerLabel(int phase, bool current);  // empty for phase 1

// Total harmonic distortion sqrt(M2² + ... + M31²) ÷ M1 × 100, in percent;
// nothing when M1 is 0. Its label text: "THD: %4,2", or "THD: -".
std::optional<double> thdPercent(const Magnitudes& magnitudes);
std::string thdText(std::optional<double> percent, char decimalSeparator);

// The order a selector's text asks for: a text that is not an integer counts
// as 1; nothing for an order outside 1..31 (the value box keeps its text).
std::optional<int> selectedOrder(std::string_view typed);

}  // namespace izleme
