// Reactive energy ratios against the real merkez-sim over 127.0.0.1, on a
// machine with an English locale: a relay's consumption page between two
// dates, a meter's panel filled by its selection and by its own request, and
// the alarm window raised by a ratio in "CEZA", whose horn stops on close.
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>

#include "app/ui/PageControl.h"
#include "gui/shell_fixture.h"
#include "server/ui/Tfrmuyari.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/ScrollingLabel.h"

using namespace izleme;

namespace {

// The demo plant at a fixed seed: its clock starts on Monday 4 March 2024.
using test::steadyDemo;

struct Session : test::SimClient {
    // Logged in once the demo account's meter is listed.
    bool logIn(quint16 port) { return submitLogin(port) && waitForEntry(QStringLiteral("Şube Sayacı No: 14001")); }
    double number(const char* name) const {
        bool ok = false;
        const double v = text(name).toDouble(&ok);  // the English locale's point
        return ok ? v : NAN;
    }
    void click(const char* name) { ana.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
};

// Checks that a panel's ratios follow from its counters and that each class
// is that of its ratio, from the shown texts alone.
void checkPanel(const Session& s, const std::array<const char*, 6>& counters, const std::array<const char*, 2>& ratios,
                const std::array<const char*, 2>& classes, double shownPerCounted) {
    double c[6];
    for (int i = 0; i < 6; ++i) {
        c[i] = s.number(counters[static_cast<std::size_t>(i)]);
        QVERIFY2(!std::isnan(c[i]), counters[static_cast<std::size_t>(i)]);
    }
    QVERIFY2(c[1] > c[0], "the plant consumed between the dates");
    const double limits[2][3] = {{15, 17, 20}, {10, 12, 15}};
    const char* texts[] = {"NORMAL", "KRİTİK", "ALARM", "CEZA"};
    for (int side = 0; side < 2; ++side) {
        const double expected = (c[3 + 2 * side] - c[2 + 2 * side]) / (c[1] - c[0]) * 100;
        const double shown = s.number(ratios[static_cast<std::size_t>(side)]);
        // Counters are shown rounded to 0.01 of their unit.
        const double slack = 100 * 0.02 / ((c[1] - c[0]) * shownPerCounted) * (1 + std::abs(expected) / 100) + 0.006;
        QVERIFY2(std::abs(shown - expected) <= slack,
                 qPrintable(QStringLiteral("ratio %1 shown %2, counters give %3").arg(side).arg(shown).arg(expected)));
        // Half to even, as nearbyint rounds by default (the plant's ratios are not near a half).
        const double r = std::nearbyint(shown);
        int k = 0;
        while (k < 3 && r >= limits[side][k]) ++k;
        QCOMPARE(s.text(classes[static_cast<std::size_t>(side)]), QString::fromUtf8(texts[k]));
    }
}

}  // namespace

class EnergyRatiosTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString previous_;

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        previous_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        QFile horn(QStringLiteral("AirHornL.wav"));
        QVERIFY(horn.open(QIODevice::WriteOnly));
    }
    void cleanup() {
        QDir::setCurrent(previous_);
        QLocale::setDefault(QLocale::c());
    }

    void consumptionPageBetweenTwoDates() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Session s;
        QVERIFY(s.logIn(sim.port()));
        QCOMPARE(s.ana.state().decimalSeparator, '.');

        // A well-compensated relay: no alarm.
        s.entry(QStringLiteral("Fabrika Ana Pano No: 12001"))->click();
        s.ana.pageControl()->selectPage(1);
        s.ana.pages().DateTimePicker1->setDate(QDate(2024, 2, 27));
        s.ana.pages().DateTimePicker2->setDate(QDate(2024, 3, 3));
        s.click("VrShadowButton9");
        // The server read both dates: it echoes them in its reply.
        QTRY_COMPARE_WITH_TIMEOUT(s.text("Edit222"), QStringLiteral("27.02.2024"), 10000);
        QCOMPARE(s.text("Edit333"), QStringLiteral("03.03.2024"));
        QCOMPARE(
            s.ana.LblMesaj->text(),
            QStringLiteral("12001 Cihazının 27.02.2024 ve 03.03.2024 tarihleri arası Enerji bilgileri alınıyor. "));
        checkPanel(s, {"ak1", "ak2", "in1", "in2", "kap1", "kap2"}, {"indoran", "kaporan"}, {"inddurum", "Kapdurum"},
                   0.001);
        QCOMPARE(s.text("inddurum"), QStringLiteral("NORMAL"));
        QVERIFY(!s.shell.forms.frmuyari->isVisible());

        // The workshop's relay compensates too little: its inductive ratio is in "CEZA".
        s.entry(QStringLiteral("Atölye Kompanzasyon No: 12002"))->click();
        s.ana.pageControl()->selectPage(1);
        s.click("VrShadowButton9");
        Tfrmuyari& alarm = *s.shell.forms.frmuyari;
        QTRY_VERIFY_WITH_TIMEOUT(alarm.isVisible(), 10000);
        checkPanel(s, {"ak1", "ak2", "in1", "in2", "kap1", "kap2"}, {"indoran", "kaporan"}, {"inddurum", "Kapdurum"},
                   0.001);
        QCOMPARE(alarm.label1->text(),
                 QStringLiteral("12002 Seri Nolu cihaz CEZA sınırında: İndüktif oran %") + s.text("indoran"));
        QCOMPARE(s.shell.fake.sound->played.size(), 1);
        alarm.Button1->click();
        QVERIFY(!alarm.Timer1->isActive());
        QCOMPARE(s.shell.fake.sound->stops, 1);
    }

    void meterPanelOnSelectionAndOnRequest() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Session s;
        QVERIFY(s.logIn(sim.port()));

        // The selection asks with empty dates: the server answers for the
        // week before its day, into the meter page's own boxes.
        s.entry(QStringLiteral("Şube Sayacı No: 14001"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.text("Edit3"), QStringLiteral("04.03.2024"), 10000);
        QCOMPARE(s.text("Edit2"), QStringLiteral("26.02.2024"));
        QCOMPARE(s.text("Edit5"), QStringLiteral("14001"));
        const std::array<const char*, 6> counters{"RzLEDak1", "RzLEDak2",  "RzLEDin1",
                                                  "RzLEDin2", "RzLEDkap1", "RzLEDkap2"};
        checkPanel(s, counters, {"RzLEDsycinoran", "RzLEDsyckaporan"}, {"lblsycindurum", "lblsyckapdurum"}, 1);

        // Both of the meter's ratios are in "CEZA": one alarm names both; the horn
        // repeats until the window is closed.
        Tfrmuyari& alarm = *s.shell.forms.frmuyari;
        QVERIFY(alarm.isVisible());
        QCOMPARE(alarm.label1->text(), QStringLiteral("14001 Seri Nolu cihaz CEZA sınırında: İndüktif oran %") +
                                           s.text("RzLEDsycinoran") +
                                           QStringLiteral("   14001 Seri Nolu cihaz CEZA sınırında: Kapasitif oran %") +
                                           s.text("RzLEDsyckaporan"));
        QTRY_VERIFY_WITH_TIMEOUT(s.shell.fake.sound->played.size() >= 2, 10000);
        alarm.Button1->click();
        QVERIFY(!alarm.isVisible());
        const qsizetype played = s.shell.fake.sound->played.size();

        // The page's own request between two dates.
        s.ana.pages().dtsycilktarih->setDate(QDate(2024, 2, 28));
        s.ana.pages().dtsycsontarih->setDate(QDate(2024, 3, 2));
        s.click("VrShadowButton12");
        QCOMPARE(s.text("RzLEDsycinoran"), QString());
        QTRY_COMPARE_WITH_TIMEOUT(s.text("Edit2"), QStringLiteral("28.02.2024"), 10000);
        QCOMPARE(s.text("Edit3"), QStringLiteral("02.03.2024"));
        QTRY_VERIFY(!s.text("lblsyckapdurum").isEmpty());
        checkPanel(s, counters, {"RzLEDsycinoran", "RzLEDsyckaporan"}, {"lblsycindurum", "lblsyckapdurum"}, 1);
        const bool penalty =
            s.text("lblsycindurum") == QStringLiteral("CEZA") || s.text("lblsyckapdurum") == QStringLiteral("CEZA");
        QCOMPARE(alarm.isVisible(), penalty);
        QCOMPARE(s.shell.fake.sound->played.size(), played + (penalty ? 1 : 0));
    }
};

QTEST_MAIN(EnergyRatiosTest)
#include "energy_ratios.moc"
