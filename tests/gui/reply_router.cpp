// Replies matched to the requests that asked for them, over a real loopback
// connection: data requests from their table, an "enerjial" reply answering
// the oldest awaited request, replies to superseded requests dropped, a
// device that is not on line, an awaited reply that never comes, and replies
// that nothing awaited.
#include <QLineEdit>
#include <QtTest>
#include <string>
#include <vector>

#include "gui/login_fake_shell.h"
#include "server/core/Keywords.h"
#include "server/ui/Connection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Requests.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"
#include "toolkit/core/SilentAbort.h"

using izleme::DataReply;
using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;

namespace {

const QByteArray kEnd("\xF4\xF4\xF4");

// What a data subscriber saw of one reply.
struct Seen {
    std::string kind;
    std::string text;
    int cursor = -1;  // -1: unawaited, the cursor where it stands
    QString statusWhenCalled;
};

// A logged-in client with its server end; every register kind recorded.
struct Session {
    Session() : login(shell) {
        login.Edit1->setText("demo");
        login.Servername->setText("127.0.0.1");
        login.edtport->setText(peer.portText());
        for (const char* kind : {"anideger", "tuketim", "sabitler", "kondasatordurum", "harmonikb"}) {
            shell.router().subscribeData(kind, [this](const DataReply& r) {
                seen.push_back({r.route.kind, std::string(r.text), r.cursor.value_or(-1), shell.statusLine});
            });
        }
        shell.requests().setCursorSink([this](int c) { cursor = c; });
        shell.requests().setClock([this] { return now; });
    }

    bool logIn() {
        login.suiButton1Click();
        return QTest::qWaitFor([this] { return shell.shared.loggedIn && peer.received.endsWith('\xF4'); });
    }
    // A data request for the device with this serial text; waits until it is on the wire.
    bool ask(const QString& serial, const char* kind) {
        shell.activeSerialText = serial;
        const qsizetype before = peer.received.size();
        if (!shell.requests().data(kind)) return false;
        return QTest::qWaitFor([&] { return peer.received.size() > before && peer.received.endsWith('\xF4'); });
    }
    void send(const QByteArray& bytes) {
        peer.client->write(bytes);
        peer.client->flush();
    }
    // A register reply carrying one register of the given value.
    static QByteArray reply(int value) {
        return "enerjial\x01#\x01" + QByteArray("1$3$2$") + QByteArray::number(value / 256) + "$" +
               QByteArray::number(value % 256) + "$" + kEnd;
    }
    bool waitForLog(int lines) {
        return QTest::qWaitFor([&] { return shell.log.size() >= lines; });
    }

    FakeShell shell;
    TFrmGiris login;
    LoopbackPeer peer;
    std::vector<Seen> seen;
    int cursor = -1;
    std::int64_t now = 0;
};

}  // namespace

class ReplyRouterTest : public QObject {
    Q_OBJECT

private slots:
    // One call sends the kind's request with the serial and sets what the table says.
    void dataRequestFromItsTable() {
        Session s;
        QVERIFY(s.logIn());
        s.shell.statusLine = QStringLiteral("önce");
        QVERIFY(s.ask(QStringLiteral("12001"), "tuketim"));
        QVERIFY(
            s.peer.received.endsWith("enerharcanan\x01"
                                     "12001\x01" +
                                     kEnd));
        QCOMPARE(QString::fromStdString(s.shell.shared.pendingKind), QStringLiteral("tuketim"));
        QCOMPARE(s.cursor, 70);
        QCOMPARE(s.shell.requestLine, QStringLiteral("Tüketim verileri istendi.Lütfen bekleyin..."));
        QCOMPARE(s.shell.statusLine, QString());
        QCOMPARE(s.shell.requests().pending().size(), std::size_t(1));

        // The stage request keeps the status line.
        s.shell.statusLine = QStringLiteral("önce");
        QVERIFY(s.ask(QStringLiteral("12001"), "kondasatordurum"));
        QCOMPARE(s.cursor, 66);
        QCOMPARE(s.shell.statusLine, QStringLiteral("önce"));
    }

    // Two devices asked one after the other: the first device's late reply is
    // dropped, and the second device's reply is stored from its own cursor.
    void replyOfASupersededRequestIsDropped() {
        Session s;
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        QVERIFY(s.ask(QStringLiteral("12002"), "anideger"));
        s.shell.shared.activeSerial = 12002;
        s.send(Session::reply(111));
        QVERIFY(s.waitForLog(1));
        QTest::qWait(20);
        QVERIFY(s.seen.empty());
        QCOMPARE(s.shell.heading, QString());
        QCOMPARE(s.shell.router().droppedReplies(), 1);

        s.send(Session::reply(222));
        QTRY_COMPARE(s.seen.size(), std::size_t(1));
        QCOMPARE(s.seen[0].kind, std::string("anideger"));
        QCOMPARE(s.seen[0].cursor, 0);
        QVERIFY(s.seen[0].text.find("$0$222$") != std::string::npos);
        QCOMPARE(s.seen[0].statusWhenCalled, QStringLiteral("12002 Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
        QCOMPARE(s.shell.heading, QStringLiteral("12002 Nolu Cihaz Verileri"));
    }

    // A serial that cannot travel sends nothing, awaits nothing, and the
    // status line keeps saying why.
    void serialThatCannotTravelIsRefused() {
        Session s;
        QVERIFY(s.logIn());
        s.shell.activeSerialText = QStringLiteral("12中01");
        const qsizetype before = s.peer.received.size();
        QVERIFY(!s.shell.requests().data("anideger"));
        QCOMPARE(s.shell.statusLine, izleme::RequestSender::refusedText());
        QVERIFY(s.shell.requests().pending().empty());
        QTest::qWait(50);
        QCOMPARE(s.peer.received.size(), before);
    }

    // Another kind for the same device supersedes as well; replies to the
    // same device and kind asked twice are both stored.
    void sameRequestTwiceIsAnsweredTwiceAnotherKindSupersedes() {
        Session s;
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        QVERIFY(s.ask(QStringLiteral("12001"), "sabitler"));
        s.send(Session::reply(1));
        QVERIFY(s.waitForLog(1));
        s.send(Session::reply(2));
        QVERIFY(s.waitForLog(2));
        s.send(Session::reply(3));
        QTRY_COMPARE(s.seen.size(), std::size_t(1));
        QCOMPARE(s.seen[0].kind, std::string("sabitler"));
        QCOMPARE(s.seen[0].cursor, 166);

        Session t;
        QVERIFY(t.logIn());
        QVERIFY(t.ask(QStringLiteral("12001"), "anideger"));
        QVERIFY(t.ask(QStringLiteral("12001"), "anideger"));
        t.send(Session::reply(1));
        QVERIFY(t.waitForLog(1));
        t.send(Session::reply(2));
        QTRY_COMPARE(t.seen.size(), std::size_t(2));
        QCOMPARE(t.seen[0].cursor, 0);
        QCOMPARE(t.seen[1].cursor, 0);
    }

    // "Hattayok" ends the wait for its device: the next reply answers the request after it.
    void notOnLineEndsTheWaitOfItsDevice() {
        Session s;
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12003"), "anideger"));
        QVERIFY(s.ask(QStringLiteral("12001"), "tuketim"));
        s.send(
            "Hattayok\x01"
            "12003\x01x" +
            kEnd);
        QTRY_COMPARE(s.shell.requests().pending().size(), std::size_t(1));
        QVERIFY(s.shell.statusLine.startsWith(QStringLiteral("12003 Seri Nolu cihaz hatta değil.")));
        s.send(Session::reply(5));
        QTRY_COMPARE(s.seen.size(), std::size_t(1));
        QCOMPARE(s.seen[0].kind, std::string("tuketim"));
        QCOMPARE(s.seen[0].cursor, 70);
    }

    // An awaited reply that has not come within 30 s is given up; if it comes
    // after all, it is unawaited and read under the pending kind.
    void replyThatNeverComesIsGivenUp() {
        Session s;
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        s.now = izleme::PendingRequests::timeoutMs - 1;
        s.shell.requests().checkTimeouts();
        QCOMPARE(s.shell.requestLine, QStringLiteral("Lütfen bekleyin..."));
        s.now = izleme::PendingRequests::timeoutMs;
        s.shell.requests().checkTimeouts();
        QCOMPARE(s.shell.requestLine, QStringLiteral("12001 Seri Nolu cihazdan yanıt gelmedi."));
        QVERIFY(s.shell.requests().pending().empty());

        s.send(Session::reply(7));
        QTRY_COMPARE(s.seen.size(), std::size_t(1));
        QCOMPARE(s.seen[0].kind, std::string("anideger"));
        QCOMPARE(s.seen[0].cursor, -1);  // where the cursor stands
    }

    // Requests of a connection that was lost are never answered: the replies
    // on the next connection answer that connection's own requests.
    void aLostConnectionForgetsItsRequests() {
        Session s;
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        s.peer.client->disconnectFromHost();
        QTRY_VERIFY(!s.shell.shared.loggedIn);
        QVERIFY(s.shell.requests().pending().empty());

        s.peer.received.clear();
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12002"), "anideger"));
        s.send(Session::reply(4));
        QTRY_COMPARE(s.seen.size(), std::size_t(1));
        QCOMPARE(s.seen[0].cursor, 0);
        QCOMPARE(s.shell.router().droppedReplies(), 0);
    }

    // Before any data request nothing routes "enerjial": the text is left to
    // the unrecognised-text rule and nobody is called.
    void unawaitedReplyWithoutAKindDoesNothing() {
        Session s;
        QVERIFY(s.logIn());
        s.send(Session::reply(9) + "pong\x01" + kEnd);
        QTRY_COMPARE(s.shell.statusLine, QStringLiteral("Pong"));
        QVERIFY(s.seen.empty());
        QCOMPARE(s.shell.heading, QString());
    }

    // A subscriber that throws ends the chunk: the heading is not written and
    // what followed in the read is not handled.
    void throwingSubscriberEndsTheChunk() {
        Session s;
        s.shell.router().subscribeData("anideger", [](const DataReply&) { throw izleme::SilentAbort("bad number"); });
        QVERIFY(s.logIn());
        QVERIFY(s.ask(QStringLiteral("12001"), "anideger"));
        s.send(Session::reply(1) + "yenimesaj\x01" + kEnd);
        QTRY_COMPARE(s.seen.size(), std::size_t(1));  // the first subscriber ran
        QTest::qWait(20);
        QCOMPARE(s.shell.heading, QString());
        QVERIFY(!s.shell.newMessageLink);
    }

    // Any number of subscribers per keyword, each called once per message; a
    // subscriber with an owner ends with it.
    void subscribersPerKeyword() {
        Session s;
        int first = 0, second = 0, owned = 0;
        s.shell.router().subscribe(izleme::kw::mesajvar, [&](const izleme::Reply& r) {
            QCOMPARE(r.fields.size(), std::size_t(2));
            QCOMPARE(std::string(r.fields[0]), std::string("Ba\xFEl\xFDk"));  // code page 1254
            ++first;
        });
        s.shell.router().subscribe(izleme::kw::mesajvar, [&](const izleme::Reply&) { ++second; });
        auto* owner = new QObject;
        s.shell.router().subscribe(
            izleme::kw::mesajvar, [&](const izleme::Reply&) { ++owned; }, owner);
        QVERIFY(s.logIn());
        s.send(
            "mesajvar\x01"
            "Ba\xFEl\xFDk\x01Metin\x01x" +
            kEnd);
        QTRY_COMPARE(first, 1);
        QCOMPARE(second, 1);
        QCOMPARE(owned, 1);
        delete owner;
        s.send(
            "mesajvar\x01"
            "Ba\xFEl\xFDk\x01Metin\x01x" +
            kEnd);
        QTRY_COMPARE(first, 2);
        QCOMPARE(second, 2);
        QCOMPARE(owned, 1);
    }
};

QTEST_MAIN(ReplyRouterTest)
#include "reply_router.moc"
