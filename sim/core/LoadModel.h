// The electrical load behind a device: three phases whose active and
// reactive demand follow a daily profile with slow noise, voltages near 230 V
// and a frequency near 50 Hz.
#pragma once

#include <array>
#include <cstdint>

#include "sim/core/Scenario.h"
#include "sim/core/SimRandom.h"

namespace izleme::sim {

struct PhaseLoad {
    double volts = 230.0;
    double activeKw = 0.0;   // demand of the load
    double reactiveKvar = 0.0;  // inductive demand of the load (before compensation)
};

struct LoadSample {
    std::array<PhaseLoad, 3> phases;
    double frequency = 50.0;
    double temperature = 30.0;
};

// Share of the peak demand at a time of day (0..1), by profile and weekday.
double profileFactor(LoadProfile profile, std::int64_t seconds);

class LoadModel {
public:
    LoadModel(const DeviceSetup& setup, std::uint64_t seed);

    // Moves the slow noise on by dt seconds and returns the load at time t.
    LoadSample step(std::int64_t t, double dt);
    const LoadSample& last() const { return last_; }

private:
    DeviceSetup setup_;
    SimRandom random_;
    double drift_ = 0.0;       // slow relative demand noise
    double cosDrift_ = 0.0;    // slow power factor noise
    double voltDrift_ = 0.0;
    std::array<double, 3> phaseShare_{};
    std::int64_t day_ = INT64_MIN;
    double dayFactor_ = 1.0;
    LoadSample last_;
};

}  // namespace izleme::sim
