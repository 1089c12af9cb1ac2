// Which tabs of the main page control are visible and which page is active:
// showing a tab activates its page, hiding the active tab falls back to the
// nearest visible page before it, else after it.
#pragma once

#include <vector>

namespace izleme {

class TabRules {
public:
    // All tabs visible, page 0 active (no page when count is 0).
    explicit TabRules(int count);

    int count() const { return static_cast<int>(visible_.size()); }
    bool isVisible(int index) const;
    int active() const { return active_; }  // -1 when every tab is hidden

    // Showing a tab (even one already shown) makes its page the active one.
    // Hiding the active tab moves to the nearest visible page before it,
    // otherwise the nearest after it, otherwise to none. Bad indexes are ignored.
    void setVisible(int index, bool visible);

    // Makes a visible page active; hidden pages and bad indexes are ignored.
    void select(int index);

private:
    bool inRange(int index) const { return index >= 0 && index < count(); }

    std::vector<bool> visible_;
    int active_ = -1;
};

}  // namespace izleme
