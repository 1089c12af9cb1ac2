// Number masks, the general format and half-to-even rounding.
#include "toolkit/core/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace izleme {
namespace {

struct MaskCase {
    const char* mask;
    double x;
    char separator;
    const char* expected;
};

TEST(FormatMask, FollowsTheClassicMaskRules) {
    const MaskCase cases[] = {
        // Masks in use and their known outputs.
        {"##.00", 0.0, '.', ".00"},
        {"##.00", 0.0, ',', ",00"},
        {"000.0", -0.04, '.', "-000.0"},
        {"000.0", -0.04, ',', "-000,0"},
        {"000.0", 1.45, '.', "001.5"},
        {"0.00", 2.675, '.', "2.67"},  // 2.67499999999999982 in binary
        {"00.00", 0.125, '.', "00.13"},
        {"000.0", (4294967296.0 - 65537.0) / 10.0, '.', "429490175.9"},
        {"000", 359.0, '.', "359"},
        {"000", -5.0, '.', "-005"},
        {"0.000", -0.001, '.', "-0.001"},
        {"000.000", 230.5, ',', "230,500"},
        {"0.000", 0.98765, ',', "0,988"},
        // Rounding happens on the 17-digit decimal text, a half away from zero.
        {"0.0", 0.05, '.', "0.1"},
        {"0.0", -0.05, '.', "-0.1"},
        {"0.0", 0.049999999999999996, '.', "0.0"},
        {"0.0", 9.95, '.', "9.9"},  // 9.94999999999999929 in binary: below the half
        {"0.0", 9.96, '.', "10.0"},
        {"00.0", 99.96, '.', "100.0"},
        {"0.00", 0.005, '.', "0.01"},
        {"0.00", 123456789.125, '.', "123456789.13"},
        {"0.00", -123456789.125, ',', "-123456789,13"},
        {"0", 0.5, '.', "1"},
        {"0", 2.5, '.', "3"},
        {"0", -2.5, '.', "-3"},
        {"0", 0.4, '.', "0"},
        // The sign stays for negatives that show as zero; -0 has none.
        {"0.0", -0.01, '.', "-0.0"},
        {"00.00", -1e-30, '.', "-00.00"},
        {"00.00", 1e-30, '.', "00.00"},
        {"0.0", -0.0, '.', "0.0"},
        {"##.00", -0.0, '.', ".00"},
        // A mask never cuts digits; large numbers keep 17 significant digits.
        {"0", 123456.0, '.', "123456"},
        {"0.0", 1e20, '.', "100000000000000000000.0"},
        {"0", 18446744073709551616.0, '.', "18446744073709552000"},
        {"000", 9007199254740993.0, '.', "9007199254740992"},
        // "#" digits are optional: nothing before the point, trailing zeros dropped after it.
        {"#", 0.0, '.', ""},
        {"#.##", 1.5, '.', "1.5"},
        {"0.##", 2.0, '.', "2"},
        {"0.0#", 1.0, '.', "1.0"},
        {"0.0#", 1.255, '.', "1.25"},  // 1.25499999999999989 in binary
        {"0.0#", 1.236, ',', "1,24"},
        {".00", 0.5, '.', ".50"},
        // Literal text around the digits is kept.
        {"0.0 V", 3.14, '.', "3.1 V"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatMask(c.x, c.mask, c.separator), c.expected)
            << "mask \"" << c.mask << "\" of " << c.x << " with '" << c.separator << "'";
    }
}

TEST(FormatMask, HugeNumbersPrintEveryIntegerDigit) {
    const std::string text = formatMask(1e300, "0.0", '.');
    ASSERT_EQ(text.size(), 303u);  // 301 integer digits, the separator, one decimal
    // 1e300 is 1.0000000000000000525e300 in binary: 17 significant digits, then zeros.
    EXPECT_EQ(text.substr(0, 19), "1000000000000000100");
    EXPECT_EQ(text.substr(300), "0.0");
    EXPECT_EQ(formatMask(-1.7976931348623157e308, "0", '.').substr(0, 18), "-17976931348623157");
}

TEST(FormatMask, EmptyMaskUsesTheGeneralFormat) { EXPECT_EQ(formatMask(2.5, "", ','), "2,5"); }

struct GeneralCase {
    double x;
    char separator;
    const char* expected;
};

TEST(FormatGeneral, FifteenDigitsFixedOrExponent) {
    const GeneralCase cases[] = {
        {0.0, '.', "0"},
        {-0.0, '.', "0"},
        {100.0, '.', "100"},
        {1.5, ',', "1,5"},
        {-2.25, '.', "-2.25"},
        {12345.678, ',', "12345,678"},
        {0.1 + 0.2, '.', "0.3"},
        {1.0 / 3.0, '.', "0.333333333333333"},
        {2.0 / 3.0, ',', "0,666666666666667"},
        {static_cast<double>(123.4f), '.', "123.400001525879"},
        // Fixed notation for decimal exponents -5..14, "E" outside.
        {0.00001, '.', "0.00001"},
        {0.000015, ',', "0,000015"},
        {1e-6, '.', "1E-6"},
        {1.23456e-7, ',', "1,23456E-7"},
        {static_cast<double>(std::numeric_limits<float>::denorm_min()), '.', "1.40129846432482E-45"},
        {1e14, '.', "100000000000000"},
        {123456789012345.0, '.', "123456789012345"},
        {1e15, '.', "1E15"},
        {999999999999999.5, '.', "1E15"},  // rounding to 15 digits carries into the exponent
        {-1e20, '.', "-1E20"},
        {1.7976931348623157e308, '.', "1.79769313486232E308"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatGeneral(c.x, c.separator), c.expected) << c.x;
    }
}

TEST(NonFinite, PrintsAWordInsteadOfCrashing) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(formatGeneral(nan, '.'), "NAN");
    EXPECT_EQ(formatGeneral(inf, '.'), "INF");
    EXPECT_EQ(formatGeneral(-inf, '.'), "-INF");
    EXPECT_EQ(formatMask(nan, "0.0", ','), "NAN");
    EXPECT_EQ(formatMask(-inf, "000", ','), "-INF");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        long double x;
        std::int64_t expected;
    } cases[] = {
        {0.0L, 0},           {0.5L, 0},    {1.5L, 2},     {2.5L, 2},     {3.5L, 4},
        {-0.5L, 0},          {-1.5L, -2},  {-2.5L, -2},   {2.4999L, 2},  {2.5000001L, 3},
        {-2.6L, -3},         {-2.4L, -2},  {7.0L, 7},     {65535.5L, 65536},
        {1e18L + 0.5L, 1000000000000000000},  {1e18L + 1.5L, 1000000000000000002},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundHalfEven(c.x), c.expected) << static_cast<double>(c.x);
    }
}

TEST(RoundHalfEven, OutOfRangeSaturatesAndNanIsZero) {
    EXPECT_EQ(roundHalfEven(1e30L), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundHalfEven(-1e30L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<long double>::infinity()), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(roundHalfEven(std::numeric_limits<long double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace izleme
