#include "control/core/RelayValues.h"

#include <cmath>
#include <optional>

#include "registers/core/SingleDecoder.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

using Byte = std::optional<std::uint8_t>;

// The 24 bytes of the registers; a register that does not hold a 16-bit word
// (the no-value mark -1 among them) gives two bytes without a value.
std::array<Byte, 2 * kRelayRegisterCount> cells(std::span<const double, kRelayRegisterCount> registers) {
    std::array<Byte, 2 * kRelayRegisterCount> out{};
    for (std::size_t r = 0; r < registers.size(); ++r) {
        const double v = registers[r];
        if (!(v >= 0.0 && v <= 65535.0) || v != std::floor(v)) continue;
        const auto word = static_cast<unsigned>(v);
        out[2 * r] = static_cast<std::uint8_t>(word >> 8);
        out[2 * r + 1] = static_cast<std::uint8_t>(word & 0xFF);
    }
    return out;
}

std::string text(Byte b, int offset = 0) { return b ? std::to_string(*b + offset) : std::string("-"); }

}  // namespace

char relayOutputByte(bool role1, bool role2, bool role3) {
    return static_cast<char>((role1 ? 16 : 0) | (role2 ? 32 : 0) | (role3 ? 64 : 0));
}

RelayRegisterTexts relayRegisterTexts(std::span<const double, kRelayRegisterCount> registers, char decimalSeparator) {
    const auto c = cells(registers);
    RelayRegisterTexts t;
    t.saat = text(c[2]) + ":" + text(c[1]) + ":" + text(c[0]);
    t.trh = text(c[3]) + "." + text(c[6]) + "." + text(c[7], 2000);
    for (std::size_t i = 0; i < t.akim.size(); ++i) {
        const std::size_t at = 8 + 4 * i;
        if (c[at] && c[at + 1] && c[at + 2] && c[at + 3])
            t.akim[i] = formatGeneral(decodeSingle(*c[at], *c[at + 1], *c[at + 2], *c[at + 3]), decimalSeparator);
        else
            t.akim[i].assign(1, '-');
    }
    return t;
}

}  // namespace izleme
