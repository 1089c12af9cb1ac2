#include "energy/ui/MeterReadingPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "energy/ui/EnergyPageStyle.h"
#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {
namespace {

using energy_style::leadLabel;
using energy_style::unitLabel;

const char* const kReadoutStyle = R"(
QLabel#Panel69 { color: #ffffff; font-weight: bold; font-size: 13px; padding: 4px 8px;
                 background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2d3a4a, stop:1 #161d26);
                 border: 1px solid #2a2f36; }
QPlainTextEdit#Memo3 { color: #00ff00; background: #000000; border: 1px solid #2a2f36;
                       font-family: monospace; font-size: 12px; }
)";

LedDisplay* indexDisplay(const char* name, QWidget* parent) {
    auto* led = new LedDisplay(QString::fromLatin1(meter::kNoIndex.data(), meter::kNoIndex.size()), 9, parent);
    led->setObjectName(QString::fromLatin1(name));
    led->setDigitColor(QColor(0x3c, 0xff, 0x5a));
    led->setBackgroundColor(QColor(0x02, 0x06, 0x03));
    led->setMinimumWidth(96);
    return led;
}

// A group of three rows: label, display, unit.
QGroupBox* indexGroup(const char* name, const QString& caption, QWidget* parent,
                      const std::array<std::pair<QString, LedDisplay*>, 3>& rows, const std::array<QString, 3>& units) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (int r = 0; r < 3; ++r) {
        const auto& [lead, led] = rows[static_cast<std::size_t>(r)];
        led->setParent(box);
        grid->addWidget(leadLabel(lead, box), r, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(led, r, 1);
        grid->addWidget(unitLabel(units[static_cast<std::size_t>(r)], box), r, 2);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

// The display texts keep the readout's line ends as the text box shows them.
QString readoutText(const std::string& bytes) {
    QString text = fromCp1254(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool askWithDialog(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    // The main window's light-on-dark label colour would otherwise reach the
    // question's text on the dialog's light face and leave it unreadable.
    box.setStyleSheet(QStringLiteral("QMessageBox { background: #f0f0f0; } QMessageBox QLabel { color: #000000; }"));
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

QString MeterReadingPage::utilityQuestionText() {
    return QStringLiteral(
        "DİKKAT\nTedaş Okuma Kaydı ?\nYes tıklanırsa Kayıt işlemi gerçekleşir\n"
        "No tıklanırsa Sadece Okuma yapılır ve oranlar tespit edilir");
}

MeterReadingPage::MeterReadingPage(const PageContext& context, QWidget* indexes, QWidget* readout, Question question)
    : QWidget(indexes),
      requests_(context.requests),
      status_(context.status),
      question_(question ? std::move(question) : Question(askWithDialog)) {
    setObjectName(QStringLiteral("MeterReadingPage"));
    buildIndexes(indexes);
    buildReadout(readout);

    context.replies.subscribe(
        kw::sayacal, [this](const Reply& r) { sayacal(r.text); }, this);
    connect(&context.selection, &DeviceSelection::changed, this, [this](const ActiveDevice& device) {
        if (device.isMeter) reset();
    });
}

void MeterReadingPage::buildIndexes(QWidget* indexes) {
    setStyleSheet(QString::fromUtf8(energy_style::kPanels));
    Rzsycakttop = indexDisplay("Rzsycakttop", this);
    Rzsycindtop = indexDisplay("Rzsycindtop", this);
    Rzsyckaptop = indexDisplay("Rzsyckaptop", this);
    RzsycT1 = indexDisplay("RzsycT1", this);
    RzsycT2 = indexDisplay("RzsycT2", this);
    RzsycT3 = indexDisplay("RzsycT3", this);
    GroupBox26 = indexGroup("GroupBox26", QStringLiteral("    Sayaç Endeks Değerleri   "), this,
                            {{{QStringLiteral("Aktif"), Rzsycakttop},
                              {QStringLiteral("İndüktif"), Rzsycindtop},
                              {QStringLiteral("Kapasitif"), Rzsyckaptop}}},
                            {QStringLiteral("kWh"), QStringLiteral("kVArLh"), QStringLiteral("kVArCh")});
    GroupBox28 = indexGroup(
        "GroupBox28", QStringLiteral("Aktif Değerler"), this,
        {{{QStringLiteral("T1"), RzsycT1}, {QStringLiteral("T2"), RzsycT2}, {QStringLiteral("T3"), RzsycT3}}},
        {QStringLiteral("kWh"), QStringLiteral("kWh"), QStringLiteral("kWh")});

    VrShadowButton11 = new QPushButton(QStringLiteral("Sayaç Oku"), this);
    VrShadowButton11->setObjectName(QStringLiteral("VrShadowButton11"));
    VrShadowButton13 = new QPushButton(QStringLiteral("Tedaş Okuma"), this);
    VrShadowButton13->setObjectName(QStringLiteral("VrShadowButton13"));
    for (QPushButton* b : {VrShadowButton11, VrShadowButton13}) b->setCursor(Qt::PointingHandCursor);
    connect(VrShadowButton11, &QPushButton::clicked, this, &MeterReadingPage::VrShadowButton11Click);
    connect(VrShadowButton13, &QPushButton::clicked, this, &MeterReadingPage::VrShadowButton13Click);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(10);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(8);
    groups->addWidget(GroupBox26, 1);
    groups->addWidget(GroupBox28, 1);
    column->addLayout(groups);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(VrShadowButton11);
    buttons->addSpacing(16);
    buttons->addWidget(VrShadowButton13);
    buttons->addStretch(1);
    column->addLayout(buttons);

    QLayout* outer = indexes->layout();
    if (outer == nullptr) {
        outer = new QVBoxLayout(indexes);
        outer->setContentsMargins(0, 0, 0, 0);
    }
    outer->addWidget(this);
}

void MeterReadingPage::buildReadout(QWidget* readout) {
    readout->setStyleSheet(QString::fromUtf8(kReadoutStyle));
    Panel69 = new QLabel(QStringLiteral("Okunan Veriler"), readout);
    Panel69->setObjectName(QStringLiteral("Panel69"));
    Panel69->setAlignment(Qt::AlignCenter);
    Memo3 = new QPlainTextEdit(readout);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setReadOnly(true);
    Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
    QLayout* outer = readout->layout();
    if (outer == nullptr) {
        auto* box = new QVBoxLayout(readout);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        outer = box;
    }
    outer->addWidget(Panel69);
    outer->addWidget(Memo3);
    if (auto* box = qobject_cast<QBoxLayout*>(outer)) box->setStretchFactor(Memo3, 1);
}

void MeterReadingPage::VrShadowButton11Click() {
    requests_.data(kw::sayac, {"tdshyr", "kythyr"});
    reset();
    emit readingRequested(false);
}

void MeterReadingPage::VrShadowButton13Click() {
    // A request goes out whatever the answer: only the record flag follows it.
    const bool record = question_(window(), utilityQuestionText());
    requests_.data(kw::sayac, {"tdsEvt", record ? "kytevt" : "kythyr"});
    reset();
    emit readingRequested(true);
}

void MeterReadingPage::sayacal(std::string_view text) {
    const QString serial = requests_.activeSerialText();
    status_.setStatusLine(serial + QStringLiteral(" Seri Nolu sayaç değerleri alınıyor. "));
    status_.setHeading(serial + QStringLiteral(" Nolu Sayaç Değerleri"));
    readout_.append(text);
    showReadout();
}

void MeterReadingPage::reset() {
    readout_.reset();
    showReadout();
}

void MeterReadingPage::showReadout() {
    const std::array<LedDisplay*, meter::kIndexCount> displays{Rzsycakttop, Rzsycindtop, Rzsyckaptop,
                                                               RzsycT1,     RzsycT2,     RzsycT3};
    for (std::size_t i = 0; i < displays.size(); ++i) displays[i]->setText(fromCp1254(readout_.shown()[i]));
    Memo3->setPlainText(readoutText(readout_.text()));
}

}  // namespace izleme
