// Reassembly of messages split over reads, and the dispatch of the pieces.
#include "server/core/Reassembler.h"
#include "server/core/ReplyDispatcher.h"
#include "tests/unit/server/Recording.h"

#include <gtest/gtest.h>

#include <random>

namespace izleme {
namespace {

using test::reply;
using test::S;
using test::T;

TEST(Reassembler, KeepsTheTailAfterTheLastTerminator) {
    Reassembler r;
    EXPECT_EQ(r.feed("pong" + S + T), "pong" + S + T);
    EXPECT_FALSE(r.hasPending());

    EXPECT_EQ(r.feed("cihazlar" + S + "gr"), "");
    EXPECT_TRUE(r.hasPending());
    EXPECT_EQ(r.feed("up" + S + T + "Hatta"), "cihazlar" + S + "grup" + S + T);
    EXPECT_TRUE(r.hasPending());
    EXPECT_EQ(r.takePending(), "Hatta");
    EXPECT_FALSE(r.hasPending());
    EXPECT_EQ(r.takePending(), "");
}

TEST(Reassembler, TerminatorSplitOverReads) {
    Reassembler r;
    EXPECT_EQ(r.feed("a\xF4"), "");
    EXPECT_EQ(r.feed("\xF4"), "");
    EXPECT_EQ(r.feed("\xF4" "b"), "a" + T);
    EXPECT_EQ(r.takePending(), "b");
    // A longer run of 0xF4 ends with the run.
    EXPECT_EQ(r.feed("x" + T + "\xF4" + "y"), "x" + T + "\xF4");
    EXPECT_EQ(r.takePending(), "y");
}

TEST(Reassembler, HandsOutTheKeptBytesPastTheLimit) {
    Reassembler r;
    const std::string block(Reassembler::maxPending, 'k');
    EXPECT_EQ(r.feed("m" + T + block), "m" + T);  // exactly at the limit: kept
    EXPECT_TRUE(r.hasPending());
    EXPECT_EQ(r.feed("z"), block + "z");
    EXPECT_FALSE(r.hasPending());
    // Many small reads without any terminator.
    std::string all;
    std::string out;
    for (int i = 0; out.empty(); ++i) {
        const std::string piece(1000, static_cast<char>('a' + i % 26));
        all += piece;
        out = r.feed(piece);
    }
    EXPECT_EQ(out, all);
    EXPECT_GT(out.size(), Reassembler::maxPending);
}

// Feeds the pieces through a Reassembler into one dispatcher, flushes at the
// end (as the 300 ms timer does) and returns what was handled.
std::vector<std::string> handled(const std::vector<std::string>& reads, std::string_view kind) {
    Reassembler r;
    ReplyDispatcher d;
    test::Recording rec;
    for (const auto& piece : reads) {
        const std::string now = r.feed(piece);
        if (!now.empty()) {
            EXPECT_TRUE(d.dispatch(now, kind, rec));
        }
    }
    if (r.hasPending()) {
        EXPECT_TRUE(d.dispatch(r.takePending(), kind, rec));
    }
    return rec.calls;
}

std::string replyStream() {
    return reply("cihazlar", {"merkez", "KRT100", "Pano 1", "12001"}) +
           reply("cihazlar", {"Merkez", "ZDN100", "Saya\xE7", "77"}) + "pong" + S + T +
           reply("akimdegerleri", {"1.5", "2", "3", "0.4", "123", "01.02.09", "10:15:00"}) +
           "enerjial" + S + "ab" + "1$3$4$0$230$1$44$" + T + reply("Hattayok", {"1234"}) +
           reply("mesajvar", {"Ba\xFEl\xFDk", "G\xF6vde"}) + "yenimesaj" + S + T +
           reply("reaktifenerji", {"7", "d1", "d2", "1", "2", "3", "4", "5", "6"}) +
           reply("Sycdegerleri", {"1", "2", "3"}) + reply("cihazenerji", {"12", "merkez", "1$2$"}) +
           reply("tedassycal", {"8", "d1", "d2", "1", "2", "3", "4", "5", "6"}) +
           "enerjial" + S + "cd" + "9$3$2$0$1$" + T;
}

TEST(Reassembly, EveryCutGivesTheMessagesOfTheWholeStream) {
    const std::string stream = replyStream();
    const auto whole = handled({stream}, "anideger");
    ASSERT_EQ(whole.size(), 13u);
    EXPECT_EQ(whole.front(), "cihazlar:merkez|KRT100|Pano 1|12001");
    EXPECT_EQ(whole.back(), "enerjial:anideger|9$3$2$0$1$" + T);
    for (std::size_t cut = 1; cut < stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        ASSERT_EQ(handled({stream.substr(0, cut), stream.substr(cut)}, "anideger"), whole);
    }
}

TEST(Reassembly, SeededRandomPiecesGiveTheSameMessages) {
    const std::string stream = replyStream() + replyStream();
    const auto whole = handled({stream}, "anideger");
    std::mt19937 rng(20240611);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<std::string> reads;
        std::size_t at = 0;
        while (at < stream.size()) {
            const std::size_t n = std::uniform_int_distribution<std::size_t>(1, 40)(rng);
            reads.push_back(stream.substr(at, n));
            at += n;
        }
        ASSERT_EQ(handled(reads, "anideger"), whole) << "trial " << trial;
    }
}

TEST(Reassembly, AServerWithoutTerminatorsIsHandledOnTheFlush) {
    const auto calls = handled({"pong" + S, "cihazlar" + S + "g" + S + "m" + S + "n" + S + "1" + S + "X"}, "");
    EXPECT_EQ(calls, (std::vector<std::string>{"pong", "cihazlar:g|m|n|1"}));
}

}  // namespace
}  // namespace izleme
