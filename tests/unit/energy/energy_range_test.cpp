// Date-range energy replies: counters under "##.00", the two ratios and their
// penalty classes, and what a counter that fails to convert leaves shown.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "energy/core/EnergyRange.h"

using namespace izleme::energy;

namespace {

struct ClassCase {
    double ratio;
    RatioSide side;
    PenaltyClass expected;
};

TEST(PenaltyClassTest, RoundsHalfToEvenBeforeComparingWithEachSidesLimits) {
    constexpr auto I = RatioSide::Inductive;
    constexpr auto C = RatioSide::Capacitive;
    const ClassCase cases[] = {
        {14.5, I, PenaltyClass::Normal},   {14.51, I, PenaltyClass::Critical}, {15.0, I, PenaltyClass::Critical},
        {16.5, I, PenaltyClass::Critical}, {16.51, I, PenaltyClass::Alarm},    {17.0, I, PenaltyClass::Alarm},
        {19.49, I, PenaltyClass::Alarm},   {19.5, I, PenaltyClass::Penalty},   {250.0, I, PenaltyClass::Penalty},
        {-35.0, I, PenaltyClass::Normal},  {-1e300, I, PenaltyClass::Normal},  {1e300, I, PenaltyClass::Penalty},
        {8.5, C, PenaltyClass::Normal},    {9.5, C, PenaltyClass::Critical},   {9.6, C, PenaltyClass::Critical},
        {11.5, C, PenaltyClass::Alarm},    {14.5, C, PenaltyClass::Alarm},     {14.51, C, PenaltyClass::Penalty},
        {15.0, C, PenaltyClass::Penalty},  {-0.5, C, PenaltyClass::Normal},    {0.0, C, PenaltyClass::Normal},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(penaltyClass(c.ratio, c.side), c.expected) << c.ratio << (c.side == I ? " inductive" : " capacitive");
    }
}

TEST(PenaltyClassTest, TextsAndColours) {
    const struct {
        PenaltyClass c;
        std::string text;
        Rgb colour;
    } cases[] = {
        {PenaltyClass::Normal, "NORMAL", {0, 255, 0}},
        {PenaltyClass::Critical, "KR\xDDT\xDDK", {255, 255, 0}},
        {PenaltyClass::Alarm, "ALARM", {255, 0, 255}},
        {PenaltyClass::Penalty, "CEZA", {255, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(penaltyText(c.c), c.text);
        EXPECT_EQ(penaltyColour(c.c), c.colour) << c.text;
    }
}

struct ShownRatio {
    std::string text;
    PenaltyClass penalty;
};

struct ReplyCase {
    const char* name;
    std::array<const char*, 6> counters;  // A1, A2, I1, I2, C1, C2
    double divisor;
    char separator;
    std::vector<std::string> shownCounters;
    std::optional<std::array<ShownRatio, 2>> ratios;  // nothing: ratio displays and classes emptied
};

RangeFields fieldsOf(const std::array<const char*, 6>& counters) {
    RangeFields f{"14001", "04.03.2024", "11.03.2024"};
    for (std::size_t i = 0; i < counters.size(); ++i) f[3 + i] = counters[i];
    return f;
}

TEST(EnergyRangeTest, CountersRatiosAndClassesOfAReply) {
    using P = PenaltyClass;
    // clang-format off
    const ReplyCase cases[] = {
        {"both critical, the capacitive one by rounding 9.6 up",
         {"1000", "2000", "0", "150", "0", "96"}, 1, ',',
         {"1000,00", "2000,00", ",00", "150,00", ",00", "96,00"},
         std::array<ShownRatio, 2>{{{"15,00", P::Critical}, {"9,60", P::Critical}}}},
        {"watt-hours shown in thousands under a point",
         {"123456", "223456", "1000", "16000", "500", "2500"}, 1000, '.',
         {"123.46", "223.46", "1.00", "16.00", ".50", "2.50"},
         std::array<ShownRatio, 2>{{{"15.00", P::Critical}, {"2.00", P::Normal}}}},
        {"a meter's counters shown as they are",
         {"123456", "124456", "0", "250", "100", "300"}, 1, '.',
         {"123456.00", "124456.00", ".00", "250.00", "100.00", "300.00"},
         std::array<ShownRatio, 2>{{{"25.00", P::Penalty}, {"20.00", P::Penalty}}}},
        {"decimal comma counters under a comma locale",
         {"1000,5", "2000,5", "10", "190", "0", "125"}, 1, ',',
         {"1000,50", "2000,50", "10,00", "190,00", ",00", "125,00"},
         std::array<ShownRatio, 2>{{{"18,00", P::Alarm}, {"12,50", P::Alarm}}}},
        {"inductive counter going back: a negative ratio is normal",
         {"1000", "2000", "500", "400", "0", "0"}, 1, '.',
         {"1000.00", "2000.00", "500.00", "400.00", ".00", ".00"},
         std::array<ShownRatio, 2>{{{"-10.00", P::Normal}, {".00", P::Normal}}}},
        {"no consumption: both ratios zero",
         {"2000", "2000", "0", "900", "0", "900"}, 1, '.',
         {"2000.00", "2000.00", ".00", "900.00", ".00", "900.00"},
         std::array<ShownRatio, 2>{{{".00", P::Normal}, {".00", P::Normal}}}},
        {"swapped dates: A2 below A1 gives zero, not a ratio",
         {"3000", "2000", "900", "0", "900", "0"}, 1, '.',
         {"3000.00", "2000.00", "900.00", ".00", "900.00", ".00"},
         std::array<ShownRatio, 2>{{{".00", P::Normal}, {".00", P::Normal}}}},
        {"a decimal comma under a point locale stops at once",
         {"1000,5", "2000", "0", "150", "0", "96"}, 1, '.', {}, std::nullopt},
        {"a failing counter keeps the counters shown before it",
         {"1000", "2000", "0", "x150", "0", "96"}, 1, '.', {"1000.00", "2000.00", ".00"}, std::nullopt},
        {"an empty last counter (a short reply)",
         {"1000", "2000", "0", "150", "0", ""}, 1, '.',
         {"1000.00", "2000.00", ".00", "150.00", ".00"}, std::nullopt},
        {"differences beyond the double range give no ratio",
         {"-1E308", "1E308", "-1E308", "1E308", "0", "0"}, 1, '.',
         {"-1" + std::string(308, '0') + ".00", "1" + std::string(308, '0') + ".00",
          "-1" + std::string(308, '0') + ".00", "1" + std::string(308, '0') + ".00", ".00", ".00"},
         std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RangeShown shown = readRangeReply(fieldsOf(c.counters), c.divisor, c.separator);
        EXPECT_EQ(shown.counters, c.shownCounters);
        ASSERT_EQ(shown.ratios.has_value(), c.ratios.has_value());
        if (!c.ratios) continue;
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ((*shown.ratios)[i].text, (*c.ratios)[i].text) << i;
            EXPECT_EQ((*shown.ratios)[i].penalty, (*c.ratios)[i].penalty) << i;
        }
    }
}

TEST(EnergyRangeTest, StatusTextNamesTheDeviceAndTheDatesAsReceived) {
    RangeFields f = fieldsOf({"", "", "", "", "", ""});
    f[0] = "12001";
    f[1] = "01.03.2024";
    f[2] = "";
    EXPECT_EQ(readRangeReply(f, 1000, ',').statusText,
              "12001 Cihaz\xFDn\xFDn 01.03.2024 ve  tarihleri aras\xFD Enerji bilgileri al\xFDn\xFDyor. ");
}

TEST(EnergyRangeTest, PenaltyAlarmTextNamesTheSideAndTheRatioAsShown) {
    EXPECT_EQ(penaltyAlarmText("14001", RatioSide::Inductive, "25,00"),
              "14001 Seri Nolu cihaz CEZA s\xFDn\xFDr\xFDnda: \xDDnd\xFCktif oran %25,00");
    EXPECT_EQ(penaltyAlarmText("12001", RatioSide::Capacitive, "15.00"),
              "12001 Seri Nolu cihaz CEZA s\xFDn\xFDr\xFDnda: Kapasitif oran %15.00");
}

}  // namespace
