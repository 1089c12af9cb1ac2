// The instantaneous values page: displays grouped as the operator reads them
// (phases R, S, T per quantity, totals, power factors, angles) and their refresh.
#include "registers/ui/InstantValuesPage.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <limits>
#include <stdexcept>

#include "registers/core/RegisterTable.h"
#include "registers/ui/PageContext.h"
#include "server/core/SharedState.h"
#include "toolkit/core/NumberFormat.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {
namespace {

// A framed group of displays, with a caption bar when the group has one.
struct Group {
    const char* caption;  // UTF-8, or empty for a group without a caption
    int row;
    int column;
};

constexpr Group kGroups[] = {
    {"Gerilim ", 0, 0},      {"Akım ", 0, 1},           {"", 0, 2},
    {"Aktif Güçler ", 1, 0}, {"Reaktif Güçler ", 1, 1}, {"Görünen Güçler ", 1, 2},
    {"Gerilim Açısı", 2, 0}, {"Akım Açısı", 2, 1},      {"", 2, 2},
};

// Where a display sits: its group, the label(s) before it and the unit after it.
struct Placement {
    std::string_view name;
    int group;
    const char* lead;     // UTF-8
    const char* subLead;  // second label before the display ("j1" after "Cos"), or empty
    const char* unit;     // or empty
    bool total = false;   // the sum of the three phases
};

constexpr Placement kPlacements[] = {
    {"V1", 0, "R", "", "V"},
    {"V2", 0, "S", "", "V"},
    {"V3", 0, "T", "", "V"},
    {"akm1", 1, "R", "", "A"},
    {"akm2", 1, "S", "", "A"},
    {"akm3", 1, "T", "", "A"},
    {"Cos1", 2, "Cos", "j1", ""},
    {"Cos2", 2, "Cos", "j2", ""},
    {"Cos3", 2, "Cos", "j3", ""},
    {"CosE_ind", 2, "İnd Cos", "", ""},
    {"cose_kap", 2, "Kap Cos", "", ""},
    {"kW1", 3, "R", "", "kW"},
    {"Kw2", 3, "S", "", "kW"},
    {"kW3", 3, "T", "", "kW"},
    {"toplamaktif", 3, "S", "", "kW", true},
    {"kr1", 4, "R", "", "kVAr"},
    {"kr2", 4, "S", "", "kVAr"},
    {"kr3", 4, "T", "", "kVAr"},
    {"toplamreaktif", 4, "S", "", "kVAr", true},
    {"KVA1", 5, "R", "", "kVA"},
    {"KVA2", 5, "S", "", "kVA"},
    {"KVA3", 5, "T", "", "kVA"},
    {"toplamgorunen", 5, "S", "", "kVA", true},
    {"gracisi_r", 6, "R", "", "°"},
    {"gracisi_s", 6, "S", "", "°"},
    {"gracisi_t", 6, "T", "", "°"},
    {"akacisi_r", 7, "R", "", "°"},
    {"akacisi_s", 7, "S", "", "°"},
    {"akacisi_t", 7, "T", "", "°"},
    {"Fr", 8, "Frekans:", "", ""},
    {"sicaklik", 8, "Sıcaklık:", "", ""},
};
static_assert(std::size(kPlacements) == kInstantDisplayCount);

// The member of each display, in the order of instantDisplays().
constexpr LedDisplay* InstantValuesPage::*kMembers[] = {
    &InstantValuesPage::V1,
    &InstantValuesPage::V2,
    &InstantValuesPage::V3,
    &InstantValuesPage::akm1,
    &InstantValuesPage::akm2,
    &InstantValuesPage::akm3,
    &InstantValuesPage::kW1,
    &InstantValuesPage::Kw2,
    &InstantValuesPage::kW3,
    &InstantValuesPage::kr1,
    &InstantValuesPage::kr2,
    &InstantValuesPage::kr3,
    &InstantValuesPage::KVA1,
    &InstantValuesPage::KVA2,
    &InstantValuesPage::KVA3,
    &InstantValuesPage::Cos1,
    &InstantValuesPage::Cos2,
    &InstantValuesPage::Cos3,
    &InstantValuesPage::toplamaktif,
    &InstantValuesPage::toplamreaktif,
    &InstantValuesPage::toplamgorunen,
    &InstantValuesPage::CosE_ind,
    &InstantValuesPage::cose_kap,
    &InstantValuesPage::Fr,
    &InstantValuesPage::gracisi_r,
    &InstantValuesPage::gracisi_s,
    &InstantValuesPage::gracisi_t,
    &InstantValuesPage::akacisi_r,
    &InstantValuesPage::akacisi_s,
    &InstantValuesPage::akacisi_t,
    &InstantValuesPage::sicaklik,
};
static_assert(std::size(kMembers) == kInstantDisplayCount);

const Placement& placementOf(std::string_view name) {
    for (const Placement& p : kPlacements) {
        if (p.name == name) return p;
    }
    throw std::logic_error("instant value display without a place");
}

QLabel* label(const char* utf8, const char* role, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(utf8), parent);
    l->setProperty("role", role);
    return l;
}

const char* const kStyle = R"(
QFrame[role="instantGroup"] { background: #080a0d; border: 1px solid #2c3642; border-radius: 4px; }
QLabel[role="instantCaption"] { color: #ffc040; font-weight: bold; font-size: 13px; background: #151b22;
                                padding: 2px 6px; border-bottom: 1px solid #2c3642; }
QLabel[role="instantLead"] { color: #e8e8e8; font-weight: bold; }
QLabel[role="instantTotal"] { color: #ffc040; font-weight: bold; font-size: 14px; }
QLabel[role="instantSub"] { color: #e8e8e8; font-style: italic; font-size: 10px; }
QLabel[role="instantUnit"] { color: #80d8ff; font-weight: bold; }
)";

}  // namespace

InstantValuesPage::InstantValuesPage(QFrame* panel7, QLineEdit* edit1, QLabel* label17,
                                     std::function<bool()> isPageActive, const RegisterTable& table,
                                     const SharedState& state)
    : QWidget(panel7),
      Panel7(panel7),
      Edit1(edit1),
      Label17(label17),
      isPageActive_(std::move(isPageActive)),
      table_(table),
      state_(state) {
    setObjectName(QStringLiteral("Panel7Values"));
    setStyleSheet(QString::fromUtf8(kStyle));
    buildDisplays();
    // Below the top strip: the panel's layout holds the strip, then a stretch.
    if (auto* box = qobject_cast<QBoxLayout*>(panel7->layout())) {
        box->insertWidget(1, this);
    } else {
        auto* own = new QVBoxLayout(panel7);
        own->addWidget(this);
        own->addStretch(1);
    }
}

InstantValuesPage::InstantValuesPage(const PageContext& context, QFrame* panel7, QLineEdit* edit1, QLabel* label17)
    : InstantValuesPage(
          panel7, edit1, label17, [active = context.isPageActive] { return active && active(0); }, context.table,
          context.state) {
    context.refresh.setRowSource([self = QPointer<InstantValuesPage>(this)]() -> std::optional<int> {
        return self ? self->shownRow() : std::nullopt;
    });
    context.refresh.add(0, [self = QPointer<InstantValuesPage>(this)](int row) {
        if (self) self->showRow(row);
    });
}

void InstantValuesPage::buildDisplays() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(10);

    // One grid per group: lead label, sub label, display, unit.
    std::array<QFrame*, std::size(kGroups)> frames{};
    std::array<QGridLayout*, std::size(kGroups)> groupGrids{};
    std::array<int, std::size(kGroups)> rows{};
    for (std::size_t g = 0; g < std::size(kGroups); ++g) {
        auto* frame = frames[g] = new QFrame(this);
        frame->setProperty("role", "instantGroup");
        auto* column = new QVBoxLayout(frame);
        column->setContentsMargins(0, 0, 0, 6);
        column->setSpacing(4);
        if (*kGroups[g].caption) column->addWidget(label(kGroups[g].caption, "instantCaption", frame));
        groupGrids[g] = new QGridLayout;
        groupGrids[g]->setContentsMargins(8, 4, 8, 0);
        groupGrids[g]->setHorizontalSpacing(6);
        groupGrids[g]->setVerticalSpacing(4);
        groupGrids[g]->setColumnStretch(2, 1);
        groupGrids[g]->setColumnMinimumWidth(3, 34);
        column->addLayout(groupGrids[g]);
        column->addStretch(1);
        grid->addWidget(frame, kGroups[g].row, kGroups[g].column);
    }
    for (int c = 0; c < 3; ++c) grid->setColumnStretch(c, 1);

    const auto& data = instantDisplays();
    for (std::size_t i = 0; i < data.size(); ++i) {
        const InstantDisplay& d = data[i];
        const Placement& place = placementOf(d.name);
        const auto g = static_cast<std::size_t>(place.group);
        QFrame* frame = frames[g];
        auto* led = new LedDisplay(frame);
        led->setObjectName(QString::fromLatin1(d.name.data(), static_cast<qsizetype>(d.name.size())));
        led->setCharacterCount(7);
        led->setMinimumWidth(120);
        led->setDigitColor(QColor(0x3c, 0xff, 0x5a));
        led->setBackgroundColor(QColor(0x02, 0x06, 0x03));
        shown_[i] = placeholderText(d, state_.decimalSeparator);
        led->setText(fromCp1254(shown_[i]));
        displays_[i] = led;
        this->*kMembers[i] = led;

        QGridLayout* rowsGrid = groupGrids[g];
        const int r = rows[g]++;
        rowsGrid->addWidget(label(place.lead, place.total ? "instantTotal" : "instantLead", frame), r, 0,
                            Qt::AlignRight | Qt::AlignVCenter);
        if (place.total) led->setDigitColor(QColor(0xff, 0xd0, 0x40));
        if (*place.subLead) rowsGrid->addWidget(label(place.subLead, "instantSub", frame), r, 1, Qt::AlignBottom);
        rowsGrid->addWidget(led, r, 2);
        if (*place.unit) rowsGrid->addWidget(label(place.unit, "instantUnit", frame), r, 3);
    }
}

LedDisplay* InstantValuesPage::display(const QString& name) const {
    for (LedDisplay* d : displays_) {
        if (d->objectName() == name) return d;
    }
    return nullptr;
}

std::optional<int> InstantValuesPage::shownRow() {
    // Panel7's own show/hide state: the device selection hides it for an
    // over-current relay; another page being in front does not.
    if (Panel7->isHidden()) return std::nullopt;
    if (isPageActive_ && isPageActive_() && Edit1->text() != QLatin1String("1")) Edit1->setText(QStringLiteral("1"));
    Label17->setText(QString::number(state_.activeSerial));
    const std::optional<std::int64_t> row = parseInteger(Edit1->text().toStdString());
    if (!row) return std::nullopt;  // not a row number: this tick shows nothing new
    const bool fits = *row >= std::numeric_limits<int>::min() && *row <= std::numeric_limits<int>::max();
    return fits ? static_cast<int>(*row) : 0;
}

void InstantValuesPage::showRow(int row) { showTexts(instantValues(table_, row, state_.decimalSeparator)); }

void InstantValuesPage::Timer1Timer() {
    if (const std::optional<int> row = shownRow()) showRow(*row);
}

void InstantValuesPage::showTexts(const std::vector<DisplayText>& texts) {
    for (std::size_t i = 0; i < texts.size() && i < displays_.size(); ++i) {
        if (texts[i].text == shown_[i]) continue;
        shown_[i] = texts[i].text;
        displays_[i]->setText(fromCp1254(shown_[i]));
    }
}

}  // namespace izleme
