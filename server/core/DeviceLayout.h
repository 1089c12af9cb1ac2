// Which pages of the main window a device kind shows when it is selected:
// the visible tabs, which of the two value panels (`Panel7` for the analyzer,
// `Panel8` for the over-current relay) and the page selected last.
#pragma once

#include <array>
#include <optional>

namespace izleme {

inline constexpr int kPageCount = 8;

struct DeviceLayout {
    enum class Panel { Analyzer, Relay };  // Panel7 shown / Panel8 shown
    std::array<bool, kPageCount> tabVisible{};
    Panel panel = Panel::Analyzer;
    int page = 0;                // selected after the tabs are set
    bool alwaysApplied = false;  // applied on every selection, not only when the kind changes
};

// The layout of a device kind, nothing for a kind that changes no page.
std::optional<DeviceLayout> layoutOfKind(int kind);

}  // namespace izleme
