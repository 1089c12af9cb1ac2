// Decimal digits of a double and decimal-text rounding (half away from zero).
#include "toolkit/core/DecimalDigits.h"

#include <array>
#include <charconv>
#include <cmath>

namespace izleme {

DecimalDigits decimalDigits(double x, int significantDigits) {
    DecimalDigits out;
    if (significantDigits < 1) significantDigits = 1;
    if (significantDigits > 40) significantDigits = 40;
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(x), std::chars_format::scientific,
                             significantDigits - 1);
    const std::string text(buf.data(), res.ptr);
    // text is "d.ddddde+XX" (or "de+XX" for one digit).
    const auto ePos = text.find('e');
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.') out.digits.push_back(text[i]);
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    out.exponent = exponent;
    if (out.digits.find_first_not_of('0') == std::string::npos) out.exponent = 0;
    return out;
}

namespace {

// Adds one to a decimal integer text; may grow it by one digit.
void incrementDecimal(std::string& number) {
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    number.insert(number.begin(), '1');
}

}  // namespace

std::string roundToDecimals(const DecimalDigits& value, int decimals) {
    const auto& d = value.digits;
    const long long len = static_cast<long long>(d.size());
    // Digits kept: those whose weight is at least 10^-decimals.
    const long long kept = static_cast<long long>(value.exponent) + 1 + decimals;
    if (kept >= len) return d + std::string(static_cast<std::size_t>(kept - len), '0');
    if (kept < 0) return {};
    std::string out = d.substr(0, static_cast<std::size_t>(kept));
    if (d[static_cast<std::size_t>(kept)] >= '5') incrementDecimal(out);
    return out;
}

}  // namespace izleme
