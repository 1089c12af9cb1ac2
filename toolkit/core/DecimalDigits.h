// Decimal digits of a double, correctly rounded to a number of significant
// digits, and decimal-text rounding on them: the base of the number masks.
#pragma once

#include <string>

namespace izleme {

// value = d0.d1d2... x 10^exponent, with `digits` holding d0 d1 d2 ...
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

// Significant digits of |x| (x finite), correctly rounded; zero gives all "0"
// digits and exponent 0.
DecimalDigits decimalDigits(double x, int significantDigits);

// The digits of `value` rounded to `decimals` places after the point, a half
// going away from zero, as one integer text equal to value x 10^decimals
// (empty when it rounds to zero).
std::string roundToDecimals(const DecimalDigits& value, int decimals);

}  // namespace izleme
