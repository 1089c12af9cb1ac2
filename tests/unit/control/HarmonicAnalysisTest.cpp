// The harmonic analysis against a transform worked out here independently, and
// what the page draws and shows of its result.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>

#include "control/core/HarmonicAnalysis.h"
#include "toolkit/core/Cp1254.h"

namespace izleme {
namespace {

using Samples = std::array<double, 64>;
constexpr double kPi = std::numbers::pi;

// Peak amplitude of order k: |Σ x[i]·e^(-j·2πik/64)| · 2 / 64, evaluated in
// long double with the angle taken afresh for every sample.
double reference(const Samples& x, int k) {
    std::complex<long double> sum = 0;
    for (int i = 0; i < 64; ++i)
        sum += static_cast<long double>(x[static_cast<std::size_t>(i)]) *
               std::polar(1.0L, -2.0L * std::numbers::pi_v<long double> * i * k / 64.0L);
    return static_cast<double>(std::abs(sum) * 2.0L / 64.0L);
}

// Sum of sinusoids (order, peak amplitude, phase), optionally rounded to integers as the relay sends them.
Samples wave(std::initializer_list<std::array<double, 3>> parts, bool rounded) {
    Samples x{};
    for (int i = 0; i < 64; ++i) {
        double v = 0;
        for (const auto& [order, amplitude, phase] : parts)
            v += amplitude * std::sin(order * 2.0 * kPi * i / 64.0 + phase);
        x[static_cast<std::size_t>(i)] = rounded ? std::round(v) : v;
    }
    return x;
}

void expectMatchesReference(const Samples& x, const char* name) {
    const Magnitudes m = harmonicMagnitudes(x);
    for (int k = 1; k <= kHarmonicOrders; ++k)
        EXPECT_NEAR(m[static_cast<std::size_t>(k - 1)], reference(x, k), 1e-9) << name << " order " << k;
}

TEST(HarmonicAnalysis, AConstantHasNoHarmonic) {
    Samples x;
    x.fill(100.0);
    for (double m : harmonicMagnitudes(x)) EXPECT_NEAR(m, 0.0, 1e-11);
}

TEST(HarmonicAnalysis, ASinusoidShowsItsPeakAmplitudeAtItsOrderOnly) {
    struct Case {
        int order;
        double amplitude;
        double phase;
    };
    const Case cases[] = {{1, 100, 0}, {1, 37.5, 1.2}, {3, 20, -0.7}, {5, 12, 2.5},
                          {7, 8, 0.3}, {13, 50, 3.0},  {30, 3, 0.9},  {31, 64, -2.0}};
    for (const Case& c : cases) {
        const Samples x = wave({{double(c.order), c.amplitude, c.phase}}, false);
        const Magnitudes m = harmonicMagnitudes(x);
        for (int k = 1; k <= kHarmonicOrders; ++k) {
            const double expected = k == c.order ? c.amplitude : 0.0;
            EXPECT_NEAR(m[static_cast<std::size_t>(k - 1)], expected, 1e-9)
                << "order " << c.order << " phase " << c.phase << " at " << k;
        }
    }
}

TEST(HarmonicAnalysis, RoundedSamplesMatchTheReference) {
    expectMatchesReference(wave({{1, 100, 0}, {5, 12, 0.3}, {7, 7, -0.2}}, true), "fundamental with 5th and 7th");
    expectMatchesReference(wave({{1, 100, 0}, {3, 20, 0}}, true), "fundamental with 3rd");
    Samples ramp;
    for (int i = 0; i < 64; ++i) ramp[static_cast<std::size_t>(i)] = (i % 17) * 7 - 60;
    expectMatchesReference(ramp, "arbitrary samples");
    // The 5th and 7th come out within the rounding to whole counts.
    const Magnitudes m = harmonicMagnitudes(wave({{1, 100, 0}, {5, 12, 0.3}, {7, 7, -0.2}}, true));
    EXPECT_NEAR(m[0], 100, 0.2);
    EXPECT_NEAR(m[4], 12, 0.2);
    EXPECT_NEAR(m[6], 7, 0.2);
}

TEST(HarmonicAnalysis, ListKeepsTextsInTheGeneralFormatAndReadsThemBack) {
    Magnitudes m{};
    m[0] = 99.92567;
    m[1] = 0.5;
    m[2] = 1e-7;
    const HarmonicList list = harmonicList(m, ',');
    EXPECT_EQ(list.texts[0], "99,92567");
    EXPECT_EQ(list.texts[1], "0,5");
    EXPECT_EQ(list.texts[2], "1E-7");
    EXPECT_EQ(list.texts[3], "0");
    EXPECT_DOUBLE_EQ(list.values[0], 99.92567);
    EXPECT_DOUBLE_EQ(list.values[2], 1e-7);
}

TEST(HarmonicAnalysis, TotalHarmonicDistortion) {
    Magnitudes m{};
    m[0] = 100;
    EXPECT_EQ(thdPercent(m), 0.0);
    m[4] = 3;
    m[6] = 4;
    ASSERT_TRUE(thdPercent(m));
    EXPECT_DOUBLE_EQ(*thdPercent(m), 5.0);
    m[0] = 50;
    m[30] = 12;  // the last order counts too
    EXPECT_DOUBLE_EQ(*thdPercent(m), 26.0);
    m[0] = 0;
    EXPECT_FALSE(thdPercent(m));

    EXPECT_EQ(thdText(4.25, ','), "THD: %4,3");
    EXPECT_EQ(thdText(4.2, ','), "THD: %4,2");
    EXPECT_EQ(thdText(123.04, '.'), "THD: %123.0");
    EXPECT_EQ(thdText(std::nullopt, ','), "THD: -");
}

TEST(HarmonicChart, BarHeights) {
    struct Case {
        double magnitude, fundamental;
        int height;
    };
    const Case cases[] = {
        {100, 100, 171},  // the fundamental's own bar reaches the top
        {6.9, 100, 171},  // above 6.84 is cut off at 171
        {6.8, 100, 170},
        {2, 10, 5},
        {1, 2, 0},   // 0.5 goes to the even 0
        {3, 2, 2},   // 1.5 to 2
        {5, 2, 2},   // 2.5 to 2
        {20, 0, 0},  // a fundamental of 0 draws nothing
        {std::nan(""), 10, 0},
        {1e300, 1e300, 171},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barHeight(c.magnitude, c.fundamental, 171), c.height) << c.magnitude << " x " << c.fundamental;

    const Bar first = barRect(1, 40, 40, 171);
    EXPECT_EQ(first.left, 5);
    EXPECT_EQ(first.right, 10);
    EXPECT_EQ(first.top, 171 - 171);
    EXPECT_EQ(first.bottom, 171);
    const Bar last = barRect(31, 2, 10, 171);
    EXPECT_EQ(last.left, 215);
    EXPECT_EQ(last.right, 220);
    EXPECT_EQ(last.top, 166);
}

TEST(HarmonicChart, HeadlineAndCornerLabels) {
    EXPECT_EQ(cp1254::toUtf8(headlineText(headlinePrefix(1, false), 99.926, ',')), "V1 için H1: 099,93");
    EXPECT_EQ(cp1254::toUtf8(headlineText(headlinePrefix(3, true), 5.5, '.')), "I3 için H1: 005.50");
    EXPECT_EQ(cp1254::toUtf8(headlineText(headlinePrefix(2, true), 1234.567, ',')), "I2 için H1: 1234,57");
    EXPECT_EQ(cornerLabel(1, false), "");
    EXPECT_EQ(cornerLabel(1, true), "");
    EXPECT_EQ(cornerLabel(2, false), "V2");
    EXPECT_EQ(cornerLabel(3, true), "I3");
}

TEST(HarmonicChart, OrderSelectorTexts) {
    struct Case {
        const char* typed;
        std::optional<int> order;
    };
    const Case cases[] = {{"1", 1},   {"5", 5},  {"31", 31}, {"2", 2},   {" 7", 7},  {"", 1},
                          {"abc", 1}, {"3x", 1}, {"0", {}},  {"32", {}}, {"-1", {}}, {"99999999999999999999", 1}};
    for (const Case& c : cases) EXPECT_EQ(selectedOrder(c.typed), c.order) << '"' << c.typed << '"';
}

}  // namespace
}  // namespace izleme
