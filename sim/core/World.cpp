#include "sim/core/World.h"

#include "sim/core/CivilTime.h"
#include "sim/core/SimRandom.h"

namespace izleme::sim {

std::int64_t seededStartTime() { return toSeconds(CivilTime{2024, 3, 4, 9, 0, 0}); }

World::World(Scenario scenario, std::uint64_t seed, std::int64_t start)
    : scenario_(std::move(scenario)), start_(start), now_(start) {
    for (const DeviceSetup& setup : scenario_.devices) {
        if (devices_.count(setup.serial)) continue;
        SimDevice d;
        d.setup = setup;
        const std::uint64_t s = mixSeed(seed, setup.serial.c_str());
        if (setup.model == "KRT100")
            d.relay = std::make_unique<Krt100>(setup, s, start);
        else if (setup.model == "KLM200")
            d.guard = std::make_unique<Klm200>(setup, s, start);
        else if (setup.model == "ZDN100")
            d.meter = std::make_unique<Zdn100>(setup, s, start);
        devices_.emplace(setup.serial, std::move(d));
    }
}

SimDevice* World::device(const std::string& serial) {
    auto it = devices_.find(serial);
    if (it == devices_.end()) return nullptr;
    SimDevice& d = it->second;
    if (d.relay) d.relay->advanceTo(now_);
    if (d.guard) d.guard->advanceTo(now_);
    if (d.meter) d.meter->advanceTo(now_);
    return &d;
}

const Account* World::login(const std::string& user, const std::string& password) const {
    for (const Account& a : scenario_.accounts)
        if (a.user == user && a.password == password) return &a;
    return nullptr;
}

}  // namespace izleme::sim
