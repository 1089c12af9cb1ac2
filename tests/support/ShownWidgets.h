// How tests reach what the main window shows: a device list entry by its
// caption, and the text of a named display, label or edit.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QString>

#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme::test {

// The device list entry with this caption, looked for in the group with the
// caption `group` when one is given, else in every group; nullptr when absent.
inline GroupBarEntry* entryByCaption(GroupBar* bar, const QString& caption, const QString& group = {}) {
    for (int g = 0; g < bar->groupCount(); ++g) {
        if (!group.isEmpty() && bar->group(g)->caption() != group) continue;
        for (int e = 0; e < bar->group(g)->entryCount(); ++e)
            if (bar->group(g)->entry(e)->caption() == caption) return bar->group(g)->entry(e);
    }
    return nullptr;
}

// The text of the LED display, label or line edit of this objectName below
// root, in that order of search; "<no NAME>" when there is none, so that a
// comparison names the missing widget.
inline QString shownText(const QObject& root, const char* name) {
    const QString n = QString::fromLatin1(name);
    if (auto* d = root.findChild<LedDisplay*>(n)) return d->text();
    if (auto* l = root.findChild<QLabel*>(n)) return l->text();
    if (auto* e = root.findChild<QLineEdit*>(n)) return e->text();
    return QStringLiteral("<no %1>").arg(n);
}

}  // namespace izleme::test
