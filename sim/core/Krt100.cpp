#include "sim/core/Krt100.h"

#include <algorithm>
#include <cmath>

#include "sim/core/RegisterReply.h"
#include "sim/core/Stepping.h"

namespace izleme::sim {
namespace {

constexpr double pi = 3.14159265358979323846;

std::int64_t roundTo(double x) { return static_cast<std::int64_t>(std::llround(x)); }

std::uint16_t clampRegister(double x) { return static_cast<std::uint16_t>(std::clamp<std::int64_t>(roundTo(x), 0, 65535)); }

double wrapDegrees(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

}  // namespace

Krt100::Krt100(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds)
    : setup_(setup), load_(setup, seed) {
    settings_.at(166) = static_cast<std::uint16_t>(std::clamp(setup.vtRatio, 1, 2000));
    settings_.at(167) = static_cast<std::uint16_t>(std::clamp(setup.ctRatio, 1, 2000));
    settings_.at(168) = 1;
    settings_.at(169) = clampRegister(setup.targetCos * 1000.0);
    settings_.at(170) = 1000;
    settings_.at(171) = 12;
    settings_.at(172) = 10;
    settings_.at(173) = 100;  // switch-in 10 s
    settings_.at(174) = 100;  // switch-out 10 s
    settings_.at(175) = 140;  // discharge 14 s
    settings_.at(179) = 150;  // inductive ratio limit 15 %
    settings_.at(180) = 100;  // capacitive ratio limit 10 %
    now_ = start - warmSeconds;
    for (auto& t : offSince_) t = now_ - 3600;
    lastSwitch_ = now_ - 3600;
    // Warm-up with coarse steps: only the counters and their history matter.
    warmUpTo(now_, start, stepSeconds, [this](double dt) { step(dt); });
}

void Krt100::advanceTo(std::int64_t t) {
    stepTo(now_, t, stepSeconds, [this](double dt) { step(dt); });
}

double Krt100::bankKvar(std::size_t phase) const {
    double q = 0;
    for (std::size_t n = 0; n < 12; ++n) {
        if (!on_[n]) continue;
        const int ph = setup_.stagePhase[n];
        if (ph == 4)
            q += setup_.stageKvar[n] / 3.0;
        else if (ph == static_cast<int>(phase) + 1)
            q += setup_.stageKvar[n];
    }
    return q;
}

void Krt100::measure() {
    const LoadSample& s = load_.last();
    static constexpr std::array<double, 3> voltAngles{0.0, 120.0, 240.0};
    for (std::size_t p = 0; p < 3; ++p) {
        const PhaseLoad& l = s.phases[p];
        PhaseReading& r = phases_[p];
        const double vScale = (l.volts / 230.0) * (l.volts / 230.0);
        r.volts = l.volts;
        r.kw = l.activeKw;
        r.kvar = l.reactiveKvar - (bankKvar(p) + setup_.fixedKvar / 3.0) * vScale;
        r.kva = std::sqrt(r.kw * r.kw + r.kvar * r.kvar);
        r.amps = r.volts > 0 ? r.kva * 1000.0 / r.volts : 0;
        r.cos = r.kva > 1e-9 ? r.kw / r.kva : 1.0;
        r.voltAngle = voltAngles[p];
        r.currentAngle = wrapDegrees(voltAngles[p] - std::atan2(r.kvar, r.kw) * 180.0 / pi);
    }
}

void Krt100::control() {
    if (!automatic_ || !setUp_) return;
    double kw = 0, kvar = 0;
    for (const auto& p : phases_) kw += p.kw, kvar += p.kvar;
    const double target = std::clamp(settings_.at(169) / 1000.0, 0.5, 1.0);
    const double wantedKvar = kw * std::sqrt(1.0 - target * target) / target;
    const double excess = kvar - wantedKvar;
    const auto stages = static_cast<std::size_t>(std::clamp<int>(settings_.at(171), 0, 12));
    const std::int64_t sinceSwitch = now_ - lastSwitch_;
    if (excess > 0 && sinceSwitch * 10 >= settings_.at(173)) {
        // Switch in the largest discharged stage that does not overshoot by
        // more than half of itself.
        std::size_t best = 12;
        for (std::size_t n = 0; n < stages; ++n) {
            if (on_[n] || setup_.stageKvar[n] <= 0 || setup_.stagePhase[n] == 0) continue;
            if ((now_ - offSince_[n]) * 10 < settings_.at(175)) continue;
            if (setup_.stageKvar[n] > excess * 1.5 + 0.5) continue;
            if (best == 12 || setup_.stageKvar[n] > setup_.stageKvar[best]) best = n;
        }
        if (best < 12) {
            on_[best] = true;
            lastSwitch_ = now_;
        }
    } else if (kvar < 0 && sinceSwitch * 10 >= settings_.at(174)) {
        // Capacitive: switch out the stage that best removes the surplus.
        std::size_t best = 12;
        for (std::size_t n = 0; n < 12; ++n) {
            if (!on_[n]) continue;
            if (setup_.stageKvar[n] > -kvar * 2.0 + 0.5 && best < 12) continue;
            if (best == 12 || std::abs(setup_.stageKvar[n] + kvar) < std::abs(setup_.stageKvar[best] + kvar)) best = n;
        }
        if (best < 12) {
            on_[best] = false;
            offSince_[best] = now_;
            lastSwitch_ = now_;
        }
    }
}

void Krt100::step(double dt) {
    load_.step(now_, dt);
    measure();
    control();
    measure();
    double kw = 0, kvar = 0;
    for (const auto& p : phases_) kw += p.kw, kvar += p.kvar;
    counters_.add(now_, dt, kw, kvar);
}

int Krt100::stageWord() const {
    int w = 0;
    for (std::size_t n = 0; n < 12; ++n)
        if (on_[n]) w |= 1 << n;
    return w;
}

std::vector<std::uint16_t> Krt100::instantRegisters() const {
    std::vector<std::uint16_t> r;
    r.reserve(68);
    for (const auto& p : phases_) appendPair(r, roundTo(p.volts * 10.0));           // 0..5
    for (const auto& p : phases_) appendPair(r, roundTo(p.amps * 1000.0));          // 6..11
    for (const auto& p : phases_) appendPair(r, roundTo(p.kw * 10000.0));           // 12..17
    for (const auto& p : phases_) appendPair(r, roundTo(p.kvar * 10000.0));         // 18..23
    for (const auto& p : phases_) appendPair(r, roundTo(p.kva * 10000.0));          // 24..29
    for (const auto& p : phases_) appendPair(r, roundTo(p.cos * 1000.0));           // 30..35
    double kw = 0, kvar = 0;
    for (const auto& p : phases_) kw += p.kw, kvar += p.kvar;
    const double kva = std::sqrt(kw * kw + kvar * kvar);
    const double cosTotal = kva > 1e-9 ? kw / kva : 1.0;
    appendPair(r, roundTo(kw * 10000.0));    // 36, 37
    appendPair(r, 0);                        // 38, 39
    appendPair(r, roundTo(kvar * 10000.0));  // 40, 41
    appendPair(r, 0);                        // 42, 43
    appendPair(r, roundTo(kva * 10000.0));   // 44, 45
    appendPair(r, roundTo((kvar >= 0 ? cosTotal : 1.0) * 1000.0));  // 46, 47 inductive cos
    appendPair(r, roundTo((kvar < 0 ? cosTotal : 1.0) * 1000.0));   // 48, 49 capacitive cos
    appendPair(r, roundTo(frequency() * 100.0));                      // 50, 51
    for (const auto& p : phases_) appendPair(r, roundTo(p.voltAngle) % 360);     // 52..57
    for (const auto& p : phases_) appendPair(r, roundTo(p.currentAngle) % 360);  // 58..63
    appendPair(r, roundTo(temperature()));                                      // 64, 65
    for (auto v : stageStateRegisters()) r.push_back(v);                        // 66, 67
    return r;
}

std::vector<std::uint16_t> Krt100::consumptionRegisters() const {
    const EnergyTotals e = counters_.sinceReset();
    std::vector<std::uint16_t> r;
    r.reserve(20);
    const double a = e.activeWh;
    appendPair(r, a > 0 ? roundTo(e.inductiveVarh / a * 1000.0) : 0);   // 70, 71 percent x 10
    appendPair(r, a > 0 ? roundTo(e.capacitiveVarh / a * 1000.0) : 0);  // 72, 73
    appendCounter(r, static_cast<std::uint64_t>(std::max<std::int64_t>(0, roundTo(a))));  // 74..77 Wh
    appendCounter(r, 0);                                                                   // 78..81
    appendCounter(r, static_cast<std::uint64_t>(std::max<std::int64_t>(0, roundTo(e.inductiveVarh))));   // 82..85
    appendCounter(r, static_cast<std::uint64_t>(std::max<std::int64_t>(0, roundTo(e.capacitiveVarh))));  // 86..89
    return r;
}

std::vector<std::uint16_t> Krt100::settingsRegisters() const {
    return {settings_.reg.begin(), settings_.reg.end()};
}

std::vector<std::uint16_t> Krt100::stageStateRegisters() const {
    return {0, static_cast<std::uint16_t>(stageWord())};
}

std::vector<std::uint16_t> Krt100::stagePowerRegisters() const {
    std::vector<std::uint16_t> r;
    r.reserve(26);
    const double ct = std::max<int>(1, settings_.at(167));
    for (double kvar : setup_.stageKvar) r.push_back(clampRegister(kvar * 10000.0 / ct));  // 192..203
    r.push_back(0);                                                                         // 204
    r.push_back(0);                                                                         // 205
    for (int ph : setup_.stagePhase) r.push_back(static_cast<std::uint16_t>(std::clamp(ph, 0, 4)));  // 206..217
    return r;
}

double Krt100::voltageHarmonicShare(const DeviceSetup& setup, int order) {
    // The rectifier currents flowing through the supply's impedance distort
    // the voltage: a few percent of the fundamental, more with more rectifiers.
    if (order == 5) return 0.02 + 0.1 * setup.nonlinearShare;
    if (order == 7) return 0.01 + 0.05 * setup.nonlinearShare;
    return 0.0;
}

std::array<std::int8_t, 128> Krt100::waveform(int phase) const {
    const auto p = static_cast<std::size_t>(std::clamp(phase, 0, 2));
    const PhaseReading& r = phases_[p];
    // Scale: 100 counts for the nominal peak voltage, and for the current at
    // the plant's peak demand.
    const double vPeak = 100.0 * r.volts / 230.0;
    const double nominalAmps = std::max(1.0, setup_.peakKw * 1000.0 / 3.0 / 230.0);
    const double iPeak = std::min(95.0, 80.0 * r.amps / nominalAmps);
    const double loadAmps = r.volts > 0 ? r.kw * 1000.0 / r.volts : 0;
    // Rectifier loads draw 5th and 7th harmonic currents in proportion to
    // their active power; switched-in capacitors amplify them somewhat.
    const double bank = std::min(1.0, (bankKvar(p) * 3.0) / std::max(1.0, setup_.peakKw));
    const double nonlinearAmps = 80.0 * loadAmps / nominalAmps * setup_.nonlinearShare * (1.0 + 0.6 * bank);
    const double i5 = 0.65 * nonlinearAmps, i7 = 0.40 * nonlinearAmps, i11 = 0.12 * nonlinearAmps;
    const double v5 = voltageHarmonicShare(setup_, 5) * vPeak, v7 = voltageHarmonicShare(setup_, 7) * vPeak;
    const double phi = (r.voltAngle - r.currentAngle) * pi / 180.0;
    std::array<std::int8_t, 128> out{};
    for (int i = 0; i < 64; ++i) {
        const double th = 2.0 * pi * i / 64.0;
        const double v = vPeak * std::sin(th) + v5 * std::sin(5 * th + 0.3) + v7 * std::sin(7 * th - 0.2);
        const double c = iPeak * std::sin(th - phi) + i5 * std::sin(5 * (th - phi) + 0.7) + i7 * std::sin(7 * (th - phi) - 0.4) +
                         i11 * std::sin(11 * (th - phi));
        out[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(std::clamp<std::int64_t>(roundTo(v), -127, 127));
        out[static_cast<std::size_t>(64 + i)] = static_cast<std::int8_t>(std::clamp<std::int64_t>(roundTo(c), -127, 127));
    }
    return out;
}

void Krt100::stageCommand(int item, int value) {
    const bool set = value != 0;
    if (item >= 0 && item < 12) {
        const auto n = static_cast<std::size_t>(item);
        if (on_[n] != set) {
            on_[n] = set;
            if (!set) offSince_[n] = now_;
            lastSwitch_ = now_;
        }
    } else if (item == 14) {
        automatic_ = set;
    } else if (item == 15) {
        setUp_ = set;
        if (!set) {
            for (std::size_t n = 0; n < 12; ++n)
                if (on_[n]) on_[n] = false, offSince_[n] = now_;
        }
    }
    measure();
}

void Krt100::writeSettings(int firstRegister, const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int r = firstRegister + static_cast<int>(i);
        if (r < 166 || r > 180) continue;
        settings_.at(r) = static_cast<std::uint16_t>(std::clamp(values[i], 0, 65535));
    }
}

}  // namespace izleme::sim
