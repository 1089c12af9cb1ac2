// The date-range panel: its controls laid out on a dark panel, its request,
// and the reply's counters, ratios and classes (the core reads the reply).
#include "energy/ui/EnergyRangePanel.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "server/core/SharedState.h"
#include "server/ui/DeviceSelection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Requests.h"
#include "server/ui/StatusLines.h"
#include "toolkit/core/DateTimeText.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

struct PanelNames {
    const char* title;
    const char* timeBox;
    const char* button;
    const char* buttonText;  // UTF-8
    const char* firstDateBox;
    const char* lastDateBox;
    std::array<const char*, 6> counters;
    std::array<const char*, 2> ratios;
    std::array<const char*, 2> classes;
    std::string_view requestKeyword;
    std::string_view replyKeyword;
    double displayDivisor;
};

const PanelNames consumptionNames{"Label3",
                                  "Edit4",
                                  "VrShadowButton9",
                                  "İki Tarih Arası Oranları Hesapla",
                                  "Edit222",
                                  "Edit333",
                                  {"ak1", "ak2", "in1", "in2", "kap1", "kap2"},
                                  {"indoran", "kaporan"},
                                  {"inddurum", "Kapdurum"},
                                  kw::reaktifener,
                                  kw::reaktifenerji,
                                  1000};

const PanelNames meterNames{"Label266",
                            "Edit6",
                            "VrShadowButton12",
                            "Tarih Arası Oranları Hesapla",
                            "Edit2",
                            "Edit3",
                            {"RzLEDak1", "RzLEDak2", "RzLEDin1", "RzLEDin2", "RzLEDkap1", "RzLEDkap2"},
                            {"RzLEDsycinoran", "RzLEDsyckaporan"},
                            {"lblsycindurum", "lblsyckapdurum"},
                            kw::sycreaktfener,
                            kw::tedassycal,
                            1};

const PanelNames& namesOf(RangePanelKind kind) {
    return kind == RangePanelKind::Consumption ? consumptionNames : meterNames;
}

// The meter page's half is black with lime texts; the consumption page's
// panel is the dark group of the instantaneous values page.
QString styleOf(RangePanelKind kind) {
    const bool meter = kind == RangePanelKind::Meter;
    const QString lead = meter ? QStringLiteral("#00ff00") : QStringLiteral("#e8e8e8");
    const QString background = meter ? QStringLiteral("black") : QStringLiteral("#080a0d");
    return QStringLiteral(
               "QFrame#%1 { background: %2; border: 1px solid #2c3642; border-radius: 4px; }"
               "QLabel { color: %3; font-weight: bold; }"
               "QLabel[role=\"rangeTitle\"] { color: #ffc040; font-size: 14px; padding: 2px 0; }"
               "QLabel[role=\"rangeUnit\"] { color: #80d8ff; }"
               "QLabel[role=\"rangeRatio\"] { color: #ffc040; }"
               "QLineEdit { background: #151b22; color: %3; border: 1px solid #2c3642; padding: 1px 3px; }"
               "QDateEdit { background: #151b22; color: %3; }")
        .arg(meter ? QStringLiteral("meterRange") : QStringLiteral("consumptionRange"), background, lead);
}

QLabel* label(const QString& text, QWidget* parent, const char* role = nullptr) {
    auto* l = new QLabel(text, parent);
    if (role) l->setProperty("role", role);
    return l;
}

LedDisplay* led(const char* name, QWidget* parent, int characters) {
    auto* d = named(new LedDisplay(QString(), characters, parent), name);
    d->setMinimumHeight(26);
    return d;
}

void setClassColour(QLabel* label, energy::Rgb c) {
    label->setStyleSheet(QStringLiteral("QLabel { color: rgb(%1, %2, %3); font-weight: bold; font-size: 13px; }")
                             .arg(c.red)
                             .arg(c.green)
                             .arg(c.blue));
}

QString wireDate(const QDateEdit* picker) {
    const QDate d = picker->date();
    return QString::fromStdString(formatShortDate(d.year(), d.month(), d.day()));
}

}  // namespace

EnergyRangePanel::EnergyRangePanel(const PageContext& ctx, RangePanelKind kind, const RangePanelSheet& sheet)
    : QObject(sheet.container),
      serialBox(sheet.serialBox),
      firstDate(sheet.firstDate),
      lastDate(sheet.lastDate),
      lastDateBox(sheet.lastDateBox),
      kind_(kind),
      state_(ctx.state),
      requests_(ctx.requests),
      status_(ctx.status) {
    setObjectName(kind == RangePanelKind::Consumption ? QStringLiteral("consumptionRangePanel")
                                                      : QStringLiteral("meterRangePanel"));
    build(sheet.container);

    const PanelNames& n = namesOf(kind);
    if (kind == RangePanelKind::Consumption) {
        connect(button, &QPushButton::clicked, this, &EnergyRangePanel::BitBtn1Click);
    } else {
        connect(button, &QPushButton::clicked, this, &EnergyRangePanel::VrShadowButton12Click);
    }
    connect(&ctx.selection, &DeviceSelection::changed, this, &EnergyRangePanel::deviceSelected);
    ctx.replies.subscribe(
        n.replyKeyword,
        [self = QPointer<EnergyRangePanel>(this)](const Reply& r) {
            if (self) self->showReply(r);
        },
        this);
}

void EnergyRangePanel::build(QWidget* container) {
    const PanelNames& n = namesOf(kind_);
    container->setStyleSheet(styleOf(kind_));
    delete container->layout();  // the shell's own arrangement of its boxes, if any
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(8, 6, 8, 8);
    column->setSpacing(6);

    title = named(label(QStringLiteral("REAKTİF ENERJİ ORANI HESAPLA"), container, "rangeTitle"), n.title);
    title->setAlignment(Qt::AlignHCenter);
    column->addWidget(title);

    // The request: serial, reading time, the two dates and the button.
    timeBox = named(new QLineEdit(container), n.timeBox);
    timeBox->setReadOnly(true);
    button = named(new QPushButton(QString::fromUtf8(n.buttonText), container), n.button);
    button->setCursor(Qt::PointingHandCursor);
    auto* request = new QGridLayout;
    request->setHorizontalSpacing(6);
    request->setVerticalSpacing(4);
    request->addWidget(label(QStringLiteral("Seri No"), container), 0, 0);
    request->addWidget(serialBox, 0, 1);
    request->addWidget(label(QStringLiteral("R. Saati:"), container), 0, 2);
    request->addWidget(timeBox, 0, 3);
    request->addWidget(label(QStringLiteral("İlk Tarih"), container), 1, 0);
    request->addWidget(firstDate, 1, 1);
    request->addWidget(label(QStringLiteral("Son Tarih"), container), 1, 2);
    request->addWidget(lastDate, 1, 3);
    request->addWidget(button, 2, 0, 1, 4);
    request->setColumnStretch(1, 1);
    request->setColumnStretch(3, 1);
    column->addLayout(request);

    // The two dated columns: the date box, then active, inductive, capacitive.
    firstDateBox = named(new QLineEdit(container), n.firstDateBox);
    if (!lastDateBox) lastDateBox = named(new QLineEdit(container), n.lastDateBox);
    auto* dated = new QGridLayout;
    dated->setHorizontalSpacing(6);
    dated->setVerticalSpacing(4);
    int c = 1;
    for (QLineEdit* box : {firstDateBox, lastDateBox}) {
        box->setReadOnly(true);
        auto* head = new QHBoxLayout;
        head->addWidget(box, 1);
        head->addWidget(label(QStringLiteral("tarihli"), container));
        dated->addLayout(head, 0, c++);
    }
    const char* leads[] = {"Aktif", "İndüktif", "Kapasitif"};
    const char* units[] = {"kWh", "kVArLh", "kVArCh"};
    for (int q = 0; q < 3; ++q) {
        dated->addWidget(label(QString::fromUtf8(leads[q]), container), q + 1, 0);
        for (int column2 = 0; column2 < 2; ++column2) {
            const auto i = static_cast<std::size_t>(2 * q + column2);
            counters[i] = led(n.counters[i], container, 10);
            dated->addWidget(counters[i], q + 1, column2 + 1);
        }
        dated->addWidget(label(QString::fromUtf8(units[q]), container, "rangeUnit"), q + 1, 3);
    }
    dated->setColumnStretch(1, 1);
    dated->setColumnStretch(2, 1);
    column->addLayout(dated);

    // The two ratios, each with its class.
    auto* ratioGrid = new QGridLayout;
    ratioGrid->setHorizontalSpacing(6);
    const char* ratioLeads[] = {"İNDÜKTİF ORAN", "KAPASİTİF ORAN"};
    for (int r = 0; r < 2; ++r) {
        const auto i = static_cast<std::size_t>(r);
        ratios[i] = led(n.ratios[i], container, 7);
        classes[i] = named(new QLabel(QStringLiteral("DURUM"), container), n.classes[i]);
        classes[i]->setMinimumWidth(80);
        setClassColour(classes[i], energy::penaltyColour(energy::PenaltyClass::Normal));
        ratioGrid->addWidget(label(QString::fromUtf8(ratioLeads[r]), container, "rangeRatio"), r, 0);
        ratioGrid->addWidget(ratios[i], r, 1);
        ratioGrid->addWidget(label(QStringLiteral("%"), container, "rangeUnit"), r, 2);
        ratioGrid->addWidget(classes[i], r, 3);
    }
    ratioGrid->setColumnStretch(1, 1);
    column->addLayout(ratioGrid);
}

void EnergyRangePanel::BitBtn1Click() {
    if (requests_.activeSerialText().isEmpty()) return;
    sendRequest();
}

void EnergyRangePanel::VrShadowButton12Click() {
    if (!requests_.activeSerialText().isEmpty()) sendRequest();
    clearForReading(true);
}

void EnergyRangePanel::sendRequest() {
    // A serial that the code page cannot carry is not sent at all.
    const std::optional<std::string> serial = toCp1254(requests_.activeSerialText());
    if (!serial) return;
    // Dates travel as the server reads them, whatever the machine's locale.
    requests_.send(namesOf(kind_).requestKeyword,
                   {*serial, wireDate(firstDate).toStdString(), wireDate(lastDate).toStdString()});
}

void EnergyRangePanel::clearForReading(bool ratiosToo) {
    for (LedDisplay* d : counters) d->setText(QString());
    if (ratiosToo) {
        clearRatios();
        return;
    }
    for (QLabel* l : classes) l->clear();  // the colour stays
}

void EnergyRangePanel::clearRatios() {
    for (LedDisplay* d : ratios) d->setText(QString());
    for (QLabel* l : classes) l->clear();
}

void EnergyRangePanel::deviceSelected(const ActiveDevice& device) {
    if (kind_ == RangePanelKind::Meter) {
        if (device.isMeter) clearForReading(true);
        return;
    }
    // The consumption panel shows one relay's counters beside the serial box
    // that follows the selection: another relay's figures, dates and reading
    // time must not stay there under the new serial number.
    if (device.isMeter) return;
    clearForReading(true);
    for (QLineEdit* box : {timeBox, firstDateBox, lastDateBox}) box->clear();
}

void EnergyRangePanel::showReply(const Reply& reply) {
    if (reply.fields.size() != energy::RangeFields{}.size()) return;
    energy::RangeFields fields;
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = reply.fields[i];
    const energy::RangeShown shown =
        energy::readRangeReply(fields, namesOf(kind_).displayDivisor, state_.decimalSeparator);
    status_.setStatusLine(fromCp1254(shown.statusText));

    const QTime now = QTime::currentTime();
    timeBox->setText(QString::fromStdString(formatLongTime(now.hour(), now.minute(), now.second())));
    firstDateBox->setText(fromCp1254(fields[1]));
    lastDateBox->setText(fromCp1254(fields[2]));
    if (kind_ == RangePanelKind::Meter) serialBox->setText(fromCp1254(fields[0]));

    for (std::size_t i = 0; i < shown.counters.size(); ++i) counters[i]->setText(fromCp1254(shown.counters[i]));
    if (!shown.ratios) {
        // A counter failed: no ratio of an earlier reply stays beside these counters.
        clearRatios();
        return;
    }

    QStringList alarms;
    const energy::RatioSide sides[] = {energy::RatioSide::Inductive, energy::RatioSide::Capacitive};
    for (std::size_t i = 0; i < 2; ++i) {
        const energy::RatioShown& r = (*shown.ratios)[i];
        ratios[i]->setText(fromCp1254(r.text));
        classes[i]->setText(fromCp1254(energy::penaltyText(r.penalty)));
        setClassColour(classes[i], energy::penaltyColour(r.penalty));
        if (r.penalty == energy::PenaltyClass::Penalty) {
            alarms << fromCp1254(energy::penaltyAlarmText(fields[0], sides[i], r.text));
        }
    }
    // Both ratios in "CEZA": one alarm naming both.
    if (!alarms.isEmpty()) emit penaltyAlarm(alarms.join(QStringLiteral("   ")));
}

}  // namespace izleme
