// Read access to the device list `RzGroupBar1` for izleme-drive: groups,
// entries with caption, icon index and font colour, and finding an entry.
#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QWidget;
class QAbstractButton;

namespace izleme {

struct DeviceListEntry {
    QString caption;
    int icon = -1;
    QColor color;
};

struct DeviceListGroup {
    QString caption;
    QList<DeviceListEntry> entries;
};

// Groups top to bottom, entries top to bottom; empty when bar is not a group bar.
QList<DeviceListGroup> readDeviceList(QWidget* bar);

// The first entry (groups in order, entries from the top) with that caption.
QAbstractButton* findDeviceEntry(QWidget* bar, const QString& caption);

}  // namespace izleme
