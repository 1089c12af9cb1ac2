// The communication log's text of one read: every byte as it came, control
// bytes as their visible pictures, and a long read cut to its first bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace izleme::logline {

// Bytes of one read that the log shows; the rest is summarised by its size.
constexpr std::size_t maxShownBytes = 64 * 1024;

// UTF-8 text of the read's first maxShownBytes bytes (code page 1254, with
// 0x00..0x1F shown as U+2400..U+241F and 0x7F as U+2421), followed by
// " … (<n> bayt)" when the read is longer; n is the read's byte count.
std::string shownText(std::string_view read);

}  // namespace izleme::logline
