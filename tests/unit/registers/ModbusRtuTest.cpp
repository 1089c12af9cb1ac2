// Modbus RTU frames of the serial poll window: request bytes with their fixed
// fields, the low-8-bit inputs, the frame check and the reading of replies.
#include <gtest/gtest.h>

#include <string>

#include "registers/core/Crc16.h"
#include "registers/core/ModbusRtu.h"

namespace izleme::modbus {
namespace {

std::string bytes(std::initializer_list<unsigned> list) {
    std::string s;
    for (unsigned b : list) s += static_cast<char>(b);
    return s;
}

std::string withCrc(std::string frame) {
    appendCrc(frame);
    return frame;
}

TEST(ModbusFrames, RequestsCarryTheirFixedFieldsAndCrc) {
    EXPECT_EQ(readRequest(1, 0, 70), bytes({0x01, 0x03, 0x00, 0x00, 0x00, 0x46, 0xC4, 0x38}));
    EXPECT_EQ(writeRequest(0, 255, 255, 255, 255), bytes({0x01, 0x06, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xE6, 0x53}));
    // The read request takes its address; the write request always goes to slave 1.
    const std::string read7 = readRequest(7, 10, 2);
    EXPECT_EQ(read7.substr(0, 6), bytes({0x07, 0x03, 0x00, 0x0A, 0x00, 0x02}));
    EXPECT_TRUE(frameCheck(read7));
    const std::string write = writeRequest(10, 1, 2, 3, 4);
    EXPECT_EQ(write.substr(0, 8), bytes({0x01, 0x06, 0x00, 0x0A, 0x01, 0x02, 0x03, 0x04}));
    EXPECT_TRUE(frameCheck(write));
}

TEST(ModbusFrames, InputsKeepTheirLowEightBits) {
    struct Case {
        const char* text;
        std::optional<std::uint8_t> byte;
    };
    const Case cases[] = {
        {"0", 0},    {"70", 70},   {"255", 255},       {"256", 0},          {"300", 44}, {"-1", 255},
        {"-256", 0}, {"  12", 12}, {"+5", 5},          {"2147483647", 255}, {"", {}},    {"abc", {}},
        {"1.5", {}}, {"12 ", {}},  {"2147483648", {}}, {"-", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(lowByteOf(c.text), c.byte) << '"' << c.text << '"';
    // 300 in the register box puts 44 in byte 3 of either request.
    EXPECT_EQ(static_cast<unsigned char>(readRequest(1, *lowByteOf("300"), 70)[3]), 44);
    EXPECT_EQ(static_cast<unsigned char>(writeRequest(*lowByteOf("-1"), 0, 0, 0, 0)[3]), 255);
    EXPECT_EQ(integerOf("300"), 300);
    EXPECT_EQ(integerOf("x"), std::nullopt);
}

TEST(ModbusFrames, FrameCheckBothWays) {
    const std::string frame = readRequest(1, 0, 70);
    EXPECT_TRUE(frameCheck(frame));
    std::string swapped = frame;
    std::swap(swapped[6], swapped[7]);
    EXPECT_FALSE(frameCheck(swapped));
    std::string flipped = frame;
    flipped[3] = 1;
    EXPECT_FALSE(frameCheck(flipped));
    EXPECT_FALSE(frameCheck(""));
    EXPECT_FALSE(frameCheck(bytes({0xFF})));
    // Two bytes are the CRC of nothing: 0xFFFF, low byte first.
    EXPECT_TRUE(frameCheck(bytes({0xFF, 0xFF})));
}

TEST(ModbusReplies, FunctionThreeRepliesGiveTheirRegisters) {
    const ReplyReading r = readReply(withCrc(bytes({0x01, 0x03, 0x06, 0x00, 0x01, 0x12, 0x34, 0xFF, 0xFE})));
    EXPECT_EQ(r.kind, ReplyReading::Kind::Registers);
    EXPECT_EQ(r.address, 1);
    EXPECT_EQ(r.registers, (std::vector<std::uint16_t>{0x0001, 0x1234, 0xFFFE}));

    // The default read: 70 registers in 145 bytes.
    std::string big = bytes({0x01, 0x03, 140});
    for (int i = 0; i < 70; ++i) big += bytes({static_cast<unsigned>(i >> 8), static_cast<unsigned>(i * 3 & 0xFF)});
    const ReplyReading full = readReply(withCrc(big));
    ASSERT_EQ(full.kind, ReplyReading::Kind::Registers);
    ASSERT_EQ(full.registers.size(), 70u);
    EXPECT_EQ(full.registers[69], 69 * 3 & 0xFF);

    const ReplyReading none = readReply(withCrc(bytes({0x01, 0x03, 0x00})));
    EXPECT_EQ(none.kind, ReplyReading::Kind::Registers);
    EXPECT_TRUE(none.registers.empty());
}

TEST(ModbusReplies, OtherFrames) {
    using K = ReplyReading::Kind;
    struct Case {
        const char* what;
        std::string frame;
        K kind;
        int exceptionCode;
    };
    const std::string goodRead = withCrc(bytes({0x01, 0x03, 0x02, 0x00, 0x07}));
    std::string badCrc = goodRead;
    badCrc.back() = static_cast<char>(badCrc.back() ^ 1);
    const Case cases[] = {
        {"nothing", "", K::NoReply, 0},
        {"bad CRC", badCrc, K::BadCrc, 0},
        {"one stray byte", bytes({0x01}), K::BadCrc, 0},
        {"illegal data address", withCrc(bytes({0x01, 0x83, 0x02})), K::Exception, 2},
        {"exception of the write", withCrc(bytes({0x01, 0x86, 0x04})), K::Exception, 4},
        {"write echo", writeRequest(0, 255, 255, 255, 255), K::Other, 0},
        {"byte count beyond the frame", withCrc(bytes({0x01, 0x03, 0x04, 0x00, 0x07})), K::Other, 0},
        {"byte count short of the frame", withCrc(bytes({0x01, 0x03, 0x02, 0x00, 0x07, 0x00, 0x08})), K::Other, 0},
        {"odd byte count", withCrc(bytes({0x01, 0x03, 0x01, 0x07})), K::Other, 0},
        {"just a CRC", bytes({0xFF, 0xFF}), K::Other, 0},
    };
    for (const Case& c : cases) {
        const ReplyReading r = readReply(c.frame);
        EXPECT_EQ(r.kind, c.kind) << c.what;
        EXPECT_EQ(r.exceptionCode, c.exceptionCode) << c.what;
        if (c.kind != K::Registers) {
            EXPECT_TRUE(r.registers.empty()) << c.what;
        }
    }
}

TEST(ModbusFrames, HexText) {
    EXPECT_EQ(hexBytes(readRequest(1, 0, 70)), "01 03 00 00 00 46 C4 38");
    EXPECT_EQ(hexBytes(""), "");
    EXPECT_EQ(hexBytes(bytes({0x0A})), "0A");
}

}  // namespace
}  // namespace izleme::modbus
