// The serial poll window VD1KAL: Modbus RTU requests to a device on a local
// serial port, the bytes that come back (checked, read, traced); it also owns
// the register table that server replies fill.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "registers/core/RegisterTable.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace izleme {

class SerialPort;
struct PlatformServices;

class TVD1KAL : public QWidget {
    Q_OBJECT
public:
    explicit TVD1KAL(std::shared_ptr<PlatformServices> services, QWidget* parent = nullptr);
    ~TVD1KAL() override;

    RegisterTable table;

    // `ComPort1`: "COM5" (or the port picked in `cmbPort`), 9600 baud, 8 data
    // bits, no parity, 1 stop bit, DTR and RTS on, no flow control; closed
    // until the first request.
    SerialPort& comPort() { return *ComPort1; }

    // The main window's activity lamp: flipped on every received-bytes event.
    void setLampFlip(std::function<void()> flip) { lampFlip_ = std::move(flip); }

    // The serial receive text: each received byte as its decimal value and "$".
    const std::string& serialReceiveText() const { return serialReceiveText_; }
    // Emptied at each request and by every parse of a server reply.
    void clearSerialReceiveText() { serialReceiveText_.clear(); }

    // How long the request buttons stay disabled after a read and a write (ms).
    static constexpr int readWaitMs = 800;
    static constexpr int writeWaitMs = 1000;
    // Lines the trace keeps.
    static constexpr int traceCapacity = 1000;

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
    QComboBox* cmbPort;
    QTableWidget* tblRegisters;
    QListWidget* lstTrace;

public slots:
    void Button1Click();
    void Button2Click();
    void ComPort1RxChar(qint64 count);

private:
    enum class Sent { Read, Write };

    void buildControls();
    // The send sequence shared by both buttons (nothing is sent when a box
    // holds no integer).
    void sendRequest(Sent kind);
    // Writes the frame one byte per write; a failed write does not stop the rest.
    void gonder(const std::string& frame);
    // After the wait: the reply's CRC, its registers or its exception code.
    void checkReply();
    void trace(const QString& direction, const QByteArray& bytes);

    std::shared_ptr<PlatformServices> services_;
    std::unique_ptr<SerialPort> ComPort1;
    std::function<void()> lampFlip_;
    std::string serialReceiveText_;
    static constexpr qsizetype maxReplyBytes = 1024;
    QByteArray reply_;            // the bytes received since the last request
    bool replyOverflow_ = false;  // more came than any reply frame holds
    int firstRegister_ = 0;       // of the last read request, as sent
    int sentAddress_ = 0;         // slave address of the last read request
    std::size_t sentCount_ = 0;   // register count of the last read request
    Sent lastSent_ = Sent::Read;
    QTimer* wait_ = nullptr;
};

}  // namespace izleme
