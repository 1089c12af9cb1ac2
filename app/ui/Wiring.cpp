#include "app/ui/Wiring.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <memory>

#include "app/ui/PageControl.h"
#include "app/ui/Startup.h"
#include "app/ui/TFrmAna.h"
#include "registers/ui/InstantValuesPage.h"
#include "registers/ui/RegisterReplies.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/Connection.h"
#include "server/ui/DeviceList.h"
#include "server/ui/TFrmGiris.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {
namespace {

// The over-current relay page's serial display: the device selection writes
// it, so it exists from the start even before the rest of that page does.
LedDisplay* relaySerialDisplay(QFrame* panel8) {
    if (auto* existing = panel8->findChild<LedDisplay*>(QStringLiteral("Sno"))) return existing;
    auto* sno = new LedDisplay(QStringLiteral("0"), 10, panel8);
    sno->setObjectName(QStringLiteral("Sno"));
    QLayout* layout = panel8->layout();
    if (layout == nullptr) layout = new QVBoxLayout(panel8);
    layout->addWidget(sno);
    return sno;
}

}  // namespace

void wireFirstRoad(const Forms& forms) {
    TFrmAna* ana = forms.FrmAna;
    Connection& connection = forms.FrmGiris->connection();
    const ShellPages& pages = ana->pages();
    PageControl* pageControl = ana->pageControl();
    RegisterTable& table = forms.VD1KAL->table;

    auto* instant = new InstantValuesPage(
        pages.Panel7, pages.Edit1, pages.Label17, [pageControl] { return pageControl->activePage() == 0; }, table,
        ana->state());

    DeviceListPorts ports;
    ports.shell = ana;
    ports.connection = &connection;
    ports.table = &table;
    ports.Panel7 = pages.Panel7;
    ports.Panel8 = pages.Panel8;
    ports.Edit111 = pages.Edit111;
    ports.Sno = relaySerialDisplay(pages.Panel8);
    ports.mainWindow = ana;
    ports.setTabVisible = [pageControl](int page, bool visible) { pageControl->setTabVisible(page, visible); };
    ports.selectPage = [pageControl](int page) { pageControl->selectPage(page); };
    auto* devices = new DeviceList(std::move(ports), ana);
    devices->setObjectName(QStringLiteral("DeviceList"));

    QPointer<TFrmAna> shell(ana);
    RegisterRepliesPorts replyPorts;
    replyPorts.table = &table;
    replyPorts.state = &ana->state();
    replyPorts.Label2 = pages.Label2;
    replyPorts.Memo1 = forms.VD1KAL->Memo1;
    // The values of a reply show at once; the one-second refresh goes on as well.
    replyPorts.refreshNow = [shell] {
        if (shell) shell->Timer1Timer();
    };
    auto registerReplies = std::make_shared<RegisterReplies>(std::move(replyPorts));

    QPointer<InstantValuesPage> instantPage(instant);
    ana->addRefreshStep([instantPage] {
        if (instantPage) instantPage->Timer1Timer();
    });
    ana->setPingAction([&connection] { connection.TimerPingTimer(); });

    ClientReplies& replies = connection.replies();
    QPointer<DeviceList> deviceList(devices);
    replies.onCihazlar = [deviceList](std::string_view group, std::string_view model, std::string_view name,
                                      std::string_view serial) {
        if (deviceList) deviceList->cihazlar(group, model, name, serial);
    };
    replies.onEnerjial = [shell, registerReplies](const EnerjialRoute& route, std::string_view text) {
        if (shell) registerReplies->enerjial(route, text);
    };
}

}  // namespace izleme
