// The meter reading and consumption pages through the real windows: requests
// read by a loopback peer, replies ("sayacal", "Sycdegerleri", "enerjial",
// "cihazenerji") written by it, the displays and the device list read back.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/ui/PageControl.h"
#include "energy/ui/ConsumptionPage.h"
#include "energy/ui/MeterReadingPage.h"
#include "gui/loopback_client.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/SharedState.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

using test::cihazlar;
using test::kEnd;
using test::message;

QByteArray sayacal(const QByteArray& readout) { return "sayacal\x01#\x01" + readout + kEnd; }

// A device record of 45 entries "$1" and eight digits: entry j holds base + j,
// entry 43 names the row in its first five digits.
QByteArray deviceRecord(int row, int base = 100) {
    QByteArray r;
    for (int j = 0; j < 45; ++j) {
        r += "$1" + (j == 43 ? QByteArray::number(row).rightJustified(5, '0') + "000"
                             : QByteArray::number(base + j).rightJustified(8, '0'));
    }
    return r;
}

// A consumption reply: registers 70 to 89.
QByteArray consumptionReply(const QList<int>& registers) {
    QByteArray text = "1$3$" + QByteArray::number(registers.size() * 2) + "$";
    for (int v : registers) text += QByteArray::number(v >> 8) + "$" + QByteArray::number(v & 0xFF) + "$";
    return "enerjial\x01#\x01" + text + "0$0$" + kEnd;
}

const QByteArray kReadout =
    "/ZDN5ZDN100\r\n0.0.0(14001)\r\n21.8.0(000111.111*kWh)\r\n1.8.0(012345.678*kWh)\r\n"
    "1.8.1(006000.100*kWh)\r\n1.8.2(004000.200*kWh)\r\n1.8.3(002345.378*kWh)\r\n5.8.0(000321.000*kvarh)\r\n"
    "8.8.0(000123.500*kvarh)\r\n!\r\n";

const QString kNoIndex = QStringLiteral("00000000");
const QString kWaiting = QStringLiteral("Sayaç okuma isteği gönderildi.Lütfen bekleyin...");

// Answers the next modal dialog once it shows: records its text and presses
// the button (or closes it when button is NoButton).
struct DialogAnswer {
    QString text;
    bool seen = false;
    explicit DialogAnswer(QMessageBox::StandardButton button) {
        auto* timer = new QTimer(qApp);
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [this, button, timer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            text = box->text();
            seen = true;
            timer->deleteLater();
            if (button == QMessageBox::NoButton) {
                box->close();
            } else {
                box->button(button)->click();
            }
        });
        timer->start();
    }
};

// The client logged in against a loopback peer with a relay group and a
// meter listed, the one-second refresh stopped so that only replies move the
// displays.
struct Client : test::LoopbackClient {
    MeterReadingPage* meter = ana.findChild<MeterReadingPage*>();
    ConsumptionPage* consumption = ana.findChild<ConsumptionPage*>();

    bool logIn() {
        if (meter == nullptr || consumption == nullptr) return false;
        const bool ok = LoopbackClient::logIn();
        send(cihazlar("Fabrika", "KRT100", "Ana Pano", "12") + cihazlar("Fabrika", "KRT100", "Kazan", "123") +
             cihazlar("Fabrika", "KRT100", "Depo", "1") + cihazlar("Merkez", "KRT100", "Merkez Pano", "12") +
             cihazlar("Şubeler", "ZDN100", "Şube Sayacı", "14001"));
        return ok && QTest::qWaitFor([&] { return entry(QStringLiteral("Şube Sayacı No: 14001")) != nullptr; }, 5000);
    }
    // Clicks an entry and waits for its first request; the peer's bytes start over.
    bool select(const QString& caption, const QByteArray& firstRequest) {
        peer.received.clear();
        GroupBarEntry* e = entry(caption);
        if (e == nullptr) return false;
        e->click();
        const bool ok = QTest::qWaitFor([&] { return peer.received.startsWith(firstRequest); }, 5000);
        peer.received.clear();
        return ok;
    }
    bool selectMeter() { return select(QStringLiteral("Şube Sayacı No: 14001"), "sycreaktfener\x01" "14001\x01"); }
    bool selectRelay() { return select(QStringLiteral("Ana Pano No: 12"), "enertum\x01" "12\x01"); }
    QStringList indexes() const {
        QStringList texts;
        for (LedDisplay* d : {meter->Rzsycakttop, meter->Rzsycindtop, meter->Rzsyckaptop, meter->RzsycT1,
                              meter->RzsycT2, meter->RzsycT3})
            texts << d->text();
        return texts;
    }
    bool waitIndexes(const QStringList& expected) {
        return QTest::qWaitFor([&] { return indexes() == expected; }, 5000);
    }
    QStringList pair(LedDisplay* a, LedDisplay* b, LedDisplay* c) const { return {a->text(), b->text(), c->text()}; }
    RegisterTable& table() { return shell.forms.VD1KAL->table; }
    void snapshot(int page, const char* file) {
        ana.resize(1366, 768);
        ana.pageControl()->selectPage(page);
        QApplication::processEvents();
        ana.grab().save(QDir::temp().filePath(QString::fromLatin1(file)));
    }
};

const QStringList kFilled{QStringLiteral("012345,67"), QStringLiteral("000321,00"), QStringLiteral("000123,50"),
                          QStringLiteral("006000.10"), QStringLiteral("004000.20"), QStringLiteral("002345.37")};
const QStringList kEmpty{kNoIndex, kNoIndex, kNoIndex, kNoIndex, kNoIndex, kNoIndex};

}  // namespace

class MeterPagesTest : public QObject {
    Q_OBJECT
private slots:
    void readoutFillsTheIndexesAndTheTextBox() {
        Client c;
        QVERIFY(c.logIn());
        QVERIFY(c.selectMeter());
        QCOMPARE(c.indexes(), kEmpty);

        // One reading in two messages of one write: each appended once, no
        // header in the text, and the "21.8.0" line does not pass for the total.
        const int split = kReadout.indexOf("1.8.2(");
        c.send(sayacal(kReadout.left(split)) + sayacal(kReadout.mid(split)) +
               message("Hattayok", {"77"}));
        QVERIFY(c.waitIndexes(kFilled));
        QString shown = QString::fromLatin1(kReadout);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(c.meter->Memo3->toPlainText(), shown);
        // What followed the readouts was dispatched.
        QTRY_COMPARE(c.ana.LblMesaj->text(),
                     QStringLiteral("77 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."));
        QCOMPARE(c.ana.pages().Label2->text(), QStringLiteral("14001 Nolu Sayaç Değerleri"));

        // A readout split over two writes is put together before it is read.
        c.send(QByteArray("sayacal\x01#\x01" "1.8.0(999") );
        QTest::qWait(50);
        c.send(QByteArray("999.999*kWh)\r\n") + kEnd);
        QTRY_VERIFY(c.meter->Memo3->toPlainText().endsWith(QStringLiteral("1.8.0(999999.999*kWh)\n")));
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("14001 Seri Nolu sayaç değerleri alınıyor. "));
        QCOMPARE(c.indexes(), kFilled);  // the first occurrence wins
        QVERIFY(!c.meter->Memo3->toPlainText().contains(QStringLiteral("sayacal")));
        c.snapshot(6, "meter_page_readout.png");

        // Selecting the meter again starts over; selecting a relay leaves it alone.
        QVERIFY(c.selectRelay());
        QCOMPARE(c.indexes(), kFilled);
        QVERIFY(c.selectMeter());
        QCOMPARE(c.indexes(), kEmpty);
        QCOMPARE(c.meter->Memo3->toPlainText(), QString());
    }

    void plainReadingSendsItsFlagsAndResets() {
        Client c;
        QVERIFY(c.logIn());
        QVERIFY(c.selectMeter());
        c.send(sayacal(kReadout));
        QVERIFY(c.waitIndexes(kFilled));
        QSignalSpy reading(c.meter, &MeterReadingPage::readingRequested);
        c.ana.LblMesaj->setText(QStringLiteral("eski"));

        c.meter->VrShadowButton11->click();
        QVERIFY(c.waitReceived(message("sayac", {"14001", "tdshyr", "kythyr"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("sayac"));
        QCOMPARE(c.ana.LblGiden->text(), kWaiting);
        QCOMPARE(c.ana.LblMesaj->text(), QString());
        QCOMPARE(c.indexes(), kEmpty);
        QCOMPARE(c.meter->Memo3->toPlainText(), QString());
        QCOMPARE(reading.count(), 1);
        QCOMPARE(reading.at(0).at(0).toBool(), false);
    }

    void utilityReadingAsksAndSendsTheRecordFlag_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("Yes records") << int(QMessageBox::Yes) << QByteArray("kytevt");
        QTest::newRow("No only reads") << int(QMessageBox::No) << QByteArray("kythyr");
        QTest::newRow("closed only reads") << int(QMessageBox::NoButton) << QByteArray("kythyr");
    }

    void utilityReadingAsksAndSendsTheRecordFlag() {
        QFETCH(int, answer);
        QFETCH(QByteArray, record);
        Client c;
        QVERIFY(c.logIn());
        QVERIFY(c.selectMeter());
        c.send(sayacal(kReadout));
        QVERIFY(c.waitIndexes(kFilled));
        QSignalSpy reading(c.meter, &MeterReadingPage::readingRequested);

        DialogAnswer dialog(static_cast<QMessageBox::StandardButton>(answer));
        c.meter->VrShadowButton13->click();
        QVERIFY(dialog.seen);
        QCOMPARE(dialog.text, QStringLiteral("DİKKAT\nTedaş Okuma Kaydı ?\nYes tıklanırsa Kayıt işlemi gerçekleşir\n"
                                             "No tıklanırsa Sadece Okuma yapılır ve oranlar tespit edilir"));
        QVERIFY(c.waitReceived(message("sayac", {"14001", "tdsEvt", record})));
        QCOMPARE(c.ana.LblGiden->text(), kWaiting);
        QCOMPARE(c.indexes(), kEmpty);
        QCOMPARE(reading.count(), 1);
        QCOMPARE(reading.at(0).at(0).toBool(), true);
    }

    void consumptionRequestAndItsDisplays() {
        Client c;
        QVERIFY(c.logIn());
        QVERIFY(c.selectRelay());
        // The instantaneous values the selection asked for come first.
        c.send("enerjial\x01#\x01" "1$3$2$0$0$" + kEnd);
        QTRY_COMPARE(c.ana.pages().Label2->text(), QStringLiteral("12 Nolu Cihaz Verileri"));
        c.ana.state().decimalSeparator = ',';
        ConsumptionPage* p = c.consumption;
        // Row 1 was emptied by the selection: no value yet shows dashes.
        c.ana.refreshLoop().tick();
        QCOMPARE(p->Toplamindoran->text(), QStringLiteral("--,--"));
        QCOMPARE(c.pair(p->Ewh, p->Elh, p->ECh),
                 (QStringList{QStringLiteral("---,---"), QStringLiteral("---,---"), QStringLiteral("---,---")}));

        p->SayacAktif->setText(QStringLiteral("5"));
        c.ana.pageControl()->selectPage(1);
        p->VrShadowButton8->click();
        QVERIFY(c.waitReceived(message("enerharcanan", {"12"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("tuketim"));
        QCOMPARE(c.ana.LblGiden->text(), QStringLiteral("Tüketim verileri istendi.Lütfen bekleyin..."));
        QCOMPARE(c.pair(p->SayacAktif, p->Sayacind, p->SayacKap),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));

        // 70..89: ratios 12.5 and -0.1, Ewh 65.536, 78..81 unused, Elh 0.005, ECh 131.075.
        c.send(message("Sycdegerleri", {"1234", "56,5", "7"}) +
               consumptionReply({0, 125, 65535, 65535, 0, 0, 1, 0, 9, 9, 9, 9, 0, 0, 0, 5, 0, 0, 2, 3}));
        QTRY_COMPARE(p->Toplamindoran->text(), QStringLiteral("12,50"));
        QCOMPARE(p->Toplamkaporan->text(), QStringLiteral("-00,10"));
        QCOMPARE(c.pair(p->Ewh, p->Elh, p->ECh),
                 (QStringList{QStringLiteral("065,536"), QStringLiteral("000,005"), QStringLiteral("131,075")}));
        QCOMPARE(c.pair(p->SayacAktif, p->Sayacind, p->SayacKap),
                 (QStringList{QStringLiteral("1234"), QStringLiteral("56,5"), QStringLiteral("7")}));
        QCOMPARE(c.ana.pages().Label2->text(), QStringLiteral("12 Nolu Cihaz Tüketim Verileri"));
        c.snapshot(1, "consumption_page.png");
    }

    void deviceRecordsMarkTheirEntries() {
        Client c;
        QVERIFY(c.logIn());
        QVERIFY(c.selectRelay());
        const QColor blue(0, 0, 255);
        const auto color = [&](const QString& caption, const QString& group) {
            GroupBarEntry* e = c.entry(caption, group);
            return e == nullptr ? QColor() : e->fontColor();
        };

        // Serial 12 of group "fabrika": 12 and 123 of FABRIKA, not 1, not MERKEZ's 12.
        c.send(message("cihazenerji", {"12", "fabrika", deviceRecord(7)}) + "X");
        QTRY_COMPARE(color(QStringLiteral("Kazan No: 123"), QStringLiteral("FABRIKA")), blue);
        QCOMPARE(color(QStringLiteral("Depo No: 1"), QStringLiteral("FABRIKA")), QColor(Qt::black));
        QCOMPARE(color(QStringLiteral("Merkez Pano No: 12"), QStringLiteral("MERKEZ")), QColor(Qt::black));
        QCOMPARE(color(QStringLiteral("Ana Pano No: 12"), QStringLiteral("FABRIKA")), blue);
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("12 Enerji bilgileri alınıyor. "));
        QCOMPARE(c.table().value(7, 0), 100.0);
        QCOMPARE(c.table().value(7, 30), 130.0 / 3600.0);
        QCOMPARE(c.table().value(7, 44), 144.0);

        // A group that matches nothing marks nothing; the record is stored all the same.
        c.send(message("cihazenerji", {"1", "Depo", deviceRecord(9, 500)}) + "X");
        QTRY_COMPARE(c.table().value(9, 0), 500.0);
        QCOMPARE(color(QStringLiteral("Depo No: 1"), QStringLiteral("FABRIKA")), QColor(Qt::black));

        // A record that is not a number ends the chunk: nothing is marked, the status text stays.
        QByteArray bad = deviceRecord(8);
        bad.replace(2, 8, "0000x000");
        c.send(message("cihazenerji", {"1", "Fabrika", bad}) + "X" + message("Hattayok", {"3"}));
        QTRY_COMPARE(c.ana.LblMesaj->text(), QStringLiteral("1 Enerji bilgileri alınıyor. "));
        QTest::qWait(100);
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("1 Enerji bilgileri alınıyor. "));
        QCOMPARE(color(QStringLiteral("Depo No: 1"), QStringLiteral("FABRIKA")), QColor(Qt::black));

        // Selecting a relay turns the marks black again.
        QVERIFY(c.selectRelay());
        QCOMPARE(color(QStringLiteral("Kazan No: 123"), QStringLiteral("FABRIKA")), QColor(Qt::black));
    }
};

QTEST_MAIN(MeterPagesTest)
#include "meter_pages.moc"
