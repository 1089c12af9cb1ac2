// The consumption page when the operator moves from one relay to another:
// nothing that a reply brought for the first relay stays beside the serial
// number of the second, and the second relay's replies show as usual.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/ui/TFrmAna.h"
#include "energy/ui/ConsumptionPage.h"
#include "server/core/SharedState.h"
#include "shell_fixture.h"
#include "support/LoopbackPeer.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

const QByteArray kEnd("\xF4\xF4\xF4");

QByteArray message(const QByteArray& keyword, const QStringList& fields) {
    QByteArray m = keyword + '\x01';
    for (const auto& f : fields) {
        const auto bytes = cp1254::fromUtf8(f.toStdString());
        m += (bytes ? QByteArray::fromStdString(*bytes) : QByteArray("?")) + '\x01';
    }
    return m + kEnd;
}

// The panel's reply-filled boxes: counters, ratios, classes, dates, reading time.
const char* const kPanelBoxes[] = {"ak1",     "ak2",      "in1",     "in2",     "kap1",    "kap2", "indoran",
                                   "kaporan", "inddurum", "Kapdurum", "Edit222", "Edit333", "Edit4"};

struct Client {
    ShellFixture shell;
    test::LoopbackPeer peer;
    TFrmAna& ana = shell.ana();

    bool logIn() {
        if (!shell.showUntilLogin()) return false;
        TFrmGiris& login = *shell.forms.FrmGiris;
        login.Edit1->setText(QStringLiteral("demo"));
        login.Edit4->setText(QStringLiteral("demo"));
        login.edtport->setText(peer.portText());
        login.suiButton1->click();
        if (!QTest::qWaitFor([&] { return peer.received.contains("kulsifre") && ana.state().loggedIn; }, 5000))
            return false;
        ana.Timer1->stop();
        send(message("cihazlar", {"Fabrika", "KRT100", "Ana Pano", "12001"}) +
             message("cihazlar", {"Fabrika", "KRT100", "Atölye", "12002"}) +
             message("cihazlar", {"Şubeler", "ZDN100", "Şube Sayacı", "14001"}));
        return QTest::qWaitFor([&] { return ana.RzGroupBar1->groupCount() == 2; }, 5000);
    }
    void send(const QByteArray& bytes) {
        peer.client->write(bytes);
        peer.client->flush();
    }
    // Clicks the entry with this caption and waits for the request it sends first.
    bool select(const QString& caption, const QByteArray& firstRequest) {
        peer.received.clear();
        GroupBar* bar = ana.RzGroupBar1;
        for (int g = 0; g < bar->groupCount(); ++g) {
            for (int e = 0; e < bar->group(g)->entryCount(); ++e) {
                if (bar->group(g)->entry(e)->caption() != caption) continue;
                bar->group(g)->entry(e)->click();
                return QTest::qWaitFor([&] { return peer.received.startsWith(firstRequest); }, 5000);
            }
        }
        return false;
    }
    QString text(const char* name) const {
        const QString n = QString::fromLatin1(name);
        if (auto* d = ana.findChild<LedDisplay*>(n)) return d->text();
        if (auto* l = ana.findChild<QLabel*>(n)) return l->text();
        if (auto* e = ana.findChild<QLineEdit*>(n)) return e->text();
        return QStringLiteral("<no %1>").arg(n);
    }
    QStringList resetCounters() const {
        ConsumptionPage* p = ana.findChild<ConsumptionPage*>();
        return {p->SayacAktif->text(), p->Sayacind->text(), p->SayacKap->text()};
    }
};

}  // namespace

class ConsumptionReselectTest : public QObject {
    Q_OBJECT
private slots:
    void anotherRelayStartsEmpty() {
        Client c;
        QVERIFY(c.logIn());
        c.ana.state().decimalSeparator = ',';
        const QString relay1 = QStringLiteral("Ana Pano No: 12001");
        const QString relay2 = QStringLiteral("Atölye No: 12002");
        QVERIFY(c.select(relay1, "enertum\x01" "12001\x01"));

        // Ratios 16 % "ALARM" and 5 % "NORMAL", and the counters from before the reset.
        c.send(message("reaktifenerji", {"12001", "04.03.2024", "11.03.2024", "1000", "2000", "0", "160", "0", "50"}) +
               message("Sycdegerleri", {"1234", "56", "7"}));
        QTRY_COMPARE(c.text("indoran"), QStringLiteral("16,00"));
        QTRY_COMPARE(c.resetCounters(), (QStringList{"1234", "56", "7"}));
        for (const char* name : kPanelBoxes) QVERIFY2(!c.text(name).isEmpty(), name);

        // A meter has a page of its own: the relay's figures wait for the operator's return.
        QVERIFY(c.select(QStringLiteral("Şube Sayacı No: 14001"), "sycreaktfener\x01" "14001\x01"));
        QCOMPARE(c.text("indoran"), QStringLiteral("16,00"));
        QCOMPARE(c.resetCounters(), (QStringList{"1234", "56", "7"}));

        // Another relay: its serial shows over an empty panel, its reset counters at "0".
        QVERIFY(c.select(relay2, "enertum\x01" "12002\x01"));
        QCOMPARE(c.ana.pages().Edit111->text(), QStringLiteral("12002"));
        for (const char* name : kPanelBoxes) QVERIFY2(c.text(name).isEmpty(), name);
        QCOMPARE(c.resetCounters(), (QStringList{"0", "0", "0"}));

        // Its own replies fill the panel again.
        c.send(message("reaktifenerji", {"12002", "01.03.2024", "08.03.2024", "500", "1500", "0", "50", "0", "0"}));
        QTRY_COMPARE(c.text("indoran"), QStringLiteral("5,00"));
        QCOMPARE(c.text("inddurum"), QStringLiteral("NORMAL"));
        QCOMPARE(c.text("Edit222"), QStringLiteral("01.03.2024"));
        QVERIFY(!c.text("Edit4").isEmpty());
    }
};

QTEST_MAIN(ConsumptionReselectTest)
#include "consumption_reselect.moc"
