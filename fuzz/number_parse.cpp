// Text-to-number, text-to-integer and format masks on arbitrary input: the
// first byte picks the decimal separator, the rest is the text (and a mask).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "toolkit/core/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto number = izleme::parseNumber(text, separator);
    if (number && !std::isfinite(*number)) std::abort();  // only finite numbers parse
    izleme::parseInteger(text);

    // The text doubles as a mask (bounded, a mask is short) for the parsed
    // number, or for the raw bytes seen as a double.
    double x = number.value_or(0.0);
    if (!number && size >= 1 + sizeof(double)) std::memcpy(&x, data + 1, sizeof(double));
    const std::string_view mask = text.substr(0, 64);
    const std::string shown = izleme::formatMask(x, mask, separator);
    const std::string general = izleme::formatGeneral(x, separator);
    // The general format reads back under the same separator (below the top of
    // the double range, where 15 digits round up past the largest double).
    if (std::isfinite(x) && std::fabs(x) < 1e308 && !izleme::parseNumber(general, separator)) std::abort();
    (void)shown;
    izleme::roundHalfEven(static_cast<long double>(x));
    return 0;
}
