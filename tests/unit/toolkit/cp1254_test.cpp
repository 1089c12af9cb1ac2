// Code page 1254 against UTF-8.
#include "toolkit/core/Cp1254.h"

#include <gtest/gtest.h>

namespace izleme {
namespace {

using namespace std::string_literals;

TEST(Cp1254, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = cp1254::toUtf8(all);
    EXPECT_EQ(cp1254::fromUtf8(utf8), all);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(cp1254::fromUnicode(cp1254::toUnicode(byte)), byte) << b;
    }
}

TEST(Cp1254, TurkishLettersAndSigns) {
    // The six letters that differ from Latin-1, and a few of 0x80..0x9F.
    EXPECT_EQ(cp1254::fromUtf8("ĞİŞğış"), "\xD0\xDD\xDE\xF0\xFD\xFE"s);
    EXPECT_EQ(cp1254::fromUtf8("çöüÇÖÜ"), "\xE7\xF6\xFC\xC7\xD6\xDC"s);
    EXPECT_EQ(cp1254::fromUtf8("€‚‰Ÿ"), "\x80\x82\x89\x9F"s);
    EXPECT_EQ(cp1254::fromUtf8("ô"), "\xF4"s);  // the terminator byte is a letter
    EXPECT_EQ(cp1254::toUtf8("Kullan\xFD" "c\xFD Ad\xFD:"), "Kullanıcı Adı:");
}

TEST(Cp1254, UnrepresentableOrMalformedGivesNothing) {
    for (const std::string& bad : {
             "ğ\xC4\x80"s,       // U+0100: not in the code page
             "Ð"s,               // U+00D0: its byte holds Ğ instead
             "ı\xE2\x82"s,       // cut short
             "\x80"s,            // lone continuation byte
             "\xC0\x81"s,        // overlong form of 0x01
             "\xE0\x80\x82"s,    // overlong form of 0x02
             "\xED\xA0\x80"s,    // surrogate
             "\xF4\x90\x80\x80"s, // past U+10FFFF
             "\xFF"s,
             "😀"s,
         }) {
        EXPECT_EQ(cp1254::fromUtf8(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(cp1254::fromUtf8(""), "");
}

}  // namespace
}  // namespace izleme
