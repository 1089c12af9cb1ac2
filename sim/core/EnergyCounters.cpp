#include "sim/core/EnergyCounters.h"

#include "sim/core/CivilTime.h"

namespace izleme::sim {

int tariffAt(std::int64_t seconds) {
    const std::int64_t h = (seconds - dayOf(seconds) * secondsPerDay) / 3600;
    if (h >= 6 && h < 17) return 0;
    if (h >= 17 && h < 22) return 1;
    return 2;
}

void EnergyCounters::add(std::int64_t t, double dt, double kw, double kvar) {
    const std::int64_t start = t - static_cast<std::int64_t>(dt);
    if (lastTime_ == INT64_MIN || dayOf(t) != dayOf(lastTime_)) {
        // A new day begins within this step: record the counters as they
        // stood at its midnight; the 1st of a month also resets the device.
        const std::int64_t day = dayOf(t);
        history_[day] = totals_;
        if (lastTime_ != INT64_MIN && toCivil(day * secondsPerDay).day == 1) {
            beforeReset_ = sinceReset();
            resetBase_ = totals_;
        }
    }
    const double hours = dt / 3600.0;
    const double wh = kw * 1000.0 * hours;
    totals_.activeWh += wh > 0 ? wh : 0;
    if (kvar >= 0)
        totals_.inductiveVarh += kvar * 1000.0 * hours;
    else
        totals_.capacitiveVarh += -kvar * 1000.0 * hours;
    totals_.tariffWh[static_cast<std::size_t>(tariffAt(start))] += wh > 0 ? wh : 0;
    lastTime_ = t;
}

EnergyTotals EnergyCounters::sinceReset() const {
    EnergyTotals d;
    d.activeWh = totals_.activeWh - resetBase_.activeWh;
    d.inductiveVarh = totals_.inductiveVarh - resetBase_.inductiveVarh;
    d.capacitiveVarh = totals_.capacitiveVarh - resetBase_.capacitiveVarh;
    for (std::size_t i = 0; i < 3; ++i) d.tariffWh[i] = totals_.tariffWh[i] - resetBase_.tariffWh[i];
    return d;
}

std::optional<EnergyTotals> EnergyCounters::atDay(std::int64_t day) const {
    auto it = history_.upper_bound(day);
    if (it == history_.begin()) return std::nullopt;
    --it;
    return it->second;
}

}  // namespace izleme::sim
