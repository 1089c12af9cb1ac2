#include <gtest/gtest.h>

#include "sim/core/RequestFramer.h"

namespace izleme::sim {
namespace {

using namespace std::string_literals;

TEST(RequestFramer, CutsAtTerminatorsAcrossFeeds) {
    RequestFramer f;
    EXPECT_TRUE(f.feed("enertum\x01" "12001\x01\xF4").empty());
    EXPECT_TRUE(f.feed("\xF4").empty());
    const auto out = f.feed("\xF4ping\xF4\xF4\xF4kul");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "enertum\x01" "12001\x01");
    EXPECT_EQ(out[1], "ping");
    EXPECT_EQ(f.pending(), 3u);
}

TEST(RequestFramer, KeepsZeroBytesOfRelayPulls) {
    RequestFramer f;
    const auto out = f.feed("roleaktif\x01" "13001\x01\x00\x01\xF4\xF4\xF4"s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], "roleaktif\x01" "13001\x01\x00\x01"s);
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
