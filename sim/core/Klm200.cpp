#include "sim/core/Klm200.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "sim/core/CivilTime.h"
#include "sim/core/Stepping.h"

namespace izleme::sim {

Klm200::Klm200(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start) : setup_(setup), load_(setup, seed), now_(start - 60) {
    advanceTo(start);
}

void Klm200::advanceTo(std::int64_t t) {
    stepTo(now_, t, stepSeconds, [this](double dt) { load_.step(now_, dt); });
    measure();
}

void Klm200::measure() {
    const LoadSample& s = load_.last();
    for (std::size_t p = 0; p < 3; ++p) {
        const PhaseLoad& l = s.phases[p];
        const double kva = std::hypot(l.activeKw, l.reactiveKvar - setup_.fixedKvar / 3.0);
        // A pulled output has tripped the feeder: no current flows.
        currents_[p] = (outputs_ != 0 || l.volts <= 0) ? 0.0 : kva * 1000.0 / l.volts;
    }
    // Earth current: the vector sum's residue plus leakage, a few tenths of an ampere.
    const double unbalance = std::abs(currents_[0] - currents_[1]) + std::abs(currents_[1] - currents_[2]);
    currents_[3] = outputs_ != 0 ? 0.0 : 0.05 * unbalance + earthDrift_;
}

std::vector<std::string> Klm200::currentFields() const {
    std::vector<std::string> f;
    char buf[32];
    for (double a : currents_) {
        std::snprintf(buf, sizeof buf, "%.1f", a);
        f.emplace_back(buf);
    }
    f.push_back(setup_.serial);
    f.push_back(formatShortDate(now_));
    f.push_back(formatTime(now_));
    return f;
}

std::vector<std::uint16_t> Klm200::registers() const {
    const CivilTime c = toCivil(now_);
    std::vector<std::uint8_t> b{static_cast<std::uint8_t>(c.second), static_cast<std::uint8_t>(c.minute),
                                static_cast<std::uint8_t>(c.hour),   static_cast<std::uint8_t>(c.day),
                                static_cast<std::uint8_t>(outputs_), static_cast<std::uint8_t>(settingsWrites_ & 0xFF),
                                static_cast<std::uint8_t>(c.month),  static_cast<std::uint8_t>(c.year % 100)};
    for (double a : currents_) {
        const float f = static_cast<float>(a);
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    std::vector<std::uint16_t> r;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) r.push_back(static_cast<std::uint16_t>(b[i] << 8 | b[i + 1]));
    return r;
}

void Klm200::pullOutputs(int outputByte) {
    outputs_ = outputByte & 0x70;
    pulls_.emplace_back(now_, outputs_);
    measure();
}

}  // namespace izleme::sim
