// The over-current relay's output byte and the texts of its registers 0..11.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "control/core/RelayValues.h"

namespace izleme {
namespace {

TEST(RelayOutputByte, OneBitPerOutput) {
    struct Case {
        bool r1, r2, r3;
        int byte;
    };
    const Case cases[] = {{false, false, false, 0x00}, {true, false, false, 0x10}, {false, true, false, 0x20},
                          {false, false, true, 0x40},  {true, false, true, 0x50},  {true, true, true, 0x70}};
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<unsigned char>(relayOutputByte(c.r1, c.r2, c.r3)), c.byte) << c.r1 << c.r2 << c.r3;
}

// Registers laid out as the relay keeps them: 24 bytes, high byte first.
std::array<double, 12> registersOf(const std::array<int, 8>& clock, const std::array<float, 4>& currents) {
    std::array<unsigned char, 24> b{};
    for (std::size_t i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(clock[i]);
    for (std::size_t c = 0; c < 4; ++c) {
        std::uint32_t bits;
        std::memcpy(&bits, &currents[c], sizeof bits);
        for (std::size_t k = 0; k < 4; ++k) b[8 + 4 * c + k] = static_cast<unsigned char>(bits >> (24 - 8 * k));
    }
    std::array<double, 12> r{};
    for (std::size_t i = 0; i < 12; ++i) r[i] = b[2 * i] * 256 + b[2 * i + 1];
    return r;
}

TEST(RelayRegisters, ClockDateAndCurrents) {
    // second, minute, hour, day, outputs, settings count, month, year
    const auto regs = registersOf({5, 7, 14, 4, 0x50, 2, 3, 24}, {12.5f, 0.25f, 130.0f, -2.0f});
    const RelayRegisterTexts t = relayRegisterTexts(regs, ',');
    EXPECT_EQ(t.saat, "14:7:5");
    EXPECT_EQ(t.trh, "4.3.2024");  // the full year
    EXPECT_EQ(t.akim[0], "12,5");
    EXPECT_EQ(t.akim[1], "0,25");
    EXPECT_EQ(t.akim[2], "130");
    EXPECT_EQ(t.akim[3], "-2");
    // A current that is no exact decimal shows the single's value as it is.
    const auto odd = registersOf({0, 0, 0, 31, 0, 0, 12, 99}, {12.3f, 0, 0, 0});
    const RelayRegisterTexts o = relayRegisterTexts(odd, '.');
    EXPECT_EQ(o.akim[0], "12.3000001907349");
    EXPECT_EQ(o.trh, "31.12.2099");
    EXPECT_EQ(o.saat, "0:0:0");
}

TEST(RelayRegisters, BytesWithoutAValueShowADash) {
    std::array<double, 12> none;
    none.fill(-1.0);
    const RelayRegisterTexts t = relayRegisterTexts(none, ',');
    EXPECT_EQ(t.saat, "-:-:-");
    EXPECT_EQ(t.trh, "-.-.-");
    for (const std::string& a : t.akim) EXPECT_EQ(a, "-");

    // Only register 3 (month, year) and register 5 (half of I1) missing.
    auto some = registersOf({5, 7, 14, 4, 0, 0, 3, 24}, {12.5f, 1.0f, 2.0f, 3.0f});
    some[3] = -1.0;
    some[5] = 70000.0;  // no 16-bit word either
    const RelayRegisterTexts s = relayRegisterTexts(some, ',');
    EXPECT_EQ(s.saat, "14:7:5");
    EXPECT_EQ(s.trh, "4.-.-");
    EXPECT_EQ(s.akim[0], "-");
    EXPECT_EQ(s.akim[1], "1");
}

}  // namespace
}  // namespace izleme
