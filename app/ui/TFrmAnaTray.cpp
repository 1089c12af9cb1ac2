// The main window's menus and tray icon.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/ui/TFrmAna.h"
#include "toolkit/ui/ImageList.h"

namespace izleme {
namespace {

QAction* action(QObject* owner, const char* name, const QString& text, bool enabled = true) {
    auto* a = new QAction(text, owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

}  // namespace

void TFrmAna::buildMenus() {
    QMenu* cihaz = menuBar()->addMenu(QStringLiteral("Cihaz"));
    cihaz->setObjectName(QStringLiteral("Cihaz1"));
    Baglan1 = action(this, "Baglan1", QStringLiteral("Bağlan..."));
    cihaz->addAction(Baglan1);
    Haberlesme1 = action(this, "Haberlesme1", QStringLiteral("Haberlesme"));
    Veri1 = action(this, "Veri1", QStringLiteral("Veri"));
    cihaz->addAction(Haberlesme1);
    cihaz->addAction(Veri1);
    QMenu* mesajlar = menuBar()->addMenu(QStringLiteral("Mesajlar"));
    mesajlar->setObjectName(QStringLiteral("Mesajlar1"));
    Oku1 = action(this, "Oku1", QStringLiteral("Yeni Mesajları Oku"));
    mesajlar->addAction(Oku1);
    AktifCihaz1 = action(this, "AktifCihaz1", QStringLiteral("Aktif Cihaz: 0"));
    menuBar()->addAction(AktifCihaz1);
    connect(Baglan1, &QAction::triggered, this, &TFrmAna::Baglan1Click);
    connect(Haberlesme1, &QAction::triggered, this, &TFrmAna::Haberlesme1Click);
    connect(Veri1, &QAction::triggered, this, &TFrmAna::Veri1Click);
    connect(Oku1, &QAction::triggered, this, &TFrmAna::Oku1Click);
}

// The tray icon animates from the start; its menu is attached on connect.
void TFrmAna::buildTray() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    A1 = action(this, "A1", QStringLiteral("Aç"));
    PopupMenu1->addAction(A1);
    PopupMenu1->addSeparator();
    auto* sub = new QMenu(QStringLiteral("Kompanzasyon Tabiki"), this);
    sub->setObjectName(QStringLiteral("KompanzasyonTabikiMenu"));
    KritikSeviye1 = action(this, "KritikSeviye1", QStringLiteral("Kritik Seviyedeki Cihazları Listele"), false);
    CezaDurumu1 = action(this, "CezaDurumu1", QStringLiteral("Ceza Durumundaki Cihazları Listele"), false);
    sub->addAction(KritikSeviye1);
    sub->addAction(CezaDurumu1);
    KompanzasyonTabiki1 = sub->menuAction();
    KompanzasyonTabiki1->setObjectName(QStringLiteral("KompanzasyonTabiki1"));
    KompanzasyonTabiki1->setEnabled(false);
    PopupMenu1->addAction(KompanzasyonTabiki1);
    PopupMenu1->addSeparator();
    MesajlarimiOku1 = action(this, "MesajlarimiOku1", QStringLiteral("Mesajlarımı Oku"));
    NuvekeMesajGonder1 = action(this, "NuvekeMesajGonder1", QStringLiteral("Nuveke Mesaj Gönder"), false);
    PopupMenu1->addAction(MesajlarimiOku1);
    PopupMenu1->addAction(NuvekeMesajGonder1);
    PopupMenu1->addSeparator();
    Kapat1 = action(this, "Kapat1", QStringLiteral("Kapat"));
    PopupMenu1->addAction(Kapat1);
    connect(A1, &QAction::triggered, this, &TFrmAna::A1Click);
    connect(Kapat1, &QAction::triggered, this, &TFrmAna::Kapat1Click);

    TrayIcon1 = new QSystemTrayIcon(ImageList::trayFrame(0), this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setToolTip(QStringLiteral("izleme"));
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) A1Click();
    });
    trayAnimation_ = new QTimer(this);
    trayAnimation_->setObjectName(QStringLiteral("TrayAnimation"));
    trayAnimation_->setInterval(200);
    connect(trayAnimation_, &QTimer::timeout, this, [this] {
        trayFrame_ = (trayFrame_ + 1) % ImageList::trayFrameCount;
        TrayIcon1->setIcon(ImageList::trayFrame(trayFrame_));
    });
    trayAnimation_->start();
    if (QSystemTrayIcon::isSystemTrayAvailable()) TrayIcon1->show();
}

// The login window whenever the operator wants it: after a refused login,
// a lost connection, or a close by its title bar.
void TFrmAna::Baglan1Click() {
    if (!login_) return;
    login_->show();
    login_->raise();
    login_->activateWindow();
}

void TFrmAna::attachTrayMenu() {
    TrayIcon1->setContextMenu(PopupMenu1);
    trayMenuAttached_ = true;
}

void TFrmAna::A1Click() {
    showNormal();
    raise();
    activateWindow();
}

void TFrmAna::Kapat1Click() { close(); }

// Minimised, the program lives in the tray only (when there is a tray).
void TFrmAna::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && TrayIcon1->isVisible())
        QTimer::singleShot(0, this, &QWidget::hide);
}

}  // namespace izleme
