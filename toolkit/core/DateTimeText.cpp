// Short date and long time texts of the Turkish locale.
#include "toolkit/core/DateTimeText.h"

namespace izleme {

namespace {

// Decimal text of n, left-padded with "0" to `width` digits (a sign first).
std::string padded(int n, std::size_t width) {
    const long long wide = n;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return wide < 0 ? "-" + digits : digits;
}

}  // namespace

std::string formatShortDate(int year, int month, int day) {
    return padded(day, 2) + "." + padded(month, 2) + "." + padded(year, 4);
}

std::string formatLongTime(int hour, int minute, int second) {
    return padded(hour, 2) + ":" + padded(minute, 2) + ":" + padded(second, 2);
}

}  // namespace izleme
