// The settings of a compensation relay, registers 166..180: how each setting
// is coded in its register, how a register value travels (its high and low
// byte), the four write groups and what the read-back labels show.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registers/core/RegisterTable.h"

namespace izleme {

inline constexpr int kFirstSettingRegister = 166;  // the refresh runs the read-back update here

enum class SettingCoding {
    Integer,      // the integer itself; reads back as the register's low 16 bits
    Thousandths,  // value x 1000 (a power factor); reads back as register / 1000 with "0.000"
    Tenths,       // value x 10 (a time or a ratio limit); reads back as register / 10, integer division
};

// The coding of a setting register (166..175, 179, 180).
SettingCoding settingCoding(int reg);

// One write message: its keyword and the consecutive registers it carries.
struct SettingsGroup {
    std::string_view keyword;
    int firstRegister;
    int count;
};

// "akmgerilimyaz" 166..168, "cezasiniryaz" 169..172, "almacikmasureyaz"
// 173..175, "reakkaporanyaz" 179..180.
std::span<const SettingsGroup> settingsGroups();

// The register value of a setting: Round(value x 1000) or Round(value x 10),
// halves to even; an integer setting is rounded as well.
std::int64_t encodeSetting(SettingCoding coding, double value);

// low := x mod 256 and high := (x - low) / 256, both truncating toward zero,
// so the low byte of a negative value is negative and the high byte is not
// limited to 255 (2000 -> 7, 208; -950 -> -3, -182).
struct ByteSplit {
    std::int64_t high;
    std::int64_t low;
};
ByteSplit splitBytes(std::int64_t value);

// The fields after a write keyword: the serial, then the high and the low byte
// of each register value, as decimal text.
std::vector<std::string> settingsWriteFields(const std::string& serial, std::span<const std::int64_t> values);

// What the read-back label of a setting register shows from the row. A
// register still holding the no-value mark shows "-" (a power factor "-.---").
std::string readBackText(const RegisterTable& table, int row, int reg, char decimalSeparator);

}  // namespace izleme
