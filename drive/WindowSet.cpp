// Widget and action lookup across the program's windows.
#include "drive/WindowSet.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>

namespace izleme {

WindowSet::WindowSet(const QList<QWidget*>& windows) {
    for (QWidget* w : windows) windows_ << QPointer<QWidget>(w);
}

QList<QWidget*> WindowSet::windows() const {
    QList<QWidget*> out;
    for (const QPointer<QWidget>& w : windows_) {
        if (w) out << w.data();
    }
    return out;
}

QWidget* WindowSet::window(const QString& name) const {
    for (QWidget* w : windows()) {
        if (w->objectName() == name) return w;
    }
    return nullptr;
}

QWidget* WindowSet::mainWindow() const {
    if (QWidget* w = window(QStringLiteral("FrmAna"))) return w;
    const QList<QWidget*> all = windows();
    return all.isEmpty() ? nullptr : all.first();
}

QObject* WindowSet::findIn(QWidget* window, const QString& name) {
    if (!window) return nullptr;
    if (window->objectName() == name) return window;
    if (QWidget* w = window->findChild<QWidget*>(name)) return w;
    return window->findChild<QAction*>(name);
}

QObject* WindowSet::find(const QString& name, QString* why) const {
    if (name.isEmpty()) {
        if (why) *why = QStringLiteral("empty name");
        return nullptr;
    }
    const int dot = int(name.indexOf(QLatin1Char('.')));
    if (dot > 0) {
        if (QWidget* w = window(name.left(dot))) {
            const QString inner = name.mid(dot + 1);
            if (QObject* found = findIn(w, inner)) return found;
            if (why) *why = QStringLiteral("no widget or action named %1 in window %2").arg(inner, name.left(dot));
            return nullptr;
        }
    }
    QList<QWidget*> order;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) order << modal;
    if (QWidget* main = mainWindow()) order << main;
    for (QWidget* w : windows()) order << w;
    for (QWidget* w : order) {
        if (QObject* found = findIn(w, name)) return found;
    }
    if (why) *why = QStringLiteral("no widget or action named %1").arg(name);
    return nullptr;
}

QString WindowSet::windowNameOf(const QObject* object) const {
    for (const QObject* o = object; o; o = o->parent()) {
        for (QWidget* w : windows()) {
            if (w == o) return w->objectName();
        }
    }
    return {};
}

QTabWidget* WindowSet::pageControl() const {
    QWidget* main = mainWindow();
    return main ? main->findChild<QTabWidget*>(QStringLiteral("suiPageControl1")) : nullptr;
}

QWidget* WindowSet::deviceList() const {
    QWidget* main = mainWindow();
    return main ? main->findChild<QWidget*>(QStringLiteral("RzGroupBar1")) : nullptr;
}

}  // namespace izleme
