// Recording of widget states and the main window picture.
#include "drive/Snapshot.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>

#include "drive/DeviceListAccess.h"
#include "drive/PageAccess.h"
#include "drive/WidgetState.h"
#include "drive/WindowSet.h"

namespace izleme {

namespace {

QJsonValue orNull(const std::optional<QString>& v) { return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null); }

QJsonObject widgetState(const QWidget* w) {
    QJsonObject o;
    o["class"] = QString::fromLatin1(w->metaObject()->className());
    o["text"] = orNull(readText(w));
    o["visible"] = w->isVisible();
    o["hidden"] = w->isHidden();
    o["enabled"] = w->isEnabled();
    const auto checked = readChecked(w);
    o["checked"] = checked ? QJsonValue(*checked) : QJsonValue(QJsonValue::Null);
    const auto color = readColor(w);
    o["color"] = color ? QJsonValue(colorName(*color)) : QJsonValue(QJsonValue::Null);
    return o;
}

bool isInternalName(const QString& name) { return name.isEmpty() || name.startsWith(QLatin1String("qt_")); }

QJsonArray tabsOf(const QTabWidget* pages) {
    QJsonArray tabs;
    if (!pages) return tabs;
    for (int i = 0; i < pages->count(); ++i) {
        QJsonObject t;
        t["caption"] = pages->tabText(i);
        t["visible"] = isTabShown(pages, i);
        tabs.append(t);
    }
    return tabs;
}

QJsonArray logLines(const WindowSet& windows) {
    QJsonArray lines;
    QWidget* log = windows.window(QStringLiteral("Frmhaberlesme"));
    auto* list = log ? log->findChild<QAbstractItemView*>(QStringLiteral("ListBox1")) : nullptr;
    if (!list || !list->model()) return lines;
    const QAbstractItemModel* model = list->model();
    for (int i = 0; i < model->rowCount(); ++i) lines.append(model->index(i, 0).data().toString());
    return lines;
}

// The modal window that is open over the main window, if any.
QWidget* openModal(const WindowSet& windows) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() && modal != windows.mainWindow() ? modal : nullptr;
}

// The name a window's picture carries: its objectName when that is usable in
// a file name, otherwise "modal" (a question box has none).
QString pictureName(const QWidget* window) {
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_]+$"));
    return safe.match(window->objectName()).hasMatch() ? window->objectName() : QStringLiteral("modal");
}

bool savePicture(QWidget* window, const QString& path, QString* why) {
    if (window->grab().toImage().save(path, "PNG")) return true;
    if (why) *why = QStringLiteral("cannot write %1").arg(path);
    return false;
}

}  // namespace

QJsonObject captureState(const WindowSet& windows, const QString& label) {
    QJsonObject root;
    root["label"] = label;
    const QTabWidget* pages = windows.pageControl();
    root["activePage"] = activePage(pages);
    root["tabs"] = tabsOf(pages);

    QJsonObject windowStates;
    QJsonObject widgets;
    QJsonObject actions;
    for (QWidget* window : windows.windows()) {
        const QString windowName = window->objectName();
        QJsonObject ws;
        ws["caption"] = window->windowTitle();
        ws["visible"] = window->isVisible();
        windowStates[windowName] = ws;
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            const QString key = windowName + QLatin1Char('.') + w->objectName();
            if (isInternalName(w->objectName()) || widgets.contains(key)) continue;
            widgets[key] = widgetState(w);
        }
        for (const QAction* a : window->findChildren<QAction*>()) {
            if (isInternalName(a->objectName()) || actions.contains(a->objectName())) continue;
            QJsonObject ao;
            ao["text"] = a->text();
            ao["enabled"] = a->isEnabled();
            ao["visible"] = a->isVisible();
            actions[a->objectName()] = ao;
        }
    }
    root["windows"] = windowStates;
    root["widgets"] = widgets;
    root["actions"] = actions;

    QJsonArray groups;
    for (const DeviceListGroup& g : readDeviceList(windows.deviceList())) {
        QJsonObject go;
        go["group"] = g.caption;
        QJsonArray entries;
        for (const DeviceListEntry& e : g.entries) {
            QJsonObject eo;
            eo["caption"] = e.caption;
            eo["icon"] = e.icon;
            eo["color"] = colorName(e.color);
            entries.append(eo);
        }
        go["entries"] = entries;
        groups.append(go);
    }
    root["deviceList"] = groups;
    const QWidget* modal = openModal(windows);
    root["modal"] = modal ? QJsonValue(pictureName(modal)) : QJsonValue(QJsonValue::Null);
    root["log"] = logLines(windows);
    return root;
}

bool writeSnapshot(const WindowSet& windows, const QString& dir, const QString& label, QString* why) {
    if (!QDir().mkpath(dir)) {
        if (why) *why = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    QWidget* main = windows.mainWindow();
    if (!main) {
        if (why) *why = QStringLiteral("the main window is gone");
        return false;
    }
    const QString base = QDir(dir).filePath(label);
    if (!savePicture(main, base + QStringLiteral(".png"), why)) return false;
    // Every other window that is open (the log, the serial poll window, a
    // modal login or question) gets a picture of its own.
    QList<QWidget*> open;
    for (QWidget* w : windows.windows()) {
        if (w != main && w->isVisible()) open.append(w);
    }
    if (QWidget* modal = openModal(windows); modal && !open.contains(modal)) open.append(modal);
    for (QWidget* w : open) {
        if (!savePicture(w, base + QLatin1Char('-') + pictureName(w) + QStringLiteral(".png"), why)) return false;
    }
    QFile json(base + QStringLiteral(".json"));
    if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        json.write(QJsonDocument(captureState(windows, label)).toJson(QJsonDocument::Indented)) < 0) {
        if (why) *why = QStringLiteral("cannot write %1.json").arg(base);
        return false;
    }
    return true;
}

}  // namespace izleme
