#include "server/core/LogLine.h"

#include "toolkit/core/Cp1254.h"

namespace izleme::logline {
namespace {

char32_t shownCharacter(unsigned char byte) {
    if (byte < 0x20) return 0x2400 + byte;  // the control pictures, ␀ to ␟
    if (byte == 0x7F) return 0x2421;        // ␡
    return cp1254::toUnicode(byte);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {  // every character of the code page and the pictures are below U+10000
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string shownText(std::string_view read) {
    const std::string_view shown = read.substr(0, maxShownBytes);
    std::string out;
    out.reserve(shown.size() + shown.size() / 2);
    for (const char c : shown) appendUtf8(out, shownCharacter(static_cast<unsigned char>(c)));
    if (shown.size() < read.size()) out += " \xE2\x80\xA6 (" + std::to_string(read.size()) + " bayt)";
    return out;
}

}  // namespace izleme::logline
