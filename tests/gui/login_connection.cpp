// Connect-and-login against a loopback server: the login bytes, the refusal of
// unsafe fields, the keep-alive, and the connect, disconnect and error events.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "gui/login_fake_shell.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"
#include "toolkit/core/Cp1254.h"

using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;

namespace {

const QString kRefusal = QStringLiteral("Geçersiz karakter: istek gönderilmedi.");

QByteArray bytes(const char* text) { return QByteArray(text); }

void fillLogin(TFrmGiris& w, const LoopbackPeer& peer, const QString& user, const QString& password) {
    w.Edit1->setText(user);
    w.Edit4->setText(password);
    w.Servername->setText(QStringLiteral("127.0.0.1"));
    w.edtport->setText(peer.portText());
}

}  // namespace

class LoginConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void loginBytes_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("plain") << "demo"
                               << "demo"
                               << bytes(
                                      "kulsifre\x01"
                                      "demo\x01"
                                      "demo\x02\xF4\xF4\xF4");
        QTest::newRow("empty password is one space") << "demo"
                                                     << ""
                                                     << bytes(
                                                            "kulsifre\x01"
                                                            "demo\x01 \x02\xF4\xF4\xF4");
        QTest::newRow("Turkish letters in code page 1254") << QStringLiteral("Işıl Güneş") << QStringLiteral("ğİş")
                                                           << bytes(
                                                                  "kulsifre\x01I\xFE\xFDl G\xFCn"
                                                                  "e\xFE\x01\xF0\xDD\xFE\x02\xF4\xF4\xF4");
    }
    void loginBytes() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, wire);
        FakeShell shell;
        auto* group = shell.devices.addGroup("ESKI");
        group->insertEntryAtTop("Pano No: 1", 0);
        TFrmGiris w(shell);
        w.show();
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        LoopbackPeer peer;
        fillLogin(w, peer, user, password);

        QTest::mouseClick(w.suiButton1, Qt::LeftButton);
        QVERIFY(!w.suiButton1->isEnabled());
        QCOMPARE(w.statusText(), QStringLiteral("  Nuveke Bağlanıyor"));
        QVERIFY(w.Timer1->isActive());
        QVERIFY(w.connection().isConnecting());
        QTRY_COMPARE(peer.received, wire);

        QCOMPARE(sent.count(), 1);
        QVERIFY(!w.connection().isConnecting());
        QVERIFY(shell.shared.loggedIn);
        QCOMPARE(shell.caption, "<<<<<<<" + user + " Bağlı.>>>>>>>>>");
        QCOMPARE(QString::fromStdString(izleme::cp1254::toUtf8(shell.shared.loginUserName)), user);
        QCOMPARE(shell.trayAttached, 1);
        QVERIFY(!w.isVisible());  // closed by the connect event
        QCOMPARE(w.connection().socketPort(), peer.server_.serverPort());
        QCOMPARE(shell.devices.groupCount(), 1);  // entries go, groups stay
        QCOMPARE(shell.devices.group(0)->entryCount(), 0);
    }

    void unsafeFieldsAreNotSent_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("0xF4 in the password") << "demo" << QStringLiteral("kô");
        QTest::newRow("field separator in the user") << QStringLiteral("de\x01mo") << "demo";
        QTest::newRow("login end in the password") << "demo" << QStringLiteral("a\x02");
        QTest::newRow("not in code page 1254") << QStringLiteral("d€m日") << "demo";
    }
    void unsafeFieldsAreNotSent() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        FakeShell shell;
        TFrmGiris w(shell);
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        LoopbackPeer peer;
        fillLogin(w, peer, user, password);
        w.suiButton1Click();
        QCOMPARE(w.statusText(), kRefusal);
        QCOMPARE(shell.statusLine, kRefusal);
        // Refused before connecting: the window is not closed by a connect
        // and stays to correct the texts, with "Bağlan" ready for them.
        QVERIFY(!w.connection().isConnecting());
        QVERIFY(!w.Timer1->isActive());
        QVERIFY(w.suiButton1->isEnabled());
        QTest::qWait(50);
        QVERIFY(!peer.client);
        QCOMPARE(shell.trayAttached, 0);
        QCOMPARE(peer.received, QByteArray());
        QCOMPARE(sent.count(), 0);
        QVERIFY(!shell.shared.loggedIn);
        QCOMPARE(shell.caption, QString());

        // Corrected texts log in.
        w.Edit1->setText(QStringLiteral("demo"));
        w.Edit4->setText(QStringLiteral("demo"));
        w.suiButton1Click();
        QTRY_COMPARE(sent.count(), 1);
        QTRY_COMPARE(peer.received, bytes("kulsifre\x01"
                                          "demo\x01"
                                          "demo\x02\xF4\xF4\xF4"));
    }

    void secondStartWhileWaitingDoesNothing() {
        FakeShell shell;
        TFrmGiris w(shell);
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        LoopbackPeer peer;
        fillLogin(w, peer, "demo", "demo");
        w.suiButton1Click();
        QVERIFY(w.connection().isConnecting());
        w.Edit1->setText("baska");
        w.suiButton1Click();
        w.connection().startConnectAndLogin();
        QTRY_COMPARE(sent.count(), 1);
        QTest::qWait(50);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(peer.received, bytes("kulsifre\x01"
                                      "demo\x01"
                                      "demo\x02\xF4\xF4\xF4"));
    }

    void meterAddressWhenTheServerBoxIsEmpty_data() {
        QTest::addColumn<QByteArray>("meterBox");
        QTest::addColumn<bool>("connects");
        QTest::newRow("a numeric address") << QByteArray("127.0.0.1") << true;
        // The box also shows the last date of a meter's date-range reply.
        QTest::newRow("a date") << QByteArray("04.03.2024") << false;
        QTest::newRow("a short dotted form") << QByteArray("127.1") << false;
    }

    void meterAddressWhenTheServerBoxIsEmpty() {
        QFETCH(QByteArray, meterBox);
        QFETCH(bool, connects);
        FakeShell shell;
        shell.shared.meterAddress = meterBox.toStdString();
        TFrmGiris w(shell);
        LoopbackPeer peer;
        fillLogin(w, peer, "demo", "demo");
        w.Servername->clear();
        w.suiButton1Click();
        if (connects) {
            QTRY_VERIFY(shell.shared.loggedIn);
            QTRY_COMPARE(peer.received.left(8), bytes("kulsifre"));
        } else {
            QCOMPARE(w.statusText(), QStringLiteral("   Sunucu adı yok"));
            QTest::qWait(100);
            QVERIFY(!peer.client);
        }
    }

    void pingOnlyWhileConnected() {
        FakeShell shell;
        TFrmGiris w(shell);
        LoopbackPeer peer;
        w.connection().TimerPingTimer();
        QCOMPARE(shell.sock.bytesToWrite(), 0);
        QTest::qWait(20);
        QVERIFY(!peer.client);

        fillLogin(w, peer, "demo", "demo");
        w.suiButton1Click();
        QTRY_VERIFY(shell.shared.loggedIn);
        QTRY_VERIFY(peer.received.endsWith('\xF4'));
        peer.received.clear();
        w.connection().TimerPingTimer();
        w.connection().TimerPingTimer();
        QTRY_COMPARE(peer.received, bytes("ping\xF4\xF4\xF4ping\xF4\xF4\xF4"));
    }

    void serverCloseShowsTheDisconnectText() {
        FakeShell shell;
        TFrmGiris w(shell);
        LoopbackPeer peer;
        fillLogin(w, peer, QStringLiteral("Şule"), "demo");
        w.suiButton1Click();
        QTRY_VERIFY(shell.shared.loggedIn);
        QTRY_VERIFY(peer.received.endsWith('\xF4'));
        peer.client->disconnectFromHost();
        QTRY_VERIFY(!shell.shared.loggedIn);
        QCOMPARE(shell.statusLine, QStringLiteral("Şule kullanıcısının ana bilgisayarla bağlantısı kesildi"));
        QCOMPARE(w.errorText(), QString());  // a close by the server is no connection error

        // The next connect-and-login starts over on a new connection.
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        w.suiButton2Click();
        w.suiButton1Click();
        QTRY_COMPARE(sent.count(), 1);
        QVERIFY(shell.shared.loggedIn);
    }

    void refusedConnectionEndsTheWait() {
        FakeShell shell;
        TFrmGiris w(shell);
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        w.Edit1->setText("demo");
        w.Servername->setText("127.0.0.1");
        w.edtport->setText(QString::number(closedPort));
        w.suiButton1Click();
        QTRY_COMPARE(w.errorText(), QStringLiteral("Bağlantı Hatası"));
        QCOMPARE(shell.statusLine, QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."));
        QCOMPARE(w.statusText(), QStringLiteral("   Sunucu bağlantıyı kabul etmedi"));
        QVERIFY(!w.connection().isConnecting());
        QCOMPARE(sent.count(), 0);
        QVERIFY(!shell.shared.loggedIn);
        QVERIFY(w.suiButton1->isEnabled());
        QVERIFY(!w.Timer1->isActive());
    }
};

QTEST_MAIN(LoginConnectionTest)
#include "login_connection.moc"
