// The main window: page control, menus, tray icon, top bar with the activity
// lamp and the status texts, the device column, the shell's timers, the
// server socket and the shared state.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "app/ui/ShellPages.h"
#include "registers/core/RefreshLoop.h"
#include "server/core/SharedState.h"
#include "server/ui/ShellPort.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTcpSocket;
class QTimer;

namespace izleme {

class ActivityLamp;
class PageControl;
class TFrmhaberlesme;
class UrlLabel;
class DeviceSelection;
class ReplyRouter;
class Requests;
struct ActiveDevice;
struct PlatformServices;

class TFrmAna : public QMainWindow, public ShellPort {
    Q_OBJECT
public:
    explicit TFrmAna(std::shared_ptr<PlatformServices> services, QWidget* parent = nullptr);
    ~TFrmAna() override;

    // The other windows the shell shows or writes to; set once at start-up.
    void setCompanions(QDialog* login, TFrmhaberlesme* log, QWidget* serialPoll, QWidget* messages);
    // Windows that live as long as the main window; they are deleted first,
    // last created first, while the main window they may refer to is whole.
    void ownWindows(const QList<QWidget*>& windows);

    // ShellPort
    SharedState& state() override { return state_; }
    QTcpSocket* socket() override { return Clientsoket; }
    RequestSender& sender() override;
    ReplyRouter& router() override { return *router_; }
    Requests& requests() override { return *requests_; }
    GroupBar* deviceList() override { return RzGroupBar1; }
    void setStatusLine(const QString& text) override;
    void setRequestLine(const QString& text) override;
    void setHeading(const QString& text) override;
    QString mainCaption() const override { return windowTitle(); }
    void setMainCaption(const QString& text) override;
    void attachTrayMenu() override;
    void appendLogLine(const QString& line) override;
    void lampFlicker() override;
    void lampGreen() override;
    void closeMainWindow() override;

    void showNewMessageLink();  // `RzURLLabel1` visible

    // The register display refresh that Timer1 runs: pages add their updates.
    RefreshLoop& refreshLoop() { return refresh_; }
    // The active device changes announced by the device list.
    DeviceSelection& selection() { return *selection_; }
    // The keep-alive that TimerPing sends.
    void setPingAction(std::function<void()> action);

    std::shared_ptr<PlatformServices> services() const { return services_; }
    PageControl* pageControl() const { return suiPageControl1; }
    const ShellPages& pages() const { return pages_; }
    bool trayMenuAttached() const { return trayMenuAttached_; }

    // Controls (objectName = member name).
    QTcpSocket* Clientsoket;
    QTimer* TimerPing;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    PageControl* suiPageControl1;
    ActivityLamp* Shape1;
    QLabel* LblMesaj;
    QLabel* LblGiden;
    UrlLabel* RzURLLabel1;
    GroupBar* RzGroupBar1;
    QAction* Haberlesme1;
    QAction* Baglan1;
    QAction* Veri1;
    QAction* Oku1;
    QAction* AktifCihaz1;
    QSystemTrayIcon* TrayIcon1;
    QMenu* PopupMenu1;
    QAction* A1;
    QAction* KompanzasyonTabiki1;
    QAction* KritikSeviye1;
    QAction* CezaDurumu1;
    QAction* MesajlarimiOku1;
    QAction* NuvekeMesajGonder1;
    QAction* Kapat1;

public slots:
    void FormShow();
    void Timer1Timer();
    void TimerPingTimer();
    void Timer2Timer();
    void Timer3Timer();
    void RzURLLabel1Click();
    void Oku1Click();
    void Haberlesme1Click();
    void Baglan1Click();
    void Veri1Click();
    void A1Click();
    void Kapat1Click();
    void Edit111Change();

signals:
    // The show step has finished: the login window closed and the start layout is set.
    void startLayoutReady();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildTopBar();
    QWidget* buildLeftColumn();
    void buildMenus();
    void buildTray();
    void buildTimers();
    void finishShowStep();
    void applyLayout(const ActiveDevice& device);
    void fitToScreen();  // the frame within the screen's available area
    static void runGuarded(const std::function<void()>& work);

    std::shared_ptr<PlatformServices> services_;
    SharedState state_;
    ShellPages pages_;
    RefreshLoop refresh_;
    std::function<void()> pingAction_;
    std::unique_ptr<RequestSender> sender_;
    std::unique_ptr<Requests> requests_;
    std::unique_ptr<ReplyRouter> router_;
    DeviceSelection* selection_ = nullptr;
    QDialog* login_ = nullptr;
    TFrmhaberlesme* log_ = nullptr;
    QWidget* serialPoll_ = nullptr;
    QWidget* messages_ = nullptr;
    QList<QPointer<QWidget>> ownedWindows_;
    QTimer* trayAnimation_ = nullptr;
    int trayFrame_ = 0;
    bool shownOnce_ = false;
    bool trayMenuAttached_ = false;
};

}  // namespace izleme
