// The device list and the active device through the real windows: "cihazlar"
// and "enerjial" replies arrive from a loopback peer, clicks on the entries
// select devices, and the peer reads the requests that go out.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "gui/loopback_client.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/SharedState.h"
#include "server/ui/DeviceList.h"
#include "server/ui/Requests.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

using test::cihazlar;
using test::kEnd;

QByteArray enerjial(const QByteArray& registerText) { return "enerjial\x01\x01\x01" + registerText + kEnd; }

// A request goes out framed like any message.
const auto request = test::message;

// The client logged in against a loopback peer, with the one-second refresh
// stopped so that only replies move the displays.
struct LoggedIn : test::LoopbackClient {
    GroupBar* bar() { return ana.RzGroupBar1; }
    // Sends the entries and waits until the last one is listed.
    bool list(const QList<QByteArray>& messages, const QString& lastCaption) {
        QByteArray all;
        for (const auto& m : messages) all += m;
        send(all);
        return QTest::qWaitFor([&] { return entry(lastCaption) != nullptr; }, 5000);
    }
    QList<bool> tabs() const {
        QList<bool> shown;
        for (int i = 0; i < ShellPages::count; ++i) shown << ana.pageControl()->isTabShown(i);
        return shown;
    }
    LedDisplay* display(const char* name) const { return ana.findChild<LedDisplay*>(QString::fromLatin1(name)); }
    RegisterTable& table() { return shell.forms.VD1KAL->table; }
};

const QString krt = QStringLiteral("Fabrika Ana Pano No: 12001");
const QString klm = QStringLiteral("Trafo Koruma Rölesi No: 13001");
const QString meter = QStringLiteral("Şube Sayacı No: 14001");

QList<QByteArray> demoList() {
    return {cihazlar("Fabrika", "KRT100", "Fabrika Ana Pano", "12001"),
            cihazlar("Fabrika", "KLM200", "Trafo Koruma Rölesi", "13001"),
            cihazlar("Şubeler", "ZDN100", "Şube Sayacı", "14001")};
}

}  // namespace

class DeviceListTest : public QObject {
    Q_OBJECT
private slots:
    void entriesGoToGroupsByUpperCasedName() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list({cihazlar("Fabrika", "KRT100", "Ana", "1"), cihazlar("fabrika", "KLM200", "Trafo", "2"),
                        cihazlar("şubeler", "ZDN100", "Sayaç", "3"), cihazlar("Şubeler", "XYZ9", "Eski", "4"),
                        cihazlar("FaBrIkA", "KRT100", "Ana", "1"), cihazlar("depo-2", "KRT100", "Depo", "5")},
                       QStringLiteral("Depo No: 5")));
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("Cihaz listesi alınıyor. "));

        // Only a to z change case; Turkish letters keep theirs, so "ş" and "Ş" make two groups.
        const struct {
            QString caption;
            QStringList entries;  // top to bottom: the last received on top, duplicates twice
            QList<int> icons;
        } expected[] = {
            {"FABRIKA", {"Ana No: 1", "Trafo No: 2", "Ana No: 1"}, {0, 3, 0}},
            {"şUBELER", {"Sayaç No: 3"}, {4}},
            {"ŞUBELER", {"Eski No: 4"}, {-1}},
            {"DEPO-2", {"Depo No: 5"}, {0}},
        };
        QCOMPARE(c.bar()->groupCount(), 4);
        for (int g = 0; g < 4; ++g) {
            const GroupBarGroup* group = c.bar()->group(g);
            QCOMPARE(group->caption(), expected[g].caption);
            QCOMPARE(group->bodyColor(), QColor(255, 251, 240));
            QCOMPARE(group->captionColor(), QColor(192, 192, 192));
            QVERIFY(group->isVisible());
            QCOMPARE(group->entryCount(), expected[g].entries.size());
            for (int e = 0; e < group->entryCount(); ++e) {
                QCOMPARE(group->entry(e)->caption(), expected[g].entries[e]);
                QCOMPARE(group->entry(e)->iconIndex(), expected[g].icons[e]);
            }
        }
    }

    void compensationRelayRightAfterStartKeepsTheLayoutAndAsksForValues() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        const QList<bool> startTabs = c.tabs();
        c.table().setValue(1, 5, 77);
        c.table().setValue(2, 5, 88);
        c.table().setCursor(40);

        c.entry(krt)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"})));
        QCOMPARE(c.tabs(), startTabs);
        QCOMPARE(c.ana.pageControl()->activePage(), 0);
        QCOMPARE(c.ana.pages().Edit111->text(), QStringLiteral("12001"));
        QCOMPARE(c.display("Sno")->text(), QStringLiteral(" 12001"));
        QCOMPARE(c.ana.state().activeSerial, 12001);
        QCOMPARE(c.ana.state().pendingKind, std::string("anideger"));
        QCOMPARE(c.ana.LblGiden->text(), QStringLiteral("Lütfen bekleyin..."));
        QCOMPARE(c.ana.LblMesaj->text(), QString());
        QCOMPARE(c.table().value(1, 5), -1.0);  // row 1 reset, other rows kept
        QCOMPARE(c.table().byteCell(1, 20), -1);
        QCOMPARE(c.table().value(2, 5), 88.0);
        QCOMPARE(c.table().cursor(), 0);
        QCOMPARE(c.entry(krt)->fontColor(), QColor(Qt::red));

        c.entry(krt)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"}).repeated(2)));
    }

    void relayAndCompensationLayoutsSwitchOnKindChange() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        c.entry(krt)->click();
        c.entry(klm)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"}) + request("enertum", {"13001"})));
        for (int page = 0; page <= 6; ++page) QCOMPARE(c.ana.pageControl()->isTabShown(page), page == 2);
        QCOMPARE(c.ana.pageControl()->activePage(), 2);
        QVERIFY(!c.ana.pages().Panel8->isHidden());
        QVERIFY(c.ana.pages().Panel7->isHidden());
        QCOMPARE(c.ana.state().activeKind, 3);
        QCOMPARE(c.display("Sno")->text(), QStringLiteral(" 13001"));
        QCOMPARE(c.entry(krt)->fontColor(), QColor(Qt::black));
        QCOMPARE(c.entry(klm)->fontColor(), QColor(Qt::red));

        c.entry(krt)->click();
        const QList<bool> krtTabs{true, true, false, true, true, true, false};
        for (int page = 0; page <= 6; ++page) QCOMPARE(c.ana.pageControl()->isTabShown(page), krtTabs[page]);
        QCOMPARE(c.ana.pageControl()->activePage(), 0);
        QVERIFY(!c.ana.pages().Panel7->isHidden());
        QVERIFY(c.ana.pages().Panel8->isHidden());
    }

    void meterKeepsRedEntriesAndAsksForRatios() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        c.entry(klm)->click();
        QVERIFY(c.waitReceived(request("enertum", {"13001"})));
        c.peer.received.clear();
        c.ana.state().pendingKind = "tuketim";
        c.table().setValue(1, 3, 5);
        c.table().setCursor(70);

        c.entry(meter)->click();
        QVERIFY(c.waitReceived(request("sycreaktfener", {"14001", "", ""})));
        for (int page = 0; page <= 6; ++page) QCOMPARE(c.ana.pageControl()->isTabShown(page), page == 6);
        QCOMPARE(c.ana.pageControl()->activePage(), 6);
        QVERIFY(!c.ana.pages().Panel7->isHidden());
        QVERIFY(c.ana.pages().Panel8->isHidden());
        QCOMPARE(c.entry(klm)->fontColor(), QColor(Qt::red));
        QCOMPARE(c.entry(meter)->fontColor(), QColor(Qt::red));
        QCOMPARE(c.ana.pages().Edit111->text(), QStringLiteral("14001"));
        QCOMPARE(c.ana.state().activeKind, 4);
        // Serial, Sno, pending kind and the register table stay as they were.
        QCOMPARE(c.ana.state().activeSerial, 13001);
        QCOMPARE(c.display("Sno")->text(), QStringLiteral(" 13001"));
        QCOMPARE(c.ana.state().pendingKind, std::string("tuketim"));
        QCOMPARE(c.table().value(1, 3), 5.0);
        QCOMPARE(c.table().cursor(), 70);
        QCOMPARE(c.ana.LblGiden->text(), QString());
        QCOMPARE(c.ana.LblMesaj->text(), QString());
    }

    void serialTextOfTheCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("edit111");
        QTest::addColumn<QString>("sno");
        QTest::addColumn<QByteArray>("sent");  // empty: the selection stops before the request
        QTest::newRow("blank before the number") << "Pano"
                                                 << "123456"
                                                 << "123456"
                                                 << " 123456" << QByteArray("123456");
        QTest::newRow("leading zeros") << "Pano"
                                       << "00042"
                                       << "00042"
                                       << " 00042" << QByteArray("00042");
        QTest::newRow("ten characters at most") << "Pano"
                                                << "1234567890123"
                                                << "123456789"
                                                << " 123456789" << QByteArray("123456789");
        QTest::newRow("not a number") << "Pano"
                                      << "12a45"
                                      << "12a45"
                                      << " 12a45" << QByteArray();
        QTest::newRow("beyond 32 bits") << "X:9999999999"
                                        << "1"
                                        << "9999999999"
                                        << "9999999999" << QByteArray();
        QTest::newRow("colon in the name wins") << "A:B"
                                                << "42"
                                                << "B No: 42"
                                                << "B No: 42" << QByteArray();
        QTest::newRow("empty serial") << "Pano"
                                      << ""
                                      << ""
                                      << " " << QByteArray();
    }
    void serialTextOfTheCaption() {
        QFETCH(QString, name);
        QFETCH(QString, serial);
        QFETCH(QString, edit111);
        QFETCH(QString, sno);
        QFETCH(QByteArray, sent);
        LoggedIn c;
        QVERIFY(c.logIn());
        const QString caption = name + QStringLiteral(" No: ") + serial;
        QVERIFY(c.list({cihazlar("G", "KRT100", name, serial), cihazlar("G", "KRT100", "Ana", "7")},
                       QStringLiteral("Ana No: 7")));
        QVERIFY(c.entry(caption) != nullptr);
        // A request of the device before, still awaiting its reply.
        c.entry(QStringLiteral("Ana No: 7"))->click();
        QVERIFY(c.waitReceived(request("enertum", {"7"})));
        c.peer.received.clear();
        c.ana.state().activeSerial = 12001;
        c.ana.state().pendingKind = "sabitler";
        c.table().setCursor(166);

        c.entry(caption)->click();
        // Its reply is no longer wanted, whether or not this selection asks anything.
        QVERIFY(c.ana.requests().pending().oldest() != nullptr);
        QVERIFY(c.ana.requests().pending().oldest()->superseded);
        QCOMPARE(c.ana.pages().Edit111->text(), edit111);
        QCOMPARE(c.display("Sno")->text(), sno);
        if (sent.isEmpty()) {
            QCOMPARE(c.ana.state().pendingKind, std::string("sabitler"));
            QCOMPARE(c.table().cursor(), 166);
            QCOMPARE(c.ana.state().activeSerial, 12001);
            // The next selection's request is the first thing on the wire.
            c.entry(QStringLiteral("Ana No: 7"))->click();
            QVERIFY(c.waitReceived(request("enertum", {"7"})));
        } else {
            QVERIFY(c.waitReceived(request("enertum", {sent})));
            QCOMPARE(c.ana.state().activeSerial, sent.toInt());
        }
    }

    void registerReplyIsStoredShownAndHeaded() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        c.entry(krt)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"})));
        c.table().setDeviceRow(7);

        // Registers 0 and 1 hold 0 and 2300: V1 shows 230.0 without waiting for the timer.
        const QByteArray text = "1$3$4$0$0$8$252$12$34$";
        c.send(enerjial(text));
        QVERIFY(QTest::qWaitFor([&] { return c.table().value(1, 1) == 2300.0; }, 5000));
        QCOMPARE(c.table().value(1, 0), 0.0);
        QCOMPARE(c.table().cursor(), 2);
        QCOMPARE(c.table().deviceRow(), 1);
        QCOMPARE(c.shell.forms.VD1KAL->Memo1->toPlainText(),
                 QString::fromStdString(cp1254::toUtf8(std::string(text.constData()) + "\xF4\xF4\xF4")));
        QCOMPARE(c.ana.pages().Label2->text(), QStringLiteral("12001 Nolu Cihaz Verileri"));
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("12001 Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
        const QChar sep = QLatin1Char(c.ana.state().decimalSeparator);
        QCOMPARE(c.display("V1")->text(), QStringLiteral("230") + sep + QStringLiteral("0"));

        // A malformed number ends the reply: what was stored stays, the heading keeps its text.
        c.ana.pages().Label2->setText(QStringLiteral("önce"));
        c.table().setCursor(10);
        c.send(enerjial("1$3$6$0$9$x$1$"));
        QVERIFY(QTest::qWaitFor([&] { return c.table().value(1, 10) == 9.0; }, 5000));
        QTest::qWait(50);
        QCOMPARE(c.table().cursor(), 11);
        QCOMPARE(c.ana.pages().Label2->text(), QStringLiteral("önce"));

        // The next chunk is handled again; a waveform reply only sets the heading for now.
        c.ana.state().pendingKind = "harmoniki";
        c.send(enerjial("1$3$2$0$1$"));
        QTRY_COMPARE(c.ana.pages().Label2->text(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
        QCOMPARE(c.table().cursor(), 11);
    }

    void reloginCompletesTheSelectionOnTheNewEntry() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        c.peer.client->disconnectFromHost();
        QTRY_VERIFY(!c.ana.state().loggedIn);
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));

        // Two clicks while logged out: the second device replaces the first.
        QPointer<QTcpSocket> old = c.peer.client;
        c.entry(krt)->click();
        c.entry(klm)->click();
        QVERIFY(QTest::qWaitFor([&] { return c.peer.client != old && c.peer.received.contains("kulsifre"); }, 5000));
        QVERIFY(c.ana.state().loggedIn);
        QTRY_VERIFY(c.entry(krt) == nullptr);  // the login emptied the list
        c.peer.received.clear();

        QVERIFY(c.list(demoList(), meter));
        QVERIFY(c.waitReceived(request("enertum", {"13001"})));
        QCOMPARE(c.ana.state().activeKind, 3);
        QCOMPARE(c.entry(klm)->fontColor(), QColor(Qt::red));
        QCOMPARE(c.entry(krt)->fontColor(), QColor(Qt::black));

        // Done once: the same entry sent again later selects nothing by itself.
        c.peer.received.clear();
        QVERIFY(c.list({cihazlar("Yeni", "KLM200", "Trafo 2", "13001")}, QStringLiteral("Trafo 2 No: 13001")));
        c.entry(krt)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"})));
    }

    void failedReloginLetsTheNextClickTryAgain() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList(), meter));
        const quint16 port = c.peer.server_.serverPort();
        c.peer.server_.close();
        c.peer.client->disconnectFromHost();
        QTRY_VERIFY(!c.ana.state().loggedIn);

        // Nobody listens: the login fails, the list and the clicked entry stay.
        c.entry(krt)->click();
        QTRY_COMPARE(c.ana.LblMesaj->text(), QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."));
        QVERIFY(!c.ana.state().loggedIn);
        QVERIFY(c.entry(krt) != nullptr);

        QVERIFY(c.peer.server_.listen(QHostAddress::LocalHost, port));
        c.peer.received.clear();
        c.entry(meter)->click();
        QVERIFY(QTest::qWaitFor([&] { return c.peer.received.contains("kulsifre") && c.ana.state().loggedIn; }, 5000));
        c.peer.received.clear();
        QVERIFY(c.list(demoList(), meter));
        QVERIFY(c.waitReceived(request("sycreaktfener", {"14001", "", ""})));
        QCOMPARE(c.ana.pageControl()->activePage(), 6);
    }

    // The heading names the device whose values are shown: selecting another
    // relay empties it until that relay's reply is stored, so a device that
    // is not on line never stands under the previous device's heading.
    void headingWaitsForTheSelectedDevicesReply() {
        LoggedIn c;
        QVERIFY(c.logIn());
        QVERIFY(c.list(demoList() + QList<QByteArray>{cihazlar("Fabrika", "KRT100", "Depo", "12003")},
                       QStringLiteral("Depo No: 12003")));
        QLabel* heading = c.ana.pages().Label2;
        c.entry(krt)->click();
        QVERIFY(c.waitReceived(request("enertum", {"12001"})));
        c.send(enerjial("1$3$2$0$5$"));
        QTRY_COMPARE(heading->text(), QStringLiteral("12001 Nolu Cihaz Verileri"));

        c.peer.received.clear();
        c.entry(QStringLiteral("Depo No: 12003"))->click();
        QCOMPARE(heading->text(), QString());
        QVERIFY(c.waitReceived(request("enertum", {"12003"})));
        c.send(
            "Hattayok\x01"
            "12003\x01x" +
            kEnd);
        QTRY_VERIFY(c.ana.LblMesaj->text().startsWith(QStringLiteral("12003 Seri Nolu cihaz hatta değil.")));
        QCOMPARE(heading->text(), QString());

        // Back to the first relay: its heading once its reply is stored again.
        c.peer.received.clear();
        c.entry(krt)->click();
        QCOMPARE(heading->text(), QString());
        QVERIFY(c.waitReceived(request("enertum", {"12001"})));
        c.send(enerjial("1$3$2$0$6$"));
        QTRY_COMPARE(heading->text(), QStringLiteral("12001 Nolu Cihaz Verileri"));
    }
};

QTEST_MAIN(DeviceListTest)
#include "device_list.moc"
