// The program's windows as izleme-drive sees them, and the lookup of a
// widget or action by NAME or WINDOW.NAME.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QTabWidget;

namespace izleme {

class WindowSet {
public:
    // Windows in creation order; the main window is the one named FrmAna
    // (or the first one when none is).
    explicit WindowSet(const QList<QWidget*>& windows);

    QList<QWidget*> windows() const;
    QWidget* window(const QString& name) const;
    QWidget* mainWindow() const;

    // Finds a widget or an action. WINDOW.NAME looks only in that window
    // (NAME equal to the window's own name means the window); a bare NAME is
    // looked up in the open modal window, then FrmAna, then the others in
    // creation order. Returns null with the reason in why.
    QObject* find(const QString& name, QString* why = nullptr) const;

    // Name of the window that holds object (empty when none of ours).
    QString windowNameOf(const QObject* object) const;

    QTabWidget* pageControl() const;  // FrmAna's `suiPageControl1`
    QWidget* deviceList() const;      // FrmAna's `RzGroupBar1`

private:
    static QObject* findIn(QWidget* window, const QString& name);
    QList<QPointer<QWidget>> windows_;
};

}  // namespace izleme
