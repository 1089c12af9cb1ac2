// IEEE-754 single-precision values sent by relays as four bytes, most
// significant first; infinities and NaNs are not passed on.
#pragma once

#include <cstdint>
#include <string>

namespace izleme {

// The value of bytes a b c d (a most significant) as a double; exponent 255
// gives 0.0 (-0.0 with the sign bit set), a negative zero gives -0.0.
double decodeSingle(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);

// The same value, worked out from the 32 binary digits of the bytes (sign,
// exponent, mantissa up to its last "1"). Slower; kept as the reference.
double decodeSingleFromDigits(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);

// The eight binary digits of n, most significant first ("00000101" for 5).
std::string binaryDigits(std::uint8_t n);

}  // namespace izleme
