// The device record fill: entries, the 45-entry minimum, the row named by
// entry 43, the hourly entries, and failures while storing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "registers/core/DeviceRecordFill.h"
#include "toolkit/core/SilentAbort.h"

namespace izleme {
namespace {

// Entry j holds j * 100 + 0.5 as "0" + five integer digits and three decimals;
// entry 43 names the row.
std::string record(int entries, int row = 7) {
    std::string r;
    for (int j = 0; j < entries; ++j) {
        char chars[16];
        if (j == 43) {
            std::snprintf(chars, sizeof chars, "%05d000", row);
        } else {
            std::snprintf(chars, sizeof chars, "%05d500", j * 100);
        }
        r += "$0";
        r += chars;
    }
    return r;
}

double expected(int j, int row = 7) {
    if (j == 43) return row;
    const double v = j * 100 + 0.5;
    return (j >= 30 && j <= 41) ? v / 3600 : v;
}

TEST(DeviceRecordFill, FewerThan45EntriesStoreNothing) {
    RegisterTable t;
    fillDeviceRecord(t, record(44), '.');
    for (double v : t.values(7)) ASSERT_EQ(v, kNoValue);
}

TEST(DeviceRecordFill, StoresEveryEntryAtTheNamedRow) {
    for (char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        RegisterTable t;
        fillDeviceRecord(t, record(45), sep);
        for (int j = 0; j < 45; ++j) EXPECT_DOUBLE_EQ(t.value(7, j), expected(j)) << "entry " << j;
        EXPECT_EQ(t.value(7, 45), kNoValue);
        EXPECT_EQ(t.value(1, 0), kNoValue);
    }
}

TEST(DeviceRecordFill, EntryTypes) {
    // Type "1" keeps its 8 characters, so a "." there reads under "." only;
    // any other type adds no entry but still takes its 8 characters.
    EXPECT_EQ(deviceRecordEntries("$10012.500$000012345$2abcdefgh$1-0000007", '.'),
              (std::vector<std::string>{"0012.500", "00012.345", "-0000007"}));
    EXPECT_EQ(deviceRecordEntries("$000001234", ','), (std::vector<std::string>{"00001,234"}));
    EXPECT_TRUE(deviceRecordEntries("10012.500", '.').empty());                        // not starting with "$"
    EXPECT_EQ(deviceRecordEntries("$0123", '.'), (std::vector<std::string>{"123."}));  // record cut short

    // Entries of other types shift the numbering: the record below has 45
    // entries once the type-"9" ones are dropped.
    RegisterTable t;
    fillDeviceRecord(t, "$912345678" + record(45) + "$9xxxxxxxx", '.');
    EXPECT_DOUBLE_EQ(t.value(7, 0), 0.5);
    EXPECT_DOUBLE_EQ(t.value(7, 44), 4400.5);
}

TEST(DeviceRecordFill, AtMost201Passes) {
    const std::string r = record(210);
    EXPECT_EQ(deviceRecordEntries(r, '.').size(), 201u);
    RegisterTable t;
    fillDeviceRecord(t, r, '.');
    EXPECT_DOUBLE_EQ(t.value(7, 200), 20000.5);
    EXPECT_EQ(t.value(7, 201), kNoValue);
}

TEST(DeviceRecordFill, RowOutsideTheTableStoresNothing) {
    for (int row : {0, 251, 99999}) {
        SCOPED_TRACE(row);
        RegisterTable t;
        EXPECT_NO_THROW(fillDeviceRecord(t, record(45, row), '.'));
        for (int r = 1; r <= kDeviceRowCount; ++r) ASSERT_EQ(t.value(r, 0), kNoValue);
    }
}

TEST(DeviceRecordFill, BadValueStopsAfterEarlierStores) {
    std::string r = record(45);
    r.replace(10 * 5 + 2, 8, "12x45678");  // entry 5
    RegisterTable t;
    EXPECT_THROW(fillDeviceRecord(t, r, '.'), SilentAbort);
    for (int j = 0; j < 5; ++j) EXPECT_DOUBLE_EQ(t.value(7, j), expected(j));
    EXPECT_EQ(t.value(7, 5), kNoValue);
    EXPECT_EQ(t.value(7, 6), kNoValue);

    // The wrong decimal separator in a type "1" entry is a bad value as well.
    std::string typeOne = record(45);
    typeOne.replace(1, 9, "100001.25");
    RegisterTable u;
    EXPECT_THROW(fillDeviceRecord(u, typeOne, ','), SilentAbort);
    EXPECT_EQ(u.value(7, 0), kNoValue);

    // A row that is not an integer fails before anything is stored.
    std::string badRow = record(45);
    badRow.replace(10 * 43 + 2, 8, "ab123000");
    RegisterTable w;
    EXPECT_THROW(fillDeviceRecord(w, badRow, '.'), SilentAbort);
    for (int r = 1; r <= kDeviceRowCount; ++r) ASSERT_EQ(w.value(r, 0), kNoValue);
}

}  // namespace
}  // namespace izleme
