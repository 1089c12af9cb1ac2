// Code page 1254 (Turkish), the code page of every text on the wire and on
// screen. Our own table, so that it works wherever the client runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace izleme::cp1254 {

// Unicode code point of a code page 1254 byte. Bytes the code page leaves
// unassigned map to the C1 control of the same value, as Windows does.
char32_t toUnicode(unsigned char byte);

// Code page 1254 byte of a code point, or nothing when the code page cannot
// represent it.
std::optional<unsigned char> fromUnicode(char32_t codePoint);

// Appends the UTF-8 bytes of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

// Whole texts between code page 1254 and UTF-8. fromUtf8 gives nothing when a
// character cannot be represented or the UTF-8 is malformed.
std::string toUtf8(std::string_view cp1254Text);
std::optional<std::string> fromUtf8(std::string_view utf8Text);

}  // namespace izleme::cp1254
