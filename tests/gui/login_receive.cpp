// The receive path over a real loopback connection: the log line per read,
// the lamp, reassembly of messages cut over reads, and the replies handled by
// the client itself.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>
#include <string>
#include <vector>

#include "gui/login_fake_shell.h"
#include "server/core/Keywords.h"
#include "server/ui/Connection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"
#include "toolkit/core/SilentAbort.h"

using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;

namespace {

// A logged-in client with its server end, ready to receive.
struct Session {
    Session() : login(shell) {
        login.Edit1->setText("demo");
        login.Servername->setText("127.0.0.1");
        login.edtport->setText(peer.portText());
        shell.router().subscribe(izleme::kw::cihazlar, [this](const izleme::Reply& r) {
            devices.push_back(std::string(r.fields[0]) + "|" + std::string(r.fields[1]) + "|" +
                              std::string(r.fields[2]) + "|" + std::string(r.fields[3]));
        });
    }

    bool logIn() {
        login.suiButton1Click();
        return QTest::qWaitFor([this] { return shell.shared.loggedIn && peer.received.endsWith('\xF4'); });
    }

    void send(const QByteArray& bytes) {
        peer.client->write(bytes);
        peer.client->flush();
    }

    FakeShell shell;
    TFrmGiris login;
    LoopbackPeer peer;
    std::vector<std::string> devices;
};

const QByteArray kEnd("\xF4\xF4\xF4");

}  // namespace

class LoginReceiveTest : public QObject {
    Q_OBJECT

private slots:
    void pongLogsFlickersAndUpdatesTheLogin() {
        Session s;
        QVERIFY(s.logIn());
        s.send("pong\x01" + kEnd);
        QTRY_COMPARE(s.shell.statusLine, QStringLiteral("Pong"));
        QCOMPARE(s.login.progress(), qint16(100));
        QCOMPARE(s.login.statusText(), QStringLiteral("Bağlantı Kuruldu"));
        QCOMPARE(s.shell.log.size(), 1);
        // Time, a colon and three spaces, then the text as it came, control bytes as their symbols.
        const QRegularExpression line(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d:   pong␁ôôô$"));
        QVERIFY2(line.match(s.shell.log.first()).hasMatch(), qPrintable(s.shell.log.first()));
        QCOMPARE(s.shell.flickers, 1);
        QVERIFY(s.shell.lampIsGreen);
    }

    void smallRepliesOfTheClient_data() {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("link");
        QTest::newRow("yenimesaj") << QByteArray("yenimesaj\x01" + kEnd) << QStringLiteral("Yeni Mesajınız Var...")
                                   << true;
        QTest::newRow("Hattayok") << QByteArray(
                                         "Hattayok\x01"
                                         "1234\x01x" +
                                         kEnd)
                                  << QStringLiteral(
                                         "1234 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...")
                                  << false;
    }
    void smallRepliesOfTheClient() {
        QFETCH(QByteArray, wire);
        QFETCH(QString, status);
        QFETCH(bool, link);
        Session s;
        QVERIFY(s.logIn());
        s.send(wire);
        QTRY_COMPARE(s.shell.statusLine, status);
        QCOMPARE(s.shell.newMessageLink, link);
    }

    void enerjialShowsTheSerialThenCallsThePage() {
        Session s;
        s.shell.shared.pendingKind = "anideger";
        s.shell.shared.activeSerial = 12001;
        QString statusWhenCalled;
        std::string text;
        s.shell.router().subscribeData("anideger", [&](const izleme::DataReply& reply) {
            QCOMPARE(QString::fromStdString(reply.route.kind), QStringLiteral("anideger"));
            statusWhenCalled = s.shell.statusLine;
            text = reply.text;
        });
        QVERIFY(s.logIn());
        s.send(
            "enerjial\x01xx"
            "1$2$3" +
            kEnd);
        QTRY_VERIFY(!text.empty());
        QCOMPARE(statusWhenCalled, QStringLiteral("12001 Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
        QCOMPARE(QByteArray::fromStdString(text), QByteArray("1$2$3" + kEnd));
    }

    void messageCutOverTwoReadsIsHandledOnceWhole() {
        Session s;
        QVERIFY(s.logIn());
        s.send("cihazlar\x01Merkez\x01KRT100\x01Pa");
        QTRY_COMPARE(s.shell.log.size(), 1);
        QTest::qWait(30);
        QVERIFY(s.devices.empty());
        s.send(
            "no 1\x01"
            "12001\x01x" +
            kEnd +
            "cihazlar\x01Merkez\x01ZDN100\x01Sayac\x01"
            "777\x01x" +
            kEnd);
        QTRY_COMPARE(s.devices.size(), std::size_t(2));
        QCOMPARE(s.devices[0], std::string("Merkez|KRT100|Pano 1|12001"));
        QCOMPARE(s.devices[1], std::string("Merkez|ZDN100|Sayac|777"));
        QCOMPARE(s.shell.log.size(), 2);  // one line per read
        QVERIFY(s.shell.log[1].contains(QStringLiteral("no 1")));
    }

    void textWithoutTerminatorIsHandledAfterAQuietTime() {
        Session s;
        QVERIFY(s.logIn());
        s.shell.statusLine.clear();
        QElapsedTimer sinceSend;
        sinceSend.start();
        s.send(
            "Hattayok\x01"
            "55\x01x");
        QTRY_COMPARE(s.shell.log.size(), 1);
        QCOMPARE(s.shell.statusLine, QString());  // kept, waiting for the rest
        QTRY_VERIFY_WITH_TIMEOUT(!s.shell.statusLine.isEmpty(), 10000);
        QVERIFY(sinceSend.elapsed() >= izleme::Connection::flushDelayMs - 50);
        QVERIFY(s.shell.statusLine.startsWith(QStringLiteral("55 Seri Nolu cihaz hatta değil.")));
        QVERIFY(s.shell.lampIsGreen);
    }

    // A TCP segment that comes late (the server or the GPRS link paused
    // mid-message) still makes one whole message with what came before it.
    void messagePausedMidwayIsHandledWhole_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("rest");
        const QByteArray whole(
            "cihazlar\x01Merkez\x01KRT100\x01Pano 1\x01"
            "12001\x01x" +
            kEnd);
        QTest::newRow("inside a field") << whole.left(24) << whole.mid(24);
        QTest::newRow("inside the terminator") << whole.left(whole.size() - 2) << whole.right(2);
    }
    void messagePausedMidwayIsHandledWhole() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, rest);
        Session s;
        QVERIFY(s.logIn());
        s.send(first);
        QTRY_COMPARE(s.shell.log.size(), 1);
        QTest::qWait(1500);
        QVERIFY(s.devices.empty());
        s.send(rest);
        QTRY_COMPARE(s.shell.log.size(), 2);
        QTRY_COMPARE(s.devices.size(), std::size_t(1));
        QCOMPARE(s.devices[0], std::string("Merkez|KRT100|Pano 1|12001"));
        QTest::qWait(100);
        QCOMPARE(s.devices.size(), std::size_t(1));
    }

    void keptBytesAreHandledWhenTheServerCloses() {
        Session s;
        QVERIFY(s.logIn());
        s.send(
            "cihazlar\x01G\x01KLM200\x01R\x01"
            "9\x01x");
        QTRY_COMPARE(s.shell.log.size(), 1);
        s.peer.client->disconnectFromHost();
        QTRY_VERIFY(!s.shell.shared.loggedIn);
        QCOMPARE(s.devices.size(), std::size_t(1));
    }

    void failingHandlerDropsTheRestAndLeavesTheLamp() {
        Session s;
        int calls = 0;
        s.shell.router().subscribe(izleme::kw::cihazlar, [&](const izleme::Reply&) {
            ++calls;
            throw izleme::SilentAbort("bad entry");
        });
        QVERIFY(s.logIn());
        s.send(
            "cihazlar\x01G\x01KRT100\x01"
            "A\x01"
            "1\x01x" +
            kEnd +
            "cihazlar\x01G\x01KRT100\x01"
            "B\x01"
            "2\x01x" +
            kEnd);
        QTRY_COMPARE(s.shell.log.size(), 1);
        QTest::qWait(20);
        QCOMPARE(calls, 1);
        QVERIFY(!s.shell.lampIsGreen);
        // The next read is dispatched as usual.
        s.send("pong\x01" + kEnd);
        QTRY_VERIFY(s.shell.lampIsGreen);
        QCOMPARE(s.shell.statusLine, QStringLiteral("Pong"));
    }
};

QTEST_MAIN(LoginReceiveTest)
#include "login_receive.moc"
