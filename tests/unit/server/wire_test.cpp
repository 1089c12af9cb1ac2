// Framing of outgoing messages and the primitives that cut received text.
#include "server/core/Keywords.h"
#include "server/core/Wire.h"

#include <gtest/gtest.h>

#include <vector>

namespace izleme {
namespace {

using namespace std::string_literals;

TEST(WireBuild, Layouts) {
    EXPECT_EQ(wire::buildMessage(kw::enertum, {"12001"}), "enertum\x01" "12001\x01\xF4\xF4\xF4"s);
    EXPECT_EQ(wire::buildMessage(kw::sabitleriyaz, {}), "sabitleriyaz\x01\xF4\xF4\xF4"s);
    // Empty fields still get their separators (a meter's selection).
    EXPECT_EQ(wire::buildMessage(kw::sycreaktfener, {"42", "", ""}),
              "sycreaktfener\x01" "42\x01\x01\x01\xF4\xF4\xF4"s);
    const std::vector<std::string> fields = {"5", "tdshyr", "kythyr"};
    EXPECT_EQ(wire::buildMessage(kw::sayac, fields), "sayac\x01" "5\x01tdshyr\x01kythyr\x01\xF4\xF4\xF4"s);

    const std::string ping = wire::buildPing();
    EXPECT_EQ(ping.size(), 7u);
    EXPECT_EQ(ping, "ping\xF4\xF4\xF4"s);

    // The login: no separator after the password, 0x02 in its place. An empty
    // password is sent as a single space (the login supplies the space).
    EXPECT_EQ(wire::buildLogin("ali", " "), "kulsifre\x01" "ali\x01 \x02\xF4\xF4\xF4"s);
    EXPECT_EQ(wire::buildLogin("\xDE" "EN", "gizli"), "kulsifre\x01\xDE" "EN\x01gizli\x02\xF4\xF4\xF4"s);
}

TEST(WireBuild, FramingBytesInAFieldRefuseTheMessage) {
    for (const std::string& bad : {"a\x01"s, "\x02"s, "caf\xF4"s, "x\xF4y"s}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(wire::isSafeField(bad));
        EXPECT_EQ(wire::buildMessage(kw::enertum, {bad}), std::nullopt);
        EXPECT_EQ(wire::buildMessage(kw::reaktifener, {"1", "01.01.2024", bad}), std::nullopt);
        EXPECT_EQ(wire::buildMessage(kw::sayac, std::vector<std::string>{"1", bad}), std::nullopt);
        EXPECT_EQ(wire::buildLogin(bad, "p"), std::nullopt);
        EXPECT_EQ(wire::buildLogin("u", bad), std::nullopt);
    }
    // Every other byte, the neighbours of the framing bytes included, is fine.
    for (const std::string& ok : {""s, "\x03\x00"s, "\xF3\xF5\xFF"s, "\xFD\xF0\xFE"s}) {
        EXPECT_TRUE(wire::isSafeField(ok));
        EXPECT_TRUE(wire::buildMessage(kw::enertum, {ok}).has_value());
    }
}

TEST(WireParse, StartsWithKeyword) {
    EXPECT_TRUE(wire::startsWithKeyword("pongX", kw::pong));
    EXPECT_TRUE(wire::startsWithKeyword("pong", kw::pong));
    EXPECT_FALSE(wire::startsWithKeyword("pon", kw::pong));
    EXPECT_FALSE(wire::startsWithKeyword("Pong", kw::pong));
    EXPECT_FALSE(wire::startsWithKeyword(" pong", kw::pong));
    EXPECT_FALSE(wire::startsWithKeyword("", kw::pong));
}

struct Cut {
    std::string text;
    bool skipOne;
    std::string field;
    std::string rest;
};

TEST(WireParse, TakeFieldTable) {
    const std::vector<Cut> cases = {
        {"abc\x01" "def", false, "abc", "def"},
        {"abc", false, "", "abc"},  // no separator: empty field, nothing removed
        {"\x01" "abc", false, "", "abc"},  // separator first: one byte removed
        {"", false, "", ""},
        {"a\x01\x01", false, "a", "\x01"},
        {"abc\x01" "def", true, "abc", "ef"},
        {"abc", true, "", "bc"},  // no separator: exactly one byte removed
        {"", true, "", ""},
        {"ab\x01", true, "ab", ""},  // nothing after the separator
        {"\x01\x01x", true, "", "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + (c.skipOne ? " +1" : ""));
        std::string_view v = c.text;
        const auto field = c.skipOne ? wire::takeFieldAndSkipOne(v) : wire::takeField(v);
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(v, c.rest);
    }
}

TEST(WireParse, Skip) {
    std::string_view v = "abcdef";
    wire::skip(v, 2);
    EXPECT_EQ(v, "cdef");
    wire::skip(v, 0);
    EXPECT_EQ(v, "cdef");
    wire::skip(v, 10);
    EXPECT_EQ(v, "");
    wire::skip(v, 1);
    EXPECT_EQ(v, "");
}

}  // namespace
}  // namespace izleme
