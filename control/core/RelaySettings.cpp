#include "control/core/RelaySettings.h"

#include <array>
#include <optional>

#include "registers/core/RegisterReadings.h"
#include "server/core/Keywords.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

constexpr std::array<SettingsGroup, 4> kGroups = {{
    {kw::akmgerilimyaz, 166, 3},
    {kw::cezasiniryaz, 169, 4},
    {kw::almacikmasureyaz, 173, 3},
    {kw::reakkaporanyaz, 179, 2},
}};

}  // namespace

SettingCoding settingCoding(int reg) {
    if (reg == 169 || reg == 170) return SettingCoding::Thousandths;
    if ((reg >= 173 && reg <= 175) || reg == 179 || reg == 180) return SettingCoding::Tenths;
    return SettingCoding::Integer;
}

std::span<const SettingsGroup> settingsGroups() { return kGroups; }

std::int64_t encodeSetting(SettingCoding coding, double value) {
    const long double scale = coding == SettingCoding::Thousandths ? 1000.0L
                              : coding == SettingCoding::Tenths    ? 10.0L
                                                                   : 1.0L;
    return roundHalfEven(static_cast<long double>(value) * scale);
}

ByteSplit splitBytes(std::int64_t value) {
    const std::int64_t low = value % 256;
    return {(value - low) / 256, low};
}

std::vector<std::string> settingsWriteFields(const std::string& serial, std::span<const std::int64_t> values) {
    std::vector<std::string> fields{serial};
    fields.reserve(1 + 2 * values.size());
    for (const std::int64_t v : values) {
        const ByteSplit b = splitBytes(v);
        fields.push_back(std::to_string(b.high));
        fields.push_back(std::to_string(b.low));
    }
    return fields;
}

std::string readBackText(const RegisterTable& table, int row, int reg, char decimalSeparator) {
    const SettingCoding coding = settingCoding(reg);
    const double v = table.value(row, reg);
    const std::optional<std::uint16_t> word = v == kNoValue ? std::nullopt : registerWord(v);
    if (!word) return coding == SettingCoding::Thousandths ? std::string("-") + decimalSeparator + "---" : "-";
    switch (coding) {
        case SettingCoding::Thousandths:
            return formatMask(*word / 1000.0, "0.000", decimalSeparator);
        case SettingCoding::Tenths:
            return std::to_string(*word / 10);
        case SettingCoding::Integer:
            break;
    }
    return std::to_string(*word);
}

}  // namespace izleme
