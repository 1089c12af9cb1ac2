// Device list access through the group bar's own API.
#include "drive/DeviceListAccess.h"

#if __has_include("toolkit/ui/GroupBar.h")
#include "toolkit/ui/GroupBar.h"
#define IZLEME_DRIVE_HAS_GROUP_BAR 1
#endif

namespace izleme {

QList<DeviceListGroup> readDeviceList(QWidget* bar) {
    QList<DeviceListGroup> out;
#ifdef IZLEME_DRIVE_HAS_GROUP_BAR
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
#else
    Q_UNUSED(bar);
#endif
    return out;
}

QAbstractButton* findDeviceEntry(QWidget* bar, const QString& caption) {
#ifdef IZLEME_DRIVE_HAS_GROUP_BAR
    auto* groupBar = qobject_cast<GroupBar*>(bar);
    if (!groupBar) return nullptr;
    for (int g = 0; g < groupBar->groupCount(); ++g) {
        const GroupBar::Group* group = groupBar->group(g);
        for (int e = 0; group && e < group->entryCount(); ++e) {
            GroupBar::Entry* entry = group->entry(e);
            if (entry && entry->caption() == caption) return entry;
        }
    }
#else
    Q_UNUSED(bar);
    Q_UNUSED(caption);
#endif
    return nullptr;
}

}  // namespace izleme
