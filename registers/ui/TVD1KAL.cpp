#include "registers/ui/TVD1KAL.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "toolkit/ui/Named.h"
#include "toolkit/ui/PlatformServices.h"

namespace izleme {

TVD1KAL::TVD1KAL(std::shared_ptr<PlatformServices> services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), services_(std::move(services)) {
    setObjectName(QStringLiteral("VD1KAL"));
    setWindowTitle(QStringLiteral("KRT100"));
    resize(560, 420);
    setStyleSheet(QStringLiteral("QWidget#VD1KAL { background: #FFFBF0; }"));
    setAttribute(Qt::WA_StyledBackground, true);
    buildControls();

    if (services_ && services_->makeSerialPort) ComPort1 = services_->makeSerialPort();
    if (ComPort1) {
        ComPort1->setPortName(QStringLiteral("COM5"));
        ComPort1->setBaudRate(9600);
        ComPort1->setDataBits(8);
        ComPort1->setParity(SerialPort::Parity::None);
        ComPort1->setStopBits(1);
        ComPort1->setDtr(true);
        ComPort1->setRts(true);
        ComPort1->setFlowControlOff();
    }
}

TVD1KAL::~TVD1KAL() = default;

void TVD1KAL::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Label1 = named(new QLabel(QStringLiteral("Cihaz Adres"), this), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("1"), this), "Edit1");
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    Label10 = named(new QLabel(QStringLiteral("iLK"), this), "Label10");
    Edit2 = named(new QLineEdit(QStringLiteral("0"), this), "Edit2");
    Label11 = named(new QLabel(QStringLiteral("ADET"), this), "Label11");
    Edit3 = named(new QLineEdit(QStringLiteral("70"), this), "Edit3");
    Button1 = named(new QPushButton(QStringLiteral("Oku"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Button2"), this), "Button2");
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label10, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label11, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(Button2, 1, 2);

    auto* bytes = new QHBoxLayout;
    QLineEdit** boxes[] = {&b1, &b2, &b3, &b4};
    const char* names[] = {"b1", "b2", "b3", "b4"};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = named(new QLineEdit(QStringLiteral("255"), this), names[i]);
        (*boxes[i])->setFixedWidth(48);
        bytes->addWidget(*boxes[i]);
    }
    bytes->addStretch(1);
    grid->addLayout(bytes, 2, 2);

    Label3 = named(new QLabel(QStringLiteral("İstek"), this), "Label3");
    Edit4 = named(new QLineEdit(QStringLiteral("Edit4"), this), "Edit4");
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(Edit4, 3, 1, 1, 2);
    Label2 = named(new QLabel(QStringLiteral("Mesaj..."), this), "Label2");
    grid->addWidget(Label2, 4, 0, 1, 3);
    layout->addLayout(grid);

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

}  // namespace izleme
