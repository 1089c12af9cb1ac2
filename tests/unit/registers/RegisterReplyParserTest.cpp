// The register reply parser: registers and byte cells stored from reply texts,
// the cursor, the silent abort on bad fields, and the edges of the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registers/core/RegisterReplyParser.h"
#include "toolkit/core/SilentAbort.h"

namespace izleme {
namespace {

class ReplyParser : public ::testing::Test {
protected:
    ReplyParser() { table.setDeviceRow(1); }

    std::vector<double> registers(int first, int count) const {
        std::vector<double> v;
        for (int r = first; r < first + count; ++r) v.push_back(table.value(1, r));
        return v;
    }

    RegisterTable table;
};

TEST_F(ReplyParser, StoresRegistersAndByteCells) {
    parseRegisterReply(table, "1$3$4$0$230$1$44$12$34$");
    EXPECT_EQ(registers(0, 3), (std::vector<double>{230, 300, kNoValue}));
    EXPECT_EQ(table.cursor(), 2);
    const std::vector<std::int32_t> cells(table.bytes(1).begin(), table.bytes(1).begin() + 9);
    EXPECT_EQ(cells, (std::vector<std::int32_t>{0, 230, -1, -1, 1, 44, -1, -1, -1}));
}

TEST_F(ReplyParser, ReadCodeBytesAreShortened) {
    parseRegisterReply(table, "1$199$239$2$0$5$");
    EXPECT_EQ(registers(0, 2), (std::vector<double>{5, kNoValue}));
    EXPECT_EQ(table.cursor(), 1);

    // The pair inside the data is shortened as well: 0 199 239 7 becomes 0 3 7.
    table.setCursor(10);
    parseRegisterReply(table, "1$3$4$0$199$239$7$9$");
    EXPECT_EQ(registers(10, 2), (std::vector<double>{3, 7 * 256 + 9}));
}

TEST_F(ReplyParser, ByteCountDecidesHowManyRegisters) {
    struct Case {
        const char* text;
        int stored;
    };
    const Case cases[] = {
        {"1$3$5$0$1$0$2$0$3$", 2},  // odd count: N div 2
        {"1$3$1$0$1$", 0},
        {"1$3$0$0$1$", 0},
        {"1$3$-4$0$1$", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RegisterTable t;
        t.setDeviceRow(1);
        parseRegisterReply(t, c.text);
        EXPECT_EQ(t.cursor(), c.stored);
        for (int r = 0; r < 4; ++r) EXPECT_EQ(t.value(1, r) != kNoValue, r < c.stored) << "register " << r;
    }
}

TEST_F(ReplyParser, BadFieldAbortsAndKeepsEarlierRegisters) {
    EXPECT_THROW(parseRegisterReply(table, "1$3$4$0$230$1"), SilentAbort);
    EXPECT_EQ(registers(0, 2), (std::vector<double>{230, kNoValue}));
    EXPECT_EQ(table.cursor(), 1);

    const char* bad[] = {
        "no separator at all",       // the function code field is missing its "$"
        "1$$4$0$1$",                 // empty function code
        "1$3$x$0$1$",                // byte count not a number
        "1$3$4$0$1$2.5$3$",          // data field not an integer
        "1$3$4$0$1$99999999999$3$",  // outside 32-bit integers
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        RegisterTable t;
        t.setDeviceRow(1);
        EXPECT_THROW(parseRegisterReply(t, text), SilentAbort);
    }
}

TEST_F(ReplyParser, FieldsAllowLeadingBlanksAndSign) {
    parseRegisterReply(table, "garbage$ 3$ +4$ 1$-1$0$ 2$");
    EXPECT_EQ(registers(0, 2), (std::vector<double>{255, 2}));
    EXPECT_EQ(table.byteCell(1, 1), -1);  // the low byte as received
}

TEST_F(ReplyParser, ShortTextRepeatsTheLastPair) {
    table.setCursor(10);
    parseRegisterReply(table, "1$3$6$0$1$");
    EXPECT_EQ(registers(10, 4), (std::vector<double>{1, 1, 1, kNoValue}));
    EXPECT_EQ(table.byteCell(1, 48), 0);
    EXPECT_EQ(table.byteCell(1, 49), 1);
    EXPECT_EQ(table.cursor(), 13);
}

TEST_F(ReplyParser, TextEndingBeforeTheFirstPairStoresNothing) {
    for (const char* text : {"1$3$4$", "1$3$4$7$"}) {
        SCOPED_TRACE(text);
        RegisterTable t;
        t.setDeviceRow(1);
        parseRegisterReply(t, text);
        EXPECT_EQ(t.value(1, 0), kNoValue);
        EXPECT_EQ(t.byteCell(1, 0), kNoByte);
        EXPECT_EQ(t.cursor(), 0);
    }
}

TEST_F(ReplyParser, SecondReplyContinuesAtTheCursor) {
    parseRegisterReply(table, "1$3$4$0$10$0$11$");
    parseRegisterReply(table, "1$3$4$0$12$0$13$");
    EXPECT_EQ(registers(0, 5), (std::vector<double>{10, 11, 12, 13, kNoValue}));
    EXPECT_EQ(table.cursor(), 4);
}

TEST_F(ReplyParser, StopsAtTheEndOfTheRow) {
    std::string text = "1$3$20$";
    for (int i = 0; i < 10; ++i) text += "0$" + std::to_string(i) + "$";
    table.setCursor(250);
    parseRegisterReply(table, text);
    EXPECT_EQ(registers(250, 6), (std::vector<double>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(table.value(2, 0), kNoValue);
    EXPECT_EQ(table.byteCell(1, 1021), 5);
    EXPECT_EQ(table.byteCell(2, 0), kNoByte);

    RegisterTable t;
    t.setDeviceRow(1);
    t.setCursor(-3);
    parseRegisterReply(t, "1$3$2$0$1$");
    for (double v : t.values(1)) ASSERT_EQ(v, kNoValue);
}

TEST_F(ReplyParser, WithoutAValidDeviceRowNothingIsWritten) {
    for (int row : {0, -1, 251}) {
        RegisterTable t;
        t.setDeviceRow(row);
        EXPECT_NO_THROW(parseRegisterReply(t, "1$3$4$0$230$1$44$"));
        EXPECT_EQ(t.cursor(), 0);
        for (int r = 1; r <= kDeviceRowCount; ++r) ASSERT_EQ(t.value(r, 0), kNoValue) << "row " << r;
    }
}

TEST_F(ReplyParser, StageDataBeforeAnyOtherReplyGoesToRowOne) {
    // Stage state replies set no device row of their own: right after start
    // they must land in row 1, where the stage page reads them.
    RegisterTable t;
    t.setCursor(66);
    parseRegisterReply(t, "1$3$4$0$5$16$1$");
    EXPECT_EQ(t.value(1, 66), 5);
    EXPECT_EQ(t.value(1, 67), 16 * 256 + 1);
    EXPECT_EQ(t.cursor(), 68);
}

TEST_F(ReplyParser, WritesTheDeviceRowOnly) {
    table.setDeviceRow(7);
    parseRegisterReply(table, "1$3$2$1$0$");
    EXPECT_EQ(table.value(7, 0), 256);
    EXPECT_EQ(table.value(1, 0), kNoValue);
}

}  // namespace
}  // namespace izleme
