// Number-to-text of the client: format masks and the general number format.
#include "toolkit/core/NumberFormat.h"

#include <cmath>
#include <limits>

#include "toolkit/core/DecimalDigits.h"

namespace izleme {

namespace {

// Masks take |x| at 17 significant digits, the general format at 15.
constexpr int maskDigits = 17;
constexpr int generalDigits = 15;

std::string nonFiniteText(double x) {
    if (std::isnan(x)) return "NAN";
    return x < 0 ? "-INF" : "INF";
}

bool isPlaceholder(char c) { return c == '0' || c == '#'; }

// The parts of a mask: literal text before the first and after the last digit
// placeholder, the count of "0" before the point, and the placeholders after it.
struct MaskLayout {
    std::string prefix;
    std::string suffix;
    int requiredIntegerDigits = 0;
    int decimals = 0;          // "0" and "#" after the point
    int requiredDecimals = 0;  // up to and including the last "0" after the point
};

MaskLayout parseMask(std::string_view mask) {
    MaskLayout layout;
    const auto first = mask.find_first_of("0#.");
    if (first == std::string_view::npos) {
        layout.prefix = std::string(mask);
        return layout;
    }
    const auto last = mask.find_last_of("0#.");
    layout.prefix = std::string(mask.substr(0, first));
    layout.suffix = std::string(mask.substr(last + 1));
    bool afterPoint = false;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = mask[i];
        if (c == '.') {
            afterPoint = true;
        } else if (isPlaceholder(c) && !afterPoint) {
            if (c == '0') ++layout.requiredIntegerDigits;
        } else if (isPlaceholder(c)) {
            ++layout.decimals;
            if (c == '0') layout.requiredDecimals = layout.decimals;
        }
    }
    return layout;
}

}  // namespace

std::string formatMask(double x, std::string_view mask, char decimalSeparator) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    if (mask.empty()) return formatGeneral(x, decimalSeparator);
    const MaskLayout layout = parseMask(mask);

    std::string scaled = roundToDecimals(decimalDigits(x, maskDigits), layout.decimals);
    const auto decimals = static_cast<std::size_t>(layout.decimals);
    if (scaled.size() < decimals) scaled.insert(0, decimals - scaled.size(), '0');

    std::string integerPart = scaled.substr(0, scaled.size() - decimals);
    std::string fraction = scaled.substr(scaled.size() - decimals);
    const auto firstNonZero = integerPart.find_first_not_of('0');
    integerPart.erase(0, firstNonZero == std::string::npos ? integerPart.size() : firstNonZero);
    const auto required = static_cast<std::size_t>(layout.requiredIntegerDigits);
    if (integerPart.size() < required) integerPart.insert(0, required - integerPart.size(), '0');
    while (fraction.size() > static_cast<std::size_t>(layout.requiredDecimals) && fraction.back() == '0') {
        fraction.pop_back();
    }

    std::string out;
    if (x < 0) out.push_back('-');
    out += layout.prefix;
    out += integerPart;
    if (!fraction.empty()) {
        out.push_back(decimalSeparator);
        out += fraction;
    }
    out += layout.suffix;
    return out;
}

std::string formatGeneral(double x, char decimalSeparator) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    if (x == 0) return "0";
    const DecimalDigits value = decimalDigits(x, generalDigits);
    std::string digits = value.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int e = value.exponent;

    std::string out;
    if (x < 0) out.push_back('-');
    if (e < -5 || e > 14) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back(decimalSeparator);
            out.append(digits, 1);
        }
        out.push_back('E');
        out += std::to_string(e);
    } else if (e < 0) {
        out.push_back('0');
        out.push_back(decimalSeparator);
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(e) + 1;
        if (digits.size() <= integerDigits) {
            out += digits;
            out.append(integerDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, integerDigits);
            out.push_back(decimalSeparator);
            out.append(digits, integerDigits);
        }
    }
    return out;
}

std::int64_t roundHalfEven(long double x) {
    if (std::isnan(x)) return 0;
    // Out of range values saturate rather than overflow.
    constexpr long double top = 9223372036854775807.0L;
    if (x >= top) return std::numeric_limits<std::int64_t>::max();
    if (x <= -top - 1) return std::numeric_limits<std::int64_t>::min();
    const long double below = std::floor(x);
    const long double diff = x - below;
    long double nearest = below;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(below, 2.0L) != 0)) nearest = below + 1;
    return static_cast<std::int64_t>(nearest);
}

}  // namespace izleme
