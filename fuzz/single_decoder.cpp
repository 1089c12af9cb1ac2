// The single decoders (the direct one and the digit-text one) against the
// digit-text method worked out here step by step, on every four consecutive
// bytes of the input. Any difference in the bits of the result, the sign of a
// zero included, aborts.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "registers/core/SingleDecoder.h"

namespace {

std::string digitsOf(std::uint8_t n) {
    std::string s;
    for (int bit = 7; bit >= 0; --bit) s += ((n >> bit) & 1) != 0 ? '1' : '0';
    return s;
}

// 2^k in extended precision, by halving or doubling one step at a time.
long double powerOfTwo(int k) {
    long double v = 1.0L;
    for (; k > 0; --k) v *= 2.0L;
    for (; k < 0; ++k) v /= 2.0L;
    return v;
}

double byDigitText(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::string s = digitsOf(a) + digitsOf(b) + digitsOf(c) + digitsOf(d);
    const char sign = s[0];
    int e = 0;
    for (std::size_t i = 1; i <= 8; ++i) e = e * 2 + (s[i] == '1' ? 1 : 0);
    const std::string m = s.substr(9, 23);
    int p = 0;  // 1-based position of the last "1" of m, 0 when none
    for (int i = 1; i <= 23; ++i) {
        if (m[static_cast<std::size_t>(i - 1)] == '1') p = i;
    }

    long double result = 0.0L;
    if (e >= 1 && e <= 254) {
        const std::string digits = "1" + m.substr(0, static_cast<std::size_t>(p));
        long double significand = 0.0L;
        for (char ch : digits) significand = significand * 2.0L + (ch == '1' ? 1.0L : 0.0L);
        result = significand * powerOfTwo(e - 127 - p);
    } else if (e == 0) {
        long double significand = 0.0L;
        for (int i = 0; i < p; ++i)
            significand = significand * 2.0L + (m[static_cast<std::size_t>(i)] == '1' ? 1.0L : 0.0L);
        result = significand * powerOfTwo(-126 - p);
    }
    double value = static_cast<double>(result);
    if (sign == '1') value = -value;
    return value;
}

[[noreturn]] void differ(const char* which, std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, double got,
                         double want) {
    std::fprintf(stderr, "%s of %02X %02X %02X %02X: %a, digit text gives %a\n", which, a, b, c, d, got, want);
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (izleme::binaryDigits(data[i]) != digitsOf(data[i])) __builtin_trap();
    }
    for (std::size_t i = 0; i + 4 <= size; ++i) {
        const std::uint8_t a = data[i], b = data[i + 1], c = data[i + 2], d = data[i + 3];
        const double want = byDigitText(a, b, c, d);
        const double fast = izleme::decodeSingle(a, b, c, d);
        if (std::bit_cast<std::uint64_t>(fast) != std::bit_cast<std::uint64_t>(want)) {
            differ("decodeSingle", a, b, c, d, fast, want);
        }
        const double digits = izleme::decodeSingleFromDigits(a, b, c, d);
        if (std::bit_cast<std::uint64_t>(digits) != std::bit_cast<std::uint64_t>(want)) {
            differ("decodeSingleFromDigits", a, b, c, d, digits, want);
        }
    }
    return 0;
}
