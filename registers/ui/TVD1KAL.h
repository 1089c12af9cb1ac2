// The serial poll window VD1KAL: Modbus RTU requests to a device on a local
// serial port; it also owns the register table that server replies fill.
#pragma once

#include <QWidget>
#include <memory>

#include "registers/core/RegisterTable.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace izleme {

class SerialPort;
struct PlatformServices;

class TVD1KAL : public QWidget {
    Q_OBJECT
public:
    explicit TVD1KAL(std::shared_ptr<PlatformServices> services, QWidget* parent = nullptr);
    ~TVD1KAL() override;

    RegisterTable table;

    // `ComPort1`: "COM5", 9600 baud, 8 data bits, no parity, 1 stop bit, DTR
    // and RTS on, no flow control; closed until the first request.
    SerialPort& comPort() { return *ComPort1; }

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label10;
    QLineEdit* Edit2;
    QLabel* Label11;
    QLineEdit* Edit3;
    QPushButton* Button1;
    QPushButton* Button2;
    QLineEdit* b1;
    QLineEdit* b2;
    QLineEdit* b3;
    QLineEdit* b4;
    QLabel* Label3;
    QLineEdit* Edit4;
    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;
    QPushButton* Button3;
    QPushButton* Button4;

private:
    void buildControls();

    std::shared_ptr<PlatformServices> services_;
    std::unique_ptr<SerialPort> ComPort1;
};

}  // namespace izleme
