// A number as a client sends it in a request field: decimal text, read
// strictly and range-checked before anything uses it.
#pragma once

#include <optional>
#include <string_view>

namespace izleme::sim {

// The value of `text` when it is an optional sign and one or more decimal
// digits, with blanks allowed around them, and lies in [low, high]; nothing
// for any other text (empty, other characters, out of range, any length of
// digits included).
std::optional<int> decimalField(std::string_view text, int low, int high);

}  // namespace izleme::sim
