// The twelve capacitor stages of a compensation relay as the register table
// holds them: the stage word (registers 66, 67), the stage powers (192..203,
// scaled by the current transformer ratio in 167) and the phases each stage is
// connected to (206..217); and the fields of a stage command.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "registers/core/RegisterTable.h"

namespace izleme {

inline constexpr int kStageCount = 12;
inline constexpr int kStageWordRegister = 67;    // the refresh runs the state update here
inline constexpr int kStagePowerRegister = 192;  // the refresh runs the power and phase update here
inline constexpr int kTransformerRatioRegister = 167;
inline constexpr int kModeItem = 14;   // "kondansatorcek" item: automatic (255) or manual (0) mode
inline constexpr int kSetUpItem = 15;  // "kondansatorcek" item: set-up on (255) or off (0)

// Stage n (1..12) is in when bit n - 1 of Round(reg66 * 65536 + reg67) is set.
// Nothing while register 67 holds the no-value mark or the word cannot be read:
// the state boxes then keep what they show.
std::optional<std::array<bool, kStageCount>> stageStates(const RegisterTable& table, int row);

// The power of stage n (1..12): Round(reg167) * (low 16 bits of Round(reg(191 + n))
// / 10000) with the mask "000.0". "---.-" while either register holds the
// no-value mark or cannot be read.
std::string stagePowerText(const RegisterTable& table, int row, int stage, char decimalSeparator);

// The phase of stage n (1..12) from Round(reg(205 + n)): "off", "r", "s", "t",
// "rst" for 0..4, "-" for the no-value mark; nothing for any other value (the
// display keeps its text).
std::optional<std::string> stagePhaseText(const RegisterTable& table, int row, int stage);

// The fields after "kondansatorcek": serial, item, 255 for on or 0 for off, 0.
std::vector<std::string> stageCommandFields(const std::string& serial, int item, bool on);

}  // namespace izleme
