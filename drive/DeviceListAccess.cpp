// Device list access through the group bar's own API.
#include "drive/DeviceListAccess.h"

#include "toolkit/ui/GroupBar.h"

namespace izleme {

QList<DeviceListGroup> readDeviceList(QWidget* bar) {
    QList<DeviceListGroup> out;
    auto* groupBar = qobject_cast<GroupBar*>(bar);
    if (!groupBar) return out;
    for (int g = 0; g < groupBar->groupCount(); ++g) {
        const GroupBar::Group* group = groupBar->group(g);
        if (!group) continue;
        DeviceListGroup dg{group->caption(), {}};
        for (int e = 0; e < group->entryCount(); ++e) {
            if (const GroupBar::Entry* entry = group->entry(e)) {
                dg.entries << DeviceListEntry{entry->caption(), entry->iconIndex(), entry->fontColor()};
            }
        }
        out << dg;
    }
    return out;
}

QAbstractButton* findDeviceEntry(QWidget* bar, const QString& caption) {
    auto* groupBar = qobject_cast<GroupBar*>(bar);
    if (!groupBar) return nullptr;
    for (int g = 0; g < groupBar->groupCount(); ++g) {
        const GroupBar::Group* group = groupBar->group(g);
        for (int e = 0; group && e < group->entryCount(); ++e) {
            GroupBar::Entry* entry = group->entry(e);
            if (entry && entry->caption() == caption) return entry->clickHandle();
        }
    }
    return nullptr;
}

}  // namespace izleme
