// Seven-segment forms of characters and the cell layout of an LED display
// text, where a point or comma lights the decimal point of the cell before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace izleme {

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle.
enum Segment : std::uint8_t {
    segA = 1 << 0,
    segB = 1 << 1,
    segC = 1 << 2,
    segD = 1 << 3,
    segE = 1 << 4,
    segF = 1 << 5,
    segG = 1 << 6,
};

// The segments that show a character, or nothing when seven segments cannot
// show it readably (the display then draws the glyph itself). A blank is 0.
std::optional<std::uint8_t> sevenSegmentMask(char32_t c);

enum class LedCellKind { Character, Colon };
enum class LedMark { None, Point, Comma };

// One position of the display: a character (or a colon, drawn narrow) and the
// decimal mark lit at its lower right.
struct LedCell {
    LedCellKind kind = LedCellKind::Character;
    char32_t character = U' ';
    LedMark mark = LedMark::None;

    bool operator==(const LedCell&) const = default;
};

// Cells of a text: "." and "," join the character before them as its decimal
// mark; a mark with no character before it (or after another mark or a colon)
// gets a blank cell of its own.
std::vector<LedCell> ledCells(std::u32string_view text);

}  // namespace izleme
