// Text-to-number under a decimal separator, and text-to-integer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

struct ParseCase {
    std::string text;
    char separator;
    std::optional<double> expected;
};

TEST(ParseNumber, AcceptsOnlyWellFormedNumbers) {
    const std::optional<double> fails;
    const ParseCase cases[] = {
        {"1.5", '.', 1.5},
        {"1,5", ',', 1.5},
        {"230", ',', 230.0},
        {"+3", '.', 3.0},
        {"-0,001", ',', -0.001},
        {".5", '.', 0.5},
        {"5.", '.', 5.0},
        {"1e3", '.', 1000.0},
        {"1,5E-3", ',', 0.0015},
        {"-2.5e+2", '.', -250.0},
        {"12345678901234567890", '.', 12345678901234567890.0},
        {"0.1", '.', 0.1},
        {"1e-400", '.', 0.0},  // too small for a double: zero
        // Blanks and control characters are trimmed at both ends.
        {"  -2,25\t\r\n", ',', -2.25},
        {std::string("\x01\x1f") + "7" + std::string(1, '\0'), '.', 7.0},
        // Only the given separator is accepted.
        {"1.5", ',', fails},
        {"1,5", '.', fails},
        {"1.234,5", ',', fails},
        {"1,000.5", '.', fails},
        // Nothing but sign, digits, separator and exponent.
        {"", '.', fails},
        {"   ", '.', fails},
        {"-", '.', fails},
        {".", '.', fails},
        {"+.", '.', fails},
        {"--1", '.', fails},
        {"1e", '.', fails},
        {"1e+", '.', fails},
        {"e5", '.', fails},
        {"1.5x", '.', fails},
        {"1 5", '.', fails},
        {"1..5", '.', fails},
        {"0x10", '.', fails},
        {"inf", '.', fails},
        {"nan", '.', fails},
        {"1e400", '.', fails},
        {"1e99999999999999999999", '.', fails},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseNumber(c.text, c.separator), c.expected) << "\"" << c.text << "\" with '" << c.separator << "'";
    }
}

TEST(ParseNumber, NegativeZeroKeepsItsSign) {
    const auto value = parseNumber("-0", '.');
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(std::signbit(*value));
}

TEST(ParseNumber, ReadsBackWhatTheFormatsWrite) {
    for (const double x : {0.0, 1.0 / 3.0, -123.456, 1.40129846432482e-45, 6.02214076e23, 65535.0}) {
        for (const char sep : {'.', ','}) {
            const auto back = parseNumber(formatGeneral(x, sep), sep);
            ASSERT_TRUE(back.has_value()) << formatGeneral(x, sep);
            EXPECT_EQ(formatGeneral(*back, sep), formatGeneral(x, sep));
        }
    }
    EXPECT_EQ(parseNumber(formatMask(-0.04, "000.0", ','), ','), 0.0);
}

TEST(ParseInteger, DecimalDigitsWithinInt64) {
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    constexpr auto bottom = std::numeric_limits<std::int64_t>::min();
    const std::optional<std::int64_t> fails;
    const struct {
        std::string text;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {"0", 0},
        {"12001", 12001},
        {"  42", 42},
        {"\t7", 7},
        {"-17", -17},
        {"+5", 5},
        {"00012", 12},
        {"9223372036854775807", top},
        {"-9223372036854775808", bottom},
        {"9223372036854775808", fails},
        {"-9223372036854775809", fails},
        {"99999999999999999999", fails},
        {"42 ", fails},
        {"", fails},
        {"  ", fails},
        {"-", fails},
        {"4a", fails},
        {"1.0", fails},
        {"1e3", fails},
        {"- 1", fails},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.expected) << "\"" << c.text << "\"";
    }
}

}  // namespace
}  // namespace izleme
