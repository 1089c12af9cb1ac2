#include "app/ui/Pages.h"

#include <QLineEdit>

#include "app/ui/ActivityLamp.h"
#include "app/ui/PageControl.h"
#include "app/ui/Startup.h"
#include "app/ui/TFrmAna.h"
#include "control/ui/HarmonicsPage.h"
#include "control/ui/RelayPage.h"
#include "control/ui/SettingsPage.h"
#include "control/ui/StagesPage.h"
#include "energy/ui/ConsumptionPage.h"
#include "energy/ui/DeviceRecords.h"
#include "energy/ui/EnergyRangePanel.h"
#include "energy/ui/MeterReadingPage.h"
#include "registers/ui/InstantValuesPage.h"
#include "registers/ui/PageContext.h"
#include "registers/ui/RegisterReplies.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/Connection.h"
#include "server/ui/DeviceList.h"
#include "server/ui/TFrmGiris.h"
#include "server/ui/TFrmMesajlar.h"
#include "server/ui/Tfrmuyari.h"

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
    auto* deviceList = new DeviceList(std::move(devices), ana);
    deviceList->setObjectName(QStringLiteral("DeviceList"));

    // The pages, one line each. RegisterReplies comes first: it stores a
    // register reply before any page that reads the stored registers of it.
    new RegisterReplies(
        context, forms.VD1KAL->Memo1, [poll = forms.VD1KAL] { poll->clearSerialReceiveText(); }, ana);
    new InstantValuesPage(context, sheets.Panel7, sheets.Edit1, sheets.Label17);
    new RelayPage(context, sheets.Panel8);
    new HarmonicsPage(context, sheets.sheets[3]);
    new StagesPage(context, sheets.sheets[4], sheets.stageSummary);
    new SettingsPage(context, sheets.sheets[5]);
    auto* meterReading = new MeterReadingPage(context, sheets.meterIndexes, sheets.meterReadout);
    new ConsumptionPage(context, sheets.consumptionTotals);
    new DeviceRecords(context, deviceList, ana);
    auto* consumptionRange = new EnergyRangePanel(
        context, RangePanelKind::Consumption,
        {sheets.consumptionRange, sheets.Edit111, sheets.DateTimePicker1, sheets.DateTimePicker2, nullptr});
    auto* meterRange = new EnergyRangePanel(
        context, RangePanelKind::Meter,
        {sheets.meterRange, sheets.Edit5, sheets.dtsycilktarih, sheets.dtsycsontarih, sheets.Edit3});
    forms.FrmMesajlar->attach(ana->state(), ana->requests(), ana->router(), *ana);
    // Bit 7 of the lamp's colour value, which keeps red in its low byte.
    forms.VD1KAL->setLampFlip([lamp = ana->Shape1] { lamp->xorBrush(0x800000); });

    // A ratio in "CEZA" on either date-range panel raises the alarm window.
    for (EnergyRangePanel* panel : {consumptionRange, meterRange})
        QObject::connect(panel, &EnergyRangePanel::penaltyAlarm, forms.frmuyari, &Tfrmuyari::showAlarm);
    // A meter reading empties the dated readings of the meter page's lower half
    // (its ratios too for a utility reading).
    QObject::connect(meterReading, &MeterReadingPage::readingRequested, meterRange, &EnergyRangePanel::clearForReading);
}

}  // namespace izleme
