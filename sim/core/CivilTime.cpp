#include "sim/core/CivilTime.h"

#include <array>
#include <cstdio>
#include <vector>

namespace izleme::sim {

std::int64_t daysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t toSeconds(const CivilTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * secondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

std::int64_t dayOf(std::int64_t seconds) {
    return seconds >= 0 ? seconds / secondsPerDay : -((-seconds + secondsPerDay - 1) / secondsPerDay);
}

CivilTime toCivil(std::int64_t seconds) {
    const std::int64_t z0 = dayOf(seconds);
    const std::int64_t rest = seconds - z0 * secondsPerDay;
    const std::int64_t z = z0 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int weekday(std::int64_t seconds) {
    // 1970-01-01 was a Thursday (3 with Monday = 0).
    const std::int64_t d = dayOf(seconds);
    return static_cast<int>(((d % 7) + 7 + 3) % 7);
}

std::string formatDate(std::int64_t seconds) {
    const CivilTime t = toCivil(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day % 100, t.month % 100, t.year % 10000);
    return buf;
}

std::string formatShortDate(std::int64_t seconds) {
    const CivilTime t = toCivil(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%02d", t.day % 100, t.month % 100, t.year % 100);
    return buf;
}

std::string formatTime(std::int64_t seconds) {
    const CivilTime t = toCivil(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

namespace {

bool validDay(int y, int m, int d) {
    if (y < 1900 || y > 2999 || m < 1 || m > 12 || d < 1) return false;
    static constexpr std::array<int, 12> lengths{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d > lengths[static_cast<std::size_t>(m - 1)]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return !(m == 2 && d == 29 && !leap);
}

}  // namespace

std::optional<std::int64_t> parseDay(std::string_view text) {
    // Cut into up to three runs of digits; remember the separator kind.
    std::vector<std::pair<int, int>> numbers;  // value, digit count
    char separator = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    while (i < text.size()) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            int value = 0, digits = 0;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 5) {
                value = value * 10 + (text[i] - '0');
                ++digits;
                ++i;
            }
            if (i < text.size() && text[i] >= '0' && text[i] <= '9') return std::nullopt;
            numbers.emplace_back(value, digits);
            if (numbers.size() == 3) break;
        } else if (c == '.' || c == '/' || c == '-') {
            if (separator == 0) separator = c;
            ++i;
        } else if (c == ' ' && !numbers.empty() && numbers.size() == 3) {
            break;
        } else {
            return std::nullopt;
        }
    }
    if (numbers.size() != 3) return std::nullopt;
    int y, m, d;
    if (numbers[0].second == 4) {
        y = numbers[0].first, m = numbers[1].first, d = numbers[2].first;
    } else {
        y = numbers[2].first;
        if (numbers[2].second <= 2) y += 2000;
        if (separator == '/' && numbers[0].first <= 12) {
            m = numbers[0].first, d = numbers[1].first;
        } else {
            d = numbers[0].first, m = numbers[1].first;
        }
    }
    if (!validDay(y, m, d)) return std::nullopt;
    return daysFromCivil(y, m, d);
}

}  // namespace izleme::sim
