// CRC-16 of Modbus RTU frames against published check values and whole frames.
#include <gtest/gtest.h>

#include <string>

#include "registers/core/Crc16.h"

namespace izleme {
namespace {

std::string bytes(std::initializer_list<unsigned> list) {
    std::string s;
    for (unsigned b : list) s += static_cast<char>(b);
    return s;
}

TEST(Crc16, CheckValueAndEmptyInput) {
    EXPECT_EQ(crc16Modbus("123456789"), 0x4B37);
    EXPECT_EQ(crc16Modbus(""), 0xFFFF);
}

// A frame followed by its CRC (low byte first) checks to zero, and the CRC of
// the frame body is the two trailing bytes.
TEST(Crc16, KnownFrames) {
    struct Case {
        std::string body;
        std::uint16_t crc;
    };
    const Case cases[] = {
        {bytes({0x01, 0x03, 0x00, 0x00, 0x00, 0x46}), 0x38C4},
        {bytes({0x01, 0x06, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}), 0x53E6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crc16Modbus(c.body), c.crc);
        const std::string whole = c.body + static_cast<char>(c.crc & 0xFF) + static_cast<char>(c.crc >> 8);
        EXPECT_EQ(crc16Modbus(whole), 0);
    }
}

// The table-driven CRC equals the bit-by-bit definition, over every single
// byte and over longer strings.
TEST(Crc16, MatchesTheBitwiseDefinition) {
    const auto bitwise = [](const std::string& data) {
        std::uint16_t crc = 0xFFFF;
        for (char c : data) {
            crc ^= static_cast<unsigned char>(c);
            for (int k = 0; k < 8; ++k) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
        }
        return crc;
    };
    std::string longer;
    for (unsigned b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(crc16Modbus(one), bitwise(one)) << b;
        longer += static_cast<char>((b * 37 + 11) & 0xFF);
        EXPECT_EQ(crc16Modbus(longer), bitwise(longer)) << longer.size();
    }
}

}  // namespace
}  // namespace izleme
