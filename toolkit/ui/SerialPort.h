// A serial line as the serial poll window uses it: line settings, open and
// close, write, and a received-bytes event with a count. Real port or fake.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace izleme {

class SerialPort {
public:
    enum class Parity { None, Even, Odd, Mark, Space };

    virtual ~SerialPort() = default;

    virtual void setPortName(const QString& name) = 0;
    virtual QString portName() const = 0;
    virtual void setBaudRate(qint32 baud) = 0;
    virtual qint32 baudRate() const = 0;
    virtual void setDataBits(int bits) = 0;
    virtual int dataBits() const = 0;
    virtual void setParity(Parity parity) = 0;
    virtual Parity parity() const = 0;
    virtual void setStopBits(int bits) = 0;
    virtual int stopBits() const = 0;
    virtual void setDtr(bool on) = 0;
    virtual bool dtr() const = 0;
    virtual void setRts(bool on) = 0;
    virtual bool rts() const = 0;
    // No hardware (CTS/DSR) and no software (XON/XOFF) flow control.
    virtual void setFlowControlOff() = 0;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual qint64 write(const QByteArray& bytes) = 0;  // bytes written, -1 on error

    virtual qint64 bytesAvailable() const = 0;
    // Up to n waiting bytes; nothing when the read fails.
    virtual std::optional<QByteArray> read(qint64 n) = 0;
    // Called on the user-interface thread with the number of bytes waiting.
    virtual void setReceiveHandler(std::function<void(qint64 count)> handler) = 0;
};

}  // namespace izleme
