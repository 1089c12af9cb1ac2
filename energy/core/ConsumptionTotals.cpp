#include "energy/core/ConsumptionTotals.h"

#include "registers/core/RegisterReadings.h"
#include "toolkit/core/NumberFormat.h"

namespace izleme {
namespace {

int registerCount(const ConsumptionDisplay& d) { return d.reading == ConsumptionDisplay::Reading::Counter ? 4 : 2; }

}  // namespace

std::string consumptionPlaceholder(const ConsumptionDisplay& display, char decimalSeparator) {
    std::string text;
    for (char c : display.mask) text += c == '.' ? decimalSeparator : '-';
    return text;
}

std::optional<std::string> consumptionText(const RegisterTable& table, int row, const ConsumptionDisplay& display,
                                           char decimalSeparator) {
    if (!RegisterTable::isValidRow(row)) return consumptionPlaceholder(display, decimalSeparator);
    const ValueRow values = table.values(row);
    for (int r = display.firstRegister; r < display.firstRegister + registerCount(display); ++r) {
        if (values[static_cast<std::size_t>(r)] == kNoValue) return consumptionPlaceholder(display, decimalSeparator);
    }
    const std::optional<std::int64_t> reading = display.reading == ConsumptionDisplay::Reading::Counter
                                                    ? fourRegisterCounter(values, display.firstRegister)
                                                    : pairReading(values, display.firstRegister, PairCode::S32);
    if (!reading) return std::nullopt;
    return formatMask(static_cast<double>(*reading) / display.divisor, display.mask, decimalSeparator);
}

}  // namespace izleme
