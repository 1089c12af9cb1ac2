// The consumption page when the operator moves from one relay to another:
// nothing that a reply brought for the first relay stays beside the serial
// number of the second, and the second relay's replies show as usual.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "energy/ui/ConsumptionPage.h"
#include "gui/loopback_client.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;
using test::message;
using test::wireText;

namespace {

// The panel's reply-filled boxes: counters, ratios, classes, dates, reading time.
const char* const kPanelBoxes[] = {"ak1",     "ak2",      "in1",      "in2",     "kap1",    "kap2", "indoran",
                                   "kaporan", "inddurum", "Kapdurum", "Edit222", "Edit333", "Edit4"};

QList<QByteArray> fields(const QStringList& texts) {
    QList<QByteArray> f;
    for (const QString& t : texts) f << wireText(t);
    return f;
}

struct Client : test::LoopbackClient {
    // Logs in and lists two relays and a meter.
    bool logInWithDevices() {
        if (!logIn()) return false;
        send(test::cihazlar(QStringLiteral("Fabrika"), QStringLiteral("KRT100"), QStringLiteral("Ana Pano"),
                            QStringLiteral("12001")) +
             test::cihazlar(QStringLiteral("Fabrika"), QStringLiteral("KRT100"), QStringLiteral("Atölye"),
                            QStringLiteral("12002")) +
             test::cihazlar(QStringLiteral("Şubeler"), QStringLiteral("ZDN100"), QStringLiteral("Şube Sayacı"),
                            QStringLiteral("14001")));
        return QTest::qWaitFor([&] { return ana.RzGroupBar1->groupCount() == 2; }, 5000);
    }
    // Clicks the entry with this caption and waits for the request it sends first.
    bool select(const QString& caption, const QByteArray& firstRequest) {
        peer.received.clear();
        GroupBarEntry* e = entry(caption);
        if (e == nullptr) return false;
        e->click();
        return QTest::qWaitFor([&] { return peer.received.startsWith(firstRequest); }, 5000);
    }
    QStringList resetCounters() const {
        auto* p = ana.findChild<ConsumptionPage*>();
        return {p->SayacAktif->text(), p->Sayacind->text(), p->SayacKap->text()};
    }
};

}  // namespace

class ConsumptionReselectTest : public QObject {
    Q_OBJECT
private slots:
    void anotherRelayStartsEmpty() {
        Client c;
        QVERIFY(c.logInWithDevices());
        c.ana.state().decimalSeparator = ',';
        const QString relay1 = QStringLiteral("Ana Pano No: 12001");
        const QString relay2 = QStringLiteral("Atölye No: 12002");
        QVERIFY(c.select(relay1,
                         "enertum\x01"
                         "12001\x01"));

        // Ratios 16 % "ALARM" and 5 % "NORMAL", and the counters from before the reset.
        c.send(message("reaktifenerji",
                       fields({"12001", "04.03.2024", "11.03.2024", "1000", "2000", "0", "160", "0", "50"})) +
               message("Sycdegerleri", fields({"1234", "56", "7"})));
        QTRY_COMPARE(c.text("indoran"), QStringLiteral("16,00"));
        QTRY_COMPARE(c.resetCounters(), (QStringList{"1234", "56", "7"}));
        for (const char* name : kPanelBoxes) QVERIFY2(!c.text(name).isEmpty(), name);

        // A meter has a page of its own: the relay's figures wait for the operator's return.
        QVERIFY(c.select(QStringLiteral("Şube Sayacı No: 14001"),
                         "sycreaktfener\x01"
                         "14001\x01"));
        QCOMPARE(c.text("indoran"), QStringLiteral("16,00"));
        QCOMPARE(c.resetCounters(), (QStringList{"1234", "56", "7"}));

        // Another relay: its serial shows over an empty panel, its reset counters at "0".
        QVERIFY(c.select(relay2,
                         "enertum\x01"
                         "12002\x01"));
        QCOMPARE(c.ana.pages().Edit111->text(), QStringLiteral("12002"));
        for (const char* name : kPanelBoxes) QVERIFY2(c.text(name).isEmpty(), name);
        QCOMPARE(c.resetCounters(), (QStringList{"0", "0", "0"}));

        // Its own replies fill the panel again.
        c.send(message("reaktifenerji",
                       fields({"12002", "01.03.2024", "08.03.2024", "500", "1500", "0", "50", "0", "0"})));
        QTRY_COMPARE(c.text("indoran"), QStringLiteral("5,00"));
        QCOMPARE(c.text("inddurum"), QStringLiteral("NORMAL"));
        QCOMPARE(c.text("Edit222"), QStringLiteral("01.03.2024"));
        QVERIFY(!c.text("Edit4").isEmpty());
    }
};

QTEST_MAIN(ConsumptionReselectTest)
#include "consumption_reselect.moc"
