// Received text through the reply dispatcher, with the date-range replies
// ("reaktifenerji", "tedassycal") read as their panels read them, under both
// decimal separators. What a panel is told to show must hold together: at
// most six counters, ratios only after all six, each ratio in its class.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "energy/core/EnergyRange.h"
#include "server/core/ReplyDispatcher.h"

namespace {

using izleme::energy::RangeFields;

void check(const RangeFields& fields, double divisor) {
    for (const char separator : {',', '.'}) {
        const auto shown = izleme::energy::readRangeReply(fields, divisor, separator);
        if (shown.counters.size() > 6) __builtin_trap();
        for (const auto& c : shown.counters) {
            if (c.size() < 3 || c[c.size() - 3] != separator) __builtin_trap();
        }
        if (!shown.ratios) continue;
        if (shown.counters.size() != 6) __builtin_trap();
        const izleme::energy::RatioSide sides[] = {izleme::energy::RatioSide::Inductive,
                                                   izleme::energy::RatioSide::Capacitive};
        for (std::size_t i = 0; i < 2; ++i) {
            const auto& r = (*shown.ratios)[i];
            if (!std::isfinite(r.percent)) __builtin_trap();
            if (r.penalty != izleme::energy::penaltyClass(r.percent, sides[i])) __builtin_trap();
            if (r.text.empty()) __builtin_trap();
        }
    }
}

struct RangeReplies : izleme::ReplyHandlers {
    void reaktifenerji(const std::array<std::string_view, 9>& f) override { check(f, 1000); }
    void tedassycal(const std::array<std::string_view, 9>& f) override { check(f, 1); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    izleme::ReplyDispatcher dispatcher;
    RangeReplies handlers;
    (void)dispatcher.dispatch(std::string_view(reinterpret_cast<const char*>(data), size), "", handlers);
    return 0;
}
