// Simulated over-current relay (KLM200): phase currents that follow the
// plant's load, a small earth current, its clock, and the output pulls and
// settings writes it has received.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/core/LoadModel.h"
#include "sim/core/Scenario.h"

namespace izleme::sim {

class Klm200 {
public:
    Klm200(const DeviceSetup& setup, std::uint64_t seed, std::int64_t start);

    void advanceTo(std::int64_t t);
    std::int64_t now() const { return now_; }

    // Phase currents 1..3 and the earth current, in amperes.
    const std::array<double, 4>& currents() const { return currents_; }

    // "akimdegerleri" fields: I1, I2, I3, It, serial, date "dd.MM.yy", time.
    std::vector<std::string> currentFields() const;

    // Register reply to "enertum": twelve registers holding 24 consecutive
    // bytes (high byte first): second, minute, hour, day, output byte,
    // settings write count, month, year of the century, then I1, I2, I3 and
    // It as IEEE-754 single-precision values, most significant byte first.
    std::vector<std::uint16_t> registers() const;

    // "roleaktif": bits 4, 5, 6 pull outputs 1, 2, 3. Every pull is kept.
    void pullOutputs(int outputByte);
    int outputs() const { return outputs_; }
    const std::vector<std::pair<std::int64_t, int>>& pulls() const { return pulls_; }

    // "sabitleriyaz": the relay takes its fixed settings again.
    void writeFixedSettings() { ++settingsWrites_; }
    int settingsWrites() const { return settingsWrites_; }

private:
    static constexpr std::int64_t stepSeconds = 2;

    void measure();

    DeviceSetup setup_;
    LoadModel load_;
    std::array<double, 4> currents_{};
    double earthDrift_ = 0.3;
    int outputs_ = 0;
    int settingsWrites_ = 0;
    std::vector<std::pair<std::int64_t, int>> pulls_;
    std::int64_t now_;
};

}  // namespace izleme::sim
