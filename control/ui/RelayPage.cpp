#include "control/ui/RelayPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <optional>

#include "control/core/RelayValues.h"
#include "registers/ui/PageContext.h"
#include "server/core/DeviceEntry.h"
#include "server/core/Keywords.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/Named.h"
#include "toolkit/ui/PowerButton.h"

namespace izleme {
namespace {

const char* const kStyle = R"(
QWidget#Panel8Values { background: #0b0f14; }
QFrame[role="relayGroup"] { background: #080a0d; border: 1px solid #2c3642; border-radius: 4px; }
QLabel[role="relayCaption"] { color: #ffc040; font-weight: bold; font-size: 13px; background: #151b22;
                              padding: 2px 6px; border-bottom: 1px solid #2c3642; }
QLabel[role="relayLead"] { color: #e8e8e8; font-weight: bold; }
QLabel[role="relayUnit"] { color: #80d8ff; font-weight: bold; }
QPushButton[role="relayCommand"] { font-weight: bold; padding: 6px 14px; }
izleme--PowerButton { color: #e8e8e8; }
)";

QLabel* label(const QString& text, const char* role, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("role", role);
    return l;
}

// A framed group with its caption bar; the body layout is returned.
QFrame* group(const QString& caption, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setProperty("role", "relayGroup");
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(6);
    column->addWidget(label(caption, "relayCaption", frame));
    return frame;
}

}  // namespace

RelayPage::RelayPage(const PageContext& context, QFrame* panel8)
    : QWidget(panel8),
      state_(context.state),
      table_(context.table),
      requests_(context.requests),
      status_(context.status) {
    setObjectName(QStringLiteral("Panel8Values"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromUtf8(kStyle));
    buildWidgets();
    QLayout* outer = panel8->layout();
    if (outer == nullptr) outer = new QVBoxLayout(panel8);
    outer->addWidget(this);

    connect(VrShadowButton1, &QPushButton::clicked, this, &RelayPage::VrShadowButton1Click);
    connect(VrShadowButton2, &QPushButton::clicked, this, &RelayPage::VrShadowButton2Click);
    connect(VrShadowButton3, &QPushButton::clicked, this, &RelayPage::VrShadowButton3Click);

    connect(&context.selection, &DeviceSelection::changed, this, [this](const ActiveDevice& device) {
        if (!device.isMeter) Sno->setText(device.serialText);
    });
    context.replies.subscribe(
        kw::akimdegerleri, [this](const Reply& reply) { showCurrentValues(reply); }, this);
    // Subscribed after the register replies (the pages are built in that
    // order), so the table already holds what this reply carried.
    context.replies.subscribeData(
        "anideger", [this](const DataReply& reply) { showRegisters(reply); }, this);
}

void RelayPage::buildWidgets() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(10);

    auto display = [](const char* name, const char* text, int cells, QWidget* parent) {
        return named(new LedDisplay(QString::fromUtf8(text), cells, parent), name);
    };

    // Identity and clock of the relay.
    QFrame* identity = group(QStringLiteral("Röle"), this);
    auto* idRow = new QHBoxLayout;
    idRow->setContentsMargins(10, 0, 10, 0);
    idRow->setSpacing(8);
    Sno = display("Sno", "0", 10, identity);
    Trh = display("Trh", "0", 10, identity);
    Saat = display("Saat", "0", 8, identity);
    const std::pair<const char*, LedDisplay*> ids[] = {{"Seri No:", Sno}, {"Tarih:", Trh}, {"Saat:", Saat}};
    for (const auto& [caption, d] : ids) {
        idRow->addWidget(label(QString::fromUtf8(caption), "relayLead", identity));
        d->setMinimumHeight(40);
        idRow->addWidget(d);
        idRow->addSpacing(14);
    }
    idRow->addStretch(1);
    static_cast<QVBoxLayout*>(identity->layout())->addLayout(idRow);
    page->addWidget(identity);

    // The four currents, each in its own panel.
    auto* currents = new QHBoxLayout;
    currents->setSpacing(10);
    const std::pair<const char*, LedDisplay**> amps[] = {
        {"I 1", &akim1}, {"I 2", &akim2}, {"I 3", &akim3}, {"I t", &akimt}};
    const char* const names[] = {"akim1", "akim2", "akim3", "akimt"};
    int n = 0;
    for (const auto& [caption, member] : amps) {
        QFrame* g = group(QString::fromUtf8(caption), this);
        LedDisplay* d = *member = display(names[n++], "8.88", 7, g);
        d->setMinimumHeight(64);
        d->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(10, 4, 10, 0);
        row->addWidget(d, 1);
        row->addWidget(label(QStringLiteral("A"), "relayUnit", g));
        static_cast<QVBoxLayout*>(g->layout())->addLayout(row);
        currents->addWidget(g, 1);
    }
    page->addLayout(currents);

    // Outputs and commands.
    QFrame* outputs = group(QStringLiteral("Röle Çıkışları"), this);
    auto* outRow = new QHBoxLayout;
    outRow->setContentsMargins(10, 4, 10, 0);
    outRow->setSpacing(18);
    role1 = named(new PowerButton(QStringLiteral("Röle 1"), outputs), "role1");
    role2 = named(new PowerButton(QStringLiteral("Röle 2"), outputs), "role2");
    role3 = named(new PowerButton(QStringLiteral("Röle 3"), outputs), "role3");
    for (PowerButton* b : {role1, role2, role3}) {
        b->setCheckable(true);
        outRow->addWidget(b);
    }
    outRow->addSpacing(20);
    auto* commands = new QVBoxLayout;
    VrShadowButton1 = named(new QPushButton(QStringLiteral("Röleleri Çek"), outputs), "VrShadowButton1");
    VrShadowButton2 = named(new QPushButton(QStringLiteral("Değerleri Oku"), outputs), "VrShadowButton2");
    VrShadowButton3 = named(new QPushButton(QStringLiteral("Sabit Değerleri Yaz"), outputs), "VrShadowButton3");
    for (QPushButton* b : {VrShadowButton1, VrShadowButton2, VrShadowButton3}) {
        b->setProperty("role", "relayCommand");
        commands->addWidget(b);
    }
    outRow->addLayout(commands);
    outRow->addStretch(1);
    static_cast<QVBoxLayout*>(outputs->layout())->addLayout(outRow);
    page->addWidget(outputs);
    page->addStretch(1);
}

void RelayPage::VrShadowButton1Click() {
    const std::optional<std::string> serial = toCp1254(Sno->text());
    if (!serial) return;
    const char outputs = relayOutputByte(role1->isChecked(), role2->isChecked(), role3->isChecked());
    // A pull that could not go out (no connection) claims nothing.
    if (!requests_.send(kw::roleaktif, {*serial, std::string(1, outputs)})) return;
    status_.setRequestLine(QStringLiteral(" Röle çekme isteği gönderildi"));
    status_.setStatusLine(QString());
}

void RelayPage::VrShadowButton2Click() {
    if (const std::optional<std::string> serial = toCp1254(Sno->text())) requests_.send(kw::AARdegerlerioku, {*serial});
}

void RelayPage::VrShadowButton3Click() { requests_.send(kw::sabitleriyaz, {}); }

void RelayPage::showCurrentValues(const Reply& reply) {
    const std::array<LedDisplay*, 7> displays{akim1, akim2, akim3, akimt, Sno, Trh, Saat};
    for (std::size_t i = 0; i < displays.size(); ++i)
        displays[i]->setText(i < reply.fields.size() ? fromCp1254(reply.fields[i]) : QString());
}

void RelayPage::showRegisters(const DataReply& /*reply*/) {
    if (state_.activeKind != device::kindKlm200) return;
    std::array<double, kRelayRegisterCount> registers{};
    for (int r = 0; r < kRelayRegisterCount; ++r) registers[static_cast<std::size_t>(r)] = table_.value(1, r);
    const RelayRegisterTexts t = relayRegisterTexts(registers, state_.decimalSeparator);
    Saat->setText(fromCp1254(t.saat));
    Trh->setText(fromCp1254(t.trh));
    const std::array<LedDisplay*, 4> currents{akim1, akim2, akim3, akimt};
    for (std::size_t i = 0; i < currents.size(); ++i) currents[i]->setText(fromCp1254(t.akim[i]));
}

}  // namespace izleme
