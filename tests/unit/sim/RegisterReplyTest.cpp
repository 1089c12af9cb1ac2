#include <gtest/gtest.h>

#include "registers/core/Crc16.h"
#include "sim/core/RegisterReply.h"
#include "SimDecode.h"

namespace izleme::sim {
namespace {

std::vector<int> numbers(const std::string& text) { return test::replyBytes("12345678901" + text); }

bool crcValid(const std::vector<int>& bytes) {
    if (bytes.size() < 5) return false;
    std::string frame;
    for (std::size_t i = 0; i + 2 < bytes.size(); ++i) frame.push_back(static_cast<char>(bytes[i]));
    const std::uint16_t crc = crc16Modbus(frame);
    return bytes[bytes.size() - 2] == (crc & 0xFF) && bytes.back() == (crc >> 8);
}

TEST(RegisterReply, LayoutIsAddressFunctionCountDataCrc) {
    const std::string text = encodeRegisterReply(1, {230, 300});
    const auto b = numbers(text);
    ASSERT_EQ(b.size(), 9u);
    EXPECT_EQ((std::vector<int>{b.begin(), b.begin() + 7}), (std::vector<int>{1, 3, 4, 0, 230, 1, 44}));
    EXPECT_TRUE(crcValid(b));
    EXPECT_EQ(text.back(), '$');
}

TEST(RegisterReply, AvoidsTheBytePairTheClientRewrites) {
    struct Case {
        const char* what;
        std::vector<std::uint16_t> regs;
    };
    const std::vector<Case> cases = {
        {"inside one register", {199 * 256 + 239}},
        {"across two registers", {0x00C7, 0xEF00}},
        {"several times", {199 * 256 + 239, 199 * 256 + 239, 0x00C7, 0xEF01}},
    };
    for (const auto& c : cases) {
        const std::string text = encodeRegisterReply(1, c.regs);
        EXPECT_EQ(("$" + text).find("$199$239$"), std::string::npos) << c.what;
        const auto b = numbers(text);
        EXPECT_TRUE(crcValid(b)) << c.what;
        // The nudge changes a value by one at most.
        for (std::size_t r = 0; r < c.regs.size(); ++r) {
            const int got = b[3 + 2 * r] * 256 + b[4 + 2 * r];
            EXPECT_LE(std::abs(got - c.regs[r]), 1) << c.what << " register " << r;
        }
    }
}

TEST(RegisterReply, NoValueEverChangesWithoutTheQuirkPair) {
    std::vector<std::uint16_t> regs;
    for (int i = 0; i < 127; ++i) regs.push_back(static_cast<std::uint16_t>(i * 3));
    const auto b = numbers(encodeRegisterReply(7, regs));
    ASSERT_EQ(b.size(), 3u + 254u + 2u);
    EXPECT_EQ(b[2], 254);
    for (std::size_t r = 0; r < regs.size(); ++r) EXPECT_EQ(b[3 + 2 * r] * 256 + b[4 + 2 * r], regs[r]);
    EXPECT_TRUE(crcValid(b));
}

TEST(RegisterReply, MoreThan127RegistersAreCut) {
    const auto b = numbers(encodeRegisterReply(1, std::vector<std::uint16_t>(200, 5)));
    EXPECT_EQ(b[2], 254);
    EXPECT_EQ(b.size(), 3u + 254u + 2u);
}

TEST(RegisterReply, PairsAndCountersDecodeByTheClientsReadings) {
    std::vector<std::uint16_t> regs;
    appendPair(regs, -1000);
    appendPair(regs, 123456789);
    appendCounter(regs, 0x0001000200030004ULL);
    RegisterTable t = test::decodeRegisters("enerjial\x01#\x01" + encodeRegisterReply(1, regs), 0);
    EXPECT_EQ(test::pair(t, 0, PairCode::S32), -1000);
    EXPECT_EQ(test::pair(t, 2, PairCode::U32), 123456789);
    EXPECT_EQ(fourRegisterCounter(t.values(1), 4), 0x0001000200030004LL);
}

}  // namespace
}  // namespace izleme::sim
