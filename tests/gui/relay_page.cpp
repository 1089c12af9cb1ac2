// The over-current relay page on the whole client: its three requests, the
// relay output byte on the wire, the seven-field reply, and the relay's own
// registers shown once when its selection's reply is stored.
#include <QtTest>
#include <cstring>

#include "control/ui/RelayPage.h"
#include "gui/loopback_client.h"
#include "registers/core/RefreshLoop.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/PowerButton.h"

using namespace izleme;
using izleme::test::LoopbackClient;

namespace {

// The relay's registers 0..11 as reply bytes: second, minute, hour, day,
// outputs, settings count, month, year, then four currents as singles.
QList<int> relayRegisterBytes(const QList<int>& clock, const QList<float>& currents) {
    QList<int> bytes = clock;
    for (float f : currents) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        for (int shift = 24; shift >= 0; shift -= 8) bytes << int((bits >> shift) & 0xFF);
    }
    return bytes;
}

QByteArray akimdegerleri(const QList<QByteArray>& fields) { return test::message("akimdegerleri", fields); }

}  // namespace

class RelayPageTest : public QObject {
    Q_OBJECT

    // Lists and selects the over-current relay 13001; its page is then in front.
    RelayPage* selectRelay(LoopbackClient& c) {
        if (!c.listAndSelect(QStringLiteral("Fabrika"), QStringLiteral("KLM200"), QStringLiteral("Trafo Koruma Rölesi"),
                             QStringLiteral("13001")))
            return nullptr;
        if (!c.takeReceived(test::message("enertum", {"13001"}))) return nullptr;
        return c.ana.findChild<RelayPage*>();
    }

private slots:
    // Without a connection a pull goes nowhere, and the request line does not say it went.
    void aPullThatCannotGoOutClaimsNothing() {
        LoopbackClient c;
        QVERIFY(c.shell.startWithoutLogin());
        auto* p = c.ana.findChild<RelayPage*>();
        QVERIFY(p);
        c.ana.LblGiden->setText(QStringLiteral("önceki"));
        p->VrShadowButton1Click();  // the page is not in front: its button takes no click
        QCOMPARE(c.ana.LblGiden->text(), QStringLiteral("önceki"));
        QVERIFY(c.peer.received.isEmpty());
    }

    void requestsCarryTheSerialAndTheOutputByte() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        RelayPage* p = selectRelay(c);
        QVERIFY(p);
        // The serial as it stands in the entry's caption, before trimming.
        QCOMPARE(p->Sno->text(), QStringLiteral(" 13001"));

        const struct {
            bool r1, r2, r3;
            char byte;
        } pulls[] = {{true, false, true, '\x50'}, {false, false, false, '\0'}, {true, true, true, '\x70'}};
        for (const auto& pull : pulls) {
            p->role1->setChecked(pull.r1);
            p->role2->setChecked(pull.r2);
            p->role3->setChecked(pull.r3);
            c.ana.LblMesaj->setText(QStringLiteral("eski"));
            p->VrShadowButton1->click();
            QVERIFY(c.takeReceived(test::message("roleaktif", {" 13001", QByteArray(1, pull.byte)})));
            QCOMPARE(c.ana.LblGiden->text(), QStringLiteral(" Röle çekme isteği gönderildi"));
            QCOMPARE(c.ana.LblMesaj->text(), QString());
        }
        // Clicking a power button changes it; the values request and the settings write carry no status text.
        p->role2->setChecked(false);
        QTest::mouseClick(p->role2, Qt::LeftButton, {}, p->role2->rect().center());
        QVERIFY(p->role2->isChecked());
        c.ana.LblGiden->setText(QStringLiteral("önceki"));
        p->VrShadowButton2->click();
        QVERIFY(c.takeReceived(test::message("AARdegerlerioku", {" 13001"})));
        p->VrShadowButton3->click();
        QVERIFY(c.takeReceived(test::message("sabitleriyaz", {})));
        QCOMPARE(c.ana.LblGiden->text(), QStringLiteral("önceki"));
    }

    void theSevenFieldReplyIsShownAsSent() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        RelayPage* p = selectRelay(c);
        QVERIFY(p);
        c.send(akimdegerleri({"12.5", "13.0", "12.8", "0.4", "123456", "01.02.09", "10:15:00"}));
        QTRY_COMPARE(p->Saat->text(), QStringLiteral("10:15:00"));
        QCOMPARE(p->akim1->text(), QStringLiteral("12.5"));
        QCOMPARE(p->akim2->text(), QStringLiteral("13.0"));
        QCOMPARE(p->akim3->text(), QStringLiteral("12.8"));
        QCOMPARE(p->akimt->text(), QStringLiteral("0.4"));
        QCOMPARE(p->Sno->text(), QStringLiteral("123456"));
        QCOMPARE(p->Trh->text(), QStringLiteral("01.02.09"));
        // The serial of the reply is the device field of the page's next request.
        p->VrShadowButton2->click();
        QVERIFY(c.takeReceived(test::message("AARdegerlerioku", {"123456"})));
    }

    void theRelaysRegistersFillTheDisplaysOnce() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        RelayPage* p = selectRelay(c);
        QVERIFY(p);
        const char sep = c.ana.state().decimalSeparator;
        auto decimal = [sep](const char* text) {
            return QString::fromLatin1(text).replace(QLatin1Char('.'), QLatin1Char(sep));
        };

        c.send(test::registerReply(relayRegisterBytes({5, 7, 14, 4, 0, 0, 3, 24}, {12.5f, 13.25f, 0.5f, 0.125f})));
        QTRY_COMPARE(p->Saat->text(), QStringLiteral("14:7:5"));
        QCOMPARE(p->Trh->text(), QStringLiteral("4.3.2024"));
        QCOMPARE(p->akim1->text(), decimal("12.5"));
        QCOMPARE(p->akim2->text(), decimal("13.25"));
        QCOMPARE(p->akim3->text(), decimal("0.5"));
        QCOMPARE(p->akimt->text(), decimal("0.125"));
        QCOMPARE(p->Sno->text(), QStringLiteral(" 13001"));

        // A values reply overwrites them, and the refresh does not write them back.
        c.send(akimdegerleri({"1.0", "2.0", "3.0", "0.1", "13001", "04.03.24", "14:07:09"}));
        QTRY_COMPARE(p->Saat->text(), QStringLiteral("14:07:09"));
        c.ana.refreshLoop().tick();
        c.ana.Timer1->start();
        QTest::qWait(1300);
        QCOMPARE(p->Saat->text(), QStringLiteral("14:07:09"));
        QCOMPARE(p->akim1->text(), QStringLiteral("1.0"));
        QCOMPARE(p->Trh->text(), QStringLiteral("04.03.24"));
    }

    void registersWithoutAValueShowADash() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        RelayPage* p = selectRelay(c);
        QVERIFY(p);
        // A short reply: registers 0..2 only (clock, day, output byte, settings count).
        c.send(test::registerReply({30, 59, 23, 31, 0, 0}));
        QTRY_COMPARE(p->Saat->text(), QStringLiteral("23:59:30"));
        QCOMPARE(p->Trh->text(), QStringLiteral("31.-.-"));
        for (LedDisplay* d : {p->akim1, p->akim2, p->akim3, p->akimt}) QCOMPARE(d->text(), QStringLiteral("-"));
    }
};

QTEST_MAIN(RelayPageTest)
#include "relay_page.moc"
