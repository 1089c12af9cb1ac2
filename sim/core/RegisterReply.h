// The register reply text that carries a device's Modbus function 3 reply on
// the server connection: every byte as decimal text followed by "$".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace izleme::sim {

// Address, 3, byte count, data (high byte first per register), CRC low and
// high byte, each followed by "$". The client rewrites "$199$239" to "$3", so
// a register that would put the bytes 199, 239 after a "$" is nudged by one
// (at most a count of one in the last digit; the CRC follows the nudged data).
// At most 127 registers fit in one reply; more are cut off.
std::string encodeRegisterReply(std::uint8_t address, std::vector<std::uint16_t> registers);

// The binary Modbus frame of the same reply, CRC included.
std::string registerReplyFrame(std::uint8_t address, const std::vector<std::uint16_t>& registers);

// Registers of a 32-bit value, high register first (two's complement for
// negative values).
void appendPair(std::vector<std::uint16_t>& out, std::int64_t value);
// Registers of a 64-bit counter, most significant register first.
void appendCounter(std::vector<std::uint16_t>& out, std::uint64_t value);

}  // namespace izleme::sim
