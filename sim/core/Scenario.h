// What the simulator serves: operator accounts, their devices and messages,
// and the plant parameters of each device. Texts are UTF-8 here; the wire
// carries them in code page 1254.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace izleme::sim {

enum class LoadProfile { Industrial, Commercial, Continuous };

struct DeviceSetup {
    std::string serial{};
    std::string name{};
    std::string group{};
    std::string model{};  // "KRT100", "KLM200", "ZDN100"
    bool online = true;
    LoadProfile profile = LoadProfile::Industrial;
    double peakKw = 120.0;         // three-phase active demand at the daily peak
    double baseKw = 25.0;          // demand at night and on idle days
    double loadCos = 0.80;         // power factor of the load itself (inductive)
    double nonlinearShare = 0.15;  // share of the load drawn by rectifiers (5th, 7th harmonics)
    double fixedKvar = 0.0;        // fixed compensation behind a meter or a relay
    int ctRatio = 100;             // current transformer ratio
    int vtRatio = 1;               // voltage transformer ratio
    double targetCos = 0.98;       // relay's target power factor (inductive side)
    std::array<double, 12> stageKvar{5, 5, 10, 10, 15, 15, 20, 20, 25, 25, 30, 30};
    std::array<int, 12> stagePhase{4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};  // 0 off, 1 r, 2 s, 3 t, 4 rst
    // A meter's readout: the per-phase import indexes 21.8.0, 41.8.0 and
    // 61.8.0 listed before the total 1.8.0, and the number of "sayacal"
    // messages (1..8) that one reading goes out in, cut at line ends.
    bool phaseIndexes = false;
    int readoutParts = 1;
};

struct Message {
    std::string heading;
    std::string body;
    double afterSeconds = 0;  // simulated seconds after start when it appears
};

struct Account {
    std::string user;
    std::string password;
    std::vector<std::string> devices;  // serials, in the order they are listed
    std::vector<Message> messages;
};

struct Scenario {
    std::vector<Account> accounts;
    std::vector<DeviceSetup> devices;
};

// The built-in demo: account demo/demo with relays, an over-current relay, a
// meter and an off-line device in groups of mixed letter case; it equals
// sim/scenarios/demo.json.
Scenario demoScenario();

const char* profileName(LoadProfile p);
bool profileFromName(const std::string& name, LoadProfile& out);

}  // namespace izleme::sim
