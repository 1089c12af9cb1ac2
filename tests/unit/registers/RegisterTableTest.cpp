// The register table: initial state, bounds, and the row reset of a device selection.
#include <gtest/gtest.h>

#include <stdexcept>

#include "registers/core/RegisterTable.h"

namespace izleme {
namespace {

TEST(RegisterTable, StartsEmpty) {
    RegisterTable t;
    EXPECT_EQ(t.deviceRow(), 1);
    EXPECT_EQ(t.cursor(), 0);
    for (int row : {1, 125, 250}) {
        for (double v : t.values(row)) ASSERT_EQ(v, kNoValue);
        for (std::int32_t b : t.bytes(row)) ASSERT_EQ(b, kNoByte);
    }
}

TEST(RegisterTable, RefusesEverythingOutsideTheTable) {
    RegisterTable t;
    EXPECT_THROW(t.values(0), std::out_of_range);
    EXPECT_THROW(t.values(251), std::out_of_range);
    EXPECT_THROW(t.bytes(-1), std::out_of_range);
    EXPECT_FALSE(t.setValue(0, 0, 5));
    EXPECT_FALSE(t.setValue(251, 0, 5));
    EXPECT_FALSE(t.setValue(1, 256, 5));
    EXPECT_FALSE(t.setValue(1, -1, 5));
    EXPECT_FALSE(t.setByteCell(1, 1024, 5));
    EXPECT_FALSE(t.setByteCell(1, -1, 5));
    EXPECT_EQ(t.value(251, 0), kNoValue);
    EXPECT_EQ(t.byteCell(1, 1024), kNoByte);
    // Neighbours of the refused cells are untouched.
    EXPECT_EQ(t.value(1, 255), kNoValue);
    EXPECT_EQ(t.value(2, 0), kNoValue);
    EXPECT_EQ(t.byteCell(2, 0), kNoByte);
    // The last cell of the last row is writable and does not spill.
    EXPECT_TRUE(t.setValue(250, 255, 7));
    EXPECT_TRUE(t.setByteCell(250, 1023, 7));
    EXPECT_EQ(t.values(250)[255], 7);
    EXPECT_EQ(t.bytes(250)[1023], 7);
    EXPECT_EQ(t.values(250)[254], kNoValue);
}

TEST(RegisterTable, DeviceSelectionResetsRowOneAndCursorOnly) {
    RegisterTable t;
    for (int row : {1, 2, 250}) {
        t.setValue(row, 0, 230);
        t.setValue(row, 255, 1);
        t.setByteCell(row, 1023, 9);
    }
    t.setCursor(40);
    t.setDeviceRow(1);
    t.resetForDeviceSelection();
    EXPECT_EQ(t.cursor(), 0);
    EXPECT_EQ(t.deviceRow(), 1);
    for (double v : t.values(1)) ASSERT_EQ(v, kNoValue);
    for (std::int32_t b : t.bytes(1)) ASSERT_EQ(b, kNoByte);
    for (int row : {2, 250}) {
        EXPECT_EQ(t.value(row, 0), 230);
        EXPECT_EQ(t.value(row, 255), 1);
        EXPECT_EQ(t.byteCell(row, 1023), 9);
    }

    t.setCursor(12);
    t.resetRow(2);
    EXPECT_EQ(t.value(2, 0), kNoValue);
    EXPECT_EQ(t.cursor(), 12);
    t.resetRow(0);  // ignored
    EXPECT_EQ(t.value(250, 0), 230);
}

}  // namespace
}  // namespace izleme
