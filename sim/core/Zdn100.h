// Simulated electricity meter (ZDN100): indexes that grow with the load,
// tariff registers T1 to T3 by time of day, and its readout in data lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/core/EnergyCounters.h"
#include "sim/core/LoadModel.h"
#include "sim/core/Scenario.h"

namespace izleme::sim {

class Zdn100 {
public:
    Zdn100(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds = 40 * 86400);

    void advanceTo(std::int64_t t);
    std::int64_t now() const { return now_; }

    // Readout in the style of IEC 62056-21 data lines: identification line,
    // "code(value*unit)" lines separated by CR LF, and the closing "!".
    std::string readout() const;
    // The readout cut at line ends into the messages of one reading.
    std::vector<std::string> readoutParts() const;

    const EnergyCounters& counters() const { return counters_; }

private:
    static constexpr std::int64_t stepSeconds = 2;

    void step(double dt);

    DeviceSetup setup_;
    LoadModel load_;
    EnergyCounters counters_;
    std::int64_t now_;
};

}  // namespace izleme::sim
