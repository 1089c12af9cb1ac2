// The meter readout: the text of every "sayacal" message since the last reset
// of the meter page, and the six indexes cut out of it by their OBIS codes.
// Texts are code page 1254 bytes, shown as they are: nothing is converted to
// a number.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace izleme::meter {

inline constexpr std::size_t kIndexCount = 6;
inline constexpr std::size_t kIndexWidth = 9;         // characters shown of a value
inline constexpr std::string_view kNoIndex = "00000000";  // no value cut yet

struct IndexCode {
    std::string_view code;     // searched with its opening parenthesis
    std::string_view display;  // objectName of the display
};

// The indexes in cutting order: the three totals, then tariffs 1 to 3.
inline constexpr std::array<IndexCode, kIndexCount> kIndexCodes{{
    {"1.8.0(", "Rzsycakttop"},
    {"5.8.0(", "Rzsycindtop"},
    {"8.8.0(", "Rzsyckaptop"},
    {"1.8.1(", "RzsycT1"},
    {"1.8.2(", "RzsycT2"},
    {"1.8.3(", "RzsycT3"},
}};

// Position of the first whole occurrence of code in readout: one whose byte
// before is neither a digit nor "." (so "1.8.0(" is not found inside
// "21.8.0("); nothing when there is none.
std::optional<std::size_t> findCode(std::string_view readout, std::string_view code);

// The up to 9 characters after the first whole occurrence of code; nothing
// when the code does not occur.
std::optional<std::string> cutValue(std::string_view readout, std::string_view code);

// The decimal comma step: when the capacitive total is a cut value (not
// "00000000"), the first "." of each of the three totals becomes ",". The
// tariff indexes keep their ".".
std::array<std::string, kIndexCount> withDecimalComma(std::array<std::string, kIndexCount> cut);

class MeterReadout {
public:
    MeterReadout() { reset(); }

    // The meter page reset: no readout, every index "00000000".
    void reset();

    // Appends the readout of one "sayacal" message and cuts all six indexes
    // afresh from the whole text; an index whose code does not occur keeps
    // what it had.
    void append(std::string_view readout);

    const std::string& text() const { return text_; }
    // The texts the six displays show, in the order of kIndexCodes.
    const std::array<std::string, kIndexCount>& shown() const { return shown_; }

private:
    std::string text_;
    std::array<std::string, kIndexCount> cut_;  // as cut, before the comma step
    std::array<std::string, kIndexCount> shown_;
};

}  // namespace izleme::meter
