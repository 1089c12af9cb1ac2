// Seven-segment forms and the cell layout of LED display texts.
#include "toolkit/core/SevenSegment.h"

#include <gtest/gtest.h>

#include <bitset>

namespace izleme {
namespace {

TEST(SevenSegment, DigitsLightTheirClassicSegments) {
    // Segment counts of 0..9 on a seven-segment display.
    const int counts[10] = {6, 2, 5, 5, 4, 5, 6, 3, 7, 6};
    for (int d = 0; d <= 9; ++d) {
        const auto mask = sevenSegmentMask(U'0' + static_cast<char32_t>(d));
        ASSERT_TRUE(mask.has_value()) << d;
        EXPECT_EQ(std::bitset<8>(*mask).count(), static_cast<std::size_t>(counts[d])) << d;
    }
    EXPECT_EQ(sevenSegmentMask(U'1'), segB | segC);
    EXPECT_EQ(sevenSegmentMask(U'7'), segA | segB | segC);
    EXPECT_EQ(sevenSegmentMask(U'-'), segG);
    EXPECT_EQ(sevenSegmentMask(U' '), 0);
}

TEST(SevenSegment, LettersHaveFormsWhereSegmentsCanShowThem) {
    EXPECT_EQ(sevenSegmentMask(U'E'), segA | segD | segE | segF | segG);
    EXPECT_EQ(sevenSegmentMask(U'A'), sevenSegmentMask(U'a'));
    EXPECT_EQ(sevenSegmentMask(U'Ş'), sevenSegmentMask(U'S'));
    EXPECT_EQ(sevenSegmentMask(U'İ'), sevenSegmentMask(U'I'));
    EXPECT_NE(sevenSegmentMask(U'C'), sevenSegmentMask(U'c'));
    for (const char32_t c : {U'M', U'W', U'X', U'K', U'%', U'?'}) {
        EXPECT_FALSE(sevenSegmentMask(c).has_value()) << static_cast<int>(c);
    }
}

TEST(LedCells, MarksJoinTheCharacterBeforeThem) {
    using K = LedCellKind;
    using M = LedMark;
    const struct {
        std::u32string text;
        std::vector<LedCell> cells;
    } cases[] = {
        {U"", {}},
        {U"8.88", {{K::Character, U'8', M::Point}, {K::Character, U'8', M::None}, {K::Character, U'8', M::None}}},
        {U"---.-",
         {{K::Character, U'-', M::None},
          {K::Character, U'-', M::None},
          {K::Character, U'-', M::Point},
          {K::Character, U'-', M::None}}},
        {U"-000,0",
         {{K::Character, U'-', M::None},
          {K::Character, U'0', M::None},
          {K::Character, U'0', M::None},
          {K::Character, U'0', M::Comma},
          {K::Character, U'0', M::None}}},
        // A mark with nothing to join gets a blank cell.
        {U".5", {{K::Character, U' ', M::Point}, {K::Character, U'5', M::None}}},
        {U"1..", {{K::Character, U'1', M::Point}, {K::Character, U' ', M::Point}}},
        {U"12:3.",
         {{K::Character, U'1', M::None},
          {K::Character, U'2', M::None},
          {K::Colon, U':', M::None},
          {K::Character, U'3', M::Point}}},
        {U":,", {{K::Colon, U':', M::None}, {K::Character, U' ', M::Comma}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ledCells(c.text), c.cells) << c.text.size() << " characters";
    }
}

}  // namespace
}  // namespace izleme
