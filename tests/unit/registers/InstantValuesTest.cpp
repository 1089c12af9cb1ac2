// Display texts of the instantaneous values page computed from register rows.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "registers/core/InstantValues.h"

namespace izleme {
namespace {

// Stores a signed 32-bit reading as the register pair hi, lo.
void setPair(RegisterTable& t, int row, int reg, std::int32_t reading) {
    const auto bits = static_cast<std::uint32_t>(reading);
    t.setValue(row, reg, bits >> 16);
    t.setValue(row, reg + 1, bits & 0xFFFF);
}

std::string textOf(const RegisterTable& t, int row, std::string_view name, char sep = '.') {
    for (const DisplayText& d : instantValues(t, row, sep)) {
        if (d.name == name) return d.text;
    }
    ADD_FAILURE() << "no display " << name;
    return {};
}

TEST(InstantValues, SingleDisplayReadings) {
    struct Case {
        std::string_view display;
        int reg;
        double hi, lo;
        std::string text;
    };
    const Case cases[] = {
        {"V1", 0, 0, 2300, "230.0"},
        {"kW1", 12, 65535, 65536 - 1000, "-000.1"},
        {"Cos1", 30, 0, 65036, "-0.500"},
        {"Cos1", 30, 1, 500, "0.500"},  // the first register plays no part
        {"V1", 0, 1, 0, "6553.6"},      // readings wider than the mask keep every digit
        {"sicaklik", 64, 0, 31, "31.00\xB0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        RegisterTable t;
        t.setValue(1, c.reg, c.hi);
        t.setValue(1, c.reg + 1, c.lo);
        EXPECT_EQ(textOf(t, 1, c.display), c.text);
    }
}

TEST(InstantValues, PlaceholdersUntilValuesArrive) {
    RegisterTable t;
    const std::map<std::string_view, std::string> dashes = {
        {"V1", "---.-"}, {"Cos2", "-.---"}, {"gracisi_s", "---"}, {"sicaklik", "--.--\xB0"}, {"Fr", "---.-"}};
    for (int row : {1, 0, 251, -7}) {
        SCOPED_TRACE(row);
        for (const auto& [name, text] : dashes) EXPECT_EQ(textOf(t, row, name), text) << name;
    }
    EXPECT_EQ(textOf(t, 1, "akm2", ','), "---,-");

    // A reply that covered registers 0..29 only: those displays show values,
    // the rest stay dashed; a half-filled pair is still a placeholder.
    for (int r = 0; r < 30; ++r) t.setValue(1, r, 0);
    t.setValue(1, 31, 500);
    EXPECT_EQ(textOf(t, 1, "KVA3"), "000.0");
    EXPECT_EQ(textOf(t, 1, "Cos1"), "-.---");
    EXPECT_EQ(textOf(t, 1, "toplamaktif"), "---.-");

    // Resetting the row brings the dashes back.
    t.resetForDeviceSelection();
    EXPECT_EQ(textOf(t, 1, "KVA3"), "---.-");
}

TEST(InstantValues, RealisticRowDisplayByDisplay) {
    RegisterTable t;
    const int row = 4;
    const std::pair<int, std::int32_t> readings[] = {
        {0, 2301},     {2, 2298},     {4, 2310},  {6, 12345},  {8, 7891},     {10, 120},   {12, 28000},
        {14, -15000},  {16, 1234567}, {18, 5000}, {20, -2600}, {22, 0},       {24, 29000}, {26, 16000},
        {28, 1235000}, {30, 966},     {32, -985}, {34, 1000},  {36, 1253000}, {38, 777},   {40, -32000},
        {42, 888},     {44, 1280000}, {46, 950},  {48, -998},  {50, 5002},    {52, 0},     {54, 120},
        {56, 240},     {58, 15},      {60, 135},  {62, -105},  {64, 31},
    };
    for (const auto& [reg, reading] : readings) setPair(t, row, reg, reading);

    const std::vector<std::pair<std::string_view, std::string>> expected = {
        {"V1", "230.1"},
        {"V2", "229.8"},
        {"V3", "231.0"},
        {"akm1", "012.3"},
        {"akm2", "007.9"},
        {"akm3", "000.1"},
        {"kW1", "002.8"},
        {"Kw2", "-001.5"},
        {"kW3", "123.5"},
        {"kr1", "000.5"},
        {"kr2", "-000.3"},
        {"kr3", "000.0"},
        {"KVA1", "002.9"},
        {"KVA2", "001.6"},
        {"KVA3", "123.5"},
        {"Cos1", "0.966"},
        {"Cos2", "-0.985"},
        {"Cos3", "1.000"},
        {"toplamaktif", "125.3"},
        {"toplamreaktif", "-003.2"},
        {"toplamgorunen", "128.0"},
        {"CosE_ind", "0.950"},
        {"cose_kap", "-0.998"},
        {"Fr", "050.0"},
        {"gracisi_r", "000"},
        {"gracisi_s", "120"},
        {"gracisi_t", "240"},
        {"akacisi_r", "015"},
        {"akacisi_s", "135"},
        {"akacisi_t", "-105"},
        {"sicaklik", "31.00\xB0"},
    };
    const std::vector<DisplayText> texts = instantValues(t, row, '.');
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].name, expected[i].first) << "position " << i;
        EXPECT_EQ(texts[i].text, expected[i].second) << texts[i].name;
    }

    // The other separator changes only the separator.
    const std::vector<DisplayText> comma = instantValues(t, row, ',');
    EXPECT_EQ(comma[0].text, "230,1");
    EXPECT_EQ(comma[15].text, "0,966");
    EXPECT_EQ(comma[30].text, "31,00\xB0");
    EXPECT_EQ(comma[26].text, "240");

    // Other rows are not read.
    EXPECT_EQ(textOf(t, row + 1, "V1"), "---.-");
}

}  // namespace
}  // namespace izleme
