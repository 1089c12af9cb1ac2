// Seven-segment forms of characters and the cell layout of LED display texts.
#include "toolkit/core/SevenSegment.h"

namespace izleme {

namespace {

constexpr std::uint8_t digitMasks[10] = {
    segA | segB | segC | segD | segE | segF,         // 0
    segB | segC,                                     // 1
    segA | segB | segD | segE | segG,                // 2
    segA | segB | segC | segD | segG,                // 3
    segB | segC | segF | segG,                       // 4
    segA | segC | segD | segF | segG,                // 5
    segA | segC | segD | segE | segF | segG,         // 6
    segA | segB | segC,                              // 7
    segA | segB | segC | segD | segE | segF | segG,  // 8
    segA | segB | segC | segD | segF | segG,         // 9
};

// Letters in the forms LED displays use; upper case where seven segments can
// show it, lower case otherwise.
std::optional<std::uint8_t> letterMask(char32_t c) {
    switch (c) {
        case U'A': case U'a': return segA | segB | segC | segE | segF | segG;
        case U'B': case U'b': return segC | segD | segE | segF | segG;
        case U'C': case U'Ç': return segA | segD | segE | segF;
        case U'c': case U'ç': return segD | segE | segG;
        case U'D': case U'd': return segB | segC | segD | segE | segG;
        case U'E': case U'e': return segA | segD | segE | segF | segG;
        case U'F': case U'f': return segA | segE | segF | segG;
        case U'G': case U'Ğ': case U'g': case U'ğ': return segA | segC | segD | segE | segF;
        case U'H': return segB | segC | segE | segF | segG;
        case U'h': return segC | segE | segF | segG;
        case U'I': case U'İ': case U'ı': return segE | segF;
        case U'i': return segC;
        case U'J': case U'j': return segB | segC | segD | segE;
        case U'L': case U'l': return segD | segE | segF;
        case U'N': case U'n': return segC | segE | segG;
        case U'O': case U'Ö': return segA | segB | segC | segD | segE | segF;
        case U'o': case U'ö': return segC | segD | segE | segG;
        case U'P': case U'p': return segA | segB | segE | segF | segG;
        case U'Q': case U'q': return segA | segB | segC | segF | segG;
        case U'R': case U'r': return segE | segG;
        case U'S': case U'Ş': case U's': case U'ş': return segA | segC | segD | segF | segG;
        case U'T': case U't': return segD | segE | segF | segG;
        case U'U': case U'Ü': return segB | segC | segD | segE | segF;
        case U'u': case U'ü': return segC | segD | segE;
        case U'Y': case U'y': return segB | segC | segD | segF | segG;
        case U'Z': case U'z': return segA | segB | segD | segE | segG;
        default: return std::nullopt;
    }
}

bool isMark(char32_t c) { return c == U'.' || c == U','; }

}  // namespace

std::optional<std::uint8_t> sevenSegmentMask(char32_t c) {
    if (c >= U'0' && c <= U'9') return digitMasks[c - U'0'];
    switch (c) {
        case U' ': return 0;
        case U'-': return segG;
        case U'_': return segD;
        case U'=': return segD | segG;
        case U'*': case U'°': return segA | segB | segF | segG;
        case U'\'': return segF;
        case U'"': return segB | segF;
        case U'[': return segA | segD | segE | segF;
        case U']': return segA | segB | segC | segD;
        default: return letterMask(c);
    }
}

std::vector<LedCell> ledCells(std::u32string_view text) {
    std::vector<LedCell> cells;
    cells.reserve(text.size());
    bool markTaken = true;  // the last cell can no longer take a decimal mark
    for (const char32_t c : text) {
        if (isMark(c)) {
            const LedMark mark = c == U'.' ? LedMark::Point : LedMark::Comma;
            if (markTaken) cells.push_back(LedCell{});
            cells.back().mark = mark;
            markTaken = true;
        } else if (c == U':') {
            cells.push_back(LedCell{LedCellKind::Colon, c, LedMark::None});
            markTaken = true;
        } else {
            cells.push_back(LedCell{LedCellKind::Character, c, LedMark::None});
            markTaken = false;
        }
    }
    return cells;
}

}  // namespace izleme
