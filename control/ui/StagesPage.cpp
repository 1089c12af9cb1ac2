#include "control/ui/StagesPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "server/ui/RequestSender.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/Named.h"
#include "toolkit/ui/PowerButton.h"

namespace izleme {
namespace {

const char* const kStyle = R"(
QGroupBox[role="stageGroup"] { background: #080a0d; border: 1px solid #2c3642; border-radius: 4px;
                               margin-top: 18px; padding-top: 6px; color: #ffc040; font-weight: bold; }
QGroupBox[role="stageGroup"]::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QLabel[role="stageName"] { color: #ffc040; font-weight: bold; font-size: 14px; }
QLabel[role="stageHeading"] { color: #80d8ff; font-weight: bold; }
QLabel[role="summaryHeading"] { color: #80d8ff; font-weight: bold; font-size: 11px; }
QLabel[role="summaryName"] { color: #ffc040; font-weight: bold; font-size: 11px; }
QLabel[role="stageHint"] { color: #00ff00; background: #000; padding: 6px; font-weight: bold; }
QCheckBox { color: #d8d8d8; }
QCheckBox::indicator { width: 14px; height: 14px; border: 1px solid #5a6470; background: #1a1d22; }
QCheckBox::indicator:checked { background: #2ee64a; border-color: #9cff9c; }
)";

QLabel* roleLabel(const QString& text, const char* role, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("role", role);
    return l;
}

// A display-only state box: it follows the registers, not the operator.
QCheckBox* stateBox(const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setEnabled(false);
    return box;
}

}  // namespace

StagesPage::StagesPage(const PageContext& context, QWidget* sheet, QWidget* summary)
    : QWidget(sheet),
      table_(context.table),
      state_(context.state),
      requests_(context.requests),
      status_(context.status) {
    setObjectName(QStringLiteral("StagesPage"));
    setStyleSheet(QString::fromUtf8(kStyle));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(10);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(12);
    Grup1 = buildGroup(QStringLiteral("Grup1"), 1);
    Grup2 = buildGroup(QStringLiteral("Grup2"), 7);
    groups->addWidget(Grup1, 1);
    groups->addWidget(Grup2, 1);
    column->addLayout(groups);

    hint = named(new QLabel(QStringLiteral("Kondansatör Güçlerinin Tam olarak hesaplanabilmesi için AYARLAR sayfasında "
                                           "Akım Trafosu Oranının Geldiğinden Emin Olun."),
                            this),
                 "hint");
    hint->setProperty("role", "stageHint");
    hint->setWordWrap(true);
    column->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    BitBtn2 = named(new QPushButton(QStringLiteral("Kondansatör güç değerlerini oku"), this), "BitBtn2");
    Kondansatorcek = named(new QPushButton(QStringLiteral("Kondansatör Durum Oku"), this), "Kondansatorcek");
    buttons->addWidget(BitBtn2);
    buttons->addWidget(Kondansatorcek);
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addStretch(1);

    auto* sheetLayout = sheet->layout() != nullptr ? sheet->layout() : new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(this);
    if (summary != nullptr) buildSummary(summary);

    stagePace = named(new QTimer(this), "stagePace");
    stagePace->setSingleShot(true);
    stagePace->setInterval(kStagePaceMs);
    connect(stagePace, &QTimer::timeout, this, [this] { setSwitchesEnabled(true); });

    connect(BitBtn2, &QPushButton::clicked, this, &StagesPage::BitBtn2Click);
    connect(Kondansatorcek, &QPushButton::clicked, this, &StagesPage::KondansatorcekClick);
    for (PowerButton* b : C) connect(b, &PowerButton::clicked, this, &StagesPage::C1Click);

    context.refresh.add(kStageWordRegister, [self = QPointer<StagesPage>(this)](int row) {
        if (self) self->showStates(row);
    });
    context.refresh.add(kStagePowerRegister, [self = QPointer<StagesPage>(this)](int row) {
        if (self) self->showPowersAndPhases(row);
    });
}

QGroupBox* StagesPage::buildGroup(const QString& title, int firstStage) {
    auto* group = named(new QGroupBox(title, this), title.toLatin1().constData());
    group->setProperty("role", "stageGroup");
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const char* const headings[] = {"Güç (kVAr)", "Bağlı Olduğu Faz", "Durum", "Devreye al"};
    for (int h = 0; h < 4; ++h) {
        QLabel* heading = roleLabel(QString::fromUtf8(headings[h]), "stageHeading", group);
        heading->setWordWrap(true);  // two short lines keep both groups side by side
        heading->setAlignment(Qt::AlignCenter);
        heading->setMaximumWidth(78);
        grid->addWidget(heading, 0, h + 1, Qt::AlignCenter);
    }
    for (int n = firstStage; n < firstStage + 6; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const int r = n - firstStage + 1;
        grid->addWidget(roleLabel(QStringLiteral("C%1").arg(n), "stageName", group), r, 0);

        ca[i] = new LedDisplay(QStringLiteral("000.00"), 5, group);
        ca[i]->setObjectName(n <= 6 ? QStringLiteral("CA%1").arg(n) : QStringLiteral("ca%1").arg(n));
        ca[i]->setMinimumWidth(88);
        ca[i]->setMaximumHeight(40);
        grid->addWidget(ca[i], r, 1);

        ca_faz[i] = new LedDisplay(QString(), 3, group);
        ca_faz[i]->setObjectName(QStringLiteral("ca%1_faz").arg(n));
        ca_faz[i]->setDigitColor(QColor(0xff, 0xd0, 0x40));
        ca_faz[i]->setMinimumWidth(58);
        ca_faz[i]->setMaximumHeight(40);
        grid->addWidget(ca_faz[i], r, 2);

        Kondrm[i] = stateBox(QStringLiteral("Kondrm%1").arg(n), group);
        grid->addWidget(Kondrm[i], r, 3, Qt::AlignCenter);

        C[i] = new PowerButton(group);
        C[i]->setObjectName(QStringLiteral("C%1").arg(n));
        C[i]->setOnColor(QColor(0x00, 0xff, 0x00));  // lime when on
        grid->addWidget(C[i], r, 4, Qt::AlignCenter);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

void StagesPage::buildSummary(QWidget* summary) {
    // A narrow strip under the instantaneous values: each stage name above its box.
    auto* grid = new QGridLayout(summary);
    grid->setContentsMargins(8, 1, 8, 1);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    grid->addWidget(roleLabel(QStringLiteral("Kondansatörler"), "summaryHeading", summary), 0, 0, 2, 1);
    for (int n = 1; n <= kStageCount; ++n) {
        grid->addWidget(roleLabel(QStringLiteral("C%1").arg(n), "summaryName", summary), 0, n, Qt::AlignCenter);
        durum[static_cast<std::size_t>(n - 1)] = stateBox(QStringLiteral("durum%1").arg(n), summary);
        grid->addWidget(durum[static_cast<std::size_t>(n - 1)], 1, n, Qt::AlignCenter);
    }
    grid->setColumnStretch(kStageCount + 1, 1);
    summary->setStyleSheet(QString::fromUtf8(kStyle));
}

void StagesPage::KondansatorcekClick() { requests_.data("kondasatordurum"); }

void StagesPage::BitBtn2Click() { requests_.data("kondasatorgucdurum"); }

void StagesPage::C1Click() {
    auto* button = qobject_cast<PowerButton*>(sender());
    if (button == nullptr) return;
    bool ok = false;
    const int stage = button->objectName().mid(1).toInt(&ok);
    if (!ok || stage < 1 || stage > kStageCount) return;
    const std::optional<std::string> serial = toCp1254(requests_.activeSerialText());
    const bool sent =
        serial && requests_.send(kw::kondansatorcek, stageCommandFields(*serial, stage - 1, button->isChecked()));
    if (!serial) status_.setStatusLine(RequestSender::refusedText());
    if (!sent) {
        // Nothing went out: the switch goes back to what the relay was last told.
        button->setChecked(!button->isChecked());
        return;
    }
    status_.setRequestLine(QStringLiteral("Kondansatör Çekiliyor Lütfen bekleyin..."));
    setSwitchesEnabled(false);
    stagePace->start();
}

void StagesPage::setSwitchesEnabled(bool enabled) {
    for (PowerButton* b : C) b->setEnabled(enabled);
}

void StagesPage::showStates(int row) {
    const auto states = stageStates(table_, row);
    if (!states) return;
    for (std::size_t i = 0; i < states->size(); ++i) {
        Kondrm[i]->setChecked((*states)[i]);
        if (durum[i] != nullptr) durum[i]->setChecked((*states)[i]);
    }
}

void StagesPage::showPowersAndPhases(int row) {
    for (int n = 1; n <= kStageCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const QString power = fromCp1254(stagePowerText(table_, row, n, state_.decimalSeparator));
        ca[i]->setText(power);
        if (const std::optional<std::string> phase = stagePhaseText(table_, row, n)) {
            ca_faz[i]->setText(fromCp1254(*phase));
        }
    }
}

}  // namespace izleme
