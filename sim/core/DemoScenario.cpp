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

    DeviceSetup fabrika;
    fabrika.serial = "12001";
    fabrika.name = "Fabrika Ana Pano";
    fabrika.group = "Fabrika";
    fabrika.model = "KRT100";
    fabrika.profile = LoadProfile::Industrial;
    fabrika.peakKw = 180;
    fabrika.baseKw = 30;
    fabrika.loadCos = 0.78;
    fabrika.nonlinearShare = 0.18;
    fabrika.ctRatio = 100;
    fabrika.targetCos = 0.98;
    fabrika.stageKvar = {5, 5, 10, 10, 15, 15, 20, 20, 25, 25, 30, 30};
    fabrika.stagePhase = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
    s.devices.push_back(fabrika);

    // A bank too small for the afternoon peak: its ratios climb through the
    // penalty classes during the working day.
    DeviceSetup atolye;
    atolye.serial = "12002";
    atolye.name = "Atölye Kompanzasyon";
    atolye.group = "fabrika";
    atolye.model = "KRT100";
    atolye.profile = LoadProfile::Industrial;
    atolye.peakKw = 95;
    atolye.baseKw = 8;
    atolye.loadCos = 0.74;
    atolye.nonlinearShare = 0.30;
    atolye.ctRatio = 50;
    atolye.targetCos = 0.95;
    atolye.stageKvar = {2.5, 2.5, 5, 5, 5, 7.5, 7.5, 10, 0, 0, 0, 0};
    atolye.stagePhase = {1, 2, 3, 4, 4, 4, 4, 4, 0, 0, 0, 0};
    s.devices.push_back(atolye);

    DeviceSetup koruma;
    koruma.serial = "13001";
    koruma.name = "Trafo Koruma Rölesi";
    koruma.group = "Fabrika";
    koruma.model = "KLM200";
    koruma.profile = LoadProfile::Industrial;
    koruma.peakKw = 180;
    koruma.baseKw = 30;
    koruma.loadCos = 0.92;
    koruma.ctRatio = 100;
    s.devices.push_back(koruma);

    // A meter whose fixed compensation is a little short: near the limits.
    DeviceSetup sayac;
    sayac.serial = "14001";
    sayac.name = "Şube Sayacı";
    sayac.group = "Şubeler";
    sayac.model = "ZDN100";
    sayac.profile = LoadProfile::Commercial;
    sayac.peakKw = 60;
    sayac.baseKw = 6;
    sayac.loadCos = 0.86;
    sayac.nonlinearShare = 0.10;
    sayac.fixedKvar = 18;
    sayac.ctRatio = 40;
    s.devices.push_back(sayac);

    DeviceSetup depo;
    depo.serial = "12003";
    depo.name = "Depo Panosu";
    depo.group = "ŞUBELER";
    depo.model = "KRT100";
    depo.profile = LoadProfile::Continuous;
    depo.peakKw = 40;
    depo.baseKw = 22;
    depo.loadCos = 0.82;
    depo.ctRatio = 60;
    depo.online = false;
    s.devices.push_back(depo);

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
