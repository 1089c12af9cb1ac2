// A loopback server for tests of the client's connection: it accepts one
// client on 127.0.0.1 and keeps every byte that client sends.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace izleme::test {

class LoopbackPeer : public QObject {
public:
    LoopbackPeer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            client = server_.nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [this] { received += client->readAll(); });
        });
    }

    QString portText() const { return QString::number(server_.serverPort()); }

    QTcpServer server_;
    QPointer<QTcpSocket> client;  // the accepted connection, once there is one
    QByteArray received;
};

}  // namespace izleme::test
