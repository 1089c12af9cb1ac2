// The meter readout: the six index cuts, the decimal comma step and the
// readout gathered over several "sayacal" messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "energy/core/MeterReadout.h"

namespace izleme::meter {
namespace {

using Shown = std::array<std::string, kIndexCount>;

const std::string kNo(kNoIndex);

TEST(MeterReadout, CutsEachIndexAfterItsWholeCode) {
    struct Case {
        const char* name;
        std::string readout;
        std::string code;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"NineCharactersAfterTheParenthesis", "1.8.0(12.345*kWh)\r\n", "1.8.0(", "12.345*kW"},
        {"ShorterValueShowsWhatFollows", "1.8.1(5*kWh)\r\n", "1.8.1(", "5*kWh)\r\n"},
        {"ValueAtTheEndOfTheText", "8.8.0(12", "8.8.0(", "12"},
        {"CodeAtTheVeryEnd", "x\r\n5.8.0(", "5.8.0(", ""},
        {"MissingCode", "1.8.1(1)\r\n", "1.8.0(", std::nullopt},
        // A code inside a longer code is not that code.
        {"PhaseLineBeforeTheTotal", "21.8.0(000111.000*kWh)\r\n1.8.0(000999.000*kWh)\r\n", "1.8.0(", "000999.00"},
        {"OnlyThePhaseLine", "21.8.0(000111.000*kWh)\r\n", "1.8.0(", std::nullopt},
        {"DotBeforeIsNoStart", "0.1.8.0(7)\r\n1.8.0(8)", "1.8.0(", "8)"},
        {"AfterAnAddressPrefix", "1-0:1.8.0(42.0*kWh)", "1.8.0(", "42.0*kWh)"},
        {"AtTheStartOfTheText", "5.8.0(3)", "5.8.0(", "3)"},
        {"AfterAnyOtherByte", "X1.8.2(6)", "1.8.2(", "6)"},
        {"FirstWholeOccurrenceWins", "1.8.3(1)\r\n1.8.3(2)", "1.8.3(", "1)\r\n1.8.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cutValue(c.readout, c.code), c.value);
    }
}

TEST(MeterReadout, DecimalCommaOnlyWhenTheCapacitiveTotalWasCut) {
    const Shown all{"12.345*kW", "1.5*kvarh", "0.25*kvar", "1.2.3", "2.0", "3.0"};
    EXPECT_EQ(withDecimalComma(all), (Shown{"12,345*kW", "1,5*kvarh", "0,25*kvar", "1.2.3", "2.0", "3.0"}));
    // Only the first "." of each total.
    EXPECT_EQ(withDecimalComma({"1.2.3", kNo, "4.5.6", kNo, kNo, kNo}),
              (Shown{"1,2.3", kNo, "4,5.6", kNo, kNo, kNo}));
    // Without a capacitive total, every "." stays.
    const Shown noCapacitive{"12.345*kW", "1.5*kvarh", kNo, "1.0", "2.0", "3.0"};
    EXPECT_EQ(withDecimalComma(noCapacitive), noCapacitive);
}

const std::string kReadout =
    "/ZDN5ZDN100\r\n0.0.0(00000077)\r\n21.8.0(000111.111*kWh)\r\n1.8.0(012345.678*kWh)\r\n"
    "1.8.1(006000.100*kWh)\r\n1.8.2(004000.200*kWh)\r\n1.8.3(002345.378*kWh)\r\n5.8.0(000321.000*kvarh)\r\n"
    "8.8.0(000123.500*kvarh)\r\n!\r\n";
const Shown kIndexes{"012345,67", "000321,00", "000123,50", "006000.10", "004000.20", "002345.37"};

TEST(MeterReadout, OneReadoutGivesAllSixIndexes) {
    MeterReadout m;
    EXPECT_EQ(m.shown(), (Shown{kNo, kNo, kNo, kNo, kNo, kNo}));
    m.append(kReadout);
    EXPECT_EQ(m.text(), kReadout);
    EXPECT_EQ(m.shown(), kIndexes);
}

TEST(MeterReadout, AReadoutOverSeveralMessagesGivesTheSameIndexes) {
    // Cut at every byte into two messages, and into three at line ends and
    // inside values: each cut appends once and cuts afresh.
    for (std::size_t cut = 0; cut <= kReadout.size(); ++cut) {
        SCOPED_TRACE(cut);
        MeterReadout m;
        m.append(kReadout.substr(0, cut));
        m.append(kReadout.substr(cut));
        EXPECT_EQ(m.text(), kReadout);
        EXPECT_EQ(m.shown(), kIndexes);
    }
    MeterReadout m;
    const std::size_t a = kReadout.find("1.8.2(");
    const std::size_t b = kReadout.find("000123");
    m.append(kReadout.substr(0, a));
    // The capacitive total has not come yet: the totals keep their ".".
    EXPECT_EQ(m.shown()[0], "012345.67");
    EXPECT_EQ(m.shown()[2], kNo);
    m.append(kReadout.substr(a, b - a));
    EXPECT_EQ(m.shown()[2], "");  // the code, and nothing after it yet
    m.append(kReadout.substr(b));
    EXPECT_EQ(m.shown(), kIndexes);
}

TEST(MeterReadout, ValuesFoundEarlierStayAndResetStartsOver) {
    MeterReadout m;
    m.append("1.8.0(1.5*kWh)\r\n8.8.0(2.5*kvarh)\r\n");
    m.append("1.8.0(9.9*kWh)\r\n5.8.0(3.5*kvarh)\r\n");
    EXPECT_EQ(m.shown()[0], "1,5*kWh)\r");
    EXPECT_EQ(m.shown()[1], "3,5*kvarh");
    EXPECT_EQ(m.shown()[2], "2,5*kvarh");
    m.reset();
    EXPECT_EQ(m.text(), "");
    EXPECT_EQ(m.shown(), (Shown{kNo, kNo, kNo, kNo, kNo, kNo}));
    m.append("1.8.1(7.0*kWh)");
    EXPECT_EQ(m.shown(), (Shown{kNo, kNo, kNo, "7.0*kWh)", kNo, kNo}));
}

}  // namespace
}  // namespace izleme::meter
