#include <gtest/gtest.h>

#include "sim/core/CivilTime.h"

namespace izleme::sim {
namespace {

TEST(CivilTime, RoundTripsThroughSeconds) {
    const CivilTime cases[] = {{1970, 1, 1, 0, 0, 0}, {2024, 2, 29, 23, 59, 59}, {2024, 3, 4, 9, 0, 0}, {1999, 12, 31, 12, 30, 5}, {2100, 3, 1, 0, 0, 1}};
    for (const CivilTime& c : cases) {
        const CivilTime back = toCivil(toSeconds(c));
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
        EXPECT_EQ(back.hour, c.hour);
        EXPECT_EQ(back.minute, c.minute);
        EXPECT_EQ(back.second, c.second);
    }
    EXPECT_EQ(toSeconds({1970, 1, 2, 0, 0, 0}), 86400);
}

TEST(CivilTime, WeekdayAndFormats) {
    const std::int64_t t = toSeconds({2024, 3, 4, 9, 5, 7});
    EXPECT_EQ(weekday(t), 0);  // a Monday
    EXPECT_EQ(weekday(toSeconds({2024, 3, 10, 23, 0, 0})), 6);
    EXPECT_EQ(formatDate(t), "04.03.2024");
    EXPECT_EQ(formatShortDate(t), "04.03.24");
    EXPECT_EQ(formatTime(t), "09:05:07");
}

TEST(CivilTime, ParsesTheShortDatesOfClientLocales) {
    const std::int64_t march4 = daysFromCivil(2024, 3, 4);
    const struct {
        const char* text;
        std::optional<std::int64_t> day;
    } cases[] = {
        {"04.03.2024", march4},  {"4.3.2024", march4},   {"04.03.24", march4},    {"2024-03-04", march4},
        {"3/4/2024", march4},    {"3/4/24", march4},     {"25/03/2024", daysFromCivil(2024, 3, 25)},
        {"", std::nullopt},      {"abc", std::nullopt},  {"31.02.2024", std::nullopt}, {"29.02.2023", std::nullopt},
        {"1.2", std::nullopt},   {"123456.1.2024", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseDay(c.text), c.day) << c.text;
}

}  // namespace
}  // namespace izleme::sim
