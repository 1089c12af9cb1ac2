// The capacitor stages page and the settings page in the real main window: the
// requests and commands they put on the wire (read by a loopback peer), and
// what the one-second refresh shows from the register table.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "control/ui/SettingsPage.h"
#include "control/ui/StagesPage.h"
#include "gui/loopback_client.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/SharedState.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/PowerButton.h"

using namespace izleme;

namespace {

// A request goes out framed like any message.
const auto request = test::message;

// The client logged in against a loopback peer, device 12001 in `Edit111`,
// with the one-second refresh stopped so that the test decides when it runs.
struct Client : test::LoopbackClient {
    StagesPage* stages = ana.findChild<StagesPage*>();
    SettingsPage* settings = ana.findChild<SettingsPage*>();

    bool logIn() {
        const bool ok = LoopbackClient::logIn();
        ana.pages().Edit111->setText(QStringLiteral("12001"));
        ana.state().decimalSeparator = '.';
        return ok;
    }
    // Only the active page takes input.
    void stagePage() { ana.pageControl()->selectPage(4); }
    void settingsPage() { ana.pageControl()->selectPage(5); }
    RegisterTable& table() { return shell.forms.VD1KAL->table; }
    void store(int reg, double value) { QVERIFY(table().setValue(1, reg, value)); }
    QString status() const { return ana.LblMesaj->text(); }
    QString requestLine() const { return ana.LblGiden->text(); }
    bool switchesEnabled(bool enabled) const {
        for (PowerButton* c : stages->C)
            if (c->isEnabledTo(stages) != enabled) return false;
        return true;
    }
};

}  // namespace

class StagesSettingsPagesTest : public QObject {
    Q_OBJECT
private slots:
    void stagePageHasItsNamedControls() {
        Client c;
        QVERIFY(c.stages != nullptr);
        QWidget* sheet = c.ana.pages().sheets[4];
        for (int n = 1; n <= 12; ++n) {
            const QString power = n <= 6 ? QStringLiteral("CA%1").arg(n) : QStringLiteral("ca%1").arg(n);
            QVERIFY(sheet->findChild<LedDisplay*>(power) != nullptr);
            QCOMPARE(sheet->findChild<LedDisplay*>(power)->text(), QStringLiteral("000.00"));
            QCOMPARE(sheet->findChild<LedDisplay*>(QStringLiteral("ca%1_faz").arg(n))->text(), QString());
            QVERIFY(!sheet->findChild<QCheckBox*>(QStringLiteral("Kondrm%1").arg(n))->isEnabled());
            QVERIFY(sheet->findChild<PowerButton*>(QStringLiteral("C%1").arg(n)) != nullptr);
            // The summary sits on page 0, in Panel7.
            QCheckBox* summary = c.ana.pages().Panel7->findChild<QCheckBox*>(QStringLiteral("durum%1").arg(n));
            QVERIFY(summary != nullptr);
            QVERIFY(!summary->isEnabled());
        }
        QCOMPARE(c.stages->Grup1->title(), QStringLiteral("Grup1"));
        QVERIFY(c.stages->Grup1->isAncestorOf(c.stages->C[5]) && c.stages->Grup2->isAncestorOf(c.stages->C[6]));
    }

    void readRequestsSetKindCursorAndLines() {
        Client c;
        QVERIFY(c.logIn());
        c.ana.LblMesaj->setText(QStringLiteral("önceki"));
        c.stagePage();
        c.stages->Kondansatorcek->click();
        QVERIFY(c.takeReceived(request("kondasatordurum", {"12001"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("kondasatordurum"));
        QCOMPARE(c.table().cursor(), 66);
        QCOMPARE(c.requestLine(), QStringLiteral("Lütfen bekleyin..."));
        QCOMPARE(c.status(), QStringLiteral("önceki"));  // left as it was

        c.stages->BitBtn2->click();
        QVERIFY(c.takeReceived(request("kondasatorgucdurum", {"12001"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("kondasatorgucdurum"));
        QCOMPARE(c.table().cursor(), 192);
        QCOMPARE(c.requestLine(), QStringLiteral("Kondansatör durumları istendi.Lütfen bekleyin..."));
        QCOMPARE(c.status(), QString());

        c.settingsPage();
        c.settings->sabitoku->click();
        QVERIFY(c.takeReceived(request("tavrsabitiste", {"12001"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("sabitler"));
        QCOMPARE(c.table().cursor(), 166);
        QCOMPARE(c.requestLine(), QStringLiteral("Sabit değerler istendi.Lütfen bekleyin..."));
    }

    // The state boxes on both pages follow bits 0..11 of the stage word, and
    // keep their state while register 67 holds the no-value mark.
    void stateBoxesFollowTheStageWord() {
        Client c;
        auto checked = [&c] {
            QList<int> in, summary;
            for (int n = 0; n < 12; ++n) {
                if (c.stages->Kondrm[static_cast<std::size_t>(n)]->isChecked()) in << n + 1;
                if (c.stages->durum[static_cast<std::size_t>(n)]->isChecked()) summary << n + 1;
            }
            return in == summary ? in : QList<int>{-1};
        };
        c.ana.Timer1Timer();
        QCOMPARE(checked(), QList<int>{});
        c.store(66, 0);
        c.store(67, 5);
        c.ana.Timer1Timer();
        QCOMPARE(checked(), (QList<int>{1, 3}));
        c.store(66, 3);
        c.store(67, 4095);
        c.ana.Timer1Timer();
        QCOMPARE(checked(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        c.table().resetRow(1);  // another device selected
        c.ana.Timer1Timer();
        QCOMPARE(checked(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    }

    void powersAndPhasesWithDashesForNoValue() {
        Client c;
        c.ana.state().decimalSeparator = ',';
        c.ana.Timer1Timer();
        QCOMPARE(c.stages->ca[0]->text(), QStringLiteral("---,-"));
        QCOMPARE(c.stages->ca_faz[0]->text(), QStringLiteral("-"));
        c.store(167, 200);
        c.store(192, 1250);
        c.store(203, 0);
        c.store(206, 4);
        c.store(207, 1);
        c.ana.Timer1Timer();
        QCOMPARE(c.stages->ca[0]->text(), QStringLiteral("025,0"));
        QCOMPARE(c.stages->ca[11]->text(), QStringLiteral("000,0"));
        QCOMPARE(c.stages->ca[1]->text(), QStringLiteral("---,-"));  // register 193 still empty
        QCOMPARE(c.stages->ca_faz[0]->text(), QStringLiteral("rst"));
        QCOMPARE(c.stages->ca_faz[1]->text(), QStringLiteral("r"));
        c.store(206, 5);  // no phase: the display keeps its text
        c.ana.Timer1Timer();
        QCOMPARE(c.stages->ca_faz[0]->text(), QStringLiteral("rst"));
        // Another page in front: the refresh goes on.
        c.ana.pageControl()->selectPage(5);
        c.store(192, 2500);
        c.ana.Timer1Timer();
        QCOMPARE(c.stages->ca[0]->text(), QStringLiteral("050,0"));
    }

    // A stage switch sends its command, and the twelve switches, and only
    // they, stay disabled for the relay's pace instead of the window freezing.
    void stageSwitchSendsAndPaces() {
        Client c;
        QVERIFY(c.logIn());
        c.stagePage();
        c.stages->BitBtn2->click();
        QVERIFY(c.takeReceived(request("kondasatorgucdurum", {"12001"})));

        PowerButton* c5 = c.stages->C[4];
        QVERIFY(!c5->isChecked());
        c5->click();
        QVERIFY(c5->isChecked());
        QVERIFY(c.takeReceived(request("kondansatorcek", {"12001", "4", "255", "0"})));
        QCOMPARE(c.requestLine(), QStringLiteral("Kondansatör Çekiliyor Lütfen bekleyin..."));
        QVERIFY(c.switchesEnabled(false));
        QCOMPARE(c.stages->stagePace->interval(), 2500);
        QVERIFY(c.stages->stagePace->isActive());
        // The rest of the window stays responsive meanwhile.
        QVERIFY(c.stages->Kondansatorcek->isEnabled() && c.stages->BitBtn2->isEnabled());
        c.stages->Kondansatorcek->click();
        QVERIFY(c.takeReceived(request("kondasatordurum", {"12001"})));
        QCOMPARE(c.ana.state().pendingKind, std::string("kondasatordurum"));
        c5->click();  // disabled: nothing happens
        QVERIFY(c5->isChecked());

        QTRY_VERIFY_WITH_TIMEOUT(c.switchesEnabled(true), 10000);
        QVERIFY(c.peer.received.isEmpty());
        c5->click();
        QVERIFY(!c5->isChecked());
        QVERIFY(c.takeReceived(request("kondansatorcek", {"12001", "4", "0", "0"})));
        // A stage command changes neither the pending kind nor the cursor.
        QCOMPARE(c.ana.state().pendingKind, std::string("kondasatordurum"));
        QCOMPARE(c.table().cursor(), 66);
        QTRY_VERIFY_WITH_TIMEOUT(c.switchesEnabled(true), 10000);
        c.stages->C[11]->click();
        QVERIFY(c.takeReceived(request("kondansatorcek", {"12001", "11", "255", "0"})));
    }

    // Without a connection nothing goes out: the switch stays as the relay
    // was last told, nothing waits, and no waiting text claims a command.
    void commandsWithoutConnectionClaimNothing() {
        Client c;
        QVERIFY(c.shell.startWithoutLogin());
        c.ana.LblGiden->setText(QStringLiteral("önceki"));
        c.stagePage();
        c.stages->C[0]->click();
        QVERIFY(!c.stages->C[0]->isChecked());
        QVERIFY(c.switchesEnabled(true));
        QVERIFY(!c.stages->stagePace->isActive());
        c.settingsPage();
        for (QPushButton* b : {c.settings->Button7, c.settings->Button17, c.settings->Button5, c.settings->Button11,
                               c.settings->konmodgonder, c.settings->Button6}) {
            b->click();
            QCOMPARE(c.requestLine(), QStringLiteral("önceki"));
        }
    }

    void modeAndSetUpCommands() {
        Client c;
        QVERIFY(c.logIn());
        const struct {
            QRadioButton* SettingsPage::*radio;
            QPushButton* SettingsPage::*send;
            QByteArray item, value;
            QString line;
        } cases[] = {
            {&SettingsPage::RadioManual, &SettingsPage::konmodgonder, "14", "0",
             QStringLiteral("Oto-Manuel Mod değeri yazılıyor.Lütfen bekleyin...")},
            {&SettingsPage::Radiooto, &SettingsPage::konmodgonder, "14", "255",
             QStringLiteral("Oto-Manuel Mod değeri yazılıyor.Lütfen bekleyin...")},
            {&SettingsPage::RadioOff, &SettingsPage::Button6, "15", "0",
             QStringLiteral("Setup Atılıyor .Lütfen bekleyin...")},
            {&SettingsPage::radioOn, &SettingsPage::Button6, "15", "255",
             QStringLiteral("Setup Atılıyor .Lütfen bekleyin...")},
        };
        SettingsPage* s = c.settings;
        c.settingsPage();
        QVERIFY(s->Radiooto->isChecked() && s->radioOn->isChecked());
        for (const auto& k : cases) {
            (s->*k.radio)->click();
            (s->*k.send)->click();
            QVERIFY(c.takeReceived(request("kondansatorcek", {"12001", k.item, k.value, "0"})));
            QCOMPARE(c.requestLine(), k.line);
        }
        // The two pairs are separate radio groups.
        s->RadioManual->click();
        QVERIFY(s->radioOn->isChecked() && !s->Radiooto->isChecked());
        QVERIFY(c.switchesEnabled(true));  // no pacing for these
    }

    void settingsWritesCarryHighAndLowBytes() {
        Client c;
        QVERIFY(c.logIn());
        SettingsPage* s = c.settings;
        c.settingsPage();
        c.ana.pages().Edit111->setText(QStringLiteral("1234"));
        s->spinhedefcosind->setValue(0.950);
        s->spinhedefcoskap->setValue(1.0);
        s->spinkademesayisi->setValue(12);
        s->spinprogram->setValue(10);
        s->spinvt->setValue(1);
        s->spinCT->setValue(2000);
        s->spinreaktifhesyon->setValue(3);
        s->spinalmasure->setValue(1800);
        s->spincikmasure->setValue(10);
        s->spindesarjsure->setValue(14);
        s->spinreaktiforan->setValue(99);
        s->spinkapasitiforan->setValue(0);
        c.store(173, 105);  // read back before the writes: they leave the labels alone
        c.ana.Timer1Timer();
        QCOMPARE(s->lblalmasure->text(), QStringLiteral("10"));
        c.ana.LblMesaj->setText(QStringLiteral("önceki"));
        const std::string kind = c.ana.state().pendingKind;

        const struct {
            QPushButton* SettingsPage::*button;
            QByteArray keyword;
            QList<QByteArray> fields;
            QString line;
        } cases[] = {
            {&SettingsPage::Button17,
             "cezasiniryaz",
             {"1234", "3", "182", "3", "232", "0", "12", "0", "10"},
             QStringLiteral("Ceza sınır Değerleri yazılıyor.Lütfen bekleyin...")},
            {&SettingsPage::Button7,
             "akmgerilimyaz",
             {"1234", "0", "1", "7", "208", "0", "3"},
             QStringLiteral("Akım-Gerilim Trafo Değerleri yazılıyor.Lütfen bekleyin...")},
            {&SettingsPage::Button5,
             "almacikmasureyaz",
             {"1234", "70", "80", "0", "100", "0", "140"},
             QStringLiteral("Alma-Çıkma süreleri yazılıyor.Lütfen bekleyin...")},
            {&SettingsPage::Button11,
             "reakkaporanyaz",
             {"1234", "3", "222", "0", "0"},
             QStringLiteral("Reaktif-Kapasitif oranlar yazılıyor.Lütfen bekleyin...")},
        };
        for (const auto& k : cases) {
            (s->*k.button)->click();
            QVERIFY2(c.takeReceived(request(k.keyword, k.fields)), k.keyword.constData());
            QCOMPARE(c.requestLine(), k.line);
        }
        QCOMPARE(c.status(), QStringLiteral("önceki"));
        QCOMPARE(c.ana.state().pendingKind, kind);
        QCOMPARE(s->lblalmasure->text(), QStringLiteral("10"));
    }

    void readBackLabelsByCodingWithDashesForNoValue() {
        Client c;
        SettingsPage* s = c.settings;
        QCOMPARE(s->LBLCT->text(), QStringLiteral("1"));
        c.ana.state().decimalSeparator = ',';
        c.ana.Timer1Timer();
        QCOMPARE(s->LBLCT->text(), QStringLiteral("-"));
        QCOMPARE(s->LBLhdfcosind->text(), QStringLiteral("-,---"));
        QCOMPARE(s->lblkapasitiforan->text(), QStringLiteral("-"));
        const struct {
            int reg;
            double value;
            QLabel* SettingsPage::*label;
            const char* shown;
        } cases[] = {
            {166, 1, &SettingsPage::LBLVT, "1"},
            {167, 2000, &SettingsPage::LBLCT, "2000"},
            {168, 2, &SettingsPage::lblreaktifhesyon, "2"},
            {169, 950, &SettingsPage::LBLhdfcosind, "0,950"},
            {170, 1000, &SettingsPage::LBLhdfcoskap, "1,000"},
            {171, 12, &SettingsPage::lblkdmsayisi, "12"},
            {172, 10, &SettingsPage::lblprogram, "10"},
            {173, 18000, &SettingsPage::lblalmasure, "1800"},
            {174, 105, &SettingsPage::lblcikmasure, "10"},
            {175, 140, &SettingsPage::lbldesarjsure, "14"},
            {179, 150, &SettingsPage::lblreaktiforan, "15"},
            {180, 990, &SettingsPage::lblkapasitiforan, "99"},
        };
        for (const auto& k : cases) c.store(k.reg, k.value);
        c.ana.Timer1Timer();
        for (const auto& k : cases) QCOMPARE((s->*k.label)->text(), QString::fromUtf8(k.shown));
    }
};

QTEST_MAIN(StagesSettingsPagesTest)
#include "stages_settings_pages.moc"
