#include "sim/core/DecimalField.h"

#include <cstdint>

namespace izleme::sim {

std::optional<int> decimalField(std::string_view text, int low, int high) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const std::size_t digitsFrom = i;
    // Accumulated in 64 bits and stopped once past every int: a long run of
    // digits is refused instead of wrapping.
    std::int64_t magnitude = 0;
    bool tooLarge = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (!tooLarge) magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > INT32_MAX + std::int64_t{1}) tooLarge = true;
    }
    if (i == digitsFrom) return std::nullopt;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i != text.size() || tooLarge) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace izleme::sim
