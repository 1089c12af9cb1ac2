// Short date and long time texts of the client's Turkish locale
// ("dd.MM.yyyy", "HH:mm:ss"), from plain calendar fields.
#pragma once

#include <string>

namespace izleme {

// "dd.MM.yyyy": day and month on two digits, the year on four.
std::string formatShortDate(int year, int month, int day);

// "HH:mm:ss": each field on two digits.
std::string formatLongTime(int hour, int minute, int second);

}  // namespace izleme
