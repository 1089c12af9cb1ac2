// The operator's message list: arrival order, and past 256 messages the
// oldest goes so positions keep matching the listed lines.
#include <gtest/gtest.h>

#include <string>

#include "server/core/MessageList.h"

namespace izleme {
namespace {

ServerMessage numbered(int n) { return {"h" + std::to_string(n), "b" + std::to_string(n)}; }

TEST(MessageList, KeepsArrivalOrderUpToCapacity) {
    MessageList list;
    EXPECT_EQ(list.at(0), nullptr);
    for (int n = 0; n < MessageList::capacity; ++n) EXPECT_FALSE(list.add(numbered(n))) << n;
    EXPECT_EQ(list.size(), 256);
    EXPECT_EQ(list.at(0)->heading, "h0");
    EXPECT_EQ(list.at(255)->body, "b255");
    EXPECT_EQ(list.at(256), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
}

// Past the capacity every new message drops the oldest, any number of times
// (the ring wraps more than once), and nothing else moves out of order.
TEST(MessageList, DropsTheOldestPastCapacity) {
    MessageList list;
    const int total = MessageList::capacity * 2 + 7;
    for (int n = 0; n < total; ++n) EXPECT_EQ(list.add(numbered(n)), n >= MessageList::capacity) << n;
    EXPECT_EQ(list.size(), MessageList::capacity);
    EXPECT_EQ(list.received(), total);
    for (int p = 0; p < list.size(); ++p) {
        const int n = total - MessageList::capacity + p;
        ASSERT_NE(list.at(p), nullptr);
        EXPECT_EQ(list.at(p)->heading, "h" + std::to_string(n));
        EXPECT_EQ(list.at(p)->body, "b" + std::to_string(n));
    }
}

}  // namespace
}  // namespace izleme
