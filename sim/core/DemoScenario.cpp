// The built-in demo scenario (the same as sim/scenarios/demo.json).
#include "sim/core/Scenario.h"

namespace izleme::sim {

const char* profileName(LoadProfile p) {
    switch (p) {
        case LoadProfile::Industrial: return "industrial";
        case LoadProfile::Commercial: return "commercial";
        case LoadProfile::Continuous: return "continuous";
    }
    return "industrial";
}

bool profileFromName(const std::string& name, LoadProfile& out) {
    for (LoadProfile p : {LoadProfile::Industrial, LoadProfile::Commercial, LoadProfile::Continuous}) {
        if (name == profileName(p)) {
            out = p;
            return true;
        }
    }
    return false;
}

Scenario demoScenario() {
    Scenario s;
    s.devices = {
        {.serial = "12001", .name = "Fabrika Ana Pano", .group = "Fabrika", .model = "KRT100",
         .profile = LoadProfile::Industrial, .peakKw = 180, .baseKw = 30, .loadCos = 0.78, .nonlinearShare = 0.18,
         .ctRatio = 100, .targetCos = 0.98,
         .stageKvar = {5, 5, 10, 10, 15, 15, 20, 20, 25, 25, 30, 30},
         .stagePhase = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}},
        // A bank too small for the afternoon peak: its ratios climb through the
        // penalty classes during the working day.
        {.serial = "12002", .name = "Atölye Kompanzasyon", .group = "fabrika", .model = "KRT100",
         .profile = LoadProfile::Industrial, .peakKw = 95, .baseKw = 8, .loadCos = 0.74, .nonlinearShare = 0.30,
         .ctRatio = 50, .targetCos = 0.95,
         .stageKvar = {2.5, 2.5, 5, 5, 5, 7.5, 7.5, 10, 0, 0, 0, 0},
         .stagePhase = {1, 2, 3, 4, 4, 4, 4, 4, 0, 0, 0, 0}},
        {.serial = "13001", .name = "Trafo Koruma Rölesi", .group = "Fabrika", .model = "KLM200",
         .profile = LoadProfile::Industrial, .peakKw = 180, .baseKw = 30, .loadCos = 0.92, .ctRatio = 100},
        // A meter whose fixed compensation is a little short: near the limits.
        {.serial = "14001", .name = "Şube Sayacı", .group = "Şubeler", .model = "ZDN100",
         .profile = LoadProfile::Commercial, .peakKw = 60, .baseKw = 6, .loadCos = 0.86, .nonlinearShare = 0.10,
         .fixedKvar = 18, .ctRatio = 40},
        {.serial = "12003", .name = "Depo Panosu", .group = "ŞUBELER", .model = "KRT100", .online = false,
         .profile = LoadProfile::Continuous, .peakKw = 40, .baseKw = 22, .loadCos = 0.82, .ctRatio = 60},
    };

    Account demo;
    demo.user = "demo";
    demo.password = "demo";
    demo.devices = {"12001", "12002", "13001", "14001", "12003"};
    demo.messages = {
        {"Bakım Duyurusu", "Cumartesi 02:00-04:00 arası merkez sunucuda bakım çalışması yapılacaktır.", 0},
        {"Ceza Sınırı Uyarısı", "Atölye Kompanzasyon panosunda endüktif oran %15 sınırına yaklaştı. Kademe güçlerini kontrol edin.", 0},
        {"Sayaç Okuma", "Şube Sayacı için aylık TEDAŞ okuma günü yarındır.", 0},
    };
    s.accounts.push_back(demo);
    return s;
}

}  // namespace izleme::sim
