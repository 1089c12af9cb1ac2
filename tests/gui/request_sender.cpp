// The request sender over a real loopback connection.
#include "server/core/Keywords.h"
#include "server/core/Wire.h"
#include "toolkit/ui/Cp1254Text.h"
#include "server/ui/RequestSender.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using izleme::RequestSender;

class RequestSenderTest : public QObject {
    Q_OBJECT

    QTcpServer server_;
    QTcpSocket client_;
    QTcpSocket* peer_ = nullptr;
    QStringList shown_;

    // Everything the peer receives within a short wait.
    QByteArray received(int waitMs = 300) {
        QByteArray all;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < waitMs) {
            peer_->waitForReadyRead(50);
            all += peer_->readAll();
        }
        return all;
    }

private slots:
    void init() {
        shown_.clear();
        QVERIFY(server_.listen(QHostAddress::LocalHost, 0));
        client_.connectToHost(QHostAddress::LocalHost, server_.serverPort());
        QVERIFY(client_.waitForConnected(3000));
        QVERIFY(server_.waitForNewConnection(3000));
        peer_ = server_.nextPendingConnection();
        QVERIFY(peer_ != nullptr);
    }

    void cleanup() {
        client_.abort();
        delete peer_;
        peer_ = nullptr;
        server_.close();
    }

    void bytesArriveExactly() {
        RequestSender sender(&client_, [this](const QString& t) { shown_ << t; });
        const auto serial = izleme::toCp1254(QStringLiteral("12001"));
        QVERIFY(serial.has_value());
        QVERIFY(sender.send(izleme::wire::buildMessage(izleme::kw::enertum, {*serial})));
        const auto user = izleme::toCp1254(QStringLiteral("ŞENOL"));
        QVERIFY(sender.send(izleme::wire::buildLogin(*user, " ")));
        QVERIFY(client_.waitForBytesWritten(1000) || client_.bytesToWrite() == 0);
        QCOMPARE(received(), QByteArray("enertum\x01" "12001\x01\xF4\xF4\xF4"
                                        "kulsifre\x01\xDE" "ENOL\x01 \x02\xF4\xF4\xF4"));
        QVERIFY(shown_.isEmpty());
    }

    void unsafeFieldSendsNothingAndSaysSo() {
        RequestSender sender(&client_, [this](const QString& t) { shown_ << t; });
        // "ô" is the terminator byte in code page 1254; "ā" has no byte at all.
        for (const QString& typed : {QStringLiteral("12ô01"), QStringLiteral("a\x01" "b"), QStringLiteral("ā")}) {
            const auto field = izleme::toCp1254(typed);
            const auto message = field ? izleme::wire::buildMessage(izleme::kw::enertum, {*field})
                                       : std::optional<std::string>();
            QVERIFY(!message.has_value());
            QVERIFY(!sender.send(message));
        }
        QCOMPARE(shown_, QStringList(3, QStringLiteral("Geçersiz karakter: istek gönderilmedi.")));
        QCOMPARE(received(), QByteArray());
    }

    void nothingIsSentWhileNotConnected() {
        QTcpSocket unconnected;
        RequestSender sender(&unconnected, [this](const QString& t) { shown_ << t; });
        QVERIFY(!sender.send(izleme::wire::buildPing()));
        QCOMPARE(unconnected.bytesToWrite(), 0);
        QVERIFY(shown_.isEmpty());

        // After the connection closed, the same holds for our client.
        RequestSender closed(&client_, [this](const QString& t) { shown_ << t; });
        client_.disconnectFromHost();
        if (client_.state() != QAbstractSocket::UnconnectedState) QVERIFY(client_.waitForDisconnected(1000));
        QVERIFY(!closed.send(izleme::wire::buildPing()));
        QVERIFY(shown_.isEmpty());
        QCOMPARE(received(), QByteArray());
    }
};

QTEST_MAIN(RequestSenderTest)
#include "request_sender.moc"
