#include "server/core/DeviceLayout.h"

#include "server/core/DeviceEntry.h"

namespace izleme {

std::optional<DeviceLayout> layoutOfKind(int kind) {
    DeviceLayout l;
    switch (kind) {
        case device::kindKrt100:
            // Instantaneous values, consumption, harmonics, stages, settings.
            l.tabVisible = {true, true, false, true, true, true, false, false};
            l.panel = DeviceLayout::Panel::Analyzer;
            l.page = 0;
            return l;
        case device::kindKlm200:
            l.tabVisible = {false, false, true, false, false, false, false, false};
            l.panel = DeviceLayout::Panel::Relay;
            l.page = 2;
            return l;
        case device::kindZdn100:
            l.tabVisible = {false, false, false, false, false, false, true, false};
            l.panel = DeviceLayout::Panel::Analyzer;
            l.page = 6;
            l.alwaysApplied = true;
            return l;
        default:
            return std::nullopt;
    }
}

}  // namespace izleme
