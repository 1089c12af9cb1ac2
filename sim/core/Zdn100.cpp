#include "sim/core/Zdn100.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sim/core/CivilTime.h"
#include "sim/core/Stepping.h"

namespace izleme::sim {
namespace {

EnergyTotals initialIndexes(const DeviceSetup& setup) {
    // A meter that has run for a few years: about 2500 full-load hours.
    EnergyTotals t;
    t.activeWh = setup.peakKw * 2500.0 * 1000.0;
    t.inductiveVarh = t.activeWh * 0.12;
    t.capacitiveVarh = t.activeWh * 0.04;
    t.tariffWh = {t.activeWh * 0.58, t.activeWh * 0.27, t.activeWh * 0.15};
    return t;
}

}  // namespace

Zdn100::Zdn100(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start, std::int64_t warmSeconds)
    : setup_(setup), load_(setup, seed), counters_(initialIndexes(setup)), now_(start - warmSeconds) {
    warmUpTo(now_, start, stepSeconds, [this](double dt) { step(dt); });
}

void Zdn100::advanceTo(std::int64_t t) {
    stepTo(now_, t, stepSeconds, [this](double dt) { step(dt); });
}

void Zdn100::step(double dt) {
    const LoadSample s = load_.step(now_, dt);
    double kw = 0, kvar = 0;
    for (const auto& p : s.phases) {
        const double vScale = (p.volts / 230.0) * (p.volts / 230.0);
        kw += p.activeKw;
        kvar += p.reactiveKvar - setup_.fixedKvar / 3.0 * vScale;
    }
    counters_.add(now_, dt, kw, kvar);
}

std::string Zdn100::readout() const {
    const EnergyTotals& e = counters_.absolute();
    const CivilTime c = toCivil(now_);
    const LoadSample& s = load_.last();
    std::string out;
    char line[96];
    auto add = [&](const char* code, const char* fmt, double value, const char* unit) {
        char v[48];
        std::snprintf(v, sizeof v, fmt, value);
        std::snprintf(line, sizeof line, "%s(%s*%s)\r\n", code, v, unit);
        out += line;
    };
    std::snprintf(line, sizeof line, "/ZDN5ZDN100-%s\r\n", setup_.serial.substr(0, 16).c_str());
    out += line;
    std::snprintf(line, sizeof line, "0.0.0(%s)\r\n", setup_.serial.substr(0, 16).c_str());
    out += line;
    std::snprintf(line, sizeof line, "0.9.1(%02d%02d%02d)\r\n", c.hour, c.minute, c.second);
    out += line;
    std::snprintf(line, sizeof line, "0.9.2(%02d%02d%02d)\r\n", c.year % 100, c.month, c.day);
    out += line;
    if (setup_.phaseIndexes) {
        // Per-phase import, listed before the total as some meters do.
        static constexpr const char* codes[] = {"21.8.0", "41.8.0", "61.8.0"};
        static constexpr double shares[] = {0.34, 0.33, 0.33};
        for (std::size_t p = 0; p < 3; ++p) add(codes[p], "%010.3f", e.activeWh * shares[p] / 1000.0, "kWh");
    }
    add("1.8.0", "%010.3f", e.activeWh / 1000.0, "kWh");
    add("1.8.1", "%010.3f", e.tariffWh[0] / 1000.0, "kWh");
    add("1.8.2", "%010.3f", e.tariffWh[1] / 1000.0, "kWh");
    add("1.8.3", "%010.3f", e.tariffWh[2] / 1000.0, "kWh");
    add("5.8.0", "%010.3f", e.inductiveVarh / 1000.0, "kvarh");
    add("8.8.0", "%010.3f", e.capacitiveVarh / 1000.0, "kvarh");
    add("32.7.0", "%05.1f", s.phases[0].volts, "V");
    add("52.7.0", "%05.1f", s.phases[1].volts, "V");
    add("72.7.0", "%05.1f", s.phases[2].volts, "V");
    for (std::size_t p = 0; p < 3; ++p) {
        const PhaseLoad& l = s.phases[p];
        const double kva = std::hypot(l.activeKw, l.reactiveKvar - setup_.fixedKvar / 3.0);
        static constexpr const char* codes[] = {"31.7.0", "51.7.0", "71.7.0"};
        add(codes[p], "%06.2f", l.volts > 0 ? kva * 1000.0 / l.volts : 0.0, "A");
    }
    add("14.7.0", "%05.2f", s.frequency, "Hz");
    std::snprintf(line, sizeof line, "0.2.0(V1.04)\r\n96.50(%s)\r\n!\r\n", tariffAt(now_) == 0 ? "T1" : tariffAt(now_) == 1 ? "T2" : "T3");
    out += line;
    return out;
}

std::vector<std::string> Zdn100::readoutParts() const {
    const std::string whole = readout();
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < whole.size();) {
        const std::size_t end = whole.find('\n', from);
        const std::size_t next = end == std::string::npos ? whole.size() : end + 1;
        lines.push_back(whole.substr(from, next - from));
        from = next;
    }
    const std::size_t parts = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, setup_.readoutParts)), lines.size());
    std::vector<std::string> out(parts);
    for (std::size_t i = 0; i < lines.size(); ++i) out[i * parts / lines.size()] += lines[i];
    return out;
}

}  // namespace izleme::sim
