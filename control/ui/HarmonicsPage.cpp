#include "control/ui/HarmonicsPage.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <span>

#include "control/ui/HarmonicDrawing.h"
#include "control/ui/ImageCanvas.h"
#include "registers/ui/PageContext.h"
#include "toolkit/core/SilentAbort.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

constexpr int kWidth = 254;
constexpr int kChartHeight = 171;

// Per phase: request kind, caption, waveform image height and the names of its controls.
struct PhaseNames {
    const char* kind;
    const char* button;
    const char* caption;
    int waveHeight;
    const char* wave;
    const char* voltageChart;
    const char* currentChart;
    const char* voltageSelector;
    const char* voltageBox;
    const char* currentSelector;
    const char* currentBox;
    const char* analysisButton;
};

constexpr PhaseNames kNames[3] = {
    {"harmonikb", "VrShadowButton5", "Faz1 Harmonik İste", 254, "Image1", "Image4", "Image5", "SpinEdit2", "EditH22",
     "SpinEdit1", "EditH2", "Button2"},
    {"harmoniki", "VrShadowButton6", "Faz2 Harmonik İste", 252, "Image2", "Image6", "Image7", "SpinEdit3", "EditH11",
     "SpinEdit4", "EditH12", "Button3"},
    {"harmoniku", "VrShadowButton7", "Faz3 Harmonik İste", 253, "Image3", "Image8", "Image9", "SpinEdit5", "EditH31",
     "SpinEdit6", "EditH32", "Button4"},
};

const char* const kStyle = R"(
QWidget#HarmonicsPage { background: #0b0f14; }
QFrame[role="harmonicColumn"] { background: #002828; border: 1px solid #2c3642; }
QFrame[role="harmonicHeader"] { background: #004040; }
QLabel[role="voltageTag"] { background: #000040; color: #00ff00; font-weight: bold; padding: 2px 8px; }
QLabel[role="currentTag"] { background: #400000; color: #00ff00; font-weight: bold; padding: 2px 8px; }
QFrame[role="harmonicStrip"] { background: #101820; }
QLabel[role="thd"] { color: #80d8ff; font-weight: bold; }
QLabel[role="percent"] { color: #ffff00; font-weight: bold; }
QLineEdit[role="harmonicValue"] { background: #000000; color: #00ff00; font-weight: bold; border: 1px solid #2c3642; }
QFrame[role="separator"] { background: #2c3642; }
)";

QFrame* separator(QWidget* parent) {
    auto* s = new QFrame(parent);
    s->setProperty("role", "separator");
    s->setFixedHeight(3);
    return s;
}

}  // namespace

HarmonicsPage::HarmonicsPage(const PageContext& context, QWidget* sheet)
    : QWidget(sheet), state_(context.state), requests_(context.requests), status_(context.status) {
    setObjectName(QStringLiteral("HarmonicsPage"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromUtf8(kStyle));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(10);
    row->addStretch(1);
    std::array<QPushButton**, 3> buttons{&VrShadowButton5, &VrShadowButton6, &VrShadowButton7};
    for (int p = 0; p < 3; ++p) {
        Phase& phase = phases_[static_cast<std::size_t>(p)];
        phase.number = p + 1;
        phase.current.current = true;
        row->addWidget(buildColumn(phase, *buttons[static_cast<std::size_t>(p)]), 0, Qt::AlignTop);
    }
    row->addStretch(1);

    Image1 = phases_[0].wave;
    Image2 = phases_[1].wave;
    Image3 = phases_[2].wave;
    Image4 = phases_[0].voltage.chart;
    Image5 = phases_[0].current.chart;
    Image6 = phases_[1].voltage.chart;
    Image7 = phases_[1].current.chart;
    Image8 = phases_[2].voltage.chart;
    Image9 = phases_[2].current.chart;
    SpinEdit2 = phases_[0].voltage.selector;
    SpinEdit1 = phases_[0].current.selector;
    SpinEdit3 = phases_[1].voltage.selector;
    SpinEdit4 = phases_[1].current.selector;
    SpinEdit5 = phases_[2].voltage.selector;
    SpinEdit6 = phases_[2].current.selector;
    EditH22 = phases_[0].voltage.box;
    EditH2 = phases_[0].current.box;
    EditH11 = phases_[1].voltage.box;
    EditH12 = phases_[1].current.box;
    EditH31 = phases_[2].voltage.box;
    EditH32 = phases_[2].current.box;
    LblTHDV1 = phases_[0].voltage.thd;
    LblTHDI1 = phases_[0].current.thd;
    LblTHDV2 = phases_[1].voltage.thd;
    LblTHDI2 = phases_[1].current.thd;
    LblTHDV3 = phases_[2].voltage.thd;
    LblTHDI3 = phases_[2].current.thd;

    // The hidden buttons that carry the analyses.
    std::array<QPushButton**, 3> analysisButtons{&Button2, &Button3, &Button4};
    for (int p = 0; p < 3; ++p) {
        auto* b = named(new QPushButton(QStringLiteral("Button2"), this), kNames[p].analysisButton);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, p] { analyse(p); });
        *analysisButtons[static_cast<std::size_t>(p)] = b;
    }

    connect(VrShadowButton5, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton5Click);
    connect(VrShadowButton6, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton6Click);
    connect(VrShadowButton7, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton7Click);
    connect(SpinEdit1, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit2Change);
    connect(SpinEdit3, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit3Change);
    connect(SpinEdit4, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit4Change);
    connect(SpinEdit5, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit5Change);
    connect(SpinEdit6, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit6Change);

    for (int p = 0; p < 3; ++p) {
        context.replies.subscribeData(
            kNames[p].kind, [this, p](const DataReply& reply) { readWaveform(p, reply); }, this);
    }

    auto* outer = qobject_cast<QBoxLayout*>(sheet->layout());
    if (outer == nullptr) {
        outer = new QVBoxLayout(sheet);
        outer->setContentsMargins(0, 0, 0, 0);
    }
    outer->addWidget(this);
}

QWidget* HarmonicsPage::buildColumn(Phase& phase, QPushButton*& requestButton) {
    const PhaseNames& n = kNames[phase.number - 1];
    auto* column = new QFrame(this);
    column->setProperty("role", "harmonicColumn");
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(1, 1, 1, 1);
    box->setSpacing(0);

    auto* header = new QFrame(column);
    header->setProperty("role", "harmonicHeader");
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(4, 4, 4, 4);
    auto* v = new QLabel(QStringLiteral("V%1").arg(phase.number), header);
    v->setProperty("role", "voltageTag");
    auto* i = new QLabel(QStringLiteral("I%1").arg(phase.number), header);
    i->setProperty("role", "currentTag");
    requestButton = named(new QPushButton(QString::fromUtf8(n.caption), header), n.button);
    headerRow->addWidget(v);
    headerRow->addWidget(requestButton, 1);
    headerRow->addWidget(i);
    box->addWidget(header);

    phase.wave = named(new ImageCanvas(kWidth, n.waveHeight, Qt::black, column), n.wave);
    box->addWidget(phase.wave);
    box->addWidget(separator(column));
    box->addWidget(buildChartStrip(phase.voltage, n.voltageSelector, n.voltageBox,
                                   phase.number == 1 ? "LblTHDV1" : phase.number == 2 ? "LblTHDV2" : "LblTHDV3", column));
    phase.voltage.chart = named(new ImageCanvas(kWidth, kChartHeight, Qt::black, column), n.voltageChart);
    box->addWidget(phase.voltage.chart);
    box->addWidget(separator(column));
    box->addWidget(buildChartStrip(phase.current, n.currentSelector, n.currentBox,
                                   phase.number == 1 ? "LblTHDI1" : phase.number == 2 ? "LblTHDI2" : "LblTHDI3", column));
    phase.current.chart = named(new ImageCanvas(kWidth, kChartHeight, Qt::black, column), n.currentChart);
    box->addWidget(phase.current.chart);
    return column;
}

QWidget* HarmonicsPage::buildChartStrip(Quantity& q, const char* selectorName, const char* boxName,
                                        const char* thdName, QWidget* parent) {
    auto* strip = new QFrame(parent);
    strip->setProperty("role", "harmonicStrip");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    q.thd = named(new QLabel(QStringLiteral("THD: -"), strip), thdName);
    q.thd->setProperty("role", "thd");
    q.selector = named(new QSpinBox(strip), selectorName);
    q.selector->setRange(1, kHarmonicOrders);
    q.selector->setSingleStep(2);
    q.selector->setValue(1);
    q.selector->setFixedWidth(52);
    q.box = named(new QLineEdit(strip), boxName);
    q.box->setProperty("role", "harmonicValue");
    q.box->setReadOnly(true);
    q.box->setFixedWidth(118);
    auto* percent = new QLabel(QStringLiteral("%"), strip);
    percent->setProperty("role", "percent");
    row->addWidget(q.thd, 1);
    row->addWidget(q.selector);
    row->addWidget(q.box);
    row->addWidget(percent);
    return strip;
}

void HarmonicsPage::request(int phase) { requests_.data(kNames[phase].kind); }

void HarmonicsPage::readWaveform(int phase, const DataReply& reply) {
    const WaveformRead read = izleme::readWaveform(reply.text);
    if (read.broken) {
        // Neither the buffers nor the pictures take a broken reply: what the
        // phase showed stays, and so does the error. Ending the handling here
        // keeps the heading from covering it.
        status_.setHeading(QStringLiteral("Harmonik alırken bir hata oluştu"));
        throw SilentAbort("a waveform sample that is not a byte value");
    }
    Phase& p = phases_[static_cast<std::size_t>(phase)];
    drawWaveform(p.wave->image(), read.samples);
    p.wave->update();
    buffers_.store(read.samples);
    analyse(phase);
}

void HarmonicsPage::analyse(int phase) {
    Phase& p = phases_[static_cast<std::size_t>(phase)];
    analyse(p, p.voltage, buffers_.voltage);
    analyse(p, p.current, buffers_.current);
}

void HarmonicsPage::analyse(const Phase& phase, Quantity& q, const std::array<double, 66>& samples) {
    const char separator = state_.decimalSeparator;
    const Magnitudes m = harmonicMagnitudes(std::span<const double, 64>(samples.data(), 64));
    q.list = harmonicList(m, separator);
    const QString headline =
        fromCp1254(headlineText(headlinePrefix(phase.number, q.current), q.list->values[0], separator));
    drawBarChart(q.chart->image(), *q.list, headline, fromCp1254(cornerLabel(phase.number, q.current)));
    q.chart->update();
    q.box->setText(fromCp1254(q.list->texts[0]));
    q.thd->setText(fromCp1254(thdText(thdPercent(q.list->values), separator)));
}

void HarmonicsPage::selectOrder(Quantity& q) {
    if (!q.list) return;
    const std::optional<int> order = selectedOrder(toCp1254Lossy(q.selector->cleanText()));
    if (!order) return;
    q.box->setText(fromCp1254(q.list->texts[static_cast<std::size_t>(*order - 1)]));
}

}  // namespace izleme
