#include "app/ui/Pages.h"

#include <QLineEdit>

#include "app/ui/ActivityLamp.h"
#include "app/ui/PageControl.h"
#include "app/ui/Startup.h"
#include "app/ui/TFrmAna.h"
#include "control/ui/RelayPage.h"
#include "registers/ui/InstantValuesPage.h"
#include "registers/ui/PageContext.h"
#include "registers/ui/RegisterReplies.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/Connection.h"
#include "server/ui/DeviceList.h"
#include "server/ui/TFrmGiris.h"
#include "server/ui/TFrmMesajlar.h"

namespace izleme {

void createPages(const Forms& forms) {
    TFrmAna* ana = forms.FrmAna;
    const ShellPages& sheets = ana->pages();
    PageControl* pageControl = ana->pageControl();
    Connection& connection = forms.FrmGiris->connection();
    ana->setPingAction([&connection] { connection.TimerPingTimer(); });

    // Pages keep what they use of the context, not the context itself.
    const PageContext context{ana->state(),
                              forms.VD1KAL->table,
                              ana->requests(),
                              ana->router(),
                              ana->refreshLoop(),
                              ana->selection(),
                              *ana,
                              [pageControl](int page) { return pageControl->activePage() == page; }};

    DeviceListPorts devices;
    devices.shell = ana;
    devices.connection = &connection;
    devices.selection = &ana->selection();
    devices.setActiveSerialText = [edit = sheets.Edit111](const QString& text) { edit->setText(text); };
    devices.selectPage = [pageControl](int page) { pageControl->selectPage(page); };
    (new DeviceList(std::move(devices), ana))->setObjectName(QStringLiteral("DeviceList"));

    // The pages, one line each.
    new RegisterReplies(
        context, forms.VD1KAL->Memo1, [poll = forms.VD1KAL] { poll->clearSerialReceiveText(); }, ana);
    new InstantValuesPage(context, sheets.Panel7, sheets.Edit1, sheets.Label17);
    new RelayPage(context, sheets.Panel8);
    forms.FrmMesajlar->attach(ana->state(), ana->requests(), ana->router(), *ana);
    // Bit 7 of the lamp's colour value, which keeps red in its low byte.
    forms.VD1KAL->setLampFlip([lamp = ana->Shape1] { lamp->xorBrush(0x800000); });
}

}  // namespace izleme
