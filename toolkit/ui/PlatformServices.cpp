// The real platform services: network interfaces and reachability, audio
// output through QSoundEffect, serial ports through QSerialPort.
#include "toolkit/ui/PlatformServices.h"

#include <QFileInfo>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSoundEffect>
#include <QUrl>

namespace izleme {
namespace {

// Some backend answers "online" without a route, so an interface that is up,
// running, not loopback and has an address is required as well.
class RealInternetState : public InternetState {
public:
    bool isConnected() const override {
        if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
            const QNetworkInformation* info = QNetworkInformation::instance();
            if (info && info->reachability() == QNetworkInformation::Reachability::Disconnected) return false;
        }
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& i : interfaces) {
            const auto flags = i.flags();
            if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
                flags.testFlag(QNetworkInterface::IsLoopBack))
                continue;
            if (!i.addressEntries().isEmpty()) return true;
        }
        return false;
    }
};

class RealSoundPlayer : public SoundPlayer {
public:
    bool play(const QString& fileName) override {
        if (!QFileInfo::exists(fileName)) return false;
        if (!effect_) effect_ = std::make_unique<QSoundEffect>();
        const QUrl url = QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath());
        if (effect_->source() != url) effect_->setSource(url);
        effect_->stop();
        effect_->play();
        return true;
    }
    void stop() override {
        if (effect_) effect_->stop();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};

class RealSerialPort : public SerialPort {
public:
    RealSerialPort() {
        QObject::connect(&port_, &QSerialPort::readyRead, [this] {
            if (handler_) handler_(port_.bytesAvailable());
        });
    }
    void setPortName(const QString& name) override { port_.setPortName(name); }
    QString portName() const override { return port_.portName(); }
    void setBaudRate(qint32 baud) override { port_.setBaudRate(baud); }
    qint32 baudRate() const override { return port_.baudRate(); }
    void setDataBits(int bits) override { port_.setDataBits(static_cast<QSerialPort::DataBits>(bits)); }
    int dataBits() const override { return port_.dataBits(); }
    void setParity(Parity parity) override { port_.setParity(toQt(parity)); }
    Parity parity() const override { return fromQt(port_.parity()); }
    void setStopBits(int bits) override { port_.setStopBits(bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop); }
    int stopBits() const override { return port_.stopBits() == QSerialPort::TwoStop ? 2 : 1; }
    // The lines can be set only on an open port; they are applied again on open.
    void setDtr(bool on) override {
        dtr_ = on;
        if (port_.isOpen()) port_.setDataTerminalReady(on);
    }
    bool dtr() const override { return dtr_; }
    void setRts(bool on) override {
        rts_ = on;
        if (port_.isOpen()) port_.setRequestToSend(on);
    }
    bool rts() const override { return rts_; }
    void setFlowControlOff() override { port_.setFlowControl(QSerialPort::NoFlowControl); }
    bool open() override {
        if (!port_.open(QIODevice::ReadWrite)) return false;
        port_.setDataTerminalReady(dtr_);
        port_.setRequestToSend(rts_);
        return true;
    }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    qint64 write(const QByteArray& bytes) override { return port_.write(bytes); }
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    std::optional<QByteArray> read(qint64 n) override {
        if (!port_.isOpen() || n < 0) return std::nullopt;
        return port_.read(n);
    }
    void setReceiveHandler(std::function<void(qint64)> handler) override { handler_ = std::move(handler); }

private:
    static QSerialPort::Parity toQt(Parity p) {
        switch (p) {
            case Parity::Even:
                return QSerialPort::EvenParity;
            case Parity::Odd:
                return QSerialPort::OddParity;
            case Parity::Mark:
                return QSerialPort::MarkParity;
            case Parity::Space:
                return QSerialPort::SpaceParity;
            case Parity::None:
                break;
        }
        return QSerialPort::NoParity;
    }
    static Parity fromQt(QSerialPort::Parity p) {
        switch (p) {
            case QSerialPort::EvenParity:
                return Parity::Even;
            case QSerialPort::OddParity:
                return Parity::Odd;
            case QSerialPort::MarkParity:
                return Parity::Mark;
            case QSerialPort::SpaceParity:
                return Parity::Space;
            default:
                return Parity::None;
        }
    }

    QSerialPort port_;
    bool dtr_ = false;
    bool rts_ = false;
    std::function<void(qint64)> handler_;
};

}  // namespace

std::shared_ptr<PlatformServices> PlatformServices::real() {
    auto s = std::make_shared<PlatformServices>();
    s->internet = std::make_shared<RealInternetState>();
    s->sound = std::make_shared<RealSoundPlayer>();
    s->makeSerialPort = [] { return std::make_unique<RealSerialPort>(); };
    s->serialPortNames = [] {
        QStringList names;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.portName();
        return names;
    };
    return s;
}

}  // namespace izleme
