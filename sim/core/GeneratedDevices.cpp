#include "sim/core/GeneratedDevices.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_set>

namespace izleme::sim {

void addGeneratedDevices(Scenario& scenario, int count) {
    if (count <= 0) return;
    auto demo = std::find_if(scenario.accounts.begin(), scenario.accounts.end(),
                             [](const Account& a) { return a.user == "demo"; });
    if (demo == scenario.accounts.end()) {
        Account a;
        a.user = "demo";
        a.password = "demo";
        scenario.accounts.push_back(a);
        demo = scenario.accounts.end() - 1;
    }
    std::unordered_set<std::string> taken;
    for (const DeviceSetup& d : scenario.devices) taken.insert(d.serial);
    scenario.devices.reserve(scenario.devices.size() + static_cast<std::size_t>(count));
    demo->devices.reserve(demo->devices.size() + static_cast<std::size_t>(count));

    static constexpr LoadProfile profiles[] = {LoadProfile::Industrial, LoadProfile::Industrial,
                                               LoadProfile::Commercial, LoadProfile::Continuous};
    long serial = 2000000;
    char text[64];
    for (int i = 0; i < count; ++i) {
        std::string s;
        do s = std::to_string(serial++);
        while (taken.count(s));
        taken.insert(s);

        DeviceSetup d;
        d.serial = s;
        const int kind = i % 10;
        d.model = kind == 0 ? "KLM200" : kind == 5 ? "ZDN100" : "KRT100";
        std::snprintf(text, sizeof text, "Bölge %03d", i / 50 + 1);
        d.group = text;
        std::snprintf(text, sizeof text, "%s %05d",
                      d.model == "KRT100"   ? "Pano"
                      : d.model == "KLM200" ? "Koruma"
                                            : "Sayaç",
                      i + 1);
        d.name = text;
        // Plants of different sizes and power factors, so that the list does
        // not show one value everywhere.
        d.profile = profiles[i % 4];
        d.peakKw = 40.0 + (i * 37 % 200);
        d.baseKw = d.peakKw * (0.1 + (i % 5) * 0.05);
        d.loadCos = 0.72 + (i % 7) * 0.02;
        d.nonlinearShare = 0.05 + (i % 6) * 0.04;
        d.ctRatio = d.peakKw > 150 ? 200 : 100;
        d.fixedKvar = d.model == "ZDN100" ? d.peakKw * 0.3 : 0.0;
        scenario.devices.push_back(d);
        demo->devices.push_back(s);
    }
}

}  // namespace izleme::sim
