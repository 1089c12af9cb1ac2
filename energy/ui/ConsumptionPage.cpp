#include "energy/ui/ConsumptionPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "energy/ui/EnergyPageStyle.h"
#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "server/ui/DeviceSelection.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {
namespace {

using energy_style::leadLabel;
using energy_style::unitLabel;

const char* const kPageStyle = R"(
QWidget#ConsumptionPage { background: #12151a; }
)";

const QColor kGreen(0x3c, 0xff, 0x5a);
const QColor kLightGreen(0x9c, 0xff, 0x9c);
const QColor kDark(0x02, 0x06, 0x03);

LedDisplay* display(const char* name, const QString& text, int characters, const QColor& digits, QWidget* parent) {
    auto* led = new LedDisplay(text, characters, parent);
    led->setObjectName(QString::fromLatin1(name));
    led->setDigitColor(digits);
    led->setBackgroundColor(kDark);
    return led;
}

QGroupBox* group(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

ConsumptionPage::ConsumptionPage(const PageContext& context, QWidget* totals)
    : QWidget(totals), requests_(context.requests), table_(context.table), state_(context.state) {
    setObjectName(QStringLiteral("ConsumptionPage"));
    setStyleSheet(QString::fromUtf8(kPageStyle) + QString::fromUtf8(energy_style::kPanels));
    build();
    QLayout* outer = totals->layout();
    if (outer == nullptr) {
        outer = new QVBoxLayout(totals);
        outer->setContentsMargins(0, 0, 0, 0);
    }
    outer->addWidget(this);

    context.refresh.add(kConsumptionFirstRegister, [self = QPointer<ConsumptionPage>(this)](int row) {
        if (self) self->showRow(row);
    });
    context.replies.subscribe(
        kw::Sycdegerleri,
        [this](const Reply& r) {
            SayacAktif->setText(fromCp1254(r.fields[0]));
            Sayacind->setText(fromCp1254(r.fields[1]));
            SayacKap->setText(fromCp1254(r.fields[2]));
        },
        this);
    // The counters from before the last reset belong to the relay that was
    // asked: a newly selected relay starts from "0", as a new request does.
    connect(&context.selection, &DeviceSelection::changed, this, [this](const ActiveDevice& device) {
        if (!device.isMeter) zeroPreResetValues();
    });
}

void ConsumptionPage::build() {
    VrShadowButton8 = new QPushButton(QStringLiteral("Enerji Değerlerini İste"), this);
    VrShadowButton8->setObjectName(QStringLiteral("VrShadowButton8"));
    VrShadowButton8->setCursor(Qt::PointingHandCursor);
    connect(VrShadowButton8, &QPushButton::clicked, this, &ConsumptionPage::VrShadowButton8Click);

    // The device's own ratios.
    auto* ratios = group("ratiosBox", QString(), this);
    auto* ratioGrid = new QGridLayout(ratios);
    Toplamindoran = display("Toplamindoran", QString(), 6, kLightGreen, ratios);
    Toplamkaporan = display("Toplamkaporan", QString(), 6, kLightGreen, ratios);
    for (LedDisplay* led : {Toplamindoran, Toplamkaporan}) led->setMinimumWidth(84);
    const std::pair<QString, LedDisplay*> ratioRows[] = {{QStringLiteral("İndüktif / Aktif Oran"), Toplamindoran},
                                                         {QStringLiteral("Kapasitif / Aktif Oran"), Toplamkaporan}};
    int r = 0;
    for (const auto& [lead, led] : ratioRows) {
        ratioGrid->addWidget(leadLabel(lead, ratios), r, 0, Qt::AlignRight | Qt::AlignVCenter);
        ratioGrid->addWidget(led, r, 1);
        ratioGrid->addWidget(unitLabel(QStringLiteral("%"), ratios), r++, 2);
    }
    ratioGrid->addWidget(VrShadowButton8, r, 0, 1, 3, Qt::AlignCenter);
    ratioGrid->setColumnStretch(1, 1);

    // The energy counters, one group each.
    GroupBox10 = group("GroupBox10", QStringLiteral("        Toplam Aktif Enerji (kwh) "), this);
    Ewh = display("Ewh", QStringLiteral("0000000000"), 11, kGreen, GroupBox10);
    GroupBox5 = group("GroupBox5", QStringLiteral("    kVArLh         "), this);
    Elh = display("Elh", QStringLiteral("00000000000"), 11, kGreen, GroupBox5);
    GroupBox6 = group("GroupBox6", QStringLiteral("     kVArCh         "), this);
    ECh = display("ECh", QStringLiteral("00000000000"), 11, kGreen, GroupBox6);
    for (auto [box, led] : {std::pair{GroupBox10, Ewh}, std::pair{GroupBox5, Elh}, std::pair{GroupBox6, ECh}}) {
        auto* l = new QVBoxLayout(box);
        l->addWidget(led);
        led->setMinimumWidth(104);
    }
    auto* counters = new QVBoxLayout;
    counters->setSpacing(4);
    counters->addWidget(GroupBox10);
    counters->addWidget(GroupBox5);
    counters->addWidget(GroupBox6);

    // The values the server keeps from before the device's last reset.
    GroupBox27 = group("GroupBox27", QStringLiteral("Reset Öncesi Sayaç Değerleri "), this);
    SayacAktif = display("SayacAktif", QStringLiteral("0000000"), 9, kGreen, GroupBox27);
    Sayacind = display("Sayacind", QStringLiteral("00000000"), 9, kGreen, GroupBox27);
    SayacKap = display("SayacKap", QStringLiteral("0000000"), 9, kGreen, GroupBox27);
    for (LedDisplay* led : {SayacAktif, Sayacind, SayacKap}) led->setMinimumWidth(84);
    auto* resetGrid = new QGridLayout(GroupBox27);
    const std::tuple<QString, LedDisplay*, QString> resetRows[] = {
        {QStringLiteral("Aktif"), SayacAktif, QStringLiteral("kWh")},
        {QStringLiteral("İnd"), Sayacind, QStringLiteral("kVArLh")},
        {QStringLiteral("Cap"), SayacKap, QStringLiteral("kVArCh")}};
    r = 0;
    for (const auto& [lead, led, unit] : resetRows) {
        resetGrid->addWidget(leadLabel(lead, GroupBox27), r, 0, Qt::AlignRight | Qt::AlignVCenter);
        resetGrid->addWidget(led, r, 1);
        resetGrid->addWidget(unitLabel(unit, GroupBox27), r++, 2);
    }
    resetGrid->setColumnStretch(1, 1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(6);
    row->addWidget(ratios, 3);
    row->addLayout(counters, 3);
    row->addWidget(GroupBox27, 3);

    displays_ = {Toplamindoran, Toplamkaporan, Ewh, Elh, ECh};
    showRow(1);
}

void ConsumptionPage::VrShadowButton8Click() {
    requests_.data("tuketim");
    zeroPreResetValues();
}

void ConsumptionPage::zeroPreResetValues() {
    for (LedDisplay* d : {SayacAktif, Sayacind, SayacKap}) d->setText(QStringLiteral("0"));
}

void ConsumptionPage::showRow(int row) {
    for (std::size_t i = 0; i < displays_.size(); ++i) {
        const std::optional<std::string> text =
            consumptionText(table_, row, kConsumptionDisplays[i], state_.decimalSeparator);
        if (!text) continue;  // cannot be read: the display keeps what it shows
        const QString shown = fromCp1254(*text);
        if (displays_[i]->text() != shown) displays_[i]->setText(shown);
    }
}

}  // namespace izleme
