#include "registers/core/RefreshLoop.h"

#include <algorithm>
#include <exception>

#include "toolkit/core/SilentAbort.h"

namespace izleme {

void RefreshLoop::add(int atRegister, Update update) {
    const auto at = std::upper_bound(updates_.begin(), updates_.end(), atRegister,
                                     [](int reg, const Entry& e) { return reg < e.atRegister; });
    updates_.insert(at, Entry{atRegister, std::move(update)});
}

void RefreshLoop::tick() {
    if (!rowSource_) return;
    std::optional<int> row;
    try {
        row = rowSource_();
    } catch (const SilentAbort&) {
        return;
    } catch (const std::exception& e) {
        if (report_) report_(e.what());
        return;
    }
    if (!row) return;
    for (const Entry& e : updates_) {
        try {
            e.update(*row);
        } catch (const SilentAbort&) {
        } catch (const std::exception& ex) {
            if (report_) report_(ex.what());
        }
    }
}

std::vector<int> RefreshLoop::registers() const {
    std::vector<int> out;
    out.reserve(updates_.size());
    for (const Entry& e : updates_) out.push_back(e.atRegister);
    return out;
}

}  // namespace izleme
