// The instantaneous values page: which registers feed which display, and the
// display texts that one refresh tick computes from a device row.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "registers/core/RegisterReadings.h"
#include "registers/core/RegisterTable.h"

namespace izleme {

// One display of the page: shows the reading of registers firstRegister and
// firstRegister + 1 divided by divisor, formatted with mask, then suffix.
struct InstantDisplay {
    std::string_view name;  // objectName of the display
    int firstRegister;
    PairCode code;
    double divisor;
    std::string_view mask;
    std::string_view suffix;  // code page 1254 bytes appended to the text
};

inline constexpr int kInstantDisplayCount = 31;

// The displays in refresh order (ascending registers).
const std::array<InstantDisplay, kInstantDisplayCount>& instantDisplays();

struct DisplayText {
    std::string_view name;
    std::string text;  // code page 1254
};

// The display texts of every display, in refresh order. A display whose
// registers still hold kNoValue (or cannot be read, or a row outside 1..250)
// shows its placeholder.
std::vector<DisplayText> instantValues(const RegisterTable& table, int row, char decimalSeparator);

// The text of one display from row (ValueRow of a valid device row).
std::string instantDisplayText(const InstantDisplay& display, ValueRow row, char decimalSeparator);

// The mask with "-" for every digit place and the decimal separator for "."
// ("---.-" for "000.0"), then the suffix.
std::string placeholderText(const InstantDisplay& display, char decimalSeparator);

}  // namespace izleme
