#include "server/core/LogLine.h"

#include "toolkit/core/Cp1254.h"

namespace izleme::logline {
namespace {

char32_t shownCharacter(unsigned char byte) {
    if (byte < 0x20) return 0x2400 + byte;  // the control pictures, ␀ to ␟
    if (byte == 0x7F) return 0x2421;        // ␡
    return cp1254::toUnicode(byte);
}

}  // namespace

std::string shownText(std::string_view read) {
    const std::string_view shown = read.substr(0, maxShownBytes);
    std::string out;
    out.reserve(shown.size() + shown.size() / 2);
    for (const char c : shown) cp1254::appendUtf8(out, shownCharacter(static_cast<unsigned char>(c)));
    if (shown.size() < read.size()) out += " \xE2\x80\xA6 (" + std::to_string(read.size()) + " bayt)";
    return out;
}

}  // namespace izleme::logline
