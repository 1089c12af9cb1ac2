#include "control/core/CapacitorStages.h"

#include <cstdint>

#include "registers/core/RegisterReadings.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

// Round(v) as a 64-bit integer; nothing for the no-value mark or a value that cannot be rounded.
std::optional<std::int64_t> storedInteger(const RegisterTable& table, int row, int reg) {
    const double v = table.value(row, reg);
    if (v == kNoValue) return std::nullopt;
    return registerPair(0.0, v);
}

}  // namespace

std::optional<std::array<bool, kStageCount>> stageStates(const RegisterTable& table, int row) {
    const double low = table.value(row, kStageWordRegister);
    if (low == kNoValue) return std::nullopt;
    const std::optional<std::int64_t> word = registerPair(table.value(row, kStageWordRegister - 1), low);
    if (!word) return std::nullopt;
    std::array<bool, kStageCount> in{};
    for (int n = 0; n < kStageCount; ++n) in[static_cast<std::size_t>(n)] = ((*word >> n) & 1) != 0;
    return in;
}

std::string stagePowerText(const RegisterTable& table, int row, int stage, char decimalSeparator) {
    const std::optional<std::int64_t> ratio = storedInteger(table, row, kTransformerRatioRegister);
    const double power = table.value(row, kStagePowerRegister - 1 + stage);
    const std::optional<std::uint16_t> word = power == kNoValue ? std::nullopt : registerWord(power);
    if (!ratio || !word) return std::string("---") + decimalSeparator + '-';
    return formatMask(static_cast<double>(*ratio) * (*word / 10000.0), "000.0", decimalSeparator);
}

std::optional<std::string> stagePhaseText(const RegisterTable& table, int row, int stage) {
    const double v = table.value(row, kStagePowerRegister + 13 + stage);
    if (v == kNoValue) return std::string("-");
    const std::optional<std::int64_t> phase = registerPair(0.0, v);
    if (!phase || *phase < 0 || *phase > 4) return std::nullopt;
    static const char* const names[] = {"off", "r", "s", "t", "rst"};
    return std::string(names[*phase]);
}

std::vector<std::string> stageCommandFields(const std::string& serial, int item, bool on) {
    return {serial, std::to_string(item), on ? "255" : "0", "0"};
}

}  // namespace izleme
