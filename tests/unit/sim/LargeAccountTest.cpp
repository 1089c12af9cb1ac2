// Accounts of thousands of devices: the world builds a device only when it is
// first addressed, and a device built late is the same as one built at once.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "SimDecode.h"
#include "sim/core/GeneratedDevices.h"
#include "sim/core/Session.h"

namespace izleme::sim {
namespace {

const std::string demoLogin =
    "kulsifre\x01"
    "demo\x01"
    "demo\x02";

std::string request(const std::string& keyword, const std::string& serial) {
    return keyword + "\x01" + serial + "\x01";
}

// The recorded days and their counters, exactly.
std::vector<std::vector<double>> midnights(const EnergyCounters& c) {
    std::vector<std::vector<double>> out;
    for (const auto& [day, t] : c.history())
        out.push_back({static_cast<double>(day), t.activeWh, t.inductiveVarh, t.capacitiveVarh});
    return out;
}

TEST(LargeAccount, DeviceBuiltLateEqualsDeviceBuiltEarly) {
    // Every kind, each read once right at the start and once only later.
    for (const char* serial : {"12001", "13001", "14001"}) {
        SCOPED_TRACE(serial);
        World early(demoScenario(), 9, seededStartTime());
        World late(demoScenario(), 9, seededStartTime());
        ASSERT_NE(early.device(serial), nullptr);
        EXPECT_EQ(late.builtDevices(), 0u);
        early.advance(7200 + 13);
        late.advance(7200 + 13);
        SimDevice* a = early.device(serial);
        SimDevice* b = late.device(serial);
        EXPECT_EQ(late.builtDevices(), 1u);
        if (a->relay) {
            EXPECT_EQ(a->relay->instantRegisters(), b->relay->instantRegisters());
            EXPECT_EQ(a->relay->consumptionRegisters(), b->relay->consumptionRegisters());
            EXPECT_EQ(midnights(a->relay->counters()), midnights(b->relay->counters()));
        } else if (a->guard) {
            EXPECT_EQ(a->guard->registers(), b->guard->registers());
        } else {
            ASSERT_TRUE(a->meter && b->meter);
            EXPECT_EQ(a->meter->readout(), b->meter->readout());
        }
    }
}

TEST(LargeAccount, GeneratedDevicesJoinTheDemoAccount) {
    Scenario s = demoScenario();
    const std::size_t own = s.devices.size();
    addGeneratedDevices(s, 10000);
    ASSERT_EQ(s.devices.size(), own + 10000);
    ASSERT_EQ(s.accounts.size(), 1u);
    const Account& demo = s.accounts[0];
    ASSERT_EQ(demo.devices.size(), own + 10000);

    std::set<std::string> serials;
    std::map<std::string, int> models, groupSizes;
    for (const DeviceSetup& d : s.devices) {
        serials.insert(d.serial);
        EXPECT_TRUE(d.serial.size() <= 9 && d.serial.find_first_not_of("0123456789") == std::string::npos) << d.serial;
        EXPECT_EQ(d.name.find(':'), std::string::npos) << d.name;
        EXPECT_TRUE(d.loadCos > 0.3 && d.loadCos <= 1.0 && d.peakKw >= d.baseKw && d.ctRatio >= 1) << d.serial;
        ++models[d.model];
        ++groupSizes[d.group];
    }
    EXPECT_EQ(serials.size(), s.devices.size()) << "serials are unique";
    EXPECT_EQ(models["KLM200"], 1 + 1000);
    EXPECT_EQ(models["ZDN100"], 1 + 1000);
    EXPECT_EQ(models["KRT100"], 3 + 8000);
    EXPECT_EQ(groupSizes["Bölge 001"], 50);
    EXPECT_EQ(groupSizes["Bölge 200"], 50);
    EXPECT_EQ(groupSizes.count("Bölge 201"), 0u);
}

TEST(LargeAccount, GeneratedDevicesMakeTheirOwnAccountAndSkipTakenSerials) {
    Scenario s;
    s.accounts.push_back(Account{"operator", "x", {"2000000"}, {}});
    s.devices.push_back(DeviceSetup{.serial = "2000000", .model = "KRT100"});
    addGeneratedDevices(s, 3);
    ASSERT_EQ(s.accounts.size(), 2u);
    EXPECT_EQ(s.accounts[0].devices, std::vector<std::string>{"2000000"});
    EXPECT_EQ(s.accounts[1].user, "demo");
    EXPECT_EQ(s.accounts[1].password, "demo");
    EXPECT_EQ(s.accounts[1].devices, (std::vector<std::string>{"2000001", "2000002", "2000003"}));
    addGeneratedDevices(s, 0);
    EXPECT_EQ(s.devices.size(), 4u);
}

TEST(LargeAccount, LoginListsEveryDeviceAndBuildsNone) {
    Scenario s = demoScenario();
    addGeneratedDevices(s, 10000);
    World world(std::move(s), 3, seededStartTime());
    Session session(world, 1);
    const Reply r = session.handle(demoLogin);
    ASSERT_EQ(r.messages.size(), 1u + 5u + 10000u + 1u);
    const auto last = test::splitMessage(r.messages[5 + 10000]);
    ASSERT_EQ(last.size(), 5u);
    EXPECT_EQ(last[0], "cihazlar");
    EXPECT_EQ(last[1], "B\xF6lge 200");  // code page 1254
    EXPECT_EQ(last[4], "2009999");
    EXPECT_EQ(world.builtDevices(), 0u);
    EXPECT_TRUE(session.deviceRecords().empty()) << "no group worked in yet";
    EXPECT_EQ(world.builtDevices(), 0u);

    // Addressing a device builds it; the records then cover its group only.
    const auto reply = session.handle(request("enertum", "2000001")).messages;
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0].substr(0, 8), "enerjial");
    EXPECT_EQ(world.builtDevices(), 1u);
    const auto records = session.deviceRecords();
    EXPECT_EQ(records.size(), 40u);  // the KRT100 among the 50 of "Bölge 001"
    EXPECT_EQ(world.builtDevices(), 40u);
    EXPECT_EQ(test::splitMessage(records.back())[1], "2000049");
}

TEST(LargeAccount, RecordsOfALargeGroupBuildItsRelaysOverRounds) {
    Scenario s;
    Account a;
    a.user = "u";
    for (int i = 0; i < 120; ++i) {
        s.devices.push_back(
            DeviceSetup{.serial = std::to_string(5000 + i), .group = i % 2 ? "Tek" : "tek", .model = "KRT100"});
        a.devices.push_back(s.devices.back().serial);
    }
    s.accounts.push_back(a);
    World world(std::move(s), 3, seededStartTime(), 86400);
    Session session(world, 1);
    ASSERT_FALSE(session.handle("kulsifre\x01u\x01\x02").close);
    ASSERT_EQ(session.handle(request("enertum", "5100")).messages.size(), 1u);
    std::vector<std::size_t> rounds;
    for (int i = 0; i < 4; ++i) rounds.push_back(session.deviceRecords().size());
    // The addressed relay, then fifty more each round, until the group is whole.
    EXPECT_EQ(rounds, (std::vector<std::size_t>{51, 101, 120, 120}));
    EXPECT_EQ(world.builtDevices(), 120u);
    const auto records = session.deviceRecords();
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(test::splitMessage(records[i])[1], std::to_string(5000 + i)) << "in the account's order";
}

}  // namespace
}  // namespace izleme::sim
