// The one server connection of the client: connect-and-login, the socket's
// connect, disconnect, error and read events, and the keep-alive.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

#include "server/core/Reassembler.h"
#include "server/core/ReplyDispatcher.h"

namespace izleme {

class ShellPort;
class TFrmGiris;

class Connection : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 portBeforeLogin = 17814;
    // Bytes after the last terminator wait this long for the rest of their
    // message (a late TCP segment) before they are dispatched as they are.
    static constexpr int flushDelayMs = 3000;
    // The most bytes one read event takes from the socket.
    static constexpr qint64 maxReadBytes = 256 * 1024;

    Connection(ShellPort& shell, TFrmGiris& login, QObject* parent = nullptr);
    ~Connection() override;

    // A connect-and-login is waiting for the socket to connect.
    bool isConnecting() const { return connecting_; }
    quint16 socketPort() const { return socketPort_; }
    void resetSocketPort() { socketPort_ = portBeforeLogin; }

signals:
    // The login message went out on a new connection (the device list is empty again).
    void loginSent();

public slots:
    // Steps of the login: checks, open the socket, then wait for the connect
    // without blocking; a second call while one waits does nothing.
    void startConnectAndLogin();

    void ClientsoketConnect();
    void ClientsoketDisconnect();
    void ClientsoketError();
    void ClientsoketRead();
    void TimerPingTimer();

private:
    void onConnected();
    void onProgress(int value);
    void endWaitWithError();
    // The procedure ends without a connection: the progress stops, "Bağlan"
    // can be clicked again, and the status text says why.
    void stopWithoutConnection(const QString& statusText);
    void showLoginRefused();
    void sendLogin();
    // "kulsifre" with these texts; nothing when a character cannot travel.
    static std::optional<std::string> loginMessage(const QString& user, const QString& password);
    void showRefusal();
    void dispatchText(const std::string& text);
    void flushKeptBytes();
    void showConnectionError();

    ShellPort& shell_;
    TFrmGiris& login_;
    Reassembler reassembler_;
    ReplyDispatcher dispatcher_;
    QTimer flushTimer_;
    QString host_;
    QString pendingUser_;
    QString pendingPassword_;
    quint16 socketPort_ = portBeforeLogin;
    bool connecting_ = false;
    bool awaitingFirstReply_ = false;  // the login went out and nothing came back yet
    QString captionBeforeLogin_;       // the main window's caption before the login said "Bağlı"
};

}  // namespace izleme
