// Every way the connect-and-login procedure can stop without a connection
// leaves the login window ready for another try: the progress stopped,
// "Bağlan" enabled and a status text that says why. Corrected texts then log
// in with one more "Bağlan", without "İptal".
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "gui/login_fake_shell.h"
#include "server/ui/Connection.h"
#include "server/ui/RequestSender.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"

using izleme::LoginSettings;
using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;

namespace {

enum class Stop { EmptyUser, NoInternet, PortNotANumber, PortOutOfRange, UntravelableText, Refused };

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();  // free again once the probe is gone
}

}  // namespace

class LoginStopsTest : public QObject {
    Q_OBJECT

private slots:
    void stopLeavesConnectReady_data() {
        QTest::addColumn<Stop>("stop");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty user name") << Stop::EmptyUser << QStringLiteral("   Kullanıcı Adı Girin") << QString();
        QTest::newRow("no internet") << Stop::NoInternet << QStringLiteral("   İnternet bağlantısı yok") << QString();
        QTest::newRow("port not a number")
            << Stop::PortNotANumber << QStringLiteral("   Geçersiz port numarası") << QString();
        QTest::newRow("port out of range")
            << Stop::PortOutOfRange << QStringLiteral("   Geçersiz port numarası") << QString();
        QTest::newRow("text that cannot travel")
            << Stop::UntravelableText << izleme::RequestSender::refusedText() << QString();
        QTest::newRow("connection refused") << Stop::Refused << QStringLiteral("   Sunucu bağlantıyı kabul etmedi")
                                            << QStringLiteral("Bağlantı Hatası");
    }
    void stopLeavesConnectReady() {
        QFETCH(Stop, stop);
        QFETCH(QString, status);
        QFETCH(QString, error);
        FakeShell shell;
        auto internet = std::make_shared<bool>(stop != Stop::NoInternet);
        LoginSettings settings;
        settings.internetAvailable = [internet] { return *internet; };
        TFrmGiris w(shell, nullptr, settings);
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        LoopbackPeer peer;
        w.Edit1->setText(stop == Stop::EmptyUser ? QString() : QStringLiteral("demo"));
        w.Edit4->setText(stop == Stop::UntravelableText ? QStringLiteral("kô") : QStringLiteral("demo"));
        w.Servername->setText(QStringLiteral("127.0.0.1"));
        const QMap<Stop, QString> ports = {{Stop::PortNotANumber, QStringLiteral("17a16")},
                                           {Stop::PortOutOfRange, QStringLiteral("70000")},
                                           {Stop::Refused, QString::number(closedPort())}};
        w.edtport->setText(ports.value(stop, peer.portText()));
        w.setProgress(42);

        QTest::mouseClick(w.suiButton1, Qt::LeftButton);
        QTRY_VERIFY(w.suiButton1->isEnabled());
        QCOMPARE(w.statusText(), status);
        QCOMPARE(w.errorText(), error);
        QVERIFY(!w.Timer1->isActive());
        QVERIFY(!w.connection().isConnecting());
        QCOMPARE(sent.count(), 0);
        QVERIFY(!shell.shared.loggedIn);
        // The indicator stays where it stopped.
        const qint16 stoppedAt = w.progress();
        QTest::qWait(600);
        QCOMPARE(w.progress(), stoppedAt);

        // Corrected, one more "Bağlan" logs in.
        *internet = true;
        w.Edit1->setText(QStringLiteral("demo"));
        w.Edit4->setText(QStringLiteral("demo"));
        w.edtport->setText(peer.portText());
        QTest::mouseClick(w.suiButton1, Qt::LeftButton);
        QTRY_COMPARE(sent.count(), 1);
        QTRY_COMPARE(peer.received, QByteArray("kulsifre\x01"
                                               "demo\x01"
                                               "demo\x02\xF4\xF4\xF4"));
    }
};

QTEST_MAIN(LoginStopsTest)
#include "login_stops.moc"
