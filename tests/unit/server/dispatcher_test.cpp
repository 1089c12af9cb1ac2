// The reply dispatcher: keyword order, skip and field counts, the
// unrecognised-text rule, "enerjial" routing and aborts.
#include "server/core/ReplyDispatcher.h"
#include "tests/unit/server/Recording.h"
#include "toolkit/core/SilentAbort.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace izleme {
namespace {

using test::reply;
using test::S;
using test::T;
using Lines = std::vector<std::string>;

struct Case {
    const char* name;
    std::string chunk;
    std::string pendingKind;
    Lines expected;  // "<pass>:<handler>:<fields>"
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

std::string cihazlarX(std::string_view group, std::string_view serial) {
    // A device entry whose message ends in one byte after the last field.
    return reply("cihazlar", {group, "KRT100", "Pano", serial}, "X");
}

class DispatchTable : public ::testing::TestWithParam<Case> {};

TEST_P(DispatchTable, HandlesTheMessagesInArrivalOrder) {
    const Case& c = GetParam();
    ReplyDispatcher d;
    test::Recording rec;
    rec.passes = &d;
    EXPECT_TRUE(d.dispatch(c.chunk, c.pendingKind, rec));
    EXPECT_EQ(rec.calls, c.expected);
}

const std::string junkEnerjial = "enerjial" + S + "xy" + "1$3$4$0$230$0$5$" + T;

INSTANTIATE_TEST_SUITE_P(
    Replies, DispatchTable,
    ::testing::Values(
        Case{"PongYenimesajCihazlarInOnePass",
             "pong" + S + "yenimesaj" + S + reply("cihazlar", {"Merkez", "KRT100", "Pano 1", "12001"}),
             "",
             {"1:pong", "1:yenimesaj", "1:cihazlar:Merkez|KRT100|Pano 1|12001"}},
        Case{"TwoCihazlarOverTwoPasses", cihazlarX("A", "1") + cihazlarX("B", "2"), "",
             {"1:cihazlar:A|KRT100|Pano|1", "2:cihazlar:B|KRT100|Pano|2"}},
        Case{"ThreeJunkBytesDelayPongBySixPasses", "abcpong" + S, "", {"7:pong"}},
        Case{"PongFollowedByALetter", "pongX", "", {"1:pong"}},
        Case{"KeywordsAreCaseSensitive", "Pong" + S + "hattayok" + S + "1" + S + "CIHAZLAR" + S, "", {}},
        Case{"HattayokWithSerial", "Hattayok" + S + "1234" + S + "X", "", {"1:hattayok:1234"}},
        Case{"Mesajvar", reply("mesajvar", {"Duyuru", "Bak\xFDm var"}), "", {"1:mesajvar:Duyuru|Bak\xFDm var"}},
        Case{"Akimdegerleri",
             reply("akimdegerleri", {"12.5", "13.0", "12.8", "0.4", "123456", "01.02.09", "10:15:00"}),
             "",
             {"1:akimdegerleri:12.5|13.0|12.8|0.4|123456|01.02.09|10:15:00"}},
        Case{"ReaktifenerjiThenTedassycalInOnePass",
             reply("reaktifenerji", {"7", "01.01.2024", "02.01.2024", "1", "2", "3", "4", "5", "6"}, "X") +
                 reply("tedassycal", {"8", "d1", "d2", "10", "20", "30", "40", "50", "60"}),
             "",
             {"1:reaktifenerji:7|01.01.2024|02.01.2024|1|2|3|4|5|6", "1:tedassycal:8|d1|d2|10|20|30|40|50|60"}},
        Case{"SycdegerleriTakesThreeFields", reply("Sycdegerleri", {"1,5", "2", "3"}), "",
             {"1:sycdegerleri:1,5|2|3"}},
        Case{"Cihazenerji", reply("cihazenerji", {"12", "merkez", "1$2$3$"}), "",
             {"1:cihazenerji:12|merkez|1$2$3$"}},
        Case{"ShortMessagesYieldEmptyFields", "cihazlar" + S + "grup" + S, "", {"1:cihazlar:grup|||"}},
        Case{"AnUnterminatedFieldIsNoField", "cihazlar" + S + "grup", "", {"1:cihazlar:|||"}},
        Case{"ShortAkimdegerleri", "akimdegerleri" + S + "1" + S + "2", "", {"1:akimdegerleri:1||||||"}},
        Case{"ReverseTableOrderTakesAnotherPass", cihazlarX("A", "1") + "pong" + S, "",
             {"1:cihazlar:A|KRT100|Pano|1", "2:pong"}},
        Case{"SingleCharacter", "p", "", {}},
        Case{"EmptyChunk", "", "", {}},
        Case{"EnerjialBeforeAnyRequestDoesNothing", junkEnerjial, "", {}},
        Case{"EnerjialUnderSayacIsWalkedOverAndWhatFollowsIsFound", junkEnerjial + "pong" + S, "sayac",
             {"61:pong"}},
        Case{"EnerjialUnderUnknownKind", junkEnerjial + "pong" + S, "bilinmeyen", {"61:pong"}},
        Case{"EnerjialEndsAtItsTerminator", junkEnerjial + "pong" + S + cihazlarX("A", "9"), "anideger",
             {"1:enerjial:anideger|1$3$4$0$230$0$5$" + T, "2:pong", "2:cihazlar:A|KRT100|Pano|9"}},
        Case{"EnerjialWithoutTerminatorTakesTheRest", "enerjial" + S + "xy1$3$pong" + S, "tuketim",
             {"1:enerjial:tuketim|1$3$pong" + S}},
        Case{"EnerjialShorterThanItsHead", "enerjial" + S + "x", "sabitler", {"1:enerjial:sabitler|"}},
        Case{"SayacalReadoutEndsAtItsTerminator", "sayacalabc1.8.0(12.345*kWh)" + T + "pong" + S, "",
             {"1:sayacal:1.8.0(12.345*kWh)", "2:pong"}},
        Case{"SayacalWithoutTerminatorTakesTheRest", "sayacalabc1.8.0(1*kWh)\r\n!", "",
             {"1:sayacal:1.8.0(1*kWh)\r\n!"}},
        Case{"TwoSayacalInOneReadEachOnce", "sayacalabcR1" + T + "sayacaldefR2" + T, "",
             {"1:sayacal:R1", "2:sayacal:R2"}},
        Case{"ThreeSayacalInOneReadEachOnce", "sayacalabcR1" + T + "sayacaldefR2" + T + "sayacalghiR3" + T, "",
             {"1:sayacal:R1", "2:sayacal:R2", "3:sayacal:R3"}},
        Case{"NextSayacalHeaderEndsAReadoutWithoutTerminator", "sayacalabcR1sayacaldefR2" + T, "",
             {"1:sayacal:R1", "2:sayacal:R2"}},
        Case{"WhatFollowsAReadoutIsDispatchedInTheSamePass",
             "sayacalabcR1" + T + reply("Sycdegerleri", {"1", "2", "3"}), "", {"1:sayacal:R1", "1:sycdegerleri:1|2|3"}},
        Case{"SayacalShorterThanItsHead", "sayacal" + T + "pong" + S, "", {"1:sayacal:", "2:pong"}},
        Case{"SayacalAfterJunkIsFound", "xysayacalabcR" + T, "", {"5:sayacal:R"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dispatcher, UnrecognisedBytesGoOnePerTwoPasses) {
    ReplyDispatcher d;
    test::Recording rec;
    EXPECT_TRUE(d.dispatch("abcd", "", rec));
    // abcd remembered, a removed, bcd remembered, b removed, cd remembered,
    // c removed: "d" is left and never examined.
    EXPECT_EQ(d.passCount(), 6u);
    EXPECT_EQ(d.rememberedRemainder(), "cd");
    EXPECT_TRUE(rec.calls.empty());
}

TEST(Dispatcher, RememberedRemainderIsSharedByAllChunks) {
    ReplyDispatcher d;
    test::Recording rec;
    EXPECT_TRUE(d.dispatch("zz", "", rec));
    EXPECT_EQ(d.passCount(), 2u);
    EXPECT_EQ(d.rememberedRemainder(), "zz");
    // The same text again equals the remembered remainder at once: one byte
    // goes in the first pass, and a single byte is left.
    EXPECT_TRUE(d.dispatch("zz", "", rec));
    EXPECT_EQ(d.passCount(), 3u);
    // A different text is remembered first.
    EXPECT_TRUE(d.dispatch("yy", "", rec));
    EXPECT_EQ(d.passCount(), 5u);
    EXPECT_EQ(d.rememberedRemainder(), "yy");
}

struct RouteCase {
    const char* kind;
    bool row1;
    bool memo;
    EnerjialTarget target;
    int phase;
    std::string status;
    std::string heading;
};

const std::string harmonikStatus = " Seri Nolu Cihaz\xFDn harmonik de\xF0" "erleri al\xFDn\xFDyor. ";
const std::string harmonikHeading = " nolu cihaz harmonik verileri";

TEST(EnerjialRoutes, EveryRoutedKindAndItsTexts) {
    const std::vector<RouteCase> cases = {
        {"anideger", true, true, EnerjialTarget::RegisterParser, 0,
         " Seri Nolu Cihaz\xFDn \xF6l\xE7\xFCm de\xF0" "erleri al\xFDn\xFDyor. ", " Nolu Cihaz Verileri"},
        {"tuketim", true, true, EnerjialTarget::RegisterParser, 0,
         " Seri Nolu Cihaz\xFDn t\xFCketim de\xF0" "erleri al\xFDn\xFDyor. ", " Nolu Cihaz T\xFCketim Verileri"},
        {"sabitler", true, false, EnerjialTarget::RegisterParser, 0,
         " Seri Nolu Cihaz\xFDn sabit de\xF0" "erleri al\xFDn\xFDyor. ", " Nolu Cihaz Sabit Verileri"},
        {"kondasatordurum", false, false, EnerjialTarget::RegisterParser, 0,
         " Seri Nolu Cihaz\xFDn kondansat\xF6r durumlar\xFD al\xFDn\xFDyor.", " nolu cihaz kondansat\xF6r bilgileri"},
        {"kondasatorgucdurum", false, false, EnerjialTarget::RegisterParser, 0,
         " Seri Nolu Cihaz\xFDn kondansat\xF6r G\xFC\xE7leri al\xFDn\xFDyor.",
         " nolu cihaz kondansat\xF6r G\xFC\xE7 bilgileri"},
        {"harmonikb", false, false, EnerjialTarget::Waveform, 1, harmonikStatus, harmonikHeading},
        {"harmoniki", false, false, EnerjialTarget::Waveform, 2, harmonikStatus, harmonikHeading},
        {"harmoniku", false, false, EnerjialTarget::Waveform, 3, harmonikStatus, harmonikHeading},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        struct Capture : ReplyHandlers {
            const EnerjialRoute* route = nullptr;
            std::string text;
            void enerjial(const EnerjialRoute& r, std::string_view t) override {
                route = &r;
                text = t;
            }
        } capture;
        ReplyDispatcher d;
        EXPECT_TRUE(d.dispatch("enerjial" + S + "ab" + "1$3$2$0$7$" + T, c.kind, capture));
        ASSERT_NE(capture.route, nullptr);
        EXPECT_EQ(capture.route, findEnerjialRoute(c.kind));
        EXPECT_EQ(capture.text, "1$3$2$0$7$" + T);
        EXPECT_EQ(capture.route->kind, c.kind);
        EXPECT_EQ(capture.route->setDeviceRow1, c.row1);
        EXPECT_EQ(capture.route->showInMemo1, c.memo);
        EXPECT_EQ(capture.route->target, c.target);
        EXPECT_EQ(capture.route->phase, c.phase);
        EXPECT_EQ(capture.route->statusText, c.status);
        EXPECT_EQ(capture.route->headingText, c.heading);
    }
    for (const char* kind : {"", "sayac", "ANIDEGER", "anideger ", "harmonik"}) {
        EXPECT_EQ(findEnerjialRoute(kind), nullptr) << kind;
    }
}

struct Thrower : test::Recording {
    enum class What { Silent, Std, Other } what = What::Silent;
    std::string on = "cihazlar";
    void fail() {
        if (what == What::Silent) throw SilentAbort("kötü sayı");
        if (what == What::Std) throw std::out_of_range("x");
        throw 42;
    }
    void cihazlar(std::string_view g, std::string_view m, std::string_view n, std::string_view s) override {
        Recording::cihazlar(g, m, n, s);
        if (on == "cihazlar") fail();
    }
    void enerjial(const EnerjialRoute& r, std::string_view t) override {
        Recording::enerjial(r, t);
        if (on == "enerjial") fail();
    }
    void sayacal(std::string_view t) override {
        Recording::sayacal(t);
        if (on == "sayacal") fail();
    }
};

TEST(Dispatcher, AHandlerThatThrowsDropsTheRestOfTheChunk) {
    for (auto what : {Thrower::What::Silent, Thrower::What::Std, Thrower::What::Other}) {
        ReplyDispatcher d;
        Thrower h;
        h.what = what;
        const std::string chunk = "pong" + S + cihazlarX("A", "1") + "pong" + S + cihazlarX("B", "2");
        EXPECT_FALSE(d.dispatch(chunk, "", h));
        EXPECT_EQ(h.calls, (Lines{"pong", "cihazlar:A|KRT100|Pano|1"}));
        // The next chunk is handled as usual.
        h.on.clear();
        EXPECT_TRUE(d.dispatch("pong" + S, "", h));
        EXPECT_EQ(h.calls.back(), "pong");
    }
}

TEST(Dispatcher, RegisterParserFailureEndsTheChunk) {
    ReplyDispatcher d;
    Thrower h;
    h.on = "enerjial";
    EXPECT_FALSE(d.dispatch("enerjial" + S + "ab1$x$" + T + "pong" + S, "anideger", h));
    EXPECT_EQ(h.calls, (Lines{"enerjial:anideger|1$x$" + T}));
}

TEST(Dispatcher, AReadoutHandlerThatThrowsDropsTheRestAndKeepsTheRemainder) {
    // Pass 1 remembers the whole chunk, pass 2 drops "Q" (the remembered
    // remainder stays), pass 3 handles the first readout and fails: the
    // second message is not handled.
    const std::string chunk = "QsayacalabcR1" + T + "sayacaldefR2" + T;
    ReplyDispatcher d;
    Thrower h;
    h.on = "sayacal";
    EXPECT_FALSE(d.dispatch(chunk, "", h));
    EXPECT_EQ(h.calls, (Lines{"sayacal:R1"}));
    EXPECT_EQ(d.rememberedRemainder(), chunk);
}

}  // namespace
}  // namespace izleme
