// IEEE-754 single-precision decoding of four reply bytes.
#include "registers/core/SingleDecoder.h"

#include <cmath>

namespace izleme {

double decodeSingle(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint32_t bits = (std::uint32_t{a} << 24) | (std::uint32_t{b} << 16) | (std::uint32_t{c} << 8) | d;
    const bool negative = (bits >> 31) != 0;
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint32_t mantissa = bits & 0x7FFFFF;
    double result = 0.0;
    if (exponent == 0) {
        result = std::ldexp(static_cast<double>(mantissa), -149);
    } else if (exponent != 255) {
        result = std::ldexp(static_cast<double>(mantissa | 0x800000u), exponent - 150);
    }
    return negative ? -result : result;
}

double decodeSingleFromDigits(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::string s = binaryDigits(a) + binaryDigits(b) + binaryDigits(c) + binaryDigits(d);
    const char sign = s[0];
    int exponent = 0;
    for (std::size_t i = 1; i <= 8; ++i) exponent = exponent * 2 + (s[i] - '0');
    const std::string_view m = std::string_view(s).substr(9, 23);
    const std::size_t lastOne = m.find_last_of('1');
    const int p = lastOne == std::string_view::npos ? 0 : static_cast<int>(lastOne) + 1;

    double result = 0.0;
    if (exponent != 255) {
        std::uint64_t significand = exponent == 0 ? 0 : 1;
        for (int i = 0; i < p; ++i)
            significand = significand * 2 + static_cast<std::uint64_t>(m[static_cast<std::size_t>(i)] - '0');
        const int power = exponent == 0 ? -126 - p : exponent - 127 - p;
        result = std::ldexp(static_cast<double>(significand), power);
    }
    return sign == '1' ? -result : result;
}

std::string binaryDigits(std::uint8_t n) {
    std::string s(8, '0');
    for (int i = 7; i >= 0; --i, n = static_cast<std::uint8_t>(n >> 1)) {
        if (n & 1) s[static_cast<std::size_t>(i)] = '1';
    }
    return s;
}

}  // namespace izleme
