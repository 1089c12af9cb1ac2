// Quantities read from stored registers: register pair, four-register counter
// and word. A register holding kNoValue takes part like any other value.
#pragma once

#include <cstdint>
#include <optional>

#include "registers/core/RegisterTable.h"

namespace izleme {

// How a register pair is reduced for display.
enum class PairCode {
    U32,  // low 32 bits, unsigned
    S32,  // low 32 bits, signed
    S16,  // low 16 bits, signed
};

// Round(hi * 65536 + lo), halves to even. Nothing when the sum is not a finite
// number that fits a 64-bit integer.
std::optional<std::int64_t> registerPair(double hi, double lo);

// The pair reduced by code.
std::int64_t reducePair(std::int64_t pair, PairCode code);

// The reduced pair of registers reg and reg + 1 of row; nothing when reg + 1
// is past the row or the pair cannot be read.
std::optional<std::int64_t> pairReading(ValueRow row, int reg, PairCode code);

// Round(a * 65536^3 + b * 65536^2 + c * 65536 + d), exact for integer
// registers. Nothing when the result does not fit a 64-bit integer.
std::optional<std::int64_t> fourRegisterCounter(double a, double b, double c, double d);
std::optional<std::int64_t> fourRegisterCounter(ValueRow row, int reg);

// Low 16 bits of Round(v), unsigned. Nothing when v cannot be rounded.
std::optional<std::uint16_t> registerWord(double v);
std::optional<std::uint16_t> registerWord(ValueRow row, int reg);

}  // namespace izleme
