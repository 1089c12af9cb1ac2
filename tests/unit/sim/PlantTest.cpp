#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <stdexcept>

#include "registers/core/SingleDecoder.h"
#include "sim/core/CivilTime.h"
#include "sim/core/EnergyCounters.h"
#include "sim/core/Klm200.h"
#include "sim/core/Krt100.h"
#include "sim/core/Replies.h"
#include "sim/core/World.h"
#include "sim/core/Zdn100.h"
#include "SimDecode.h"

namespace izleme::sim {
namespace {

const DeviceSetup& demoDevice(const std::string& serial) {
    static const Scenario s = demoScenario();
    for (const auto& d : s.devices)
        if (d.serial == serial) return d;
    throw std::logic_error("no such device");
}

std::int64_t at(int day, int hour, int minute = 0) { return toSeconds({2024, 3, day, hour, minute, 0}); }

TEST(Krt100, InstantValuesDecodeToConsistentPhysics) {
    for (const char* serial : {"12001", "12002"}) {
        Krt100 k(demoDevice(serial), 7, at(4, 0), 3 * 86400);
        for (std::int64_t t : {at(4, 3), at(4, 10, 30), at(4, 12, 30), at(4, 19), at(10, 11)}) {
            k.advanceTo(t);
            const RegisterTable r = test::decodeRegisters(registerReplyMessage(k.instantRegisters()), 0);
            double kwSum = 0, kvarSum = 0;
            for (int p = 0; p < 3; ++p) {
                SCOPED_TRACE(std::string(serial) + " phase " + std::to_string(p) + " at " + formatTime(t));
                const double v = test::pair(r, 2 * p, PairCode::U32) / 10;
                const double i = test::pair(r, 6 + 2 * p, PairCode::U32) / 1000;
                const double kw = test::pair(r, 12 + 2 * p, PairCode::S32) / 10000;
                const double kvar = test::pair(r, 18 + 2 * p, PairCode::S32) / 10000;
                const double kva = test::pair(r, 24 + 2 * p, PairCode::U32) / 10000;
                const double cos = test::pair(r, 30 + 2 * p, PairCode::S16) / 1000;
                EXPECT_GT(v, 215);
                EXPECT_LT(v, 245);
                EXPECT_NEAR(kw, v * i * cos / 1000, 0.002 * kva + 0.01);
                EXPECT_NEAR(kva * kva, kw * kw + kvar * kvar, 0.001 * kva * kva + 0.01);
                EXPECT_NEAR(kva, v * i / 1000, 0.001 * kva + 0.001);
                // The current lags the voltage by the load angle.
                const double lag = test::pair(r, 52 + 2 * p, PairCode::S32) - test::pair(r, 58 + 2 * p, PairCode::S32);
                const double phi = std::atan2(kvar, kw) * 180 / 3.14159265358979;
                EXPECT_NEAR(std::remainder(lag - phi, 360.0), 0, 1.0);
                kwSum += kw;
                kvarSum += kvar;
            }
            EXPECT_NEAR(test::pair(r, 36, PairCode::S32) / 10000, kwSum, 0.01);
            EXPECT_NEAR(test::pair(r, 40, PairCode::S32) / 10000, kvarSum, 0.01);
            EXPECT_NEAR(test::pair(r, 50, PairCode::S32) / 100, 50.0, 0.2);
            const double kvaTotal = test::pair(r, 44, PairCode::U32) / 10000;
            const double cosInd = test::pair(r, 46, PairCode::S32) / 1000;
            if (kvarSum > 0.05) {
                EXPECT_NEAR(cosInd, kwSum / kvaTotal, 0.002);
            }
            EXPECT_EQ(test::pair(r, 66, PairCode::U32), k.stageWord());
        }
    }
}

TEST(Krt100, AutomaticControlBringsCosTowardTarget) {
    Krt100 k(demoDevice("12001"), 3, at(4, 0), 3 * 86400);
    for (std::int64_t t : {at(4, 10), at(5, 15), at(6, 9, 40)}) {
        k.advanceTo(t);
        double kw = 0, kvar = 0;
        for (const auto& p : k.phases()) kw += p.kw, kvar += p.kvar;
        EXPECT_GT(kw / std::hypot(kw, kvar), 0.94) << formatTime(t);
        EXPECT_NE(k.stageWord(), 0);
    }
}

TEST(Krt100, SwitchInTimeSeparatesAutomaticSwitchings) {
    Krt100 k(demoDevice("12001"), 5, at(4, 9), 86400);
    k.writeSettings(173, {600});  // 60 s between switch-ins
    k.stageCommand(15, 0);        // set-up off: every stage out
    EXPECT_EQ(k.stageWord(), 0);
    k.stageCommand(15, 255);
    std::vector<std::int64_t> switchIns;
    int word = k.stageWord();
    for (std::int64_t t = k.now() + 2; t < at(4, 9, 20); t += 2) {
        k.advanceTo(t);
        if ((k.stageWord() & ~word) != 0) switchIns.push_back(t);
        word = k.stageWord();
    }
    ASSERT_GE(switchIns.size(), 3u);
    for (std::size_t i = 1; i < switchIns.size(); ++i) EXPECT_GE(switchIns[i] - switchIns[i - 1], 60);
}

TEST(Krt100, ManualModeOnlyTheOperatorSwitches) {
    Krt100 k(demoDevice("12001"), 5, at(4, 9), 86400);
    k.stageCommand(14, 0);
    EXPECT_FALSE(k.automatic());
    const int before = k.stageWord();
    k.stageCommand(11, before & (1 << 11) ? 0 : 255);
    const int commanded = before ^ (1 << 11);
    EXPECT_EQ(k.stageWord(), commanded);
    k.advanceTo(at(4, 14));  // a working day of load changes
    EXPECT_EQ(k.stageWord(), commanded);
    const RegisterTable r = test::decodeRegisters(registerReplyMessage(k.stageStateRegisters()), 66);
    EXPECT_EQ(test::pair(r, 66, PairCode::U32), commanded);
}

TEST(Krt100, SettingsWritesReadBackAndScaleStagePowers) {
    Krt100 k(demoDevice("12001"), 5, at(4, 9), 86400);
    k.writeSettings(166, {1, 200, 2});
    k.writeSettings(173, {18000, 50, 140});
    const RegisterTable s = test::decodeRegisters(registerReplyMessage(k.settingsRegisters()), 166);
    EXPECT_EQ(s.value(1, 167), 200);
    EXPECT_EQ(s.value(1, 168), 2);
    EXPECT_EQ(s.value(1, 173), 18000);
    EXPECT_EQ(s.value(1, 174), 50);
    const RegisterTable p = test::decodeRegisters(registerReplyMessage(k.stagePowerRegisters()), 192);
    // The client shows CT x register / 10000 kVAr.
    for (int n = 0; n < 12; ++n) EXPECT_NEAR(200 * p.value(1, 192 + n) / 10000, demoDevice("12001").stageKvar[n], 0.01);
    EXPECT_EQ(p.value(1, 206), 4);
    EXPECT_EQ(p.value(1, 217), 4);
}

TEST(Krt100, CountersIntegrateThePowers) {
    Krt100 k(demoDevice("12002"), 9, at(4, 10), 86400);
    const EnergyTotals before = k.counters().absolute();
    double kwh = 0, kvarhInd = 0;
    for (std::int64_t t = k.now() + 2; t <= at(4, 11); t += 2) {
        k.advanceTo(t);
        double kw = 0, kvar = 0;
        for (const auto& p : k.phases()) kw += p.kw, kvar += p.kvar;
        kwh += kw * 2 / 3600;
        kvarhInd += std::max(0.0, kvar) * 2 / 3600;
    }
    const EnergyTotals after = k.counters().absolute();
    EXPECT_NEAR((after.activeWh - before.activeWh) / 1000, kwh, 0.001 * kwh + 0.01);
    EXPECT_NEAR((after.inductiveVarh - before.inductiveVarh) / 1000, kvarhInd, 0.05 * kvarhInd + 0.5);
    // The device's ratios follow from its counters.
    const RegisterTable r = test::decodeRegisters(registerReplyMessage(k.consumptionRegisters()), 70);
    const EnergyTotals e = k.counters().sinceReset();
    EXPECT_NEAR(test::pair(r, 70, PairCode::S32) / 10, e.inductiveVarh / e.activeWh * 100, 0.06);
    EXPECT_NEAR(static_cast<double>(*fourRegisterCounter(r.values(1), 74)), e.activeWh, 1);
}

// Magnitude of order k as the client's analysis computes it.
double magnitude(const std::array<std::int8_t, 128>& s, int offset, int k) {
    double sn = 0, cs = 0;
    for (int i = 0; i < 64; ++i) {
        const double th = 2.0 * std::numbers::pi * i * k / 64.0;
        sn += std::sin(th) * s[static_cast<std::size_t>(offset + i)];
        cs += std::cos(th) * s[static_cast<std::size_t>(offset + i)];
    }
    return std::sqrt(sn * sn + cs * cs) / 32;
}

TEST(Krt100, WaveformsCarryLoadDependentHarmonics) {
    Krt100 k(demoDevice("12002"), 5, at(4, 0), 86400);
    k.advanceTo(at(4, 3));
    const auto night = k.waveform(0);
    k.advanceTo(at(4, 10, 30));
    const auto day = k.waveform(0);
    EXPECT_NEAR(magnitude(day, 0, 1), 100 * k.phases()[0].volts / 230, 2.0);
    EXPECT_GT(magnitude(day, 64, 1), magnitude(night, 64, 1));
    EXPECT_GT(magnitude(day, 64, 5), magnitude(night, 64, 5));
    EXPECT_GT(magnitude(day, 64, 5) / magnitude(day, 64, 1), 0.1);
    EXPECT_GT(magnitude(day, 64, 7), 2 * magnitude(day, 64, 9));
    EXPECT_LT(magnitude(day, 64, 2), 1.0);
    // The voltage's 5th and 7th stand at their shares of its fundamental.
    const DeviceSetup setup = demoDevice("12002");
    EXPECT_NEAR(magnitude(day, 0, 5), Krt100::voltageHarmonicShare(setup, 5) * magnitude(day, 0, 1), 0.3);
    EXPECT_NEAR(magnitude(day, 0, 7), Krt100::voltageHarmonicShare(setup, 7) * magnitude(day, 0, 1), 0.3);
    EXPECT_NEAR(Krt100::voltageHarmonicShare(setup, 5), 0.05, 1e-12);  // 2 % + 10 % of a 0.3 share
    EXPECT_LT(magnitude(day, 0, 3), 0.3);
    // The samples travel as register bytes and come back unchanged.
    const auto bytes = test::replyBytes(waveformMessage(day));
    ASSERT_EQ(bytes.size(), 3u + 128u + 2u);
    for (std::size_t i = 0; i < 128; ++i) EXPECT_LE(std::abs(static_cast<std::int8_t>(bytes[3 + i]) - day[i]), 1);
}

TEST(Krt100, DailyRatiosOfTheDemoPlantsCrossPenaltyClasses) {
    // Inductive classes: below 15 NORMAL, 15-16 KRİTİK, 17-19 ALARM, 20+ CEZA.
    auto inductiveClass = [](double ratio) {
        const double r = std::nearbyint(ratio);
        return r < 15 ? 0 : r < 17 ? 1 : r < 20 ? 2 : 3;
    };
    World w(demoScenario(), 11, seededStartTime());
    std::set<int> classes;
    for (const char* serial : {"12001", "12002"}) {
        const EnergyCounters& c = w.device(serial)->relay->counters();
        const std::int64_t today = dayOf(w.now());
        for (std::int64_t d = today - 21; d < today; ++d) {
            const auto a = c.atDay(d), b = c.atDay(d + 1);
            ASSERT_TRUE(a && b);
            if (b->activeWh - a->activeWh < 1000) continue;  // idle Sunday
            classes.insert(inductiveClass((b->inductiveVarh - a->inductiveVarh) / (b->activeWh - a->activeWh) * 100));
        }
    }
    EXPECT_GE(classes.size(), 2u);
}

TEST(Klm200, CurrentsFollowLoadAndPullsTripThem) {
    Klm200 g(demoDevice("13001"), 5, at(4, 10));
    const auto fields = g.currentFields();
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[4], "13001");
    EXPECT_EQ(fields[5], "04.03.24");
    EXPECT_EQ(fields[6], "10:00:00");
    EXPECT_GT(g.currents()[0], 50);
    EXPECT_LT(g.currents()[3], g.currents()[0] / 10);
    // Registers: consecutive bytes; the currents as single-precision values.
    const auto regs = g.registers();
    ASSERT_EQ(regs.size(), 12u);
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(i % 2 ? regs[i / 2] & 0xFF : regs[i / 2] >> 8); };
    EXPECT_EQ(byte(2), 10);  // hour
    EXPECT_EQ(byte(3), 4);   // day
    EXPECT_NEAR(decodeSingle(byte(8), byte(9), byte(10), byte(11)), g.currents()[0], 1e-3);
    g.pullOutputs(0x50);
    EXPECT_EQ(g.outputs(), 0x50);
    EXPECT_EQ(g.pulls().size(), 1u);
    EXPECT_EQ(g.currents()[0], 0.0);
    EXPECT_EQ(g.registers()[2] >> 8, 0x50);
}

TEST(Zdn100, ReadoutIndexesGrowAndTariffsAddUp) {
    Zdn100 m(demoDevice("14001"), 5, at(4, 9), 86400 * 3);
    m.advanceTo(at(4, 18));
    const std::string r = m.readout();
    for (const char* code : {"0.9.1(", "0.9.2(240304)", "1.8.0(", "1.8.1(", "1.8.2(", "1.8.3(", "5.8.0(", "8.8.0(", "32.7.0(", "31.7.0("})
        EXPECT_NE(r.find(code), std::string::npos) << code;
    auto valueOf = [&](const std::string& code) { return std::stod(r.substr(r.find(code + "(") + code.size() + 1)); };
    EXPECT_NEAR(valueOf("1.8.1") + valueOf("1.8.2") + valueOf("1.8.3"), valueOf("1.8.0"), 0.01);
    // The client cuts the first "1.8.0(" of the readout: it must be the total line.
    EXPECT_EQ(r.find("1.8.0("), r.find("\n1.8.0(") + 1);
    const double before = valueOf("1.8.0");
    const double t2 = valueOf("1.8.2");
    m.advanceTo(at(4, 20));  // the evening tariff runs
    const std::string later = m.readout();
    const double after = std::stod(later.substr(later.find("1.8.0(") + 6));
    const double t2after = std::stod(later.substr(later.find("1.8.2(") + 6));
    EXPECT_GT(after, before);
    EXPECT_NEAR(t2after - t2, after - before, 0.01);
}

}  // namespace
}  // namespace izleme::sim

namespace izleme::sim {
namespace {

TEST(Zdn100, PhaseIndexesComeFirstAndPartsMakeTheWholeReadout) {
    DeviceSetup setup = demoDevice("14001");
    setup.phaseIndexes = true;
    for (int parts : {1, 3, 8}) {
        SCOPED_TRACE(parts);
        setup.readoutParts = parts;
        Zdn100 m(setup, 5, at(4, 9), 86400);
        const std::string r = m.readout();
        // "1.8.0(" occurs first inside the "21.8.0" line; the total line follows.
        ASSERT_NE(r.find("\n21.8.0("), std::string::npos);
        EXPECT_LT(r.find("1.8.0("), r.find("\n1.8.0("));
        auto valueOf = [&](const std::string& code) { return std::stod(r.substr(r.find("\n" + code + "(") + code.size() + 2)); };
        EXPECT_NEAR(valueOf("21.8.0") + valueOf("41.8.0") + valueOf("61.8.0"), valueOf("1.8.0"), 0.01);

        const std::vector<std::string> pieces = m.readoutParts();
        ASSERT_EQ(pieces.size(), static_cast<std::size_t>(parts));
        std::string joined;
        for (const std::string& p : pieces) {
            EXPECT_FALSE(p.empty());
            EXPECT_EQ(p.back(), '\n');  // cut at line ends
            joined += p;
        }
        EXPECT_EQ(joined, r);
    }
}

TEST(EnergyCounters, MonthlyResetKeepsTheMonthThatEnded) {
    // 10 kW and 4 kvar inductive, hour by hour from mid-January to March 2nd 2024.
    EnergyCounters c;
    EXPECT_EQ(c.beforeLastReset().activeWh, 0.0);
    const std::int64_t start = toSeconds(CivilTime{2024, 1, 15, 0, 0, 0});
    for (std::int64_t t = start + 3600; t <= toSeconds(CivilTime{2024, 3, 2, 0, 0, 0}); t += 3600) c.add(t, 3600, 10, 4);
    // February 2024 has 29 days; the half of January before it is not part
    // of it (it was, as absolute counters at the reset).
    EXPECT_NEAR(c.beforeLastReset().activeWh, 29 * 24 * 10'000.0, 1e-6);
    EXPECT_NEAR(c.beforeLastReset().inductiveVarh, 29 * 24 * 4'000.0, 1e-6);
    // A step that ends at a midnight counts in the new day: March holds the
    // steps ending at 00:00 on the 1st through 00:00 on the 2nd.
    EXPECT_NEAR(c.sinceReset().activeWh, 25 * 10'000.0, 1e-6);
}

}  // namespace
}  // namespace izleme::sim
