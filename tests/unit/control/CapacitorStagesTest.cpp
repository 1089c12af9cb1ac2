// Stage word, stage powers and phases read from a device row, and the fields
// of a stage command.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "control/core/CapacitorStages.h"
#include "registers/core/RegisterTable.h"

namespace izleme {
namespace {

struct Stored {
    int reg;
    double value;
};

RegisterTable tableWith(const std::vector<Stored>& stored, int row = 1) {
    RegisterTable t;
    for (const Stored& s : stored) EXPECT_TRUE(t.setValue(row, s.reg, s.value));
    return t;
}

// The stages that are in, numbered 1..12.
std::vector<int> stagesIn(const std::array<bool, kStageCount>& states) {
    std::vector<int> in;
    for (int n = 0; n < kStageCount; ++n)
        if (states[static_cast<std::size_t>(n)]) in.push_back(n + 1);
    return in;
}

TEST(StageStates, BitsZeroToElevenOfTheStageWord) {
    const struct {
        double reg66, reg67;
        std::vector<int> in;
    } cases[] = {
        {0, 5, {1, 3}},
        {0, 4095, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {731, 4095, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},  // register 66 is bits 16 and up
        {1, 0, {}},
        {0, 4096 + 2048, {12}},  // bit 12 is no stage
        {0, 0, {}},
        {0, 2.5, {2}},  // rounded half to even: 2, bit 1
        {kNoValue, 1, {1}},
    };
    for (const auto& c : cases) {
        const auto states = stageStates(tableWith({{66, c.reg66}, {67, c.reg67}}), 1);
        ASSERT_TRUE(states.has_value()) << c.reg66 << " " << c.reg67;
        EXPECT_EQ(stagesIn(*states), c.in) << c.reg66 << " " << c.reg67;
    }
}

TEST(StageStates, NothingWhileRegister67HoldsTheNoValueMarkOrTheRowIsNone) {
    EXPECT_FALSE(stageStates(RegisterTable{}, 1).has_value());
    EXPECT_FALSE(stageStates(tableWith({{66, 0}}), 1).has_value());
    EXPECT_FALSE(stageStates(tableWith({{66, 0}, {67, 5}}), 0).has_value());  // no such row
    EXPECT_FALSE(stageStates(tableWith({{66, 0}, {67, 5}}, 2), 1).has_value());
    EXPECT_TRUE(stageStates(tableWith({{66, 0}, {67, 5}}, 2), 2).has_value());
}

TEST(StagePower, TransformerRatioTimesTheRegisterOverTenThousand) {
    const struct {
        std::vector<Stored> stored;
        int stage;
        char separator;
        const char* shown;
    } cases[] = {
        {{{167, 200}, {192, 1250}}, 1, '.', "025.0"},
        {{{167, 200}, {192, 1250}}, 1, ',', "025,0"},
        {{{167, 200}, {192, 0}}, 1, '.', "000.0"},
        {{{167, 100}, {203, 30000}}, 12, '.', "300.0"},
        {{{167, 200}, {192, 65536 + 1250}}, 1, '.', "025.0"},         // low 16 bits of the register
        {{{167, 2000}, {192, 65535}}, 1, '.', "13107.0"},             // more integer digits than the mask
        {{{167, 50}, {195, 1001}}, 4, '.', "005.0"},                  // 5.005 to one decimal
        {{{167, 1e15}, {192, 65535}}, 1, '.', "6553500000000000.0"},  // a row of other data
        {{{167, 1e300}, {192, 1250}}, 1, '.', "---.-"},               // no integer ratio
        {{{167, 200}, {192, std::numeric_limits<double>::quiet_NaN()}}, 1, '.', "---.-"},
        // The no-value mark in either register: no digits at all.
        {{{192, 1250}}, 1, '.', "---.-"},
        {{{167, 200}}, 1, ',', "---,-"},
        {{}, 1, '.', "---.-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stagePowerText(tableWith(c.stored), 1, c.stage, c.separator), c.shown) << c.shown;
    }
}

TEST(StagePhase, NamesForZeroToFourDashForNoValueNothingOtherwise) {
    const struct {
        int stage;
        double value;
        std::optional<std::string> shown;
    } cases[] = {
        {1, 0, "off"},      {1, 1, "r"},
        {2, 2, "s"},        {3, 3, "t"},
        {12, 4, "rst"},     {1, 5, {}},
        {1, -2, {}},        {1, 65535, {}},
        {5, 2.5, "s"},  // rounded half to even
        {1, kNoValue, "-"}, {1, std::numeric_limits<double>::infinity(), {}},
    };
    for (const auto& c : cases) {
        const RegisterTable t = tableWith({{205 + c.stage, c.value}});
        EXPECT_EQ(stagePhaseText(t, 1, c.stage), c.shown) << c.stage << " " << c.value;
    }
    // Registers 204 and 205 belong to no stage.
    EXPECT_EQ(stagePhaseText(tableWith({{204, 1}, {205, 2}}), 1, 1), std::optional<std::string>("-"));
}

TEST(StageCommand, SerialItemValueAndZero) {
    EXPECT_EQ(stageCommandFields("12001", 4, true), (std::vector<std::string>{"12001", "4", "255", "0"}));
    EXPECT_EQ(stageCommandFields("12001", 4, false), (std::vector<std::string>{"12001", "4", "0", "0"}));
    EXPECT_EQ(stageCommandFields("", kModeItem, false), (std::vector<std::string>{"", "14", "0", "0"}));
    EXPECT_EQ(stageCommandFields("7", kSetUpItem, true), (std::vector<std::string>{"7", "15", "255", "0"}));
}

}  // namespace
}  // namespace izleme
