// Stand-ins for the platform services in tests: a settable internet state, a
// sound player that records what it was asked to play, and a serial port
// that records writes and delivers bytes the test feeds it.
#pragma once

#include <QList>
#include <QStringList>

#include "toolkit/ui/PlatformServices.h"

namespace izleme {

class FakeInternetState : public InternetState {
public:
    bool connected = true;
    bool isConnected() const override { return connected; }
};

class FakeSoundPlayer : public SoundPlayer {
public:
    QStringList played;  // every file asked for, in order
    int stops = 0;
    bool play(const QString& fileName) override {
        played << fileName;
        return true;
    }
    void stop() override { ++stops; }
};

class FakeSerialPort : public SerialPort {
public:
    // Test controls.
    bool failOpen = false;
    bool failRead = false;
    QList<QByteArray> written;
    QList<int> failingWrites;  // numbers (from 0) of the write calls that fail
    int writeCalls = 0;
    int opens = 0;
    int closes = 0;

    // Makes bytes arrive: queued, then the receive handler runs with the count waiting.
    void feed(const QByteArray& bytes) {
        incoming_ += bytes;
        if (handler_) handler_(incoming_.size());
    }

    void setPortName(const QString& name) override { name_ = name; }
    QString portName() const override { return name_; }
    void setBaudRate(qint32 baud) override { baud_ = baud; }
    qint32 baudRate() const override { return baud_; }
    void setDataBits(int bits) override { dataBits_ = bits; }
    int dataBits() const override { return dataBits_; }
    void setParity(Parity parity) override { parity_ = parity; }
    Parity parity() const override { return parity_; }
    void setStopBits(int bits) override { stopBits_ = bits; }
    int stopBits() const override { return stopBits_; }
    void setDtr(bool on) override { dtr_ = on; }
    bool dtr() const override { return dtr_; }
    void setRts(bool on) override { rts_ = on; }
    bool rts() const override { return rts_; }
    void setFlowControlOff() override { flowControlOff = true; }
    bool flowControlOff = false;

    bool open() override {
        ++opens;
        open_ = !failOpen;
        return open_;
    }
    void close() override {
        ++closes;
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    qint64 write(const QByteArray& bytes) override {
        if (failingWrites.contains(writeCalls++)) return -1;
        if (!open_) return -1;
        written << bytes;
        return bytes.size();
    }
    qint64 bytesAvailable() const override { return incoming_.size(); }
    std::optional<QByteArray> read(qint64 n) override {
        if (failRead || n < 0) return std::nullopt;
        QByteArray out = incoming_.left(n);
        incoming_.remove(0, out.size());
        return out;
    }
    void setReceiveHandler(std::function<void(qint64)> handler) override { handler_ = std::move(handler); }

private:
    QString name_;
    qint32 baud_ = 0;
    int dataBits_ = 0;
    Parity parity_ = Parity::None;
    int stopBits_ = 0;
    bool dtr_ = false;
    bool rts_ = false;
    bool open_ = false;
    QByteArray incoming_;
    std::function<void(qint64)> handler_;
};

// Fake services; every serial port made is kept in `ports` for the test to drive.
struct FakePlatform {
    std::shared_ptr<FakeInternetState> internet = std::make_shared<FakeInternetState>();
    std::shared_ptr<FakeSoundPlayer> sound = std::make_shared<FakeSoundPlayer>();
    std::shared_ptr<QList<FakeSerialPort*>> ports = std::make_shared<QList<FakeSerialPort*>>();

    std::shared_ptr<PlatformServices> services() const {
        auto s = std::make_shared<PlatformServices>();
        s->internet = internet;
        s->sound = sound;
        auto list = ports;
        s->makeSerialPort = [list] {
            auto port = std::make_unique<FakeSerialPort>();
            list->append(port.get());
            return port;
        };
        return s;
    }
};

}  // namespace izleme
