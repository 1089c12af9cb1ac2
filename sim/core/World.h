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

// How long a device runs before the start, so that its counters and their
// history already hold several weeks.
inline constexpr std::int64_t defaultWarmSeconds = 40 * 86400;

class World {
public:
    // Devices are built when first addressed: a device's state depends only on
    // the seed, its serial, the start and the clock, never on when it was
    // built, so an account of thousands starts at once.
    World(Scenario scenario, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds = defaultWarmSeconds);

    std::int64_t start() const { return start_; }
    std::int64_t now() const { return now_; }
    // The clock only moves forward.
    void setNow(std::int64_t t) {
        if (t > now_) now_ = t;
    }
    void advance(std::int64_t seconds) { setNow(now_ + seconds); }

    // The device brought up to the clock (built first if need be), or nothing
    // for an unknown serial.
    SimDevice* device(const std::string& serial);
    // What the scenario says of a device, without building or moving it.
    const DeviceSetup* setup(const std::string& serial) const;
    // Devices built so far; whether one of them is.
    std::size_t builtDevices() const { return built_; }
    bool built(const std::string& serial) const;
    const Account* login(const std::string& user, const std::string& password) const;

private:
    void build(SimDevice& d) const;

    Scenario scenario_;
    std::map<std::string, SimDevice> devices_;
    std::uint64_t seed_;
    std::int64_t start_;
    std::int64_t now_;
    std::int64_t warmSeconds_;
    std::size_t built_ = 0;
};

}  // namespace izleme::sim
