// Stores the registers of one register reply text ("1$3$4$0$230$1$44$...",
// one decimal number per reply byte) at the table's device row and cursor.
#pragma once

#include <string_view>

#include "registers/core/RegisterTable.h"

namespace izleme {

// Skips the text before the first "$", reads the function code and the byte
// count N, then stores N div 2 registers from the cursor upward, advancing it.
// A field that is not an integer throws SilentAbort; registers stored before
// stay. With no valid device row nothing is stored; registers past 255 are
// never written (the parser stops at the end of the row).
void parseRegisterReply(RegisterTable& table, std::string_view text);

// The reply text with every "$199$239" (two bytes that a relay sends for the
// value 3) shortened to "$3", in one left-to-right pass; replaced text is not
// searched again.
std::string shortenReadCode(std::string_view text);

}  // namespace izleme
