// Framing of the server connection: building outgoing messages and the four
// primitives that cut received text into keywords and fields. Texts are code
// page 1254 bytes; received text is consumed from the front of a view.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace izleme::wire {

inline constexpr char fieldSeparator = '\x01';
inline constexpr char loginEnd = '\x02';
inline constexpr char terminatorByte = '\xF4';
inline constexpr std::string_view terminator = "\xF4\xF4\xF4";

// A field may not hold a byte that has a framing role (0x01, 0x02, 0xF4):
// it would cut the message or end it early.
bool isSafeField(std::string_view field);

// keyword, 0x01, each field followed by 0x01, then the terminator. With no
// fields: keyword, 0x01, terminator. Nothing when a field is unsafe.
std::optional<std::string> buildMessage(std::string_view keyword, std::initializer_list<std::string_view> fields);
std::optional<std::string> buildMessage(std::string_view keyword, const std::vector<std::string>& fields);

// "ping" and the terminator, no separator.
std::string buildPing();

// "kulsifre", 0x01, user, 0x01, password, 0x02, terminator. Nothing when the
// user name or the password is unsafe.
std::optional<std::string> buildLogin(std::string_view user, std::string_view password);

// The first keyword.size() bytes of text equal the keyword (case-sensitive);
// the byte after it is not examined.
bool startsWithKeyword(std::string_view text, std::string_view keyword);

// Remove the first n bytes (all of them when the text is shorter).
void skip(std::string_view& text, std::size_t n);

// The bytes before the first 0x01, which is removed with them. Without a
// separator: the empty text, and nothing is removed.
std::string_view takeField(std::string_view& text);

// As takeField, but one more byte after the separator is removed; without a
// separator exactly one byte is removed.
std::string_view takeFieldAndSkipOne(std::string_view& text);

}  // namespace izleme::wire
