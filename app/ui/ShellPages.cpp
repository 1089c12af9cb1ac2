#include "app/ui/ShellPages.h"

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

#include "app/ui/PageControl.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

QDateEdit* datePicker(QWidget* parent, const char* name) {
    auto* d = named(new QDateEdit(parent), name);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    return d;
}

QLabel* caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

// Page 0: Panel7 fills the page; a top strip carries the heading, the serial
// label and the row box; the values below belong to the register views.
void buildAniPage(QWidget* sheet, ShellPages& p) {
    auto* outer = new QVBoxLayout(sheet);
    outer->setContentsMargins(0, 0, 0, 0);
    p.Panel7 = named(new QFrame(sheet), "Panel7");
    p.Panel7->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(p.Panel7);
    auto* layout = new QVBoxLayout(p.Panel7);
    auto* strip = named(new QFrame(p.Panel7), "Panel7Strip");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 2, 6, 2);
    p.Label2 = named(new QLabel(strip), "Label2");
    p.Label2->setProperty("role", "heading");
    p.Label17 = named(new QLabel(QStringLiteral("12001"), strip), "Label17");
    p.Label17->setProperty("role", "serial");
    p.Edit1 = named(new QLineEdit(QStringLiteral("1"), strip), "Edit1");
    p.Edit1->setFixedWidth(48);
    row->addWidget(p.Label2, 1);
    row->addWidget(caption(QStringLiteral("Seri No:"), strip));
    row->addWidget(p.Label17);
    row->addWidget(p.Edit1);
    layout->addWidget(strip);
    layout->addStretch(1);
    p.stageSummary = named(new QFrame(p.Panel7), "stageSummary");
    layout->addWidget(p.stageSummary);
}

// Page 1: the consumption totals above the date-range panel. The date-range
// container starts with the serial box and the two dates of its request; the
// date-range panel lays them out with the rest of its controls.
void buildConsumptionPage(QWidget* sheet, ShellPages& p) {
    auto* layout = new QVBoxLayout(sheet);
    p.consumptionTotals = named(new QFrame(sheet), "consumptionTotals");
    p.consumptionRange = named(new QFrame(sheet), "consumptionRange");
    p.Edit111 = named(new QLineEdit(p.consumptionRange), "Edit111");
    p.DateTimePicker1 = datePicker(p.consumptionRange, "DateTimePicker1");
    p.DateTimePicker2 = datePicker(p.consumptionRange, "DateTimePicker2");
    layout->addWidget(p.consumptionTotals);
    layout->addWidget(p.consumptionRange);
    layout->addStretch(1);
}

// Page 2: Panel8, the over-current relay values, hidden until such a device is selected.
void buildRelayPage(QWidget* sheet, ShellPages& p) {
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    p.Panel8 = named(new QFrame(sheet), "Panel8");
    p.Panel8->setFrameShape(QFrame::StyledPanel);
    p.Panel8->hide();
    layout->addWidget(p.Panel8);
}

// Page 6: a black left half of 513 pixels (index displays above the
// date-range panel) and the readout on the right. The date-range container
// starts with the meter's serial box, its dates and the box `Edit3`; the
// date-range panel lays them out with the rest of its controls.
void buildMeterPage(QWidget* sheet, ShellPages& p) {
    auto* layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* left = named(new QFrame(sheet), "meterLeft");
    left->setFixedWidth(513);
    left->setAutoFillBackground(true);
    QPalette black = left->palette();
    black.setColor(QPalette::Window, Qt::black);
    left->setPalette(black);
    auto* column = new QVBoxLayout(left);
    p.meterIndexes = named(new QFrame(left), "meterIndexes");
    p.meterRange = named(new QFrame(left), "meterRange");
    p.Edit5 = named(new QLineEdit(p.meterRange), "Edit5");
    p.Edit3 = named(new QLineEdit(p.meterRange), "Edit3");
    p.dtsycilktarih = datePicker(p.meterRange, "dtsycilktarih");
    p.dtsycsontarih = datePicker(p.meterRange, "dtsycsontarih");
    column->addWidget(p.meterIndexes);
    column->addWidget(p.meterRange);
    column->addStretch(1);
    p.meterReadout = named(new QFrame(sheet), "meterReadout");
    layout->addWidget(left);
    layout->addWidget(p.meterReadout, 1);
}

}  // namespace

ShellPages buildShellPages(PageControl* pages) {
    static const char* const captions[ShellPages::count] = {"Analizör-Ani Değerler", "Analizör-Tüketim Değerleri",
                                                            "Aşırı Akım Rölesi",     "Harmonikler",
                                                            "Kondansatör Durumları", "Ayarlar",
                                                            "Sayaç Okuma",           "Cihaz Bilgileri"};
    ShellPages p;
    for (int i = 0; i < ShellPages::count; ++i) {
        auto* sheet = new QWidget(pages);
        sheet->setObjectName(QStringLiteral("suiTabSheet%1").arg(i + 1));
        pages->addTab(sheet, QString::fromUtf8(captions[i]));
        p.sheets[static_cast<std::size_t>(i)] = sheet;
    }
    buildAniPage(p.sheets[0], p);
    buildConsumptionPage(p.sheets[1], p);
    buildRelayPage(p.sheets[2], p);
    buildMeterPage(p.sheets[6], p);
    pages->resetRules();
    pages->setTabVisible(7, false);  // an empty page nothing shows
    pages->setTabVisible(6, false);  // the meter page, shown for meters
    return p;
}

}  // namespace izleme
