// Calendar arithmetic of the simulated clock: seconds since 1970-01-01 00:00
// of local civil time (no time zone), dates of the wire ("dd.MM.yyyy").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace izleme::sim {

struct CivilTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

inline constexpr std::int64_t secondsPerDay = 86400;

std::int64_t daysFromCivil(int year, int month, int day);
std::int64_t toSeconds(const CivilTime& t);
CivilTime toCivil(std::int64_t seconds);
// Day number (days since 1970-01-01) of a time, rounding toward the past.
std::int64_t dayOf(std::int64_t seconds);
// 0 = Monday ... 6 = Sunday.
int weekday(std::int64_t seconds);

std::string formatDate(std::int64_t seconds);      // "04.03.2024"
std::string formatShortDate(std::int64_t seconds);  // "04.03.24"
std::string formatTime(std::int64_t seconds);       // "09:05:00"

// A date as a client may send it (its locale's short date): "4.3.2024",
// "04.03.24", "2024-03-04", "3/4/2024" (month first), "04/03/2024" only when
// the first number cannot be a month. Gives the day number, or nothing.
std::optional<std::int64_t> parseDay(std::string_view text);

}  // namespace izleme::sim
