#include "sim/core/LoadModel.h"

#include <algorithm>
#include <cmath>

#include "sim/core/CivilTime.h"

namespace izleme::sim {

double profileFactor(LoadProfile profile, std::int64_t seconds) {
    const double h = static_cast<double>(seconds - dayOf(seconds) * secondsPerDay) / 3600.0;
    const int wd = weekday(seconds);
    auto ramp = [](double x, double a, double b) { return std::clamp((x - a) / (b - a), 0.0, 1.0); };
    switch (profile) {
        case LoadProfile::Industrial: {
            // Shift 07:30-18:00 with a lunch dip; Saturday half day; Sunday idle.
            if (wd == 6) return 0.0;
            const double end = wd == 5 ? 13.0 : 18.0;
            double f = ramp(h, 6.5, 8.0) * (1.0 - ramp(h, end - 0.5, end + 0.5));
            if (h > 12.0 && h < 13.0) f *= 0.6;
            f *= 0.85 + 0.15 * std::sin((h - 8.0) / 10.0 * 3.14159);
            return std::clamp(f, 0.0, 1.0);
        }
        case LoadProfile::Commercial: {
            // Shop hours 09:00-21:00, every day, busiest in the evening.
            double f = ramp(h, 8.5, 10.0) * (1.0 - ramp(h, 20.5, 21.5));
            f *= 0.75 + 0.25 * ramp(h, 14.0, 19.0);
            return std::clamp(f * (wd == 6 ? 0.8 : 1.0), 0.0, 1.0);
        }
        case LoadProfile::Continuous: {
            // Cold store: steady, a little higher in the afternoon heat.
            return 0.6 + 0.4 * (0.5 + 0.5 * std::sin((h - 9.0) / 24.0 * 6.28318));
        }
    }
    return 0.0;
}

LoadModel::LoadModel(const DeviceSetup& setup, std::uint64_t seed) : setup_(setup), random_(seed) {
    // Unbalance between the phases is a property of the installation.
    for (auto& s : phaseShare_) s = random_.uniform(0.92, 1.08);
    const double sum = phaseShare_[0] + phaseShare_[1] + phaseShare_[2];
    for (auto& s : phaseShare_) s *= 3.0 / sum;
}

LoadSample LoadModel::step(std::int64_t t, double dt) {
    const std::int64_t day = dayOf(t);
    if (day != day_) {
        day_ = day;
        dayFactor_ = random_.uniform(0.85, 1.15);
    }
    // Ornstein-Uhlenbeck style noise: relaxes with a time constant of ~10 min.
    const double k = std::min(1.0, dt / 600.0);
    const double sq = std::sqrt(std::min(dt, 600.0) / 600.0);
    drift_ += -drift_ * k + random_.normal(0.0, 0.04) * sq;
    cosDrift_ += -cosDrift_ * k + random_.normal(0.0, 0.01) * sq;
    voltDrift_ += -voltDrift_ * k + random_.normal(0.0, 1.5) * sq;

    const double f = profileFactor(setup_.profile, t);
    const double kw = std::max(0.0, (setup_.baseKw + (setup_.peakKw - setup_.baseKw) * f * dayFactor_) * (1.0 + drift_));
    // Light loads (motors idling, transformers) have a poorer power factor.
    const double cosLoad = std::clamp(setup_.loadCos - 0.06 * (1.0 - f) + cosDrift_, 0.45, 0.995);
    const double tanPhi = std::sqrt(1.0 - cosLoad * cosLoad) / cosLoad;

    LoadSample s;
    for (std::size_t p = 0; p < 3; ++p) {
        PhaseLoad& ph = s.phases[p];
        ph.volts = 230.0 + voltDrift_ - 4.0 * f + random_.normal(0.0, 0.4);
        ph.activeKw = kw / 3.0 * phaseShare_[p] * (1.0 + random_.normal(0.0, 0.01));
        ph.reactiveKvar = ph.activeKw * tanPhi;
    }
    s.frequency = 50.0 + random_.normal(0.0, 0.02);
    s.temperature = 24.0 + 14.0 * f + random_.normal(0.0, 0.3);
    last_ = s;
    return s;
}

}  // namespace izleme::sim
