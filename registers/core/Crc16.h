// CRC-16 of Modbus RTU frames (reflected polynomial 0xA001, initial 0xFFFF,
// no final XOR); travels low byte first.
#pragma once

#include <cstdint>
#include <string_view>

namespace izleme {

std::uint16_t crc16Modbus(std::string_view bytes);

}  // namespace izleme
