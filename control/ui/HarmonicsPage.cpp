#include "control/ui/HarmonicsPage.h"

#include <QFrame>
#include <QGridLayout>
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
#include "server/ui/DeviceSelection.h"
#include "toolkit/core/SilentAbort.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

constexpr int kWidth = 254;
constexpr int kChartHeight = 171;
constexpr int kSideWidth = 104;  // order selector, value box and distortion beside a chart

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
QFrame[role="harmonicSide"] { background: #101820; }
QLabel[role="thd"] { color: #80d8ff; font-weight: bold; }
QLabel[role="orderCaption"] { color: #e8e8e8; font-weight: bold; }
QLabel[role="voltageKey"] { color: #ffff00; font-weight: bold; }
QLabel[role="currentKey"] { color: #00ff00; font-weight: bold; }
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
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(8);
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
        const QString name = QString::fromLatin1(kNames[p].analysisButton);
        auto* b = named(new QPushButton(name, this), kNames[p].analysisButton);
        b->hide();
        *analysisButtons[static_cast<std::size_t>(p)] = b;
    }
    connect(Button2, &QPushButton::clicked, this, &HarmonicsPage::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &HarmonicsPage::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &HarmonicsPage::Button4Click);

    connect(VrShadowButton5, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton5Click);
    connect(VrShadowButton6, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton6Click);
    connect(VrShadowButton7, &QPushButton::clicked, this, &HarmonicsPage::VrShadowButton7Click);
    connect(SpinEdit1, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit2Change);
    connect(SpinEdit3, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit3Change);
    connect(SpinEdit4, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit4Change);
    connect(SpinEdit5, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit5Change);
    connect(SpinEdit6, &QSpinBox::textChanged, this, &HarmonicsPage::SpinEdit6Change);

    connect(&context.selection, &DeviceSelection::changed, this, &HarmonicsPage::forgetDevice);

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
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);

    auto* header = new QFrame(column);
    header->setProperty("role", "harmonicHeader");
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(4, 3, 4, 3);
    auto* v = new QLabel(QStringLiteral("V%1").arg(phase.number), header);
    v->setProperty("role", "voltageTag");
    auto* i = new QLabel(QStringLiteral("I%1").arg(phase.number), header);
    i->setProperty("role", "currentTag");
    requestButton = named(new QPushButton(QString::fromUtf8(n.caption), header), n.button);
    headerRow->addWidget(v);
    headerRow->addWidget(requestButton, 1);
    headerRow->addWidget(i);
    grid->addWidget(header, 0, 0, 1, 2);

    // Beside the traces, what their colours stand for.
    auto* legend = new QFrame(column);
    legend->setProperty("role", "harmonicSide");
    auto* legendColumn = new QVBoxLayout(legend);
    legendColumn->setContentsMargins(8, 8, 6, 8);
    auto* voltageKey = new QLabel(QString::fromUtf8("━ Gerilim"), legend);
    voltageKey->setProperty("role", "voltageKey");
    auto* currentKey = new QLabel(QString::fromUtf8("━ Akım"), legend);
    currentKey->setProperty("role", "currentKey");
    legendColumn->addWidget(voltageKey);
    legendColumn->addWidget(currentKey);
    legendColumn->addStretch(1);

    phase.wave = named(new ImageCanvas(kWidth, n.waveHeight, Qt::black, column), n.wave);
    grid->addWidget(phase.wave, 1, 0);
    grid->addWidget(legend, 1, 1);
    grid->addWidget(separator(column), 2, 0, 1, 2);
    phase.voltage.chart = named(new ImageCanvas(kWidth, kChartHeight, Qt::black, column), n.voltageChart);
    grid->addWidget(phase.voltage.chart, 3, 0);
    grid->addWidget(buildChartSide(phase.voltage, n.voltageSelector, n.voltageBox,
                                   phase.number == 1   ? "LblTHDV1"
                                   : phase.number == 2 ? "LblTHDV2"
                                                       : "LblTHDV3",
                                   column),
                    3, 1);
    grid->addWidget(separator(column), 4, 0, 1, 2);
    phase.current.chart = named(new ImageCanvas(kWidth, kChartHeight, Qt::black, column), n.currentChart);
    grid->addWidget(phase.current.chart, 5, 0);
    grid->addWidget(buildChartSide(phase.current, n.currentSelector, n.currentBox,
                                   phase.number == 1   ? "LblTHDI1"
                                   : phase.number == 2 ? "LblTHDI2"
                                                       : "LblTHDI3",
                                   column),
                    5, 1);
    return column;
}

QWidget* HarmonicsPage::buildChartSide(Quantity& q, const char* selectorName, const char* boxName, const char* thdName,
                                       QWidget* parent) {
    auto* side = new QFrame(parent);
    side->setProperty("role", "harmonicSide");
    side->setFixedWidth(kSideWidth);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(5);
    auto* order = new QHBoxLayout;
    order->setSpacing(4);
    auto* caption = new QLabel(QStringLiteral("H"), side);
    caption->setProperty("role", "orderCaption");
    q.selector = named(new QSpinBox(side), selectorName);
    q.selector->setRange(1, kHarmonicOrders);
    q.selector->setSingleStep(2);
    q.selector->setValue(1);
    auto* percent = new QLabel(QStringLiteral("%"), side);
    percent->setProperty("role", "percent");
    order->addWidget(caption);
    order->addWidget(q.selector, 1);
    order->addWidget(percent);
    column->addLayout(order);
    q.box = named(new QLineEdit(side), boxName);
    q.box->setProperty("role", "harmonicValue");
    q.box->setReadOnly(true);
    column->addWidget(q.box);
    q.thd = named(new QLabel(QStringLiteral("THD: -"), side), thdName);
    q.thd->setProperty("role", "thd");
    column->addWidget(q.thd);
    column->addStretch(1);
    return side;
}

void HarmonicsPage::forgetDevice() {
    // The page names no device: what it drew for the previous one would pass
    // for the newly selected device's analysis, so every phase starts blank.
    buffers_ = SampleBuffers{};
    for (Phase& p : phases_) {
        p.wave->image().fill(Qt::black);
        p.wave->update();
        for (Quantity* q : {&p.voltage, &p.current}) {
            q->list.reset();
            q->chart->image().fill(Qt::black);
            q->chart->update();
            q->box->clear();
            q->thd->setText(QStringLiteral("THD: -"));
        }
    }
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
    q.box->setCursorPosition(0);  // the leading digits, where a long text would be cut
    q.thd->setText(fromCp1254(thdText(thdPercent(q.list->values), separator)));
}

void HarmonicsPage::selectOrder(Quantity& q) {
    if (!q.list) return;
    const std::optional<int> order = selectedOrder(toCp1254Lossy(q.selector->cleanText()));
    if (!order) return;
    q.box->setText(fromCp1254(q.list->texts[static_cast<std::size_t>(*order - 1)]));
    q.box->setCursorPosition(0);
}

}  // namespace izleme
