#include "registers/core/ModbusRtu.h"

#include <limits>

#include "registers/core/Crc16.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme::modbus {
namespace {

char byteChar(std::uint8_t b) { return static_cast<char>(b); }
std::uint8_t at(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

}  // namespace

std::optional<std::int32_t> integerOf(std::string_view text) {
    const std::optional<std::int64_t> v = parseInteger(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::uint8_t> lowByteOf(std::string_view text) {
    const std::optional<std::int32_t> v = integerOf(text);
    if (!v) return std::nullopt;
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(*v) & 0xFFu);
}

void appendCrc(std::string& frame) {
    const std::uint16_t crc = crc16Modbus(frame);
    frame.push_back(byteChar(static_cast<std::uint8_t>(crc & 0xFF)));
    frame.push_back(byteChar(static_cast<std::uint8_t>(crc >> 8)));
}

std::string readRequest(std::uint8_t address, std::uint8_t first, std::uint8_t count) {
    std::string f{byteChar(address), 0x03, 0x00, byteChar(first), 0x00, byteChar(count)};
    appendCrc(f);
    return f;
}

std::string writeRequest(std::uint8_t reg, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3, std::uint8_t d4) {
    std::string f{0x01, 0x06, 0x00, byteChar(reg), byteChar(d1), byteChar(d2), byteChar(d3), byteChar(d4)};
    appendCrc(f);
    return f;
}

bool frameCheck(std::string_view frame) {
    if (frame.size() < 2) return false;
    const std::size_t n = frame.size();
    const std::uint16_t crc = crc16Modbus(frame.substr(0, n - 2));
    return at(frame, n - 2) == (crc & 0xFF) && at(frame, n - 1) == (crc >> 8);
}

ReplyReading readReply(std::string_view frame) {
    ReplyReading r;
    if (frame.empty()) return r;
    if (!frameCheck(frame)) {
        r.kind = ReplyReading::Kind::BadCrc;
        return r;
    }
    r.kind = ReplyReading::Kind::Other;
    if (frame.size() < 4) return r;  // a CRC and at most two bytes before it
    r.address = at(frame, 0);
    r.function = at(frame, 1);
    if ((r.function & 0x80) != 0 && frame.size() == 5) {
        r.kind = ReplyReading::Kind::Exception;
        r.exceptionCode = at(frame, 2);
        return r;
    }
    if (r.function == 0x03 && frame.size() >= 5) {
        const std::size_t byteCount = at(frame, 2);
        if (byteCount % 2 != 0 || frame.size() != 3 + byteCount + 2) return r;
        r.kind = ReplyReading::Kind::Registers;
        r.registers.reserve(byteCount / 2);
        for (std::size_t i = 3; i + 1 < 3 + byteCount; i += 2)
            r.registers.push_back(static_cast<std::uint16_t>(at(frame, i) << 8 | at(frame, i + 1)));
    }
    return r;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) out.push_back(' ');
        const std::uint8_t b = at(bytes, i);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0xF]);
    }
    return out;
}

}  // namespace izleme::modbus
