// The simulated installation shared by every client: the scenario, the
// devices built from it and the simulated clock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "sim/core/EnergyCounters.h"
#include "sim/core/Klm200.h"
#include "sim/core/Krt100.h"
#include "sim/core/Scenario.h"
#include "sim/core/Zdn100.h"

namespace izleme::sim {

struct SimDevice {
    DeviceSetup setup;
    std::unique_ptr<Krt100> relay;
    std::unique_ptr<Klm200> guard;
    std::unique_ptr<Zdn100> meter;
    std::optional<EnergyTotals> utilityReading;  // last recorded utility reading
    std::int64_t utilityTime = 0;
};

// Simulated start time with a seed: Monday 4 March 2024, 09:00.
std::int64_t seededStartTime();

class World {
public:
    World(Scenario scenario, std::uint64_t seed, std::int64_t start);

    std::int64_t start() const { return start_; }
    std::int64_t now() const { return now_; }
    // The clock only moves forward.
    void setNow(std::int64_t t) {
        if (t > now_) now_ = t;
    }
    void advance(std::int64_t seconds) { setNow(now_ + seconds); }

    // The device brought up to the clock, or nothing for an unknown serial.
    SimDevice* device(const std::string& serial);
    const Account* login(const std::string& user, const std::string& password) const;

private:
    Scenario scenario_;
    std::map<std::string, SimDevice> devices_;
    std::int64_t start_;
    std::int64_t now_;
};

}  // namespace izleme::sim
