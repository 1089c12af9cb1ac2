// Display texts of the instantaneous values page from one device row.
#include "registers/core/InstantValues.h"

#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

using enum PairCode;

constexpr std::string_view kDegree = "\xB0";  // "°" in code page 1254

constexpr std::array<InstantDisplay, kInstantDisplayCount> kDisplays{{
    {"V1", 0, U32, 10, "000.0", ""},
    {"V2", 2, U32, 10, "000.0", ""},
    {"V3", 4, U32, 10, "000.0", ""},
    {"akm1", 6, U32, 1000, "000.0", ""},
    {"akm2", 8, U32, 1000, "000.0", ""},
    {"akm3", 10, U32, 1000, "000.0", ""},
    {"kW1", 12, S32, 10000, "000.0", ""},
    {"Kw2", 14, S32, 10000, "000.0", ""},
    {"kW3", 16, S32, 10000, "000.0", ""},
    {"kr1", 18, S32, 10000, "000.0", ""},
    {"kr2", 20, S32, 10000, "000.0", ""},
    {"kr3", 22, S32, 10000, "000.0", ""},
    {"KVA1", 24, U32, 10000, "000.0", ""},
    {"KVA2", 26, U32, 10000, "000.0", ""},
    {"KVA3", 28, U32, 10000, "000.0", ""},
    {"Cos1", 30, S16, 1000, "0.000", ""},
    {"Cos2", 32, S16, 1000, "0.000", ""},
    {"Cos3", 34, S16, 1000, "0.000", ""},
    {"toplamaktif", 36, S32, 10000, "000.0", ""},
    {"toplamreaktif", 40, S32, 10000, "000.0", ""},
    {"toplamgorunen", 44, U32, 10000, "000.0", ""},
    {"CosE_ind", 46, S32, 1000, "0.000", ""},
    {"cose_kap", 48, S32, 1000, "0.000", ""},
    {"Fr", 50, S32, 100, "000.0", ""},
    {"gracisi_r", 52, S32, 1, "000", ""},
    {"gracisi_s", 54, S32, 1, "000", ""},
    {"gracisi_t", 56, S32, 1, "000", ""},
    {"akacisi_r", 58, S32, 1, "000", ""},
    {"akacisi_s", 60, S32, 1, "000", ""},
    {"akacisi_t", 62, S32, 1, "000", ""},
    {"sicaklik", 64, S32, 1, "00.00", kDegree},
}};

}  // namespace

const std::array<InstantDisplay, kInstantDisplayCount>& instantDisplays() { return kDisplays; }

std::string placeholderText(const InstantDisplay& display, char decimalSeparator) {
    std::string text;
    text.reserve(display.mask.size() + display.suffix.size());
    for (char c : display.mask) {
        if (c == '0' || c == '#') {
            text += '-';
        } else if (c == '.') {
            text += decimalSeparator;
        } else {
            text += c;
        }
    }
    text.append(display.suffix);
    return text;
}

std::string instantDisplayText(const InstantDisplay& display, ValueRow row, char decimalSeparator) {
    const auto first = static_cast<std::size_t>(display.firstRegister);
    if (row[first] == kNoValue || row[first + 1] == kNoValue) return placeholderText(display, decimalSeparator);
    const std::optional<std::int64_t> reading = pairReading(row, display.firstRegister, display.code);
    if (!reading) return placeholderText(display, decimalSeparator);
    std::string text = formatMask(static_cast<double>(*reading) / display.divisor, display.mask, decimalSeparator);
    text.append(display.suffix);
    return text;
}

std::vector<DisplayText> instantValues(const RegisterTable& table, int row, char decimalSeparator) {
    std::vector<DisplayText> texts;
    texts.reserve(kDisplays.size());
    const bool valid = RegisterTable::isValidRow(row);
    for (const InstantDisplay& display : kDisplays) {
        texts.push_back({display.name, valid ? instantDisplayText(display, table.values(row), decimalSeparator)
                                             : placeholderText(display, decimalSeparator)});
    }
    return texts;
}

}  // namespace izleme
