// Locale number services of the client: format masks, the general number
// format, and text-to-number under a given decimal separator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace izleme {

// Number-to-text with a format mask: "0" a required digit, "#" an optional
// digit, "." the decimal separator (written as decimalSeparator). Rounds to the
// mask's decimals, a half away from zero; a "-" whenever x < 0.
std::string formatMask(double x, std::string_view mask, char decimalSeparator);

// The general format: 15 significant digits, fixed notation for decimal
// exponents -5..14, otherwise "E" notation ("1E-6", "1.40129846432482E-45").
std::string formatGeneral(double x, char decimalSeparator);

// Text-to-number: blanks and control characters trimmed at both ends; only the
// given decimal separator is accepted. Nothing when the text is not a number.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// Text-to-integer: leading blanks allowed, optional sign, decimal digits, nothing
// after them. Nothing when the text is not an integer or does not fit.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Rounding to the nearest integer, a half to the even neighbour.
std::int64_t roundHalfEven(long double x);

}  // namespace izleme
