// Modbus RTU frames of the serial poll window: the read request (function 3),
// the four-byte write request (function 6 with four data bytes, slave 1), the
// CRC that closes them, the frame check and the reading of a reply. Frames are
// byte strings; every request input keeps only its low 8 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace izleme::modbus {

// A request box's text as a byte: an integer (32-bit, optional sign, leading
// blanks) of which only the low 8 bits count, so "300" gives 44 and "-1" 255.
// Nothing when the text is no such integer.
std::optional<std::uint8_t> lowByteOf(std::string_view text);
// The same text as the whole integer (the register cursor); nothing when it is no integer.
std::optional<std::int32_t> integerOf(std::string_view text);

// Appends the CRC-16 of the frame, low byte first.
void appendCrc(std::string& frame);

// address, 0x03, 0x00, first, 0x00, count, CRC low, CRC high.
std::string readRequest(std::uint8_t address, std::uint8_t first, std::uint8_t count);
// 0x01, 0x06, 0x00, reg, d1..d4, CRC low, CRC high: the slave address is always 1.
std::string writeRequest(std::uint8_t reg, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3, std::uint8_t d4);

// True when the frame is at least two bytes long and ends with the CRC of the
// bytes before, low byte first.
bool frameCheck(std::string_view frame);

// What the bytes that came back after a request say.
struct ReplyReading {
    enum class Kind {
        NoReply,    // nothing came back
        BadCrc,     // bytes came, but they do not end with their CRC
        Registers,  // a whole function 3 reply: its registers, high byte first
        Exception,  // function code with bit 7 set: the exception code
        Other,      // a frame with a right CRC that is none of the above (a write's echo)
    };
    Kind kind = Kind::NoReply;
    std::uint8_t address = 0;
    std::uint8_t function = 0;
    std::uint8_t exceptionCode = 0;
    std::vector<std::uint16_t> registers;
};

// Reads a reply frame. A function 3 reply counts as registers only when its
// byte count is even and matches the frame length exactly.
ReplyReading readReply(std::string_view frame);

// "01 03 00 00 00 46 C4 38": the bytes as upper-case hex pairs.
std::string hexBytes(std::string_view bytes);

}  // namespace izleme::modbus
