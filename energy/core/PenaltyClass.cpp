#include "energy/core/PenaltyClass.h"

#include <cstdint>

#include "toolkit/core/NumberFormat.h"

namespace izleme::energy {

namespace {

// The lowest rounded ratio of "KRİTİK", "ALARM" and "CEZA" on each side.
struct Limits {
    std::int64_t critical, alarm, penalty;
};
constexpr Limits inductiveLimits{15, 17, 20};
constexpr Limits capacitiveLimits{10, 12, 15};

}  // namespace

PenaltyClass penaltyClass(double ratioPercent, RatioSide side) {
    const Limits& l = side == RatioSide::Inductive ? inductiveLimits : capacitiveLimits;
    const std::int64_t r = roundHalfEven(ratioPercent);
    if (r >= l.penalty) return PenaltyClass::Penalty;
    if (r >= l.alarm) return PenaltyClass::Alarm;
    if (r >= l.critical) return PenaltyClass::Critical;
    return PenaltyClass::Normal;
}

std::string penaltyText(PenaltyClass c) {
    switch (c) {
        case PenaltyClass::Normal:
            return "NORMAL";
        case PenaltyClass::Critical:
            return "KR\xDDT\xDDK";
        case PenaltyClass::Alarm:
            return "ALARM";
        case PenaltyClass::Penalty:
            return "CEZA";
    }
    return {};
}

Rgb penaltyColour(PenaltyClass c) {
    switch (c) {
        case PenaltyClass::Normal:
            return {0, 255, 0};
        case PenaltyClass::Critical:
            return {255, 255, 0};
        case PenaltyClass::Alarm:
            return {255, 0, 255};
        case PenaltyClass::Penalty:
            return {255, 0, 0};
    }
    return {};
}

}  // namespace izleme::energy
