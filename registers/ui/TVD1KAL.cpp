#include "registers/ui/TVD1KAL.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "registers/core/ModbusRtu.h"
#include "toolkit/ui/Named.h"
#include "toolkit/ui/PlatformServices.h"

namespace izleme {
namespace {

const QString defaultPort = QStringLiteral("COM5");

std::optional<std::uint8_t> byteOf(const QLineEdit* box) { return modbus::lowByteOf(box->text().toStdString()); }

std::string bytesOf(const QByteArray& a) { return std::string(a.constData(), static_cast<std::size_t>(a.size())); }

}  // namespace

TVD1KAL::TVD1KAL(std::shared_ptr<PlatformServices> services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), services_(std::move(services)) {
    setObjectName(QStringLiteral("VD1KAL"));
    setWindowTitle(QStringLiteral("KRT100"));
    resize(900, 600);
    setStyleSheet(QStringLiteral("QWidget#VD1KAL { background: #FFFBF0; }"));
    setAttribute(Qt::WA_StyledBackground, true);
    buildControls();

    wait_ = named(new QTimer(this), "waitTimer");
    wait_->setSingleShot(true);
    connect(wait_, &QTimer::timeout, this, &TVD1KAL::checkReply);
    connect(Button1, &QPushButton::clicked, this, &TVD1KAL::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TVD1KAL::Button2Click);

    if (services_ && services_->makeSerialPort) ComPort1 = services_->makeSerialPort();
    if (ComPort1) {
        ComPort1->setPortName(defaultPort);
        ComPort1->setBaudRate(9600);
        ComPort1->setDataBits(8);
        ComPort1->setParity(SerialPort::Parity::None);
        ComPort1->setStopBits(1);
        ComPort1->setDtr(true);
        ComPort1->setRts(true);
        ComPort1->setFlowControlOff();
        ComPort1->setReceiveHandler([this](qint64 count) { ComPort1RxChar(count); });
    }
}

TVD1KAL::~TVD1KAL() {
    if (ComPort1) ComPort1->setReceiveHandler({});
}

void TVD1KAL::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* request = named(new QGroupBox(QStringLiteral("Modbus RTU"), this), "grpIstek");
    auto* grid = new QGridLayout(request);
    auto* portLabel = named(new QLabel(QStringLiteral("Port"), request), "lblPort");
    cmbPort = named(new QComboBox(request), "cmbPort");
    cmbPort->setEditable(true);
    cmbPort->setInsertPolicy(QComboBox::NoInsert);
    if (services_ && services_->serialPortNames) cmbPort->addItems(services_->serialPortNames());
    cmbPort->setEditText(defaultPort);
    cmbPort->setMinimumWidth(240);
    cmbPort->setToolTip(QStringLiteral("Cihazın bağlı olduğu seri port"));
    Label1 = named(new QLabel(QStringLiteral("Cihaz Adres"), request), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("1"), request), "Edit1");
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    Label10 = named(new QLabel(QStringLiteral("iLK"), request), "Label10");
    Edit2 = named(new QLineEdit(QStringLiteral("0"), request), "Edit2");
    Label11 = named(new QLabel(QStringLiteral("ADET"), request), "Label11");
    Edit3 = named(new QLineEdit(QStringLiteral("70"), request), "Edit3");
    for (QLineEdit* e : {Edit1, Edit2, Edit3}) e->setFixedWidth(64);
    Button1 = named(new QPushButton(QStringLiteral("Oku"), request), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Button2"), request), "Button2");
    grid->addWidget(portLabel, 0, 0);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(cmbPort);
    portRow->addStretch(1);
    grid->addLayout(portRow, 0, 1, 1, 6);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(Label10, 1, 2);
    grid->addWidget(Edit2, 1, 3);
    grid->addWidget(Label11, 1, 4);
    grid->addWidget(Edit3, 1, 5);
    grid->addWidget(Button1, 1, 6);

    auto* bytes = new QHBoxLayout;
    QLineEdit** boxes[] = {&b1, &b2, &b3, &b4};
    const char* names[] = {"b1", "b2", "b3", "b4"};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = named(new QLineEdit(QStringLiteral("255"), request), names[i]);
        (*boxes[i])->setFixedWidth(48);
        bytes->addWidget(*boxes[i]);
    }
    bytes->addStretch(1);
    grid->addLayout(bytes, 2, 1, 1, 5);
    grid->addWidget(Button2, 2, 6);

    Label3 = named(new QLabel(QStringLiteral("İstek"), request), "Label3");
    Edit4 = named(new QLineEdit(QStringLiteral("Edit4"), request), "Edit4");
    Edit4->setReadOnly(true);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(Edit4, 3, 1, 1, 6);
    Label2 = named(new QLabel(QStringLiteral("Mesaj..."), request), "Label2");
    QFont statusFont = Label2->font();
    statusFont.setBold(true);
    Label2->setFont(statusFont);
    grid->addWidget(Label2, 4, 0, 1, 7);
    grid->setColumnStretch(7, 1);
    layout->addWidget(request);

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* registers = named(new QGroupBox(QStringLiteral("Yanıttaki Registerler"), split), "grpRegisters");
    auto* registersLayout = new QVBoxLayout(registers);
    tblRegisters = named(new QTableWidget(0, 3, registers), "tblRegisters");
    tblRegisters->setHorizontalHeaderLabels(
        {QStringLiteral("Register"), QStringLiteral("Değer"), QStringLiteral("Hex")});
    tblRegisters->verticalHeader()->setVisible(false);
    tblRegisters->verticalHeader()->setDefaultSectionSize(tblRegisters->fontMetrics().height() + 6);
    tblRegisters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRegisters->horizontalHeader()->setStretchLastSection(true);
    registersLayout->addWidget(tblRegisters);
    auto* traceBox = named(new QGroupBox(QStringLiteral("İletişim İzi"), split), "grpTrace");
    auto* traceLayout = new QVBoxLayout(traceBox);
    lstTrace = named(new QListWidget(traceBox), "lstTrace");
    lstTrace->setUniformItemSizes(true);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    lstTrace->setFont(mono);
    traceLayout->addWidget(lstTrace);
    split->addWidget(registers);
    split->addWidget(traceBox);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 3);

    auto* memos = new QHBoxLayout;
    Memo1 = named(new QPlainTextEdit(QStringLiteral("Memo1"), this), "Memo1");
    Memo2 = named(new QPlainTextEdit(QStringLiteral("Memo2"), this), "Memo2");
    memos->addWidget(Memo1, 2);
    memos->addWidget(Memo2, 1);
    layout->addLayout(memos, 1);

    auto* buttons = new QHBoxLayout;
    Button3 = named(new QPushButton(QStringLiteral("Bağlan"), this), "Button3");
    Button4 = named(new QPushButton(QStringLiteral("Gönder"), this), "Button4");
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    layout->addLayout(buttons);
}

void TVD1KAL::Button1Click() { sendRequest(Sent::Read); }

void TVD1KAL::Button2Click() { sendRequest(Sent::Write); }

// Close and open the port, empty what came back before, build the request
// from the boxes, send it, and hold both buttons for the wait. A box that
// holds no integer ends the sequence there, with nothing more sent or shown.
void TVD1KAL::sendRequest(Sent kind) {
    if (!ComPort1 || wait_->isActive()) return;
    const QString port = cmbPort->currentText().trimmed();
    ComPort1->close();
    ComPort1->setPortName(port);
    if (!ComPort1->open()) {
        Label2->setText(QStringLiteral("Port açılamadı: ") + port);
        return;
    }

    serialReceiveText_.clear();
    reply_.clear();
    replyOverflow_ = false;
    const std::optional<std::int32_t> cursor = modbus::integerOf(Edit2->text().toStdString());
    if (!cursor) return;
    table.setCursor(*cursor);

    const std::optional<std::uint8_t> reg = byteOf(Edit2);
    std::optional<std::string> frame;
    if (kind == Sent::Read) {
        const auto address = byteOf(Edit1);
        const auto count = address ? byteOf(Edit3) : std::nullopt;
        if (address && count) {
            frame = modbus::readRequest(*address, *reg, *count);
            sentAddress_ = *address;
            sentCount_ = *count;
        }
    } else {
        const auto d1 = byteOf(b1);
        const auto d2 = d1 ? byteOf(b2) : std::nullopt;
        const auto d3 = d2 ? byteOf(b3) : std::nullopt;
        const auto d4 = d3 ? byteOf(b4) : std::nullopt;
        if (d4) frame = modbus::writeRequest(*reg, *d1, *d2, *d3, *d4);
    }
    if (!frame) return;
    if (kind == Sent::Read) Edit4->setText(QString::fromStdString(modbus::hexBytes(*frame)));

    firstRegister_ = *reg;
    lastSent_ = kind;
    tblRegisters->setRowCount(0);
    trace(QStringLiteral("Giden"), QByteArray(frame->data(), static_cast<qsizetype>(frame->size())));
    gonder(*frame);

    // The pacing of the requests, without holding the window.
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    wait_->start(kind == Sent::Read ? readWaitMs : writeWaitMs);
}

void TVD1KAL::gonder(const std::string& frame) {
    if (frame.empty() || !ComPort1) return;
    for (char byte : frame) ComPort1->write(QByteArray(1, byte));  // a failed byte is skipped
}

void TVD1KAL::ComPort1RxChar(qint64 count) {
    const std::optional<QByteArray> bytes = ComPort1 ? ComPort1->read(count) : std::nullopt;
    if (!bytes) {  // a failed read ends the event before the lamp flickers
        Label2->setText(QStringLiteral("Hatatata"));
        return;
    }
    if (lampFlip_) lampFlip_();
    for (char b : *bytes) {
        serialReceiveText_ += std::to_string(static_cast<unsigned char>(b));
        serialReceiveText_ += '$';
    }
    // A reply frame is at most 256 bytes: beyond a few times that, what comes is
    // no reply, and only the fact is kept, not the bytes.
    if (reply_.size() + bytes->size() > maxReplyBytes)
        replyOverflow_ = true;
    else
        reply_ += *bytes;
    if (!bytes->isEmpty()) trace(QStringLiteral("Gelen"), *bytes);
    Label2->setText(QStringLiteral("Normal"));
}

void TVD1KAL::checkReply() {
    Button1->setEnabled(true);
    Button2->setEnabled(true);
    using Kind = modbus::ReplyReading::Kind;
    modbus::ReplyReading r;
    if (replyOverflow_)
        r.kind = Kind::BadCrc;
    else
        r = modbus::readReply(bytesOf(reply_));
    switch (r.kind) {
        case Kind::NoReply:
            Label2->setText(QStringLiteral("Yanıt yok"));
            return;
        case Kind::BadCrc:
            Label2->setText(QStringLiteral("CRC hatalı"));
            return;
        case Kind::Exception:
            Label2->setText(QStringLiteral("Modbus hata kodu: ") + QString::number(r.exceptionCode));
            return;
        case Kind::Registers:
        case Kind::Other:
            break;
    }
    Label2->setText(QStringLiteral("CRC doğru"));
    // Only the answer to the read sent fills the table: the slave asked, and as
    // many registers as asked for.
    if (r.kind != Kind::Registers || lastSent_ != Sent::Read || r.address != sentAddress_ ||
        r.registers.size() != sentCount_)
        return;
    tblRegisters->setRowCount(static_cast<int>(r.registers.size()));
    for (int row = 0; row < tblRegisters->rowCount(); ++row) {
        const std::uint16_t value = r.registers[static_cast<std::size_t>(row)];
        const QString cells[] = {QString::number(firstRegister_ + row), QString::number(value),
                                 QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper()};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblRegisters->setItem(row, column, item);
        }
    }
}

void TVD1KAL::trace(const QString& direction, const QByteArray& bytes) {
    lstTrace->addItem(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) + QStringLiteral("  ") + direction +
                      QStringLiteral("  ") + QString::fromStdString(modbus::hexBytes(bytesOf(bytes))));
    while (lstTrace->count() > traceCapacity) delete lstTrace->takeItem(0);
    lstTrace->scrollToBottom();
}

}  // namespace izleme
