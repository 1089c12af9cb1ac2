#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/core/TabRules.h"

namespace izleme {
namespace {

// Hides the given tabs of a fresh eight-page control.
TabRules withHidden(const std::vector<int>& hidden, int active) {
    TabRules r(8);
    r.select(active);
    for (int i : hidden) r.setVisible(i, false);
    return r;
}

TEST(TabRules, StartsWithEveryTabShownAndFirstPageActive) {
    TabRules r(8);
    EXPECT_EQ(r.active(), 0);
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(r.isVisible(i)) << i;
    EXPECT_EQ(TabRules(0).active(), -1);
}

TEST(TabRules, HidingTheActiveTabMovesToNearestVisiblePage) {
    struct Case {
        std::string what;
        std::vector<int> hiddenBefore;
        int active;
        int hide;
        int expected;
    };
    const Case cases[] = {
        {"previous page", {}, 3, 3, 2},
        {"skips hidden pages before", {1, 2}, 3, 3, 0},
        {"first page falls forward", {}, 0, 0, 1},
        {"nothing before: nearest after", {0, 1}, 2, 2, 3},
        {"skips hidden pages after", {0, 1, 3, 4}, 2, 2, 5},
        {"last visible tab leaves no page", {0, 1, 2, 3, 4, 5, 6}, 7, 7, -1},
        {"hiding another tab keeps the page", {}, 4, 6, 4},
    };
    for (const Case& c : cases) {
        TabRules r = withHidden(c.hiddenBefore, c.active);
        ASSERT_EQ(r.active(), c.active) << c.what;
        r.setVisible(c.hide, false);
        EXPECT_EQ(r.active(), c.expected) << c.what;
        EXPECT_FALSE(r.isVisible(c.hide)) << c.what;
    }
}

TEST(TabRules, ShowingATabMakesItsPageActive) {
    TabRules r = withHidden({6}, 0);
    r.setVisible(6, true);
    EXPECT_EQ(r.active(), 6);
    r.select(1);
    r.setVisible(6, true);  // already shown: still becomes active
    EXPECT_EQ(r.active(), 6);

    TabRules none = withHidden({0, 1, 2, 3, 4, 5, 6, 7}, 0);
    ASSERT_EQ(none.active(), -1);
    none.setVisible(5, true);
    EXPECT_EQ(none.active(), 5);
}

TEST(TabRules, StartLayoutOfTheMainWindow) {
    // Tab 2 shown, shown again, hidden, then page 0 selected; 6 and 7 hidden.
    TabRules r(8);
    r.setVisible(6, false);
    r.setVisible(7, false);
    r.setVisible(2, true);
    r.setVisible(2, true);
    r.setVisible(2, false);
    EXPECT_EQ(r.active(), 1);
    r.select(0);
    EXPECT_EQ(r.active(), 0);
    for (int i : {2, 6, 7}) EXPECT_FALSE(r.isVisible(i)) << i;
}

TEST(TabRules, SelectIgnoresHiddenPagesAndBadIndexes) {
    TabRules r = withHidden({2}, 1);
    for (int bad : {2, -1, 8, 1000}) {
        r.select(bad);
        EXPECT_EQ(r.active(), 1) << bad;
        r.setVisible(bad == 2 ? -5 : bad, true);
        EXPECT_EQ(r.active(), 1) << bad;
    }
    EXPECT_FALSE(r.isVisible(-1));
    EXPECT_FALSE(r.isVisible(8));
    r.select(5);
    EXPECT_EQ(r.active(), 5);
}

}  // namespace
}  // namespace izleme
