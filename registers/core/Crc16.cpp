#include "registers/core/Crc16.h"

#include <array>

namespace izleme {
namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i);
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
        t[i] = crc;
    }
    return t;
}

constexpr auto kTable = makeTable();

}  // namespace

std::uint16_t crc16Modbus(std::string_view bytes) {
    std::uint16_t crc = 0xFFFF;
    for (char c : bytes) crc = static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF]);
    return crc;
}

}  // namespace izleme
