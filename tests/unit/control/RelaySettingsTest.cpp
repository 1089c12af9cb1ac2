// Settings coding, the byte split of a register value, the write fields and
// the read-back texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "control/core/RelaySettings.h"
#include "registers/core/RegisterTable.h"

namespace izleme {
namespace {

TEST(SettingsBytes, HighAndLowTruncatingTowardZero) {
    const struct {
        std::int64_t value, high, low;
    } cases[] = {
        {2000, 7, 208}, {1, 0, 1},   {18000, 70, 80},   {-950, -3, -182}, {0, 0, 0},
        {255, 0, 255},  {256, 1, 0}, {65535, 255, 255}, {65536, 256, 0},  // the high byte is not limited
        {-256, -1, 0},  {-1, 0, -1},
    };
    for (const auto& c : cases) {
        const ByteSplit b = splitBytes(c.value);
        EXPECT_EQ(b.high, c.high) << c.value;
        EXPECT_EQ(b.low, c.low) << c.value;
        EXPECT_EQ(b.high * 256 + b.low, c.value);
    }
}

TEST(SettingsCoding, ScaledAndRoundedHalfToEven) {
    const struct {
        int reg;
        double value;
        std::int64_t stored;
    } cases[] = {
        {169, 0.950, 950},  {170, 1.0, 1000},   {169, 0.8, 800}, {169, 0.8125, 812},  // 812.5 to even
        {169, 0.8135, 814}, {173, 1800, 18000}, {175, 14, 140},  {179, 0.25, 2},      // 2.5 to even
        {180, 99, 990},     {166, 2000, 2000},  {171, 12, 12},   {168, 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeSetting(settingCoding(c.reg), c.value), c.stored) << c.reg;
}

TEST(SettingsWrite, EveryGroupIsItsKeywordAndConsecutiveRegisters) {
    std::vector<int> written;
    for (const SettingsGroup& g : settingsGroups())
        for (int r = g.firstRegister; r < g.firstRegister + g.count; ++r) written.push_back(r);
    EXPECT_EQ(written, (std::vector<int>{166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 179, 180}));
    EXPECT_EQ(settingsGroups()[1].keyword, "cezasiniryaz");
}

TEST(SettingsWrite, PenaltyLimitsCarryNineFieldsAfterTheKeyword) {
    const std::vector<std::int64_t> values{encodeSetting(SettingCoding::Thousandths, 0.950),
                                           encodeSetting(SettingCoding::Thousandths, 1.000), 12, 10};
    EXPECT_EQ(settingsWriteFields("1234", values),
              (std::vector<std::string>{"1234", "3", "182", "3", "232", "0", "12", "0", "10"}));
    const std::vector<std::int64_t> ratios{1, 2000, 1};
    EXPECT_EQ(settingsWriteFields("", ratios), (std::vector<std::string>{"", "0", "1", "7", "208", "0", "1"}));
    const std::vector<std::int64_t> negative{-950};
    EXPECT_EQ(settingsWriteFields("5", negative), (std::vector<std::string>{"5", "-3", "-182"}));
}

TEST(SettingsReadBack, ByCodingFromTheRegister) {
    const struct {
        int reg;
        double stored;
        char separator;
        const char* shown;
    } cases[] = {
        {166, 2000, '.', "2000"},
        {167, 65536 + 5, '.', "5"},  // low 16 bits
        {168, 1, '.', "1"},
        {169, 950, '.', "0.950"},
        {170, 1000, ',', "1,000"},
        {171, 12, '.', "12"},
        {172, 10, '.', "10"},
        {173, 105, '.', "10"},  // the tenth is dropped
        {174, 18000, '.', "1800"},
        {175, 140, '.', "14"},
        {179, 150, '.', "15"},
        {180, 0, '.', "0"},
        {169, 65535, '.', "65.535"},
        // The no-value mark: no digits.
        {166, kNoValue, '.', "-"},
        {169, kNoValue, '.', "-.---"},
        {170, kNoValue, ',', "-,---"},
        {173, kNoValue, '.', "-"},
        {171, std::numeric_limits<double>::quiet_NaN(), '.', "-"},
        {180, kNoValue, '.', "-"},
    };
    for (const auto& c : cases) {
        RegisterTable t;
        ASSERT_TRUE(t.setValue(1, c.reg, c.stored));
        EXPECT_EQ(readBackText(t, 1, c.reg, c.separator), c.shown) << c.reg << " " << c.stored;
    }
    // A row that is no device row holds nothing.
    EXPECT_EQ(readBackText(RegisterTable{}, 0, 167, '.'), "-");
}

}  // namespace
}  // namespace izleme
