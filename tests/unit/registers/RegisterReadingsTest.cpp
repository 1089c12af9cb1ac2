// Register pair, four-register counter and word readings, including the
// no-value mark and values that cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "registers/core/RegisterReadings.h"

namespace izleme {
namespace {

TEST(RegisterReadings, PairReductions) {
    struct Case {
        double hi, lo;
        std::int64_t pair, u32, s32, s16;
    };
    const Case cases[] = {
        {0, 2300, 2300, 2300, 2300, 2300},
        {65535, 64536, 4294966296, 4294966296, -1000, -1000},
        {0, 65036, 65036, 65036, 65036, -500},
        {1, 500, 66036, 66036, 66036, 500},
        {-1, -1, -65537, 4294901759, -65537, -1},  // the no-value mark takes part as -1
        {65536, 0, 4294967296, 0, 0, 0},
        {0.25, 0.5, 16384, 16384, 16384, 16384},  // 16384.5 rounds to even
        {0, 1.5, 2, 2, 2, 2},
        {0, 2.5, 2, 2, 2, 2},
        {0, -2.5, -2, 4294967294, -2, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hi << " " << c.lo);
        const auto pair = registerPair(c.hi, c.lo);
        ASSERT_TRUE(pair.has_value());
        EXPECT_EQ(*pair, c.pair);
        EXPECT_EQ(reducePair(*pair, PairCode::U32), c.u32);
        EXPECT_EQ(reducePair(*pair, PairCode::S32), c.s32);
        EXPECT_EQ(reducePair(*pair, PairCode::S16), c.s16);
    }
}

TEST(RegisterReadings, UnreadableValuesGiveNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(registerPair(inf, 0));
    EXPECT_FALSE(registerPair(0, nan));
    EXPECT_FALSE(registerPair(1e300, 0));
    EXPECT_FALSE(registerPair(-1e300, 0));
    EXPECT_FALSE(registerWord(nan));
    EXPECT_FALSE(registerWord(1e19));
    EXPECT_FALSE(fourRegisterCounter(inf, 0, 0, 0));
    EXPECT_FALSE(fourRegisterCounter(0.5, 1e300, 0, 0));
}

TEST(RegisterReadings, RowAccessStaysInsideTheRow) {
    RegisterTable t;
    t.setValue(3, 254, 1);
    t.setValue(3, 255, 2);
    const ValueRow row = t.values(3);
    EXPECT_EQ(pairReading(row, 254, PairCode::U32), 65538);
    EXPECT_FALSE(pairReading(row, 255, PairCode::U32));
    EXPECT_FALSE(pairReading(row, -1, PairCode::U32));
    EXPECT_EQ(fourRegisterCounter(row, 252), fourRegisterCounter(-1, -1, 1, 2));
    EXPECT_FALSE(fourRegisterCounter(row, 253));
    EXPECT_EQ(registerWord(row, 255), 2);
    EXPECT_FALSE(registerWord(row, 256));
}

TEST(RegisterReadings, FourRegisterCounterIsExact) {
    struct Case {
        double a, b, c, d;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},
        {0, 0, 1, 2, 65538},
        {32767, 65535, 65535, 65535, std::numeric_limits<std::int64_t>::max()},
        {32767, 65535, 65535, 65534, std::numeric_limits<std::int64_t>::max() - 1},
        {-32768, 0, 0, 0, std::numeric_limits<std::int64_t>::min()},
        {-1, -1, -1, -1, -281479271743489},  // the no-value mark everywhere
        {32768, 0, 0, 0, std::nullopt},      // 2^63 does not fit
        {-32768, 0, 0, -1, std::nullopt},
        {65535, 65535, 65535, 65535, std::nullopt},
        {4660, 22136, 39612, 57072, 0x12345678'9ABC'DEF0},
        {1, 0, 0, 1, 281474976710657},  // 2^48 + 1: beyond the 53 bits of a double
        {0, 0, 0.5, 0.5, 32768},        // 32768.5 rounds to even
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " " << c.c << " " << c.d);
        EXPECT_EQ(fourRegisterCounter(c.a, c.b, c.c, c.d), c.expected);
    }
}

TEST(RegisterReadings, Word) {
    EXPECT_EQ(registerWord(300), 300);
    EXPECT_EQ(registerWord(-1), 65535);
    EXPECT_EQ(registerWord(65536 + 7), 7);
    EXPECT_EQ(registerWord(2.5), 2);
    EXPECT_EQ(registerWord(3.5), 4);
}

}  // namespace
}  // namespace izleme
