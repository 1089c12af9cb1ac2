#include "sim/core/RegisterReply.h"

#include "registers/core/Crc16.h"

namespace izleme::sim {

std::string registerReplyFrame(std::uint8_t address, const std::vector<std::uint16_t>& registers) {
    const std::size_t count = registers.size() > 127 ? 127 : registers.size();
    std::string frame;
    frame.push_back(static_cast<char>(address));
    frame.push_back(3);
    frame.push_back(static_cast<char>(count * 2));
    for (std::size_t i = 0; i < count; ++i) {
        frame.push_back(static_cast<char>(registers[i] >> 8));
        frame.push_back(static_cast<char>(registers[i] & 0xFF));
    }
    const std::uint16_t crc = crc16Modbus(frame);
    frame.push_back(static_cast<char>(crc & 0xFF));
    frame.push_back(static_cast<char>(crc >> 8));
    return frame;
}

namespace {

std::string toText(const std::string& frame) {
    std::string text;
    text.reserve(frame.size() * 4);
    for (char c : frame) {
        text += std::to_string(static_cast<unsigned char>(c));
        text.push_back('$');
    }
    return text;
}

// Index of the first byte of a 199, 239 pair in the frame, or npos.
std::size_t findQuirkPair(const std::string& frame) {
    for (std::size_t i = 0; i + 1 < frame.size(); ++i)
        if (static_cast<unsigned char>(frame[i]) == 199 && static_cast<unsigned char>(frame[i + 1]) == 239) return i;
    return std::string::npos;
}

}  // namespace

std::string encodeRegisterReply(std::uint8_t address, std::vector<std::uint16_t> registers) {
    if (registers.size() > 127) registers.resize(127);
    std::string frame = registerReplyFrame(address, registers);
    // Each pass removes the pair it finds; data changes move the CRC, so a few
    // passes may be needed. The bound keeps this finite whatever the data.
    for (int pass = 0; pass < 16 && !registers.empty(); ++pass) {
        const std::size_t at = findQuirkPair(frame);
        if (at == std::string::npos) break;
        // Frame bytes 3.. are data; byte k of the data belongs to register k / 2.
        std::size_t reg = registers.size() - 1;
        if (at >= 3 && at - 3 < registers.size() * 2) reg = (at - 3) / 2;
        std::uint16_t& r = registers[reg];
        r = static_cast<std::uint16_t>((r & 0xFF) == 0 ? r + 1 : r - 1);
        frame = registerReplyFrame(address, registers);
    }
    return toText(frame);
}

void appendPair(std::vector<std::uint16_t>& out, std::int64_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    out.push_back(static_cast<std::uint16_t>(u >> 16));
    out.push_back(static_cast<std::uint16_t>(u & 0xFFFF));
}

void appendCounter(std::vector<std::uint16_t>& out, std::uint64_t value) {
    for (int shift = 48; shift >= 0; shift -= 16) out.push_back(static_cast<std::uint16_t>((value >> shift) & 0xFFFF));
}

}  // namespace izleme::sim
