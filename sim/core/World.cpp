#include "sim/core/World.h"

#include "sim/core/CivilTime.h"
#include "sim/core/SimRandom.h"

namespace izleme::sim {

std::int64_t seededStartTime() { return toSeconds(CivilTime{2024, 3, 4, 9, 0, 0}); }

World::World(Scenario scenario, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds)
    : scenario_(std::move(scenario)), seed_(seed), start_(start), now_(start), warmSeconds_(warmSeconds) {
    for (const DeviceSetup& setup : scenario_.devices) {
        if (devices_.count(setup.serial)) continue;  // the first of a serial counts
        SimDevice d;
        d.setup = setup;
        devices_.emplace(setup.serial, std::move(d));
    }
}

void World::build(SimDevice& d) const {
    const DeviceSetup& setup = d.setup;
    const std::uint64_t s = mixSeed(seed_, setup.serial.c_str());
    if (setup.model == "KRT100")
        d.relay = std::make_unique<Krt100>(setup, s, start_, warmSeconds_);
    else if (setup.model == "KLM200")
        d.guard = std::make_unique<Klm200>(setup, s, start_);
    else if (setup.model == "ZDN100")
        d.meter = std::make_unique<Zdn100>(setup, s, start_, warmSeconds_);
}

SimDevice* World::device(const std::string& serial) {
    auto it = devices_.find(serial);
    if (it == devices_.end()) return nullptr;
    SimDevice& d = it->second;
    if (!d.relay && !d.guard && !d.meter) {
        build(d);
        if (d.relay || d.guard || d.meter) ++built_;
    }
    if (d.relay) d.relay->advanceTo(now_);
    if (d.guard) d.guard->advanceTo(now_);
    if (d.meter) d.meter->advanceTo(now_);
    return &d;
}

bool World::built(const std::string& serial) const {
    auto it = devices_.find(serial);
    return it != devices_.end() && (it->second.relay || it->second.guard || it->second.meter);
}

const DeviceSetup* World::setup(const std::string& serial) const {
    auto it = devices_.find(serial);
    return it == devices_.end() ? nullptr : &it->second.setup;
}

const Account* World::login(const std::string& user, const std::string& password) const {
    for (const Account& a : scenario_.accounts)
        if (a.user == user && a.password == password) return &a;
    return nullptr;
}

}  // namespace izleme::sim
