#include "toolkit/core/Cp1254.h"

#include <array>

namespace izleme::cp1254 {
namespace {

// 0x80..0x9F; the rest is Latin-1 but for six Turkish letters.
constexpr std::array<char32_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

constexpr char32_t turkish(unsigned char b) {
    switch (b) {
        case 0xD0:
            return 0x011E;  // Ğ
        case 0xDD:
            return 0x0130;  // İ
        case 0xDE:
            return 0x015E;  // Ş
        case 0xF0:
            return 0x011F;  // ğ
        case 0xFD:
            return 0x0131;  // ı
        case 0xFE:
            return 0x015F;  // ş
        default:
            return b;
    }
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char32_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHigh80[byte - 0x80];
    return turkish(byte);
}

std::optional<unsigned char> fromUnicode(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        if (toUnicode(static_cast<unsigned char>(b)) == cp) return static_cast<unsigned char>(b);
    }
    return std::nullopt;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (lead < 0x80) {
            cp = lead;
            len = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            len = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            len = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (i + len > text.size()) return std::nullopt;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (cont & 0x3F);
        }
        // Overlong forms (which could smuggle a framing byte past a check on
        // the UTF-8), surrogates and values past U+10FFFF are malformed.
        constexpr char32_t minOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minOfLength[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return std::nullopt;
        const auto b = fromUnicode(cp);
        if (!b) return std::nullopt;
        out.push_back(static_cast<char>(*b));
        i += len;
    }
    return out;
}

}  // namespace izleme::cp1254
