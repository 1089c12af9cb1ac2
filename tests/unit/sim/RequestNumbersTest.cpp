// Numbers in client requests: read strictly and range-checked, so that a
// field too large, negative, empty or not a number changes nothing and the
// session goes on.
#include <gtest/gtest.h>

#include <climits>

#include "SimDecode.h"
#include "sim/core/DecimalField.h"
#include "sim/core/Session.h"

namespace izleme::sim {
namespace {

TEST(DecimalField, AcceptsOnlyDecimalTextWithinTheRange) {
    const struct {
        const char* text;
        int low, high;
        std::optional<int> value;
    } cases[] = {
        {"0", 0, 255, 0},
        {"255", 0, 255, 255},
        {" 12 ", 0, 255, 12},
        {"+7", 0, 255, 7},
        {"007", 0, 255, 7},
        {"-3", -5, 5, -3},
        {"256", 0, 255, std::nullopt},
        {"-1", 0, 255, std::nullopt},
        {"8388608", 0, 255, std::nullopt},  // times 256 no longer fits an int
        {"2147483647", 0, INT_MAX, INT_MAX},
        {"2147483648", 0, INT_MAX, std::nullopt},
        {"-2147483648", INT_MIN, 0, INT_MIN},
        {"-2147483649", INT_MIN, 0, std::nullopt},
        {"99999999999999999999999999", 0, INT_MAX, std::nullopt},
        {"", 0, 255, std::nullopt},
        {" ", 0, 255, std::nullopt},
        {"-", 0, 255, std::nullopt},
        {"+-1", -5, 5, std::nullopt},
        {"1x", 0, 255, std::nullopt},
        {"1 2", 0, 255, std::nullopt},
        {"0x10", 0, 255, std::nullopt},
        {"1.0", 0, 255, std::nullopt},
        {"\xBD", 0, 255, std::nullopt},  // a code page 1254 letter
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(decimalField(c.text, c.low, c.high), c.value);
    }
}

std::string request(const std::string& keyword, const std::vector<std::string>& fields) {
    std::string r = keyword + "\x01";
    for (const auto& f : fields) r += f + "\x01";
    return r;
}

struct LoggedIn : ::testing::Test {
    World world{demoScenario(), 7, seededStartTime()};
    Session session{world, 1};
    void SetUp() override {
        ASSERT_FALSE(session
                         .handle("kulsifre\x01"
                                 "demo\x01"
                                 "demo\x02")
                         .close);
    }
    std::vector<std::string> ask(const std::string& keyword, const std::vector<std::string>& fields) {
        return session.handle(request(keyword, fields)).messages;
    }
    std::vector<std::uint16_t> settings() { return world.device("12001")->relay->settingsRegisters(); }
    int stageWord() { return world.device("12001")->relay->stageWord(); }
};

TEST_F(LoggedIn, SettingsWritesWithABadByteChangeNothing) {
    const std::vector<std::uint16_t> before = settings();
    const struct {
        const char* keyword;
        std::vector<std::string> bytes;  // after the serial
    } cases[] = {
        {"cezasiniryaz", {"8388608", "0", "3", "232", "0", "12", "0", "10"}},
        {"cezasiniryaz", {"3", "8388608", "3", "232", "0", "12", "0", "10"}},
        {"akmgerilimyaz", {"2147483647", "255", "0", "1", "0", "1"}},
        {"akmgerilimyaz", {"99999999999999999999", "0", "0", "1", "0", "1"}},
        {"almacikmasureyaz", {"256", "0", "0", "100", "0", "140"}},
        {"almacikmasureyaz", {"-1", "0", "0", "100", "0", "140"}},
        {"reakkaporanyaz", {"0", "", "0", "100"}},
        {"reakkaporanyaz", {"0", "1O0", "0", "100"}},
        {"reakkaporanyaz", {"0", "150", "0"}},  // a register without its low byte
        {"reakkaporanyaz", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> fields{"12001"};
        fields.insert(fields.end(), c.bytes.begin(), c.bytes.end());
        std::string trace = c.keyword;
        for (const auto& f : fields) trace += "|" + f;
        SCOPED_TRACE(trace);
        EXPECT_TRUE(ask(c.keyword, fields).empty());
        EXPECT_EQ(settings(), before);
        EXPECT_EQ(ask("ping", {}).size(), 1u) << "the session goes on";
    }
}

TEST_F(LoggedIn, SettingsWritesTakeEveryByteValue) {
    ASSERT_TRUE(ask("reakkaporanyaz", {"12001", "255", "255", "0", "0"}).empty());
    const auto r = settings();
    EXPECT_EQ(r[179 - 166], 65535);
    EXPECT_EQ(r[180 - 166], 0);
}

TEST_F(LoggedIn, StageCommandsWithABadNumberChangeNothing) {
    ASSERT_TRUE(ask("kondansatorcek", {"12001", "14", "0", "0"}).empty());  // manual: only commands switch
    ASSERT_TRUE(ask("kondansatorcek", {"12001", "2", "255", "0"}).empty());
    const int before = stageWord();
    ASSERT_EQ(before & 0b100, 0b100);
    const std::vector<std::vector<std::string>> cases = {
        {"2", "8388608", "0"}, {"2", "-255", "0"}, {"2", "", "0"},           {"2", "0", "256"}, {"2", "0", "x"},
        {"16", "0", "0"},      {"-1", "0", "0"},   {"4294967298", "0", "0"},  // 2 once wrapped to 32 bits
        {"2 0", "0", "0"},     {"", "0", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0] + "/" + c[1] + "/" + c[2]);
        std::vector<std::string> fields{"12001"};
        fields.insert(fields.end(), c.begin(), c.end());
        EXPECT_TRUE(ask("kondansatorcek", fields).empty());
        EXPECT_EQ(stageWord(), before);
    }
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "2", "0"}).empty());  // without the third field
    EXPECT_EQ(stageWord(), before & ~0b100);
}

}  // namespace
}  // namespace izleme::sim
