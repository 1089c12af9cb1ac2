#include <gtest/gtest.h>

#include <set>

#include "registers/core/Crc16.h"
#include "registers/core/DeviceRecordFill.h"
#include "sim/core/Session.h"
#include "SimDecode.h"

namespace izleme::sim {
namespace {

using namespace std::string_literals;

std::string request(const std::string& keyword, const std::vector<std::string>& fields) {
    std::string r = keyword + "\x01";
    for (const auto& f : fields) r += f + "\x01";
    return r;
}

const std::string demoLogin = "kulsifre\x01" "demo\x01" "demo\x02";

struct Fixture : ::testing::Test {
    World world{demoScenario(), 42, seededStartTime()};
    Session session{world, 1};
    void SetUp() override { ASSERT_FALSE(session.handle(demoLogin).close); }
    std::vector<std::string> ask(const std::string& keyword, const std::vector<std::string>& fields) {
        return session.handle(request(keyword, fields)).messages;
    }
};

TEST(SessionLogin, RightLoginGetsPongDevicesAndMessageNotice) {
    World world(demoScenario(), 1, seededStartTime());
    Session s(world, 1);
    const Reply r = s.handle(demoLogin);
    EXPECT_FALSE(r.close);
    ASSERT_EQ(r.messages.size(), 1u + 5u + 1u);
    EXPECT_EQ(r.messages[0], "pong\x01\xF4\xF4\xF4");
    std::set<std::string> models;
    for (std::size_t i = 1; i <= 5; ++i) {
        const auto f = test::splitMessage(r.messages[i]);
        ASSERT_EQ(f.size(), 5u) << i;
        EXPECT_EQ(f[0], "cihazlar");
        models.insert(f[2]);
    }
    EXPECT_EQ(models, (std::set<std::string>{"KRT100", "KLM200", "ZDN100"}));
    // Group names reach the wire in code page 1254 ("Şubeler").
    EXPECT_EQ(test::splitMessage(r.messages[4])[1], "\xDE" "ubeler");
    EXPECT_EQ(r.messages[6], "yenimesaj\x01\xF4\xF4\xF4");
}

TEST(SessionLogin, WrongLoginsCloseTheConnection) {
    for (const std::string& login : {"kulsifre\x01" "demo\x01" "yanlis\x02"s, "kulsifre\x01" "kimse\x01" "demo\x02"s, "kulsifre\x01"s, "kulsifre"s}) {
        World world(demoScenario(), 1, seededStartTime());
        Session s(world, 1);
        const Reply r = s.handle(login);
        EXPECT_TRUE(r.close);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_FALSE(s.loggedIn());
    }
}

TEST(SessionLogin, OnlyPingIsAnsweredBeforeTheLogin) {
    World world(demoScenario(), 1, seededStartTime());
    Session s(world, 1);
    EXPECT_EQ(s.handle("ping").messages, std::vector<std::string>{"pong\x01\xF4\xF4\xF4"});
    EXPECT_TRUE(s.handle(request("enertum", {"12001"})).messages.empty());
    EXPECT_TRUE(s.handle(request("yenimesajiste", {"demo"})).messages.empty());
}

TEST_F(Fixture, EachRegisterRequestGetsItsRegisterRangeWithValidCrc) {
    const struct {
        const char* keyword;
        const char* serial;
        int registers;
    } cases[] = {
        {"enertum", "12001", 68},          {"enertum", "13001", 12},        {"enerharcanan", "12002", 20},
        {"tavrsabitiste", "12001", 15},    {"kondasatordurum", "12001", 2}, {"kondasatorgucdurum", "12001", 26},
        {"harmonikbir", "12001", 64},      {"harmonikiki", "12002", 64},    {"harmonikuc", "12001", 64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword + std::string(" ") + c.serial);
        const auto replies = ask(c.keyword, {c.serial});
        ASSERT_FALSE(replies.empty());
        const std::string& m = replies.back();
        EXPECT_EQ(m.substr(0, 8), "enerjial");
        EXPECT_EQ(m.substr(m.size() - 3), "\xF4\xF4\xF4");
        const auto b = test::replyBytes(m);
        ASSERT_EQ(b.size(), 3u + 2u * c.registers + 2u);
        EXPECT_EQ(b[1], 3);
        EXPECT_EQ(b[2], 2 * c.registers);
        std::string frame;
        for (std::size_t i = 0; i + 2 < b.size(); ++i) frame.push_back(static_cast<char>(b[i]));
        const std::uint16_t crc = crc16Modbus(frame);
        EXPECT_EQ(b[b.size() - 2], crc & 0xFF);
        EXPECT_EQ(b.back(), crc >> 8);
    }
}

TEST_F(Fixture, FieldRepliesHaveTheirLayouts) {
    const struct {
        const char* keyword;
        std::vector<std::string> fields;
        const char* reply;
        std::size_t fieldCount;
    } cases[] = {
        {"AARdegerlerioku", {"13001"}, "akimdegerleri", 7},
        {"reaktifener", {"12001", "", ""}, "reaktifenerji", 9},
        {"reaktifener", {"12001", "01.03.2024", "03.03.2024"}, "reaktifenerji", 9},
        {"sycreaktfener", {"14001", "", ""}, "tedassycal", 9},
        {"enerharcanan", {"12001"}, "Sycdegerleri", 3},
        {"enertum", {"12003"}, "Hattayok", 1},
        {"enertum", {"99999"}, "Hattayok", 1},
        {"yenimesajiste", {"demo"}, "mesajvar", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword);
        const auto replies = ask(c.keyword, c.fields);
        ASSERT_FALSE(replies.empty());
        const auto f = test::splitMessage(replies.front());
        ASSERT_EQ(f.size(), c.fieldCount + 1) << "keyword and fields";
        EXPECT_EQ(f[0], c.reply);
        EXPECT_EQ(replies.front().substr(replies.front().size() - 4), "\x01\xF4\xF4\xF4");
    }
    EXPECT_EQ(ask("yenimesajiste", {"demo"}).size(), 3u);
    EXPECT_EQ(test::splitMessage(ask("enertum", {"12003"})[0])[1], "12003");
    // An unknown serial comes back with the bytes the client sent, letters of code page 1254 included.
    EXPECT_EQ(test::splitMessage(ask("enertum", {"\xDE" "1\xFD"})[0]), (std::vector<std::string>{"Hattayok", "\xDE" "1\xFD"}));
}

TEST_F(Fixture, DateRangeCountersGrowAndDatesEchoBack) {
    const auto f = test::splitMessage(ask("reaktifener", {"12001", "01.03.2024", "03.03.2024"})[0]);
    EXPECT_EQ(f[2], "01.03.2024");
    EXPECT_EQ(f[3], "03.03.2024");
    for (int i : {4, 6, 8}) EXPECT_LE(std::stoll(f[i]), std::stoll(f[i + 1])) << i;
    EXPECT_GT(std::stoll(f[5]), std::stoll(f[4]));
    const auto empty = test::splitMessage(ask("sycreaktfener", {"14001", "", ""})[0]);
    EXPECT_EQ(empty[2], "26.02.2024");  // a week before the simulated Monday
    EXPECT_EQ(empty[3], "04.03.2024");
}

TEST_F(Fixture, RecordedUtilityReadingStartsLaterRanges) {
    const auto plain = ask("sayac", {"14001", "tdshyr", "kythyr"});
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].substr(0, 7), "sayacal");
    EXPECT_NE(plain[0].find("1.8.0("), std::string::npos);
    const auto recorded = ask("sayac", {"14001", "tdsEvt", "kytevt"});
    ASSERT_EQ(recorded.size(), 2u);  // readout, then the ratios
    EXPECT_EQ(test::splitMessage(recorded[1])[0], "tedassycal");
    const std::string index = recorded[0].substr(recorded[0].find("1.8.0(") + 6, 10);
    for (int i = 0; i < 30; ++i) ask("ping", {});
    const auto f = test::splitMessage(ask("sycreaktfener", {"14001", "", ""})[0]);
    EXPECT_EQ(f[2], "04.03.2024");
    EXPECT_EQ(std::stoll(f[4]), std::llround(std::stod(index)));
    EXPECT_GE(std::stoll(f[5]), std::stoll(f[4]));
}

TEST(SessionMeter, AReadingInSeveralPartsComesAsSeveralReadouts) {
    Scenario scenario = demoScenario();
    for (DeviceSetup& d : scenario.devices) {
        if (d.serial == "14001") d.readoutParts = 3;
    }
    World world(scenario, 42, seededStartTime());
    Session s(world, 1);
    ASSERT_FALSE(s.handle(demoLogin).close);
    const auto m = s.handle(request("sayac", {"14001", "tdsEvt", "kythyr"})).messages;
    ASSERT_EQ(m.size(), 4u);  // three readouts, then the ratios
    std::string readout;
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(m[i].substr(0, 10), "sayacal\x01#\x01") << i;
        ASSERT_EQ(m[i].substr(m[i].size() - 3), "\xF4\xF4\xF4") << i;
        readout += m[i].substr(10, m[i].size() - 13);
    }
    EXPECT_EQ(readout.substr(0, 4), "/ZDN");
    EXPECT_EQ(readout.substr(readout.size() - 3), "!\r\n");
    EXPECT_NE(readout.find("\n8.8.0("), std::string::npos);
    EXPECT_EQ(test::splitMessage(m[3])[0], "tedassycal");
}

TEST_F(Fixture, CommandsChangeWhatLaterReadsReturn) {
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "14", "0", "0"}).empty());
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "15", "0", "0"}).empty());  // set-up off: all out
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "15", "255", "0"}).empty());
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "4", "255", "0"}).empty());
    EXPECT_TRUE(ask("kondansatorcek", {"12001", "0", "255", "0"}).empty());
    RegisterTable t = test::decodeRegisters(ask("kondasatordurum", {"12001"})[0], 66);
    EXPECT_EQ(t.value(1, 67), 0b10001);

    // "cezasiniryaz" 0.950, 1.000, 12, 10 as high and low bytes.
    EXPECT_TRUE(ask("cezasiniryaz", {"12001", "3", "182", "3", "232", "0", "12", "0", "10"}).empty());
    EXPECT_TRUE(ask("akmgerilimyaz", {"12001", "0", "1", "7", "208", "0", "1"}).empty());
    EXPECT_TRUE(ask("almacikmasureyaz", {"12001", "70", "80", "0", "100", "0", "140"}).empty());
    EXPECT_TRUE(ask("reakkaporanyaz", {"12001", "0", "150", "0", "100"}).empty());
    t = test::decodeRegisters(ask("tavrsabitiste", {"12001"})[0], 166);
    const std::vector<std::pair<int, double>> expected = {{166, 1}, {167, 2000}, {168, 1}, {169, 950}, {170, 1000}, {171, 12},
                                                          {172, 10}, {173, 18000}, {174, 100}, {175, 140}, {179, 150}, {180, 100}};
    for (const auto& [reg, value] : expected) EXPECT_EQ(t.value(1, reg), value) << reg;

    EXPECT_TRUE(session.handle("roleaktif\x01" "13001\x01\x00\x01"s).messages.empty());
    EXPECT_TRUE(session.handle("roleaktif\x01" "13001\x01\x50\x01"s).messages.empty());
    EXPECT_EQ(world.device("13001")->guard->pulls().size(), 2u);
    EXPECT_EQ(test::splitMessage(ask("AARdegerlerioku", {"13001"})[0])[1], "0.0");
    EXPECT_TRUE(session.handle("sabitleriyaz\x01"s).messages.empty());
    EXPECT_EQ(world.device("13001")->guard->settingsWrites(), 1);
}

TEST_F(Fixture, DeviceRecordsFillTheRowTheyName) {
    ask("enertum", {"12001"});  // works in the group "Fabrika"
    const auto records = session.deviceRecords();
    // 12002 is in "fabrika", which the client lists in the same group
    // "FABRIKA"; 13001 there is no KRT100 and 14001 is in another group.
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(test::splitMessage(records[1])[1], "12002");
    const auto f = test::splitMessage(records[0]);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0], "cihazenerji");
    EXPECT_EQ(f[1], "12001");
    RegisterTable t;
    fillDeviceRecord(t, f[3], '.');
    const auto live = world.device("12001")->relay->instantRegisters();
    EXPECT_EQ(t.value(2, 1), live[1]);   // voltage R, low register
    EXPECT_EQ(t.value(2, 30), live[30]);  // divided back by 3600
}

TEST(SessionSeed, SameSeedAndRequestsGiveTheSameBytes) {
    auto run = [](std::uint64_t seed) {
        World world(demoScenario(), seed, seededStartTime());
        Session s(world, 30);
        std::string all;
        for (const std::string& r : {demoLogin, request("enertum", {"12001"}), request("harmonikiki", {"12002"}),
                                     request("enerharcanan", {"12001"}), request("AARdegerlerioku", {"13001"}),
                                     request("sayac", {"14001", "tdshyr", "kythyr"}), request("enertum", {"12002"})})
            for (const auto& m : s.handle(r).messages) all += m;
        return all;
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));
}

}  // namespace
}  // namespace izleme::sim
