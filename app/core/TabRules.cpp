#include "app/core/TabRules.h"

namespace izleme {

TabRules::TabRules(int count) : visible_(count > 0 ? static_cast<std::size_t>(count) : 0, true) {
    active_ = count > 0 ? 0 : -1;
}

bool TabRules::isVisible(int index) const { return inRange(index) && visible_[static_cast<std::size_t>(index)]; }

void TabRules::setVisible(int index, bool visible) {
    if (!inRange(index)) return;
    visible_[static_cast<std::size_t>(index)] = visible;
    if (visible) {
        active_ = index;
        return;
    }
    if (index != active_) return;
    active_ = -1;
    for (int i = index - 1; i >= 0; --i) {
        if (isVisible(i)) {
            active_ = i;
            return;
        }
    }
    for (int i = index + 1; i < count(); ++i) {
        if (isVisible(i)) {
            active_ = i;
            return;
        }
    }
}

void TabRules::select(int index) {
    if (isVisible(index)) active_ = index;
}

}  // namespace izleme
