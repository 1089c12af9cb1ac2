#include "control/ui/SettingsPage.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

#include "control/core/CapacitorStages.h"
#include "control/core/RelaySettings.h"
#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "server/ui/RequestSender.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

// One spin box of the page and its read-back label.
struct Box {
    int reg;
    const char* name;
    const char* caption;  // UTF-8
    double minimum, maximum, initial;
    int decimals;  // 0: a whole-number box
    QSpinBox* SettingsPage::*whole;
    QDoubleSpinBox* SettingsPage::*fraction;
    QLabel* SettingsPage::*label;
    const char* labelName;
};

constexpr Box kBoxes[] = {
    {166, "spinvt", "VT (Gerilim Trafosu)", 1, 2000, 1, 0, &SettingsPage::spinvt, nullptr, &SettingsPage::LBLVT,
     "LBLVT"},
    {167, "spinCT", "CT (Akım Trafosu)", 1, 2000, 10, 0, &SettingsPage::spinCT, nullptr, &SettingsPage::LBLCT, "LBLCT"},
    {168, "spinreaktifhesyon", "Reaktif Hesap Yön", 0, 5, 1, 0, &SettingsPage::spinreaktifhesyon, nullptr,
     &SettingsPage::lblreaktifhesyon, "lblreaktifhesyon"},
    {169, "spinhedefcosind", "Hedef Cos İnd", 0.8, 1.0, 1.0, 3, nullptr, &SettingsPage::spinhedefcosind,
     &SettingsPage::LBLhdfcosind, "LBLhdfcosind"},
    {170, "spinhedefcoskap", "Hedef Cos Kap.", 0.8, 1.0, 1.0, 3, nullptr, &SettingsPage::spinhedefcoskap,
     &SettingsPage::LBLhdfcoskap, "LBLhdfcoskap"},
    {171, "spinkademesayisi", "Kademe Sayısı", 5, 50, 12, 0, &SettingsPage::spinkademesayisi, nullptr,
     &SettingsPage::lblkdmsayisi, "lblkdmsayisi"},
    {172, "spinprogram", "Program", 1, 10, 10, 0, &SettingsPage::spinprogram, nullptr, &SettingsPage::lblprogram,
     "lblprogram"},
    {173, "spinalmasure", "Kademe Alma Süre", 1, 1800, 10, 0, &SettingsPage::spinalmasure, nullptr,
     &SettingsPage::lblalmasure, "lblalmasure"},
    {174, "spincikmasure", "Kademe Çıkma Süre", 1, 1800, 10, 0, &SettingsPage::spincikmasure, nullptr,
     &SettingsPage::lblcikmasure, "lblcikmasure"},
    {175, "spindesarjsure", "Kademe Deşarj Süre", 1, 1800, 14, 0, &SettingsPage::spindesarjsure, nullptr,
     &SettingsPage::lbldesarjsure, "lbldesarjsure"},
    {179, "spinreaktiforan", "Reaktif Oran", 0, 99, 10, 0, &SettingsPage::spinreaktiforan, nullptr,
     &SettingsPage::lblreaktiforan, "lblreaktiforan"},
    {180, "spinkapasitiforan", "Kapasitif Oran", 0, 99, 15, 0, &SettingsPage::spinkapasitiforan, nullptr,
     &SettingsPage::lblkapasitiforan, "lblkapasitiforan"},
};

const char* const kStyle = R"(
QGroupBox { color: #ffc040; font-weight: bold; border: 1px solid #2c3642; border-radius: 4px; margin-top: 16px;
            padding-top: 2px; background: #080a0d; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QGroupBox#GroupBox1 { background: #12151a; }
QLabel[role="settingCaption"] { color: #e8e8e8; font-weight: normal; }
QFrame[role="readBackBar"] { background: #0b3d12; border: 1px solid #1d6b28; border-radius: 2px; }
QLabel[role="readBackTitle"] { color: #c8ffc8; font-weight: bold; }
QLabel[role="readBack"] { color: #7dff7d; font-weight: bold; font-size: 13px; }
QSpinBox, QDoubleSpinBox { background: #000; color: #00ff00; border: 1px solid #3a4350; padding: 1px 4px;
                           min-width: 70px; }
QRadioButton { color: #e8e8e8; font-weight: normal; }
QRadioButton::indicator { width: 12px; height: 12px; border-radius: 7px; border: 1px solid #8a96a4; background: #1a1d22; }
QRadioButton::indicator:checked { background: #2ee64a; border-color: #9cff9c; }
QPushButton { min-width: 64px; }
)";

double boxValue(const QAbstractSpinBox* box) {
    if (const auto* d = qobject_cast<const QDoubleSpinBox*>(box)) return d->value();
    return static_cast<const QSpinBox*>(box)->value();
}

}  // namespace

SettingsPage::SettingsPage(const PageContext& context, QWidget* sheet)
    : QWidget(sheet),
      table_(context.table),
      state_(context.state),
      requests_(context.requests),
      status_(context.status) {
    setObjectName(QStringLiteral("SettingsPage"));
    setStyleSheet(QString::fromUtf8(kStyle));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 4, 8, 8);
    page->setSpacing(6);

    auto* fixed = named(new QGroupBox(QStringLiteral("Sabit Değerler"), this), "GroupBox1");
    auto* column = new QVBoxLayout(fixed);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    GroupBox15 = buildGroup("GroupBox15", QStringLiteral("Akım-Gerilim Trafosu "), 166, Button7, "Button7");
    GroupBox23 = buildGroup("GroupBox23", QStringLiteral("Ceza Sınırları-Program"), 169, Button17, "Button17");
    GroupBox4 = buildGroup("GroupBox4", QStringLiteral("Alma Çıkarma Süreleri"), 173, Button5, "Button5");
    GroupBox19 = buildGroup("GroupBox19", QStringLiteral("Reaktif Kapasitif Oran"), 179, Button11, "Button11");
    for (QGroupBox* g : {GroupBox15, GroupBox23, GroupBox4, GroupBox19}) {
        g->setParent(fixed);
        column->addWidget(g);
    }
    sabitoku = named(new QPushButton(QStringLiteral("Değerleri Oku"), fixed), "sabitoku");
    column->addWidget(sabitoku, 0, Qt::AlignLeft);
    page->addWidget(fixed);
    page->addWidget(buildModeGroups());
    page->addStretch(1);

    auto* sheetLayout = sheet->layout() != nullptr ? sheet->layout() : new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(this);

    connect(sabitoku, &QPushButton::clicked, this, &SettingsPage::sabitokuClick);
    connect(Button7, &QPushButton::clicked, this, &SettingsPage::Button7Click);
    connect(Button17, &QPushButton::clicked, this, &SettingsPage::Button17Click);
    connect(Button5, &QPushButton::clicked, this, &SettingsPage::Button5Click);
    connect(Button11, &QPushButton::clicked, this, &SettingsPage::Button11Click);
    connect(konmodgonder, &QPushButton::clicked, this, &SettingsPage::konmodgonderClick);
    connect(Button6, &QPushButton::clicked, this, &SettingsPage::Button6Click);

    context.refresh.add(kFirstSettingRegister, [self = QPointer<SettingsPage>(this)](int row) {
        if (self) self->showReadBack(row);
    });
}

QGroupBox* SettingsPage::buildGroup(const char* name, const QString& title, int firstRegister, QPushButton*& set,
                                    const char* setName) {
    auto* group = named(new QGroupBox(title, this), name);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    // Row 2 is the read-back bar: a dark green strip under the boxes, the
    // labels on it in the columns of their boxes.
    auto* bar = new QFrame(group);
    bar->setProperty("role", "readBackBar");
    bar->setMinimumHeight(22);
    grid->addWidget(bar, 2, 0, 1, 6);
    auto* barTitle = new QLabel(QStringLiteral("Okunan Değerler"), group);
    barTitle->setProperty("role", "readBackTitle");
    grid->addWidget(barTitle, 2, 0, Qt::AlignVCenter | Qt::AlignLeft);
    grid->setColumnMinimumWidth(0, 112);

    int col = 1;
    const SettingsGroup* writes = nullptr;
    for (const SettingsGroup& g : settingsGroups())
        if (g.firstRegister == firstRegister) writes = &g;
    for (const Box& b : kBoxes) {
        if (writes == nullptr || b.reg < writes->firstRegister || b.reg >= writes->firstRegister + writes->count)
            continue;
        auto* caption = new QLabel(QString::fromUtf8(b.caption), group);
        caption->setProperty("role", "settingCaption");
        grid->addWidget(caption, 0, col);
        QAbstractSpinBox* box = nullptr;
        if (b.decimals == 0) {
            auto* s = new QSpinBox(group);
            s->setRange(static_cast<int>(b.minimum), static_cast<int>(b.maximum));
            s->setValue(static_cast<int>(b.initial));
            this->*b.whole = s;
            box = s;
        } else {
            auto* s = new QDoubleSpinBox(group);
            s->setDecimals(b.decimals);
            s->setSingleStep(0.001);
            s->setRange(b.minimum, b.maximum);
            s->setValue(b.initial);
            this->*b.fraction = s;
            box = s;
        }
        box->setObjectName(QString::fromLatin1(b.name));
        grid->addWidget(box, 1, col);
        auto* readBack = named(new QLabel(QStringLiteral("1"), group), b.labelName);
        readBack->setProperty("role", "readBack");
        this->*b.label = readBack;
        grid->addWidget(readBack, 2, col, Qt::AlignVCenter | Qt::AlignLeft);
        settings_.push_back({b.reg, box, readBack});
        grid->setColumnMinimumWidth(col, 118);
        ++col;
    }
    set = named(new QPushButton(QStringLiteral("Set"), group), setName);
    grid->addWidget(set, 1, 5, Qt::AlignRight);
    grid->setColumnStretch(4, 1);
    return group;
}

QWidget* SettingsPage::buildModeGroups() {
    auto* side = new QWidget(this);
    auto* column = new QHBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    auto* mode = named(new QGroupBox(QStringLiteral("Oto - Manuel Mod"), side), "GroupBox5");
    auto* modeColumn = new QVBoxLayout(mode);
    modeColumn->setContentsMargins(8, 2, 8, 4);
    Radiooto = named(new QRadioButton(QStringLiteral("Otomatik Mod (Fabrika Ayarı)"), mode), "Radiooto");
    RadioManual = named(new QRadioButton(QStringLiteral("Manuel Mod (Özel Durumlar)"), mode), "RadioManual");
    konmodgonder = named(new QPushButton(QStringLiteral("Gonder"), mode), "konmodgonder");
    Radiooto->setChecked(true);
    modeColumn->addWidget(Radiooto);
    modeColumn->addWidget(RadioManual);
    modeColumn->addWidget(konmodgonder, 0, Qt::AlignRight);

    auto* setUp = named(new QGroupBox(QStringLiteral("Set-Up"), side), "GroupBox6");
    auto* setUpColumn = new QVBoxLayout(setUp);
    setUpColumn->setContentsMargins(8, 2, 8, 4);
    radioOn = named(new QRadioButton(QStringLiteral("On"), setUp), "radioOn");
    RadioOff = named(new QRadioButton(QStringLiteral("Off"), setUp), "RadioOff");
    Button6 = named(new QPushButton(QStringLiteral("Gonder"), setUp), "Button6");
    radioOn->setChecked(true);
    setUpColumn->addWidget(radioOn);
    setUpColumn->addWidget(RadioOff);
    setUpColumn->addWidget(Button6, 0, Qt::AlignRight);

    // Each pair is one radio group, whatever else shares its parent.
    for (auto [a, b] : {std::pair{Radiooto, RadioManual}, std::pair{radioOn, RadioOff}}) {
        auto* pair = new QButtonGroup(side);
        pair->addButton(a);
        pair->addButton(b);
    }
    column->addWidget(mode);
    column->addWidget(setUp);
    column->addStretch(1);
    return side;
}

void SettingsPage::sabitokuClick() { requests_.data("sabitler"); }

void SettingsPage::write(std::size_t index, const QString& requestLine) {
    const SettingsGroup& group = settingsGroups()[index];
    std::vector<std::int64_t> values;
    for (const Setting& s : settings_) {
        if (s.reg >= group.firstRegister && s.reg < group.firstRegister + group.count)
            values.push_back(encodeSetting(settingCoding(s.reg), boxValue(s.box)));
    }
    const std::optional<std::string> serial = toCp1254(requests_.activeSerialText());
    if (!serial) {
        status_.setStatusLine(RequestSender::refusedText());
        return;
    }
    // The waiting text only for a write that went out.
    if (requests_.send(group.keyword, settingsWriteFields(*serial, values))) status_.setRequestLine(requestLine);
}

void SettingsPage::Button7Click() {
    write(0, QStringLiteral("Akım-Gerilim Trafo Değerleri yazılıyor.Lütfen bekleyin..."));
}

void SettingsPage::Button17Click() { write(1, QStringLiteral("Ceza sınır Değerleri yazılıyor.Lütfen bekleyin...")); }

void SettingsPage::Button5Click() { write(2, QStringLiteral("Alma-Çıkma süreleri yazılıyor.Lütfen bekleyin...")); }

void SettingsPage::Button11Click() {
    write(3, QStringLiteral("Reaktif-Kapasitif oranlar yazılıyor.Lütfen bekleyin..."));
}

bool SettingsPage::sendStageCommand(int item, bool on) {
    const std::optional<std::string> serial = toCp1254(requests_.activeSerialText());
    if (!serial) {
        status_.setStatusLine(RequestSender::refusedText());
        return false;
    }
    return requests_.send(kw::kondansatorcek, stageCommandFields(*serial, item, on));
}

void SettingsPage::konmodgonderClick() {
    if (sendStageCommand(kModeItem, Radiooto->isChecked()))
        status_.setRequestLine(QStringLiteral("Oto-Manuel Mod değeri yazılıyor.Lütfen bekleyin..."));
}

void SettingsPage::Button6Click() {
    if (sendStageCommand(kSetUpItem, radioOn->isChecked()))
        status_.setRequestLine(QStringLiteral("Setup Atılıyor .Lütfen bekleyin..."));
}

void SettingsPage::showReadBack(int row) {
    for (const Setting& s : settings_) {
        s.readBack->setText(fromCp1254(readBackText(table_, row, s.reg, state_.decimalSeparator)));
    }
}

}  // namespace izleme
