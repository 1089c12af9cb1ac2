// Simulated compensation relay with network analyzer (KRT100): a three-phase
// load, twelve capacitor stages switched by the relay's automatic control or
// by the operator, energy counters, settings and waveform samples.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/core/EnergyCounters.h"
#include "sim/core/LoadModel.h"
#include "sim/core/Scenario.h"

namespace izleme::sim {

// What the relay measures on one phase.
struct PhaseReading {
    double volts = 0, amps = 0, kw = 0, kvar = 0, kva = 0, cos = 1;
    double voltAngle = 0, currentAngle = 0;  // degrees, 0..360
};

// Registers 166..180 of the relay, as the relay keeps them.
struct RelaySettings {
    std::array<std::uint16_t, 15> reg{};
    std::uint16_t& at(int r) { return reg[static_cast<std::size_t>(r - 166)]; }
    std::uint16_t at(int r) const { return reg[static_cast<std::size_t>(r - 166)]; }
};

class Krt100 {
public:
    static constexpr std::int64_t stepSeconds = 2;

    // Starts the plant warmSeconds before `start` and runs it up to `start`,
    // so that counters and history already hold several weeks.
    Krt100(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds = 40 * 86400);

    void advanceTo(std::int64_t t);
    std::int64_t now() const { return now_; }

    // Register replies, each starting at the register the client expects.
    std::vector<std::uint16_t> instantRegisters() const;      // 0..67
    std::vector<std::uint16_t> consumptionRegisters() const;  // 70..89
    std::vector<std::uint16_t> settingsRegisters() const;     // 166..180
    std::vector<std::uint16_t> stageStateRegisters() const;   // 66..67
    std::vector<std::uint16_t> stagePowerRegisters() const;   // 192..217

    // 64 voltage and 64 current samples of one period of phase 0..2. The
    // voltage carries its 5th and 7th harmonics at voltageHarmonicShare of its
    // fundamental; the current a 5th, 7th and 11th in the ratio 0.65 : 0.40 :
    // 0.12 that grows with the rectifier load.
    std::array<std::int8_t, 128> waveform(int phase) const;
    // Peak of the voltage's harmonic of this order over the fundamental's peak.
    static double voltageHarmonicShare(const DeviceSetup& setup, int order);

    // "kondansatorcek": item 0..11 switches a stage (value 255 in, 0 out),
    // 14 selects automatic (255) or manual (0) mode, 15 the set-up switch.
    void stageCommand(int item, int value);
    // A settings write: consecutive registers from firstRegister.
    void writeSettings(int firstRegister, const std::vector<int>& values);

    const std::array<PhaseReading, 3>& phases() const { return phases_; }
    double frequency() const { return load_.last().frequency; }
    double temperature() const { return load_.last().temperature; }
    int stageWord() const;
    bool automatic() const { return automatic_; }
    const RelaySettings& settings() const { return settings_; }
    const EnergyCounters& counters() const { return counters_; }

private:
    void step(double dt);
    void measure();
    void control();
    double bankKvar(std::size_t phase) const;

    DeviceSetup setup_;
    LoadModel load_;
    EnergyCounters counters_;
    RelaySettings settings_;
    std::array<PhaseReading, 3> phases_{};
    std::array<bool, 12> on_{};
    std::array<std::int64_t, 12> offSince_{};
    std::int64_t lastSwitch_ = 0;
    bool automatic_ = true;
    bool setUp_ = true;
    std::int64_t now_ = 0;
};

}  // namespace izleme::sim
