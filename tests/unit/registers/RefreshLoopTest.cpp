#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "registers/core/RefreshLoop.h"
#include "toolkit/core/SilentAbort.h"

namespace izleme {
namespace {

TEST(RefreshLoop, UpdatesRunInRegisterOrderThenInTheOrderAdded) {
    RefreshLoop loop;
    std::vector<std::string> ran;
    loop.setRowSource([] { return 3; });
    loop.add(192, [&](int row) { ran.push_back("192/" + std::to_string(row)); });
    loop.add(67, [&](int) { ran.push_back("67"); });
    loop.add(0, [&](int) { ran.push_back("0"); });
    loop.add(67, [&](int) { ran.push_back("67b"); });
    loop.add(166, [&](int) { ran.push_back("166"); });
    loop.tick();
    EXPECT_EQ(ran, (std::vector<std::string>{"0", "67", "67b", "166", "192/3"}));
    EXPECT_EQ(loop.registers(), (std::vector<int>{0, 67, 67, 166, 192}));
}

TEST(RefreshLoop, NoRowNoUpdates) {
    RefreshLoop loop;
    int runs = 0;
    loop.add(0, [&](int) { ++runs; });
    loop.tick();  // no row source yet
    loop.setRowSource([]() -> std::optional<int> { return std::nullopt; });
    loop.tick();
    EXPECT_EQ(runs, 0);
}

TEST(RefreshLoop, AFailingUpdateEndsOnlyItself) {
    RefreshLoop loop;
    std::vector<std::string> reports;
    std::vector<int> ran;
    loop.setRowSource([] { return 1; });
    loop.setFailureReport([&](const char* what) { reports.emplace_back(what); });
    loop.add(0, [&](int) { ran.push_back(0); });
    loop.add(67, [](int) { throw SilentAbort("not a number"); });
    loop.add(70, [](int) { throw std::runtime_error("bad row"); });
    loop.add(166, [&](int) { ran.push_back(166); });
    loop.tick();
    EXPECT_EQ(ran, (std::vector<int>{0, 166}));
    EXPECT_EQ(reports, (std::vector<std::string>{"bad row"}));  // a silent abort is not reported
}

TEST(RefreshLoop, AFailingRowSourceShowsNothingThisTick) {
    RefreshLoop loop;
    int runs = 0;
    loop.add(0, [&](int) { ++runs; });
    loop.setRowSource([]() -> std::optional<int> { throw SilentAbort("Edit1 is not a number"); });
    loop.tick();
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace izleme
