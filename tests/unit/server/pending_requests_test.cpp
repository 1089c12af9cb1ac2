#include <gtest/gtest.h>

#include <string>

#include "server/core/DeviceEntry.h"
#include "server/core/DeviceLayout.h"
#include "server/core/EnerjialRoute.h"
#include "server/core/PendingRequests.h"

namespace izleme {
namespace {

TEST(PendingRequests, RepliesAnswerTheOldestInSendingOrder) {
    PendingRequests p;
    p.sent("anideger", "12001", 0, 0);
    p.sent("anideger", "12001", 0, 10);  // the same device clicked again: both wanted
    auto first = p.answerOldest();
    auto second = p.answerOldest();
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(first->superseded);
    EXPECT_FALSE(second->superseded);
    EXPECT_EQ(first->sentAtMs, 0);
    EXPECT_EQ(second->sentAtMs, 10);
    EXPECT_FALSE(p.answerOldest());  // nothing awaited: the reply is unawaited
}

TEST(PendingRequests, ALaterRequestForAnotherDeviceOrKindSupersedesTheEarlier) {
    struct Case {
        const char* name;
        const char* kind;
        const char* serial;
        bool superseded;
    };
    const Case cases[] = {
        {"another device", "anideger", "13001", true},
        {"another kind", "tuketim", "12001", true},
        {"same device and kind", "anideger", "12001", false},
        {"same serial with blanks", "anideger", " 12001 ", false},
    };
    for (const Case& c : cases) {
        PendingRequests p;
        p.sent("anideger", "12001", 0, 0);
        p.sent(c.kind, c.serial, 70, 5);
        const auto old = p.answerOldest();
        ASSERT_TRUE(old) << c.name;
        EXPECT_EQ(old->superseded, c.superseded) << c.name;
        const auto latest = p.answerOldest();
        ASSERT_TRUE(latest) << c.name;
        EXPECT_FALSE(latest->superseded) << c.name;
        EXPECT_EQ(latest->cursor, 70) << c.name;
    }
}

TEST(PendingRequests, AMeterSelectionOrReadingSupersedesWithoutWaiting) {
    PendingRequests p;
    p.sent("anideger", "12001", 0, 0);
    p.deviceChanged("14001");
    EXPECT_EQ(p.size(), 1u);
    EXPECT_TRUE(p.oldest()->superseded);

    PendingRequests q;
    q.sent("anideger", "14001", 0, 0);
    q.supersedeOthers("sayac", "14001");
    EXPECT_TRUE(q.oldest()->superseded);
}

TEST(PendingRequests, NotOnLineForgetsTheOldestOfItsSerialOnly) {
    PendingRequests p;
    p.sent("anideger", "12001", 0, 0);
    p.sent("tuketim", "12001", 70, 1);
    p.sent("anideger", "13001", 0, 2);
    EXPECT_FALSE(p.notOnLine("99999"));
    const auto gone = p.notOnLine("12001");
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->kind, "anideger");
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p.oldest()->kind, "tuketim");
}

TEST(PendingRequests, ExpiryForgetsOldRequestsAndReportsTheCurrentOnes) {
    PendingRequests p;
    p.sent("anideger", "12001", 0, 0);
    p.sent("anideger", "13001", 0, 1000);  // supersedes the first
    p.sent("anideger", "13001", 0, 20000);
    EXPECT_EQ(p.nextDeadline(), PendingRequests::timeoutMs);
    EXPECT_TRUE(p.expire(PendingRequests::timeoutMs - 1).empty());
    EXPECT_EQ(p.size(), 3u);
    const auto expired = p.expire(1000 + PendingRequests::timeoutMs);
    ASSERT_EQ(expired.size(), 1u);  // the superseded one goes without a word
    EXPECT_EQ(expired[0].serial, "13001");
    EXPECT_EQ(p.size(), 1u);
    EXPECT_EQ(p.nextDeadline(), 20000 + PendingRequests::timeoutMs);
    p.expire(1'000'000);
    EXPECT_FALSE(p.nextDeadline());
}

TEST(PendingRequests, StaysBoundedWhenNoReplyEverComes) {
    PendingRequests p;
    for (std::size_t i = 0; i < PendingRequests::capacity + 10; ++i) p.sent("anideger", "1", 0, 0);
    EXPECT_EQ(p.size(), PendingRequests::capacity);
}

TEST(DataRequestTable, EveryKindHasItsRequestCursorAndTexts) {
    struct Case {
        const char* kind;
        const char* keyword;
        int cursor;
        bool row1;
        bool routed;
    };
    const Case cases[] = {
        {"anideger", "enertum", 0, true, true},
        {"tuketim", "enerharcanan", 70, true, true},
        {"sabitler", "tavrsabitiste", 166, true, true},
        {"kondasatordurum", "kondasatordurum", 66, false, true},
        {"kondasatorgucdurum", "kondasatorgucdurum", 192, false, true},
        {"harmonikb", "harmonikbir", -1, false, true},
        {"harmoniki", "harmonikiki", -1, false, true},
        {"harmoniku", "harmonikuc", -1, false, true},
        {"sayac", "sayac", 0, false, false},
    };
    for (const Case& c : cases) {
        const EnerjialRoute* row = findDataRequest(c.kind);
        ASSERT_NE(row, nullptr) << c.kind;
        EXPECT_EQ(row->requestKeyword, c.keyword) << c.kind;
        EXPECT_EQ(row->cursor, c.cursor) << c.kind;
        EXPECT_EQ(row->setDeviceRow1, c.row1) << c.kind;
        EXPECT_FALSE(row->requestLine.empty()) << c.kind;
        EXPECT_EQ(findEnerjialRoute(c.kind) != nullptr, c.routed) << c.kind;
    }
    EXPECT_EQ(findDataRequest(""), nullptr);
    EXPECT_EQ(findDataRequest("enertum"), nullptr);
}

TEST(DeviceLayouts, EachKindShowsItsPages) {
    const auto krt = layoutOfKind(device::kindKrt100);
    ASSERT_TRUE(krt);
    EXPECT_EQ(krt->tabVisible, (std::array<bool, kPageCount>{true, true, false, true, true, true, false, false}));
    EXPECT_EQ(krt->page, 0);
    EXPECT_EQ(krt->panel, DeviceLayout::Panel::Analyzer);
    EXPECT_FALSE(krt->alwaysApplied);

    const auto klm = layoutOfKind(device::kindKlm200);
    ASSERT_TRUE(klm);
    EXPECT_EQ(klm->tabVisible, (std::array<bool, kPageCount>{false, false, true, false, false, false, false, false}));
    EXPECT_EQ(klm->page, 2);
    EXPECT_EQ(klm->panel, DeviceLayout::Panel::Relay);

    const auto meter = layoutOfKind(device::kindZdn100);
    ASSERT_TRUE(meter);
    EXPECT_EQ(meter->page, 6);
    EXPECT_TRUE(meter->alwaysApplied);  // a meter selection always sets its layout

    EXPECT_FALSE(layoutOfKind(device::kindNone));
}

}  // namespace
}  // namespace izleme
