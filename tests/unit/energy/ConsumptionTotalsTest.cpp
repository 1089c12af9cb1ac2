// The consumption displays computed from registers 70 to 89 of a device row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "energy/core/ConsumptionTotals.h"

namespace izleme {
namespace {

const ConsumptionDisplay& displayOf(std::string_view name) {
    for (const ConsumptionDisplay& d : kConsumptionDisplays) {
        if (d.name == name) return d;
    }
    throw std::logic_error("no such display");
}

std::optional<std::string> textOf(const RegisterTable& t, std::string_view name, char sep = '.', int row = 1) {
    return consumptionText(t, row, displayOf(name), sep);
}

void setRegisters(RegisterTable& t, int first, const std::vector<double>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) t.setValue(1, first + static_cast<int>(i), values[i]);
}

TEST(ConsumptionTotals, ReadingsAndMasks) {
    struct Case {
        std::string_view display;
        std::vector<double> registers;
        char sep;
        std::string text;
    };
    const Case cases[] = {
        {"Toplamindoran", {0, 125}, '.', "12.50"},
        {"Toplamindoran", {0, 125}, ',', "12,50"},
        {"Toplamindoran", {65535, 65535}, '.', "-00.10"},  // a signed 32-bit pair
        {"Toplamkaporan", {0, 0}, '.', "00.00"},
        {"Toplamkaporan", {0, 5}, '.', "00.50"},
        {"Toplamkaporan", {0, 12345}, '.', "1234.50"},  // wider than the mask: every digit stays
        {"Ewh", {0, 0, 1, 0}, '.', "065.536"},
        {"Ewh", {0, 0, 0, 5}, '.', "000.005"},
        {"Ewh", {0, 1, 0, 0}, ',', "4294967,296"},
        {"Elh", {0, 0, 0, 123456}, '.', "123.456"},  // a register above 65535 counts as it is
        {"ECh", {0, 0, 2, 3}, '.', "131.075"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.display) + " " + c.text);
        RegisterTable t;
        for (const ConsumptionDisplay& d : kConsumptionDisplays) {
            // Every other display holds zeros, so only this one's registers matter.
            for (int r = d.firstRegister; r < d.firstRegister + 4; ++r) t.setValue(1, r, 0);
        }
        setRegisters(t, displayOf(c.display).firstRegister, c.registers);
        EXPECT_EQ(textOf(t, c.display, c.sep), c.text);
    }
}

TEST(ConsumptionTotals, NoValueShowsTheMaskWithDashes) {
    RegisterTable t;
    for (char sep : {'.', ','}) {
        const std::string s(1, sep);
        EXPECT_EQ(textOf(t, "Toplamindoran", sep), "--" + s + "--");
        EXPECT_EQ(textOf(t, "Toplamkaporan", sep), "--" + s + "--");
        for (const char* name : {"Ewh", "Elh", "ECh"}) EXPECT_EQ(textOf(t, name, sep), "---" + s + "---") << name;
    }
    // One register of the group still without a value is enough.
    setRegisters(t, 70, {0});
    setRegisters(t, 74, {0, 0, 1});
    EXPECT_EQ(textOf(t, "Toplamindoran"), "--.--");
    EXPECT_EQ(textOf(t, "Ewh"), "---.---");
    setRegisters(t, 71, {125});
    setRegisters(t, 77, {0});
    EXPECT_EQ(textOf(t, "Toplamindoran"), "12.50");
    EXPECT_EQ(textOf(t, "Ewh"), "065.536");
    // Registers 78 to 81 play no part.
    setRegisters(t, 82, {0, 0, 0, 1});
    EXPECT_EQ(textOf(t, "Elh"), "000.001");
    // No such row: the placeholder.
    for (int row : {0, 251}) EXPECT_EQ(textOf(t, "Ewh", '.', row), "---.---");
}

TEST(ConsumptionTotals, UnreadableRegistersLeaveTheDisplayAsItIs) {
    RegisterTable t;
    setRegisters(t, 70, {1e300, 0});
    setRegisters(t, 86, {1e30, 0, 0, 0});
    EXPECT_EQ(textOf(t, "Toplamindoran"), std::nullopt);
    EXPECT_EQ(textOf(t, "ECh"), std::nullopt);
}

}  // namespace
}  // namespace izleme
