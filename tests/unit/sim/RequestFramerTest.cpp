#include <gtest/gtest.h>

#include "sim/core/RequestFramer.h"

namespace izleme::sim {
namespace {

using namespace std::string_literals;

TEST(RequestFramer, CutsAtTerminatorsAcrossFeeds) {
    RequestFramer f;
    EXPECT_TRUE(f.feed("enertum\x01"
                       "12001\x01\xF4")
                    .empty());
    EXPECT_TRUE(f.feed("\xF4").empty());
    const auto out = f.feed("\xF4ping\xF4\xF4\xF4kul");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0],
              "enertum\x01"
              "12001\x01");
    EXPECT_EQ(out[1], "ping");
    EXPECT_EQ(f.pending(), 3u);
}

TEST(RequestFramer, KeepsZeroBytesOfRelayPulls) {
    RequestFramer f;
    const auto out = f.feed(
        "roleaktif\x01"
        "13001\x01\x00\x01\xF4\xF4\xF4"s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0],
              "roleaktif\x01"
              "13001\x01\x00\x01"s);
}

TEST(RequestFramer, AnyCuttingOfTheStreamGivesTheSameRequests) {
    // Terminator bytes inside and next to requests, and a lone 0xF4 pair.
    const std::string stream = "ping\xF4\xF4\xF4\xF4\xF4kul\xF4\xF4\xF4\xF4\xF4\xF4x\xF4\xF4y\xF4\xF4\xF4tail\xF4\xF4"s;
    const std::vector<std::string> whole = {"ping", "\xF4\xF4kul", "", "x\xF4\xF4y"};
    for (std::size_t chunk = 1; chunk <= stream.size(); ++chunk) {
        SCOPED_TRACE(chunk);
        RequestFramer f;
        std::vector<std::string> got;
        for (std::size_t at = 0; at < stream.size(); at += chunk)
            for (auto& r : f.feed(std::string_view(stream).substr(at, chunk))) got.push_back(r);
        EXPECT_EQ(got, whole);
        EXPECT_EQ(f.pending(), 6u);  // "tail" and the two bytes that may begin a terminator
        const auto next = f.feed("\xF4");
        ASSERT_EQ(next.size(), 1u);
        EXPECT_EQ(next[0], "tail");
    }
}

TEST(RequestFramer, DropsRunawayTextWithoutTerminator) {
    RequestFramer f;
    f.feed(std::string(RequestFramer::maxPending + 1, 'x'));
    EXPECT_EQ(f.pending(), 0u);
    const auto out = f.feed("ping\xF4\xF4\xF4");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "ping");
}

}  // namespace
}  // namespace izleme::sim
