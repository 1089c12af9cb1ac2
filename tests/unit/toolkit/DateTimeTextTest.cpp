// Short date and long time texts.
#include "toolkit/core/DateTimeText.h"

#include <gtest/gtest.h>

namespace izleme {
namespace {

TEST(DateTimeText, PadsEveryFieldToItsWidth) {
    EXPECT_EQ(formatShortDate(2024, 3, 5), "05.03.2024");
    EXPECT_EQ(formatShortDate(2023, 12, 31), "31.12.2023");
    EXPECT_EQ(formatShortDate(999, 1, 1), "01.01.0999");
    EXPECT_EQ(formatLongTime(7, 5, 9), "07:05:09");
    EXPECT_EQ(formatLongTime(23, 59, 59), "23:59:59");
    EXPECT_EQ(formatLongTime(0, 0, 0), "00:00:00");
}

}  // namespace
}  // namespace izleme
