// Text-to-number of the client under a given decimal separator, and
// text-to-integer.
#include <charconv>
#include <limits>

#include "toolkit/core/NumberFormat.h"

namespace izleme {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text, char decimalSeparator) {
    text = trimmed(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Mantissa digits, rewritten with "." for the standard conversion.
    std::string normal;
    std::size_t digitCount = 0;
    long long magnitude = 0;  // decimal exponent of the first significant digit, plus one
    bool seenSignificant = false;
    while (i < text.size() && isDigit(text[i])) {
        seenSignificant = seenSignificant || text[i] != '0';
        if (seenSignificant) ++magnitude;
        normal.push_back(text[i++]);
        ++digitCount;
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        normal.push_back('.');
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            if (!seenSignificant && text[i] == '0') --magnitude;
            seenSignificant = seenSignificant || text[i] != '0';
            normal.push_back(text[i++]);
            ++digitCount;
        }
    }
    if (digitCount == 0) return std::nullopt;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        if (i == text.size() || !isDigit(text[i])) return std::nullopt;
        while (i < text.size() && isDigit(text[i])) {
            // Saturate: any exponent this large is out of range anyway.
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negativeExponent) exponent = -exponent;
        normal += 'e';
        normal += std::to_string(exponent);
    }
    if (i != text.size()) return std::nullopt;

    double value = 0;
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is not a number.
        if (seenSignificant && magnitude + exponent > 0) return std::nullopt;
        value = 0;
    } else if (res.ec != std::errc() || res.ptr != normal.data() + normal.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    // Accumulate as a negative number so that the smallest int64 fits.
    std::int64_t value = 0;
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        const int digit = text[i] - '0';
        if (value < (lowest + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest) return std::nullopt;
        value = -value;
    }
    return value;
}

}  // namespace izleme
