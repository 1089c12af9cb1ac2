// Rules of the device list.
#include "server/core/DeviceEntry.h"

#include <gtest/gtest.h>

#include <vector>

namespace izleme {
namespace {

using namespace std::string_literals;

TEST(DeviceEntry, GroupCaptionUpperCasesOnlyAtoZ) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"merkez", "MERKEZ"},
        {"MeRkEz 2", "MERKEZ 2"},
        {"\xFE" "ube \xE7" "ar\xFE\xFD", "\xFE" "UBE \xE7" "AR\xFE\xFD"},  // şube çarşı: ş ç ı stay
        {"az{}@`", "AZ{}@`"},  // the neighbours of a and z stay
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(device::groupCaption(in), out) << in;
    EXPECT_EQ(device::groupCaption("ankara"), device::groupCaption("AnKaRa"));
}

TEST(DeviceEntry, KindOfModel) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"KRT100", 0}, {"KLM200", 3}, {"ZDN100", 4}, {"krt100", -1}, {"KRT100 ", -1}, {"", -1}, {"ABC", -1},
    };
    for (const auto& [model, kind] : cases) EXPECT_EQ(device::kindOfModel(model), kind) << model;
}

TEST(DeviceEntry, SerialOfACaption) {
    struct Case {
        std::string name, serial;
        std::string text, trimmed, meter;
        std::optional<std::int64_t> value;
    };
    const std::vector<Case> cases = {
        {"Pano", "123456", " 123456", "123456", "123456", 123456},
        {"Pano", "12345678901234", " 123456789", "123456789", "123456789", 123456789},  // 10 bytes only
        {"Pano", "", " ", "", "", std::nullopt},
        {"Pano", "12 ", " 12 ", "12", "12 ", std::nullopt},  // a trailing blank is no integer
        {"Saat 10:30", "77", "30 No: 77", "30 No: 77", "30 No: 77", std::nullopt},  // the first ":" wins
        {"Pano", "-5", " -5", "-5", "-5", -5},
    };
    for (const auto& c : cases) {
        const std::string caption = device::entryCaption(c.name, c.serial);
        SCOPED_TRACE(caption);
        EXPECT_EQ(caption, c.name + " No: " + c.serial);
        const std::string text = device::serialText(caption);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(device::trimBlanks(text), c.trimmed);
        EXPECT_EQ(device::trimLeadingBlanks(text), c.meter);
        EXPECT_EQ(device::serialValue(text), c.value);
    }
    EXPECT_EQ(device::serialText("no colon"), "");
    EXPECT_EQ(device::trimBlanks("\t 12\r\n"), "12");
}

}  // namespace
}  // namespace izleme
