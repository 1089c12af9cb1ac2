// The over-current relay's values: the output byte its pull request carries,
// and the texts of its clock and currents held in its registers 0..11.
#pragma once

#include <array>
#include <span>
#include <string>

namespace izleme {

// 16 for output 1, 32 for output 2, 64 for output 3: 0x00..0x70. It travels as
// this raw byte, so no output pulled puts a zero byte into the message.
char relayOutputByte(bool role1, bool role2, bool role3);

inline constexpr int kRelayRegisterCount = 12;

// What the relay's registers 0..11 show. Their 24 bytes, the high byte of
// each register first, are second, minute, hour, day, output byte, settings
// count, month, year of the century, then the currents I1, I2, I3 and It as
// four-byte single-precision values. A byte of a register that holds no value
// yet shows as "-".
struct RelayRegisterTexts {
    std::string saat;                 // hour ":" minute ":" second
    std::string trh;                  // day "." month "." 2000 + year
    std::array<std::string, 4> akim;  // general number format
};
RelayRegisterTexts relayRegisterTexts(std::span<const double, kRelayRegisterCount> registers, char decimalSeparator);

}  // namespace izleme
