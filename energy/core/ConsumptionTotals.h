// The consumption totals that a compensation relay keeps (registers 70 to 89
// of its row): the device's inductive and capacitive ratios and its three
// energy counters, as the displays of the consumption page show them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "registers/core/RegisterTable.h"

namespace izleme {

struct ConsumptionDisplay {
    enum class Reading {
        SignedPair,  // registers r, r+1: low 32 bits signed
        Counter,     // registers r..r+3: four-register counter
    };
    std::string_view name;  // objectName of the display
    int firstRegister;
    Reading reading;
    double divisor;
    std::string_view mask;
};

inline constexpr int kConsumptionFirstRegister = 70;

// The displays in refresh order (ascending registers); registers 78 to 81 are
// not shown.
inline constexpr std::array<ConsumptionDisplay, 5> kConsumptionDisplays{{
    {"Toplamindoran", 70, ConsumptionDisplay::Reading::SignedPair, 10, "00.00"},
    {"Toplamkaporan", 72, ConsumptionDisplay::Reading::SignedPair, 10, "00.00"},
    {"Ewh", 74, ConsumptionDisplay::Reading::Counter, 1000, "000.000"},
    {"Elh", 82, ConsumptionDisplay::Reading::Counter, 1000, "000.000"},
    {"ECh", 86, ConsumptionDisplay::Reading::Counter, 1000, "000.000"},
}};

// The mask with "-" for every digit and the decimal separator for "."
// ("--.--", "---.---"): the display of a value not received yet.
std::string consumptionPlaceholder(const ConsumptionDisplay& display, char decimalSeparator);

// The text of one display from a device row: the placeholder while any of
// its registers holds the no-value mark (or for a row outside 1..250), the
// formatted reading otherwise; nothing when the registers cannot be read as
// that reading (the display then keeps its text).
std::optional<std::string> consumptionText(const RegisterTable& table, int row, const ConsumptionDisplay& display,
                                           char decimalSeparator);

}  // namespace izleme
