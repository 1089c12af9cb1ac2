// Stores a device record ("$" + type + 8 characters per entry) into the value
// table row that the record names in its entry 43.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "registers/core/RegisterTable.h"

namespace izleme {

// The entries of a record: type "1" the 8 characters as they stand, type "0"
// five integer digits, the decimal separator and three decimals; other types
// give no entry. At most 201 entries are read.
std::vector<std::string> deviceRecordEntries(std::string_view record, char decimalSeparator);

// Stores entry j of the record at register j of its row (entries 30..41
// divided by 3600). Fewer than 45 entries, or a row outside 1..250, store
// nothing. A value that is not a number throws SilentAbort; earlier stores stay.
void fillDeviceRecord(RegisterTable& table, std::string_view record, char decimalSeparator);

}  // namespace izleme
