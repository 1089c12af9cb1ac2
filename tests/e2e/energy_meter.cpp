// Meter readings, consumption totals and device records against the real
// merkez-sim over 127.0.0.1. The meter of the demo account is served with its
// per-phase indexes listed before the total and each reading in three
// "sayacal" messages; the utility reading's flags are seen in what the server
// does with them (the ratios it sends back, the reading it records).
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <cstdint>

#include "app/ui/PageControl.h"
#include "energy/ui/ConsumptionPage.h"
#include "energy/ui/MeterReadingPage.h"
#include "gui/shell_fixture.h"
#include "registers/core/RegisterTable.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/Keywords.h"
#include "server/ui/ReplyRouter.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

const QString krt = QStringLiteral("Fabrika Ana Pano No: 12001");
const QString workshop = QStringLiteral("Atölye Kompanzasyon No: 12002");
const QString meterEntry = QStringLiteral("Şube Sayacı No: 14001");

// The demo scenario with the meter's readout options set, in a file of dir.
QString meterScenario(const QTemporaryDir& dir) {
    QProcess dump;
    dump.start(QStringLiteral(MERKEZ_SIM_PATH), {QStringLiteral("--dump-scenario")});
    if (!dump.waitForFinished(20000)) return {};
    QJsonObject scenario = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
    QJsonArray devices = scenario.value(QLatin1String("devices")).toArray();
    for (auto it = devices.begin(); it != devices.end(); ++it) {
        QJsonObject d = it->toObject();
        if (d.value(QLatin1String("serial")).toString() != QLatin1String("14001")) continue;
        d.insert(QLatin1String("phaseIndexes"), true);
        d.insert(QLatin1String("readoutParts"), 3);
        *it = d;
    }
    scenario.insert(QLatin1String("devices"), devices);
    const QString path = dir.filePath(QStringLiteral("meter.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(QJsonDocument(scenario).toJson());
    return path;
}

// Answers the next modal question with button once it shows.
void answerNextQuestion(QMessageBox::StandardButton button) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [button, timer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        timer->deleteLater();
        box->button(button)->click();
    });
    timer->start();
}

struct Client : test::SimClient {
    MeterReadingPage* meter = ana.findChild<MeterReadingPage*>();
    ConsumptionPage* consumption = ana.findChild<ConsumptionPage*>();
    QList<QStringList> ratios;  // every "tedassycal" reply's fields

    Client() {
        ana.router().subscribe(kw::tedassycal, [this](const Reply& r) {
            QStringList fields;
            for (std::string_view f : r.fields) fields << fromCp1254(f);
            ratios << fields;
        });
    }

    // Logged in once the demo account's meter is listed.
    bool logIn(quint16 port) {
        if (meter == nullptr || consumption == nullptr) return false;
        return submitLogin(port) && waitForEntry(meterEntry, 15000);
    }
    // Selects the meter and waits for the ratios its selection asks for.
    bool selectMeter() {
        const qsizetype before = ratios.size();
        entry(meterEntry)->click();
        return QTest::qWaitFor([&] { return ratios.size() > before; }, 10000);
    }
    bool selectRelay() {
        ana.pages().Label2->clear();
        entry(krt)->click();
        return QTest::qWaitFor(
            [&] { return ana.pages().Label2->text() == QStringLiteral("12001 Nolu Cihaz Verileri"); }, 10000);
    }
    // The whole readout of a reading has arrived: its closing line is in.
    bool waitReadout() {
        return QTest::qWaitFor([&] { return meter->Memo3->toPlainText().endsWith(QStringLiteral("!\n")); }, 10000);
    }
    QString readout() const { return meter->Memo3->toPlainText(); }
    // A display of the meter page's date-range panel below the indexes.
    QString dated(const char* name) const {
        auto* d = ana.findChild<LedDisplay*>(QString::fromLatin1(name));
        return d != nullptr ? d->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }
    // The 9 characters after the line of code in the readout shown.
    QString lineValue(const QString& code) const {
        const QString text = readout();
        const qsizetype at = text.indexOf(QLatin1Char('\n') + code + QLatin1Char('('));
        return at < 0 ? QString() : text.mid(at + code.size() + 2, 9);
    }
};

QString withComma(QString text) {
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0) text[dot] = QLatin1Char(',');
    return text;
}

}  // namespace

class EnergyMeterTest : public QObject {
    Q_OBJECT
private slots:
    void plainReadingInSeveralMessages() {
        QTemporaryDir dir;
        const QString scenario = meterScenario(dir);
        QVERIFY(!scenario.isEmpty());
        test::SimProcess sim({"--seed", "1", "--records-every", "0", "--scenario", scenario});
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.selectMeter());
        const qsizetype ratiosBefore = c.ratios.size();
        const QString inductiveRatio = c.dated("RzLEDsycinoran");
        QVERIFY(!c.dated("RzLEDak1").isEmpty());
        QVERIFY(!inductiveRatio.isEmpty());

        // The reading empties the dated readings below the indexes; the ratios stay.
        c.meter->VrShadowButton11->click();
        QCOMPARE(c.dated("RzLEDak1"), QString());
        QCOMPARE(c.dated("RzLEDkap2"), QString());
        QCOMPARE(c.dated("RzLEDsycinoran"), inductiveRatio);
        QVERIFY(c.waitReadout());
        const QString text = c.readout();
        QVERIFY(text.startsWith(QStringLiteral("/ZDN")));
        QVERIFY(!text.contains(QStringLiteral("sayacal")));
        QCOMPARE(text.count(QStringLiteral("\n1.8.0(")), 1);  // each of the three messages once
        // The total, not the phase line before it.
        QVERIFY(text.indexOf(QStringLiteral("21.8.0(")) < text.indexOf(QStringLiteral("\n1.8.0(")));
        QCOMPARE(c.meter->Rzsycakttop->text(), withComma(c.lineValue(QStringLiteral("1.8.0"))));
        QVERIFY(c.meter->Rzsycakttop->text() != withComma(c.lineValue(QStringLiteral("21.8.0"))));
        QCOMPARE(c.meter->Rzsycindtop->text(), withComma(c.lineValue(QStringLiteral("5.8.0"))));
        QCOMPARE(c.meter->Rzsyckaptop->text(), withComma(c.lineValue(QStringLiteral("8.8.0"))));
        QCOMPARE(c.meter->RzsycT2->text(), c.lineValue(QStringLiteral("1.8.2")));
        QCOMPARE(c.ana.LblMesaj->text(), QStringLiteral("14001 Seri Nolu sayaç değerleri alınıyor. "));
        QCOMPARE(c.ana.pages().Label2->text(), QStringLiteral("14001 Nolu Sayaç Değerleri"));
        // A plain reading asks for no ratios.
        QTest::qWait(300);
        QCOMPARE(c.ratios.size(), ratiosBefore);
    }

    void utilityReadingFlags_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("firstDateAfter");
        // Recorded: later ranges start at the reading (the simulated Monday);
        // not recorded: a week before it, as with no utility reading at all.
        QTest::newRow("Yes records the reading") << true << QStringLiteral("04.03.2024");
        QTest::newRow("No only reads") << false << QStringLiteral("26.02.2024");
    }

    void utilityReadingFlags() {
        QFETCH(bool, yes);
        QFETCH(QString, firstDateAfter);
        test::SimProcess sim({"--seed", "1", "--records-every", "0"});
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.selectMeter());
        const qsizetype before = c.ratios.size();

        QVERIFY(!c.dated("RzLEDsyckaporan").isEmpty());
        answerNextQuestion(yes ? QMessageBox::Yes : QMessageBox::No);
        c.meter->VrShadowButton13->click();
        // A utility reading empties the ratios as well, before its own arrive.
        QCOMPARE(c.dated("RzLEDak2"), QString());
        QCOMPARE(c.dated("RzLEDsyckaporan"), QString());
        QVERIFY(c.waitReadout());
        // A utility reading gets its ratios as well, either answer.
        QTRY_COMPARE_WITH_TIMEOUT(c.ratios.size(), before + 1, 10000);
        QCOMPARE(c.ratios.last().value(0), QStringLiteral("14001"));

        QVERIFY(c.selectMeter());
        QCOMPARE(c.ratios.last().value(1), firstDateAfter);
    }

    void consumptionTotalsAndPreResetValues() {
        test::SimProcess sim({"--seed", "1", "--records-every", "0"});
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.selectRelay());
        ConsumptionPage* p = c.consumption;
        c.ana.pageControl()->selectPage(1);
        p->VrShadowButton8->click();
        QTRY_COMPARE_WITH_TIMEOUT(c.ana.pages().Label2->text(), QStringLiteral("12001 Nolu Cihaz Tüketim Verileri"),
                                  10000);
        for (LedDisplay* d : {p->SayacAktif, p->Sayacind, p->SayacKap}) {
            bool ok = false;
            d->text().toLongLong(&ok);
            QVERIFY2(ok, qPrintable(d->objectName() + QStringLiteral(" shows ") + d->text()));
        }

        // The displays show the registers 70 to 89 of the reply that `Memo1` shows.
        const QList<int> bytes = c.shownReplyBytes();
        QVERIFY(bytes.size() >= 3 + 40);
        auto reg = [&](int r) { return std::int64_t{bytes.at(3 + 2 * (r - 70)) * 256 + bytes.at(4 + 2 * (r - 70))}; };
        const QChar sep = QLatin1Char(c.ana.state().decimalSeparator);
        auto fixed = [&](double v, int integerDigits, int decimals) {
            QString t = QString::number(std::abs(v), 'f', decimals).rightJustified(integerDigits + 1 + decimals, '0');
            t.replace(QLatin1Char('.'), sep);
            return (v < 0 ? QStringLiteral("-") : QString()) + t;
        };
        const auto ratio = [&](int r) { return static_cast<std::int32_t>((reg(r) << 16) | reg(r + 1)) / 10.0; };
        const auto counter = [&](int r) {
            return static_cast<double>((reg(r) << 48) | (reg(r + 1) << 32) | (reg(r + 2) << 16) | reg(r + 3)) / 1000.0;
        };
        QCOMPARE(p->Toplamindoran->text(), fixed(ratio(70), 2, 2));
        QCOMPARE(p->Toplamkaporan->text(), fixed(ratio(72), 2, 2));
        QCOMPARE(p->Ewh->text(), fixed(counter(74), 3, 3));
        QCOMPARE(p->Elh->text(), fixed(counter(82), 3, 3));
        QCOMPARE(p->ECh->text(), fixed(counter(86), 3, 3));
        QVERIFY(counter(74) > 0);
    }

    void deviceRecordsTurnTheirEntriesBlue() {
        test::SimProcess sim({"--seed", "1", "--records-every", "1"});
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.selectRelay());
        // The records of the on-line relays of the group worked in: both
        // relays of "Fabrika", the over-current relay and the meter not.
        const QColor blue(0, 0, 255);
        QTRY_COMPARE_WITH_TIMEOUT(c.entry(workshop)->fontColor(), blue, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(c.entry(krt)->fontColor(), blue, 5000);
        QCOMPARE(c.entry(QStringLiteral("Trafo Koruma Rölesi No: 13001"))->fontColor(), QColor(Qt::black));
        QCOMPARE(c.entry(meterEntry)->fontColor(), QColor(Qt::black));
        // Each record stored in the row it names: 2 + the place in the account's list.
        QVERIFY(c.shell.forms.VD1KAL->table.value(2, 0) != kNoValue);
        QVERIFY(c.shell.forms.VD1KAL->table.value(3, 0) != kNoValue);
    }
};

QTEST_MAIN(EnergyMeterTest)
#include "energy_meter.moc"
