// A reply stream as the central server sends it, cut into two reads at every
// byte offset and passed through the reassembler and the dispatcher as the
// connection does, gives exactly the handler calls of the stream in one read.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "server/core/Reassembler.h"
#include "server/core/ReplyDispatcher.h"
#include "tests/support/ReferenceDispatcher.h"
#include "tests/unit/server/Recording.h"

namespace izleme {
namespace {

using test::reply;
using test::S;
using test::T;
using Lines = std::vector<std::string>;

// A register reply text: address 1, function 3, the byte count, the data
// bytes and two check bytes, each as decimal text followed by "$".
std::string registerText(const std::vector<int>& data) {
    std::string out = "1$3$" + std::to_string(data.size()) + "$";
    for (int b : data) out += std::to_string(b) + "$";
    return out + "61$204$";
}

// The data reply of every pending request kind: "enerjial", three head
// bytes, the register reply text, the terminator.
std::string enerjial(const std::string& text) { return "enerjial" + S + "#" + S + text + T; }

// 64 voltage and 64 current samples of one period, as signed bytes.
std::vector<int> waveformBytes() {
    std::vector<int> bytes;
    for (int i = 0; i < 128; ++i) {
        const double angle = 2 * 3.14159265358979 * (i % 64) / 64 + (i < 64 ? 0.0 : 0.5);
        const int sample = static_cast<int>(std::lround((i < 64 ? 100 : 60) * std::sin(angle)));
        bytes.push_back(sample & 0xFF);
    }
    return bytes;
}

// The device record of "cihazenerji": 45 entries of "$1" and eight
// characters; entry 43 names the row.
std::string deviceRecord() {
    std::string r;
    for (int j = 0; j < 45; ++j) {
        const int value = j == 43 ? 1000 : 2300 + j;
        std::string digits = std::to_string(value);
        r += "$1" + std::string(8 - digits.size(), '0') + digits;
    }
    return r;
}

const std::string readout =
    "/ZDN5ZDN100\r\n0.0.0(00000077)\r\n1.8.0(012345.678*kWh)\r\n1.8.1(006000.100*kWh)\r\n"
    "1.8.2(004000.200*kWh)\r\n1.8.3(002345.378*kWh)\r\n5.8.0(000321.000*kVArh)\r\n"
    "8.8.0(000123.500*kVArh)\r\n!\r\n";

// The same readout as one reading sent in two "sayacal" messages.
const std::string readoutHead = readout.substr(0, readout.find("1.8.2("));
const std::string readoutTail = readout.substr(readout.find("1.8.2("));

// The meter's reply: "sayacal", three head bytes, the readout, the terminator.
std::string sayacal(const std::string& text) { return "sayacal" + S + "#" + S + text + T; }

struct Stream {
    std::string bytes;
    Lines calls;  // the handler calls it must give, in order
};

// Replies of every kind with bytes that match no keyword between some of
// them (line ends, control bytes, the beginnings of keywords). Data replies
// give their call only under a routed kind; under any other they are walked
// over as unrecognised text.
//
// A readout of "sayacal" ends at its own terminator, so meter readouts sit
// among the other replies: one alone, and one reading sent as two messages in
// a row. After the last message comes a pong without a terminator: the
// connection hands such bytes out when no more arrive, and they must not be
// lost either.
Stream replyStream(bool routed, const std::string& kind) {
    Stream s;
    const auto add = [&s](const std::string& bytes, Lines calls) {
        s.bytes += bytes;
        s.calls.insert(s.calls.end(), calls.begin(), calls.end());
    };
    const auto data = [&](const std::string& text) {
        add(enerjial(text), routed ? Lines{"enerjial:" + kind + "|" + text + T} : Lines{});
    };
    add(reply("pong", {}), {"pong"});
    add("\r\n", {});
    add(reply("cihazlar", {"Merkez", "KRT100", "Pano 1", "12001"}), {"cihazlar:Merkez|KRT100|Pano 1|12001"});
    add(reply("cihazlar", {"Merkez", "ZDN100", "Saya\xE7", "77"}), {"cihazlar:Merkez|ZDN100|Saya\xE7|77"});
    add(reply("cihazlar", {"Fabrika", "KLM200", "R\xF6le", "3001"}), {"cihazlar:Fabrika|KLM200|R\xF6le|3001"});
    add(reply("yenimesaj", {}), {"yenimesaj"});
    add(sayacal(readout), {"sayacal:" + readout});
    add("pon", {});
    // Instantaneous values, consumption counters, settings, stage states and
    // powers: register replies of different lengths.
    data(registerText({8, 253, 8, 251, 9, 1, 1, 244, 1, 242, 1, 249, 0, 100, 19, 136}));
    add(reply("Hattayok", {"12001"}), {"hattayok:12001"});
    add(std::string("\x00\x02xyz", 5), {});
    data(registerText({0, 1, 226, 64, 0, 0, 0, 12, 0, 3, 13, 64, 0, 0, 0, 0}));
    data(registerText({0, 5, 0, 50, 0, 1, 0, 0}));
    data(registerText({0, 1, 0, 1, 0, 0, 0, 1}));
    data(registerText({0, 10, 0, 20, 0, 30, 0, 40}));
    // Harmonics: 64 registers of waveform samples.
    data(registerText(waveformBytes()));
    add(reply("cihazenerji", {"12001", "Merkez", deviceRecord()}), {"cihazenerji:12001|Merkez|" + deviceRecord()});
    add(reply("mesajvar", {"Duyuru", "Bak\xFDm var"}), {"mesajvar:Duyuru|Bak\xFDm var"});
    add("Hatta", {});
    add(reply("akimdegerleri", {"12.5", "13.0", "12.8", "0.4", "3001", "01.02.09", "10:15:00"}),
        {"akimdegerleri:12.5|13.0|12.8|0.4|3001|01.02.09|10:15:00"});
    add(reply("reaktifenerji", {"77", "01.01.2024", "02.01.2024", "1", "2", "3", "4", "5", "6"}),
        {"reaktifenerji:77|01.01.2024|02.01.2024|1|2|3|4|5|6"});
    add(reply("tedassycal", {"77", "d1", "d2", "10", "20", "30", "40", "50", "60"}),
        {"tedassycal:77|d1|d2|10|20|30|40|50|60"});
    add(sayacal(readoutHead), {"sayacal:" + readoutHead});
    add(sayacal(readoutTail), {"sayacal:" + readoutTail});
    add(reply("Sycdegerleri", {"1,5", "2", "3"}), {"sycdegerleri:1,5|2|3"});
    add("pong" + S, {"pong"});
    return s;
}

// The reads through one reassembler into one dispatcher, as the connection
// passes them: each read is fed, what the reassembler returns is dispatched,
// and the bytes it still keeps are dispatched at the end.
template <typename Dispatcher = ReplyDispatcher>
Lines handled(const std::vector<std::string>& reads, const std::string& kind) {
    Reassembler reassembler;
    Dispatcher dispatcher;
    test::Recording rec;
    for (const auto& read : reads) {
        const std::string now = reassembler.feed(read);
        if (!now.empty()) {
            EXPECT_TRUE(dispatcher.dispatch(now, kind, rec));
        }
    }
    if (reassembler.hasPending()) {
        EXPECT_TRUE(dispatcher.dispatch(reassembler.takePending(), kind, rec));
    }
    return rec.calls;
}

struct KindCase {
    const char* kind;
    bool routed;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << "pending kind \"" << c.kind << "\""; }

class SplitReads : public ::testing::TestWithParam<KindCase> {};

TEST_P(SplitReads, EveryCutGivesTheCallsOfTheWholeStream) {
    const KindCase& c = GetParam();
    const Stream stream = replyStream(c.routed, c.kind);
    ASSERT_EQ(handled({stream.bytes}, c.kind), stream.calls);
    ASSERT_EQ(handled<test::ReferenceDispatcher>({stream.bytes}, c.kind), stream.calls);
    for (std::size_t cut = 1; cut < stream.bytes.size(); ++cut) {
        SCOPED_TRACE("cut after byte " + std::to_string(cut));
        ASSERT_EQ(handled({stream.bytes.substr(0, cut), stream.bytes.substr(cut)}, c.kind), stream.calls);
    }
}

INSTANTIATE_TEST_SUITE_P(PendingKinds, SplitReads,
                         ::testing::Values(KindCase{"anideger", true}, KindCase{"tuketim", true},
                                           KindCase{"sabitler", true}, KindCase{"kondasatordurum", true},
                                           KindCase{"kondasatorgucdurum", true}, KindCase{"harmonikb", true},
                                           KindCase{"harmoniki", true}, KindCase{"harmoniku", true},
                                           KindCase{"", false}, KindCase{"sayac", false}),
                         [](const auto& info) {
                             const std::string kind = info.param.kind;
                             return kind.empty() ? std::string("NoKind") : kind;
                         });

}  // namespace
}  // namespace izleme
