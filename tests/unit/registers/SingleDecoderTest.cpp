// The single decoder against the bit-level conversion of the same 32 bits,
// the digit-text method against the fast one, and the binary digit text.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "registers/core/SingleDecoder.h"

namespace izleme {
namespace {

std::uint8_t byteOf(std::uint32_t bits, int shift) { return static_cast<std::uint8_t>(bits >> shift); }

double fast(std::uint32_t bits) {
    return decodeSingle(byteOf(bits, 24), byteOf(bits, 16), byteOf(bits, 8), byteOf(bits, 0));
}

double digits(std::uint32_t bits) {
    return decodeSingleFromDigits(byteOf(bits, 24), byteOf(bits, 16), byteOf(bits, 8), byteOf(bits, 0));
}

// What the hardware makes of the bits, with infinities and NaNs read as a zero
// of the same sign.
double reference(std::uint32_t bits) {
    if (((bits >> 23) & 0xFF) == 0xFF) return (bits >> 31) ? -0.0 : 0.0;
    return static_cast<double>(std::bit_cast<float>(bits));
}

bool identical(double x, double y) { return x == y && std::signbit(x) == std::signbit(y); }

TEST(SingleDecoder, KnownValues) {
    struct Case {
        std::uint32_t bits;
        double value;
    };
    const Case cases[] = {
        {0x41200000, 10.0},
        {0xC0000000, -2.0},
        {0x3F800000, 1.0},
        {0x00000001, std::ldexp(1.0, -149)},
        {0x00000000, 0.0},
        {0x7F800000, 0.0},
        {0x7FC00000, 0.0},
        {0x80000000, -0.0},
        {0x007FFFFF, std::ldexp(8388607.0, -149)},
        {0x00800000, std::ldexp(1.0, -126)},
        {0x7F7FFFFF, std::ldexp(16777215.0, 104)},
        {0xBE800000, -0.25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.bits);
        EXPECT_TRUE(identical(fast(c.bits), c.value)) << fast(c.bits);
        EXPECT_TRUE(identical(digits(c.bits), c.value)) << digits(c.bits);
    }
}

TEST(SingleDecoder, EveryBoundaryMatchesTheBitLevelConversion) {
    std::vector<std::uint32_t> patterns;
    for (std::uint32_t sign : {0u, 0x80000000u}) {
        for (std::uint32_t exponent = 0; exponent < 256; ++exponent) {
            for (std::uint32_t mantissa : {0u, 1u, 2u, 0x400000u, 0x400001u, 0x7FFFFEu, 0x7FFFFFu}) {
                patterns.push_back(sign | (exponent << 23) | mantissa);
            }
        }
    }
    for (std::uint32_t bits : patterns) {
        ASSERT_TRUE(identical(fast(bits), reference(bits))) << std::hex << bits;
        ASSERT_TRUE(identical(digits(bits), reference(bits))) << std::hex << bits;
    }
}

TEST(SingleDecoder, SeededSampleMatchesTheBitLevelConversion) {
    std::mt19937 random(20240611);
    for (int i = 0; i < (1 << 24); ++i) {
        const std::uint32_t bits = random();
        ASSERT_TRUE(identical(fast(bits), reference(bits))) << std::hex << bits;
    }
    for (int i = 0; i < (1 << 18); ++i) {
        const std::uint32_t bits = random();
        ASSERT_TRUE(identical(digits(bits), fast(bits))) << std::hex << bits;
    }
}

TEST(SingleDecoder, BinaryDigits) {
    EXPECT_EQ(binaryDigits(0), "00000000");
    EXPECT_EQ(binaryDigits(5), "00000101");
    EXPECT_EQ(binaryDigits(128), "10000000");
    EXPECT_EQ(binaryDigits(255), "11111111");
}

}  // namespace
}  // namespace izleme
