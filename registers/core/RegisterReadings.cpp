// Register pair, four-register counter and word readings.
#include "registers/core/RegisterReadings.h"

#include <cmath>

#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

constexpr long double kTwo63 = 9223372036854775808.0L;
constexpr long double kTwo64 = 18446744073709551616.0L;
constexpr double kTwo53 = 9007199254740992.0;

// Round(x) when it fits a 64-bit integer.
std::optional<std::int64_t> roundToInt64(long double x) {
    if (!std::isfinite(x) || x < -kTwo63 || x >= kTwo63 - 1.0L) return std::nullopt;
    return roundHalfEven(x);
}

bool isExactInteger(double v) { return std::isfinite(v) && std::trunc(v) == v && std::fabs(v) <= kTwo53; }

std::uint64_t wrapped(double v) { return static_cast<std::uint64_t>(static_cast<std::int64_t>(v)); }

}  // namespace

std::optional<std::int64_t> registerPair(double hi, double lo) {
    return roundToInt64(static_cast<long double>(hi) * 65536.0L + static_cast<long double>(lo));
}

std::int64_t reducePair(std::int64_t pair, PairCode code) {
    switch (code) {
        case PairCode::U32:
            return static_cast<std::uint32_t>(pair);
        case PairCode::S32:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(pair));
        case PairCode::S16:
            return static_cast<std::int16_t>(static_cast<std::uint16_t>(pair));
    }
    return pair;
}

std::optional<std::int64_t> pairReading(ValueRow row, int reg, PairCode code) {
    if (reg < 0 || reg + 1 >= kRegisterCount) return std::nullopt;
    const auto r = static_cast<std::size_t>(reg);
    auto pair = registerPair(row[r], row[r + 1]);
    if (!pair) return std::nullopt;
    return reducePair(*pair, code);
}

std::optional<std::int64_t> fourRegisterCounter(double a, double b, double c, double d) {
    const long double approx = static_cast<long double>(a) * 281474976710656.0L +
                               static_cast<long double>(b) * 4294967296.0L + static_cast<long double>(c) * 65536.0L +
                               static_cast<long double>(d);
    if (!(isExactInteger(a) && isExactInteger(b) && isExactInteger(c) && isExactInteger(d))) {
        return roundToInt64(approx);
    }
    // Integer registers: the sum modulo 2^64 is exact in unsigned arithmetic;
    // the approximate sum tells how many times 2^64 lie between it and the
    // true value, which decides whether the true value fits.
    const std::uint64_t low = (wrapped(a) << 48) + (wrapped(b) << 32) + (wrapped(c) << 16) + wrapped(d);
    const long double turns = std::nearbyint((approx - static_cast<long double>(low)) / kTwo64);
    const bool fits =
        (turns == 0.0L && low < (std::uint64_t{1} << 63)) || (turns == -1.0L && low >= (std::uint64_t{1} << 63));
    if (!fits) return std::nullopt;
    return static_cast<std::int64_t>(low);
}

std::optional<std::int64_t> fourRegisterCounter(ValueRow row, int reg) {
    if (reg < 0 || reg + 3 >= kRegisterCount) return std::nullopt;
    const auto r = static_cast<std::size_t>(reg);
    return fourRegisterCounter(row[r], row[r + 1], row[r + 2], row[r + 3]);
}

std::optional<std::uint16_t> registerWord(double v) {
    auto n = roundToInt64(v);
    if (!n) return std::nullopt;
    return static_cast<std::uint16_t>(*n);
}

std::optional<std::uint16_t> registerWord(ValueRow row, int reg) {
    if (!RegisterTable::isValidRegister(reg)) return std::nullopt;
    return registerWord(row[static_cast<std::size_t>(reg)]);
}

}  // namespace izleme
