// Energy counters that integrate simulated powers, with tariff registers, a
// monthly reset and a history of the counters at each midnight.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace izleme::sim {

struct EnergyTotals {
    double activeWh = 0;
    double inductiveVarh = 0;
    double capacitiveVarh = 0;
    std::array<double, 3> tariffWh{};  // T1 06-17, T2 17-22, T3 22-06
};

// Tariff (0, 1, 2 for T1, T2, T3) in force at a time of day.
int tariffAt(std::int64_t seconds);

class EnergyCounters {
public:
    explicit EnergyCounters(const EnergyTotals& initial = {}) : totals_(initial), resetBase_(initial) {}

    // Adds dt seconds of the given total powers, ending at time t (seconds).
    // Crossing midnight records the counters of the new day first; crossing
    // into a new month also resets the device totals.
    void add(std::int64_t t, double dt, double kw, double kvar);

    // Counters since the device's last reset (what the relay keeps).
    EnergyTotals sinceReset() const;
    // Counters as they stood at the last reset (absolute).
    const EnergyTotals& atLastReset() const { return resetBase_; }
    // What the device's counters held just before its last reset (the month
    // that ended there); zero before the first reset.
    const EnergyTotals& beforeLastReset() const { return beforeReset_; }
    const EnergyTotals& absolute() const { return totals_; }

    // Absolute counters at 00:00 of a day, or at the nearest recorded day
    // before it; nothing when the day is before every record.
    std::optional<EnergyTotals> atDay(std::int64_t day) const;
    const std::map<std::int64_t, EnergyTotals>& history() const { return history_; }

private:
    EnergyTotals totals_;
    EnergyTotals resetBase_;
    EnergyTotals beforeReset_;
    std::map<std::int64_t, EnergyTotals> history_;
    std::int64_t lastTime_ = INT64_MIN;
};

}  // namespace izleme::sim
