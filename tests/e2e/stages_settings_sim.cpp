// Capacitor stages and relay settings against the real merkez-sim over
// 127.0.0.1: stage states and powers read, a stage switched in manual mode and
// read back, mode and set-up on the wire, every settings group written and
// read back.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "control/ui/SettingsPage.h"
#include "control/ui/StagesPage.h"
#include "gui/shell_fixture.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/PowerButton.h"

using namespace izleme;

namespace {

using test::steadyDemo;
// The demo's workshop relay: its stages and the phases they hang on, as its scenario gives them.
const QString workshop = QStringLiteral("Atölye Kompanzasyon No: 12002");
const double workshopKvar[12] = {2.5, 2.5, 5, 5, 5, 7.5, 7.5, 10, 0, 0, 0, 0};
const char* const workshopPhases[12] = {"r", "s", "t", "rst", "rst", "rst", "rst", "rst", "off", "off", "off", "off"};

struct Relay : test::SimClient {
    StagesPage* stages = ana.findChild<StagesPage*>();
    SettingsPage* settings = ana.findChild<SettingsPage*>();

    bool logIn(quint16 port) {
        if (!SimClient::logIn(port)) return false;
        ana.Timer1->stop();  // the test ticks the refresh itself
        return true;
    }
    // Clicks, waits for the heading of the stored reply, then runs one refresh tick.
    // Only the active page takes input: the page of the button first.
    void pageOf(QWidget* w) {
        for (int i = 0; i < 8; ++i)
            if (ana.pageControl()->widget(i)->isAncestorOf(w)) ana.pageControl()->selectPage(i);
    }
    void click(QAbstractButton* button) {
        pageOf(button);
        button->click();
    }
    // Clicks and waits for the heading of the stored reply. The one-second
    // refresh is stopped: what the pages show comes from the refresh that a
    // stored reply runs at once. The status line names what came in.
    bool read(QAbstractButton* button, const QString& heading, const QString& status) {
        ana.pages().Label2->clear();
        pageOf(button);
        button->click();
        const bool ok = QTest::qWaitFor([&] { return ana.pages().Label2->text() == heading; }, 10000);
        if (ana.LblMesaj->text() != status) qWarning() << "status line" << ana.LblMesaj->text();
        return ok && ana.LblMesaj->text() == status;
    }
    bool readStates() {
        return read(stages->Kondansatorcek, QStringLiteral("12002 nolu cihaz kondansatör bilgileri"),
                    QStringLiteral("12002 Seri Nolu Cihazın kondansatör durumları alınıyor."));
    }
    bool readPowers() {
        return read(stages->BitBtn2, QStringLiteral("12002 nolu cihaz kondansatör Güç bilgileri"),
                    QStringLiteral("12002 Seri Nolu Cihazın kondansatör Güçleri alınıyor."));
    }
    bool readSettings() {
        return read(settings->sabitoku, QStringLiteral("12002 Nolu Cihaz Sabit Verileri"),
                    QStringLiteral("12002 Seri Nolu Cihazın sabit değerleri alınıyor. "));
    }
    QList<bool> states() const {
        QList<bool> in;
        for (QCheckBox* b : stages->Kondrm) in << b->isChecked();
        return in;
    }
    QString decimal(const char* text) const {
        return QString::fromLatin1(text).replace(QLatin1Char('.'), QLatin1Char(ana.state().decimalSeparator));
    }
    // The switches take commands again once the relay's pace is over.
    bool switchesBack() {
        return QTest::qWaitFor([&] { return stages->C[0]->isEnabledTo(stages); }, 10000);
    }
};

}  // namespace

class StagesSettingsSimTest : public QObject {
    Q_OBJECT
private slots:
    void stagesAndSettingsRoundTrip() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Relay r;
        QVERIFY(r.logIn(sim.port()));
        QVERIFY(r.select(workshop));
        QTRY_COMPARE_WITH_TIMEOUT(r.ana.pages().Label2->text(), QStringLiteral("12002 Nolu Cihaz Verileri"), 10000);

        // Powers need the current transformer ratio: without it, dashes.
        QVERIFY(r.readPowers());
        QCOMPARE(r.stages->ca[0]->text(), r.decimal("---.-"));
        QVERIFY(r.readSettings());
        QCOMPARE(r.settings->LBLCT->text(), QStringLiteral("50"));
        QCOMPARE(r.settings->LBLVT->text(), QStringLiteral("1"));
        QCOMPARE(r.settings->LBLhdfcosind->text(), r.decimal("0.950"));
        for (int n = 0; n < 12; ++n) {
            const QString kvar = QStringLiteral("%1").arg(workshopKvar[n], 5, 'f', 1, QLatin1Char('0'));
            QCOMPARE(r.stages->ca[static_cast<std::size_t>(n)]->text(), r.decimal(kvar.toLatin1().constData()));
            QCOMPARE(r.stages->ca_faz[static_cast<std::size_t>(n)]->text(), QString::fromLatin1(workshopPhases[n]));
        }

        // Manual mode, then stage 1 in and out by hand; nothing else moves.
        r.click(r.settings->RadioManual);
        r.click(r.settings->konmodgonder);
        QVERIFY(r.readStates());
        QList<bool> expected = r.states();
        for (int i = 0; i < 12; ++i) QCOMPARE(r.stages->durum[static_cast<std::size_t>(i)]->isChecked(), expected[i]);
        const bool wasIn = expected[0];
        if (wasIn) {  // the switch is local: bring it to "on" quietly, then switch out and in
            r.stages->C[0]->setChecked(true);
        }
        r.click(r.stages->C[0]);  // now the opposite of what the relay had
        QVERIFY(r.readStates());
        expected[0] = !wasIn;
        QCOMPARE(r.states(), expected);
        QVERIFY(r.switchesBack());
        r.click(r.stages->C[0]);
        QVERIFY(r.readStates());
        expected[0] = wasIn;
        QCOMPARE(r.states(), expected);
        QVERIFY(r.switchesBack());
        r.stages->C[7]->setChecked(false);
        r.click(r.stages->C[7]);  // stage 8 in
        QVERIFY(r.readStates());
        QVERIFY(r.stages->Kondrm[7]->isChecked());
        QVERIFY(r.stages->durum[7]->isChecked());

        // Set-up off takes every stage out.
        r.click(r.settings->RadioOff);
        r.click(r.settings->Button6);
        QVERIFY(r.readStates());
        QCOMPARE(r.states(), QList<bool>(12, false));
        r.click(r.settings->radioOn);
        r.click(r.settings->Button6);

        // Every group written, then read back together.
        SettingsPage* s = r.settings;
        s->spinvt->setValue(2);
        s->spinCT->setValue(60);
        s->spinreaktifhesyon->setValue(2);
        s->spinhedefcosind->setValue(0.970);
        s->spinhedefcoskap->setValue(0.985);
        s->spinkademesayisi->setValue(8);
        s->spinprogram->setValue(3);
        s->spinalmasure->setValue(1800);
        s->spincikmasure->setValue(20);
        s->spindesarjsure->setValue(45);
        s->spinreaktiforan->setValue(20);
        s->spinkapasitiforan->setValue(25);
        for (QPushButton* set : {s->Button7, s->Button17, s->Button5, s->Button11}) r.click(set);
        QCOMPARE(r.ana.LblGiden->text(), QStringLiteral("Reaktif-Kapasitif oranlar yazılıyor.Lütfen bekleyin..."));
        QVERIFY(r.readSettings());
        const QList<QPair<QLabel*, QString>> readBack{
            {s->LBLVT, "2"},
            {s->LBLCT, "60"},
            {s->lblreaktifhesyon, "2"},
            {s->LBLhdfcosind, r.decimal("0.970")},
            {s->LBLhdfcoskap, r.decimal("0.985")},
            {s->lblkdmsayisi, "8"},
            {s->lblprogram, "3"},
            {s->lblalmasure, "1800"},
            {s->lblcikmasure, "20"},
            {s->lbldesarjsure, "45"},
            {s->lblreaktiforan, "20"},
            {s->lblkapasitiforan, "25"},
        };
        for (const auto& [label, text] : readBack) QCOMPARE(label->text(), text);

        // The relay keeps its stage powers in units of the new ratio; the
        // page still shows kVAr.
        QVERIFY(r.readPowers());
        QCOMPARE(r.stages->ca[7]->text(), r.decimal("010.0"));
        QCOMPARE(r.stages->ca[0]->text(), r.decimal("002.5"));
    }
};

QTEST_MAIN(StagesSettingsSimTest)
#include "stages_settings_sim.moc"
