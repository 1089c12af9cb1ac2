// The date-range panels of the consumption and meter pages through the real
// windows: the requests a loopback peer reads, the replies it sends, the
// meter page's resets and the alarm window raised by a ratio in "CEZA".
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "app/ui/Startup.h"
#include "energy/ui/EnergyRangePanel.h"
#include "gui/loopback_client.h"
#include "server/core/SharedState.h"
#include "server/ui/Tfrmuyari.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/ScrollingLabel.h"

using namespace izleme;

namespace {

using test::kEnd;

// A message whose fields are texts, each in code page 1254.
QByteArray message(const QByteArray& keyword, const QStringList& fields) {
    QList<QByteArray> wired;
    for (const auto& f : fields) wired << test::wireText(f);
    return test::message(keyword, wired);
}

struct Panels : test::LoopbackClient {
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();

    Panels() { QDir::setCurrent(dir.path()); }
    ~Panels() { QDir::setCurrent(previousDir); }

    QColor colour(const char* name) const {
        QLabel* l = child<QLabel>(name);
        l->ensurePolished();
        return l->palette().color(l->foregroundRole());
    }
    // The demo relay and meter in the device list, and the meter selected:
    // its page is the one shown (the others are disabled).
    bool selectMeter() {
        send(message("cihazlar", {"Fabrika", "KRT100", "Fabrika Ana Pano", "12001"}) +
             message("cihazlar", {"Şubeler", "ZDN100", "Şube Sayacı", "14001"}));
        GroupBar* bar = ana.RzGroupBar1;
        if (!QTest::qWaitFor([&] { return bar->groupCount() == 2; }, 5000)) return false;
        bar->group(1)->entry(0)->click();
        const bool asked = QTest::qWaitFor([&] { return peer.received.startsWith("sycreaktfener"); }, 5000);
        peer.received.clear();
        return asked && ana.pageControl()->activePage() == 6;
    }
    EnergyRangePanel* panel(const char* name) const { return child<EnergyRangePanel>(name); }
    Tfrmuyari& alarm() { return *shell.forms.frmuyari; }
    FakeSoundPlayer& horn() { return *shell.fake.sound; }
};

const char* const consumptionDated[] = {"ak1", "ak2", "in1", "in2", "kap1", "kap2"};
const char* const meterDated[] = {"RzLEDak1", "RzLEDak2", "RzLEDin1", "RzLEDin2", "RzLEDkap1", "RzLEDkap2"};

}  // namespace

class EnergyRangePanelsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The consumption page: the request with dd.MM.yyyy dates under an
    // English locale, then replies read under each decimal separator.
    void consumptionRequestAndReplies_data() {
        QTest::addColumn<char>("separator");
        QTest::newRow("comma") << ',';
        QTest::newRow("point") << '.';
    }
    void consumptionRequestAndReplies() {
        QFETCH(char, separator);
        const QString s(QLatin1Char{separator});
        Panels p;
        QVERIFY(p.logIn());
        p.ana.state().decimalSeparator = separator;
        p.ana.pageControl()->selectPage(1);
        p.ana.pages().Edit111->clear();
        p.child<QPushButton>("VrShadowButton9")->click();
        QTest::qWait(50);
        QCOMPARE(p.peer.received, QByteArray());  // no serial, no request

        p.ana.pages().Edit111->setText(QStringLiteral("12001"));
        p.ana.pages().DateTimePicker1->setDate(QDate(2024, 3, 1));
        p.ana.pages().DateTimePicker2->setDate(QDate(2024, 3, 9));
        p.child<QPushButton>("VrShadowButton9")->click();
        QTRY_COMPARE(p.peer.received, message("reaktifener", {"12001", "01.03.2024", "09.03.2024"}));

        // Watt-hours, shown in thousands: 15.00 and 9.60 are both "KRİTİK".
        p.send(message("reaktifenerji",
                       {"12001", "01.03.2024", "09.03.2024", "123456", "223456", "0", "15000", "0", "9600"}));
        QTRY_COMPARE(p.text("indoran"), "15" + s + "00");
        const QString dated[] = {"123" + s + "46", "223" + s + "46", s + "00",
                                 "15" + s + "00",  s + "00",         "9" + s + "60"};
        for (int i = 0; i < 6; ++i) QCOMPARE(p.text(consumptionDated[i]), dated[i]);
        QCOMPARE(p.text("kaporan"), "9" + s + "60");
        QCOMPARE(p.text("inddurum"), QStringLiteral("KRİTİK"));
        QCOMPARE(p.text("Kapdurum"), QStringLiteral("KRİTİK"));
        QCOMPARE(p.colour("inddurum"), QColor(255, 255, 0));
        QCOMPARE(p.text("Edit222"), QStringLiteral("01.03.2024"));
        QCOMPARE(p.text("Edit333"), QStringLiteral("09.03.2024"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(p.text("Edit4")).hasMatch());
        QCOMPARE(
            p.ana.LblMesaj->text(),
            QStringLiteral("12001 Cihazının 01.03.2024 ve 09.03.2024 tarihleri arası Enerji bilgileri alınıyor. "));

        // A counter in the other separator's notation fails: the counters
        // before it change, the rest stay, ratios and classes are emptied.
        const QString other = separator == ',' ? QStringLiteral("1.5") : QStringLiteral("1,5");
        p.send(
            message("reaktifenerji", {"12001", "02.03.2024", "10.03.2024", "1000", "2000", other, "40000", "0", "0"}));
        QTRY_COMPARE(p.text("ak1"), "1" + s + "00");
        QCOMPARE(p.text("ak2"), "2" + s + "00");
        QCOMPARE(p.text("in1"), s + "00");  // the earlier reply's
        QCOMPARE(p.text("indoran"), QString());
        QCOMPARE(p.text("kaporan"), QString());
        QCOMPARE(p.text("inddurum"), QString());
        QCOMPARE(p.text("Kapdurum"), QString());
        QVERIFY(!p.alarm().isVisible());
    }

    // The meter page: "tedassycal" fills the page's own boxes, the button
    // clears the panel (and sends only with a serial), and each reset clears
    // what it should.
    void meterPanel() {
        Panels p;
        QVERIFY(p.logIn());
        QVERIFY(p.selectMeter());
        p.ana.state().decimalSeparator = '.';
        const QString consumptionBoxes[] = {p.text("Edit4"), p.text("Edit222"), p.text("Edit333")};
        p.send(message("tedassycal", {"14001", "04.03.2024", "11.03.2024", "1000", "2000", "0", "160", "0", "50"}));
        QTRY_COMPARE(p.text("RzLEDsycinoran"), QStringLiteral("16.00"));
        QCOMPARE(p.text("RzLEDak1"), QStringLiteral("1000.00"));
        QCOMPARE(p.text("RzLEDsyckaporan"), QStringLiteral("5.00"));
        QCOMPARE(p.text("lblsycindurum"), QStringLiteral("KRİTİK"));
        QCOMPARE(p.text("lblsyckapdurum"), QStringLiteral("NORMAL"));
        QCOMPARE(p.colour("lblsyckapdurum"), QColor(0, 255, 0));
        QCOMPARE(p.text("Edit5"), QStringLiteral("14001"));
        QCOMPARE(p.text("Edit2"), QStringLiteral("04.03.2024"));
        QCOMPARE(p.text("Edit3"), QStringLiteral("11.03.2024"));
        QVERIFY(!p.text("Edit6").isEmpty());
        const QString after[] = {p.text("Edit4"), p.text("Edit222"), p.text("Edit333")};
        for (int i = 0; i < 3; ++i) QCOMPARE(after[i], consumptionBoxes[i]);

        // The reading's reset: without the ratios, then with them.
        EnergyRangePanel* panel = p.panel("meterRangePanel");
        panel->clearForReading(false);
        for (const char* name : meterDated) QCOMPARE(p.text(name), QString());
        QCOMPARE(p.text("lblsycindurum"), QString());
        QCOMPARE(p.colour("lblsycindurum"), QColor(255, 255, 0));  // the colour stays
        QCOMPARE(p.text("RzLEDsycinoran"), QStringLiteral("16.00"));
        QCOMPARE(p.text("RzLEDsyckaporan"), QStringLiteral("5.00"));
        panel->clearForReading(true);
        QCOMPARE(p.text("RzLEDsycinoran"), QString());
        QCOMPARE(p.text("RzLEDsyckaporan"), QString());

        // The button without a serial clears and sends nothing; with one it sends.
        p.send(message("tedassycal", {"14001", "04.03.2024", "11.03.2024", "1000", "2000", "0", "160", "0", "50"}));
        QTRY_COMPARE(p.text("RzLEDsycinoran"), QStringLiteral("16.00"));
        p.ana.pages().Edit111->clear();
        p.child<QPushButton>("VrShadowButton12")->click();
        for (const char* name : {"RzLEDak1", "RzLEDkap2", "RzLEDsycinoran", "RzLEDsyckaporan", "lblsyckapdurum"})
            QCOMPARE(p.text(name), QString());
        QTest::qWait(50);
        QCOMPARE(p.peer.received, QByteArray());
        p.ana.pages().Edit111->setText(QStringLiteral("14001"));
        p.ana.pages().dtsycilktarih->setDate(QDate(2024, 2, 26));
        p.ana.pages().dtsycsontarih->setDate(QDate(2024, 3, 4));
        p.child<QPushButton>("VrShadowButton12")->click();
        QTRY_COMPARE(p.peer.received, message("sycreaktfener", {"14001", "26.02.2024", "04.03.2024"}));
    }

    // Selecting a meter clears the meter panel, ratios included, and asks
    // with two empty dates; selecting a relay leaves it alone.
    void meterSelection() {
        Panels p;
        QVERIFY(p.logIn());
        p.ana.state().decimalSeparator = ',';
        p.send(message("cihazlar", {"Fabrika", "KRT100", "Fabrika Ana Pano", "12001"}) +
               message("cihazlar", {"Şubeler", "ZDN100", "Şube Sayacı", "14001"}));
        GroupBar* bar = p.ana.RzGroupBar1;
        QTRY_COMPARE(bar->groupCount(), 2);
        p.send(message("tedassycal", {"14001", "04.03.2024", "11.03.2024", "1000", "2000", "0", "160", "0", "50"}));
        QTRY_COMPARE(p.text("RzLEDsycinoran"), QStringLiteral("16,00"));

        bar->group(0)->entry(0)->click();  // the relay
        QCOMPARE(p.text("RzLEDsycinoran"), QStringLiteral("16,00"));
        QTRY_VERIFY(p.peer.received.startsWith("enertum"));
        p.peer.received.clear();
        bar->group(1)->entry(0)->click();  // the meter
        for (const char* name : meterDated) QCOMPARE(p.text(name), QString());
        for (const char* name : {"RzLEDsycinoran", "RzLEDsyckaporan", "lblsycindurum", "lblsyckapdurum"})
            QCOMPARE(p.text(name), QString());
        QTRY_COMPARE(p.peer.received, QByteArray("sycreaktfener\x01"
                                                 "14001\x01\x01\x01") +
                                          kEnd);
    }

    // A class in "CEZA" on either panel raises the alarm window with the
    // ratio as shown; "ALARM" and "KRİTİK" do not; the horn sounds from the
    // current directory until the window is closed.
    void penaltyAlarm() {
        Panels p;
        QVERIFY(p.logIn());
        p.ana.state().decimalSeparator = ',';
        QFile horn(QDir::current().filePath(QStringLiteral("AirHornL.wav")));
        QVERIFY(horn.open(QIODevice::WriteOnly));
        horn.close();

        // Inductive 19.00 "ALARM", capacitive 11.00 "KRİTİK": no alarm.
        p.send(message("reaktifenerji", {"12001", "d1", "d2", "1000", "2000", "0", "190", "0", "110"}));
        QTRY_COMPARE(p.text("inddurum"), QStringLiteral("ALARM"));
        QCOMPARE(p.colour("inddurum"), QColor(255, 0, 255));
        QVERIFY(!p.alarm().isVisible());
        QVERIFY(p.horn().played.isEmpty());

        // Inductive 19.50 rounds to 20: "CEZA".
        p.send(message("reaktifenerji", {"12002", "d1", "d2", "1000", "2000", "0", "195", "0", "0"}));
        QTRY_VERIFY(p.alarm().isVisible());
        QCOMPARE(p.colour("inddurum"), QColor(255, 0, 0));
        QCOMPARE(p.alarm().label1->text(),
                 QStringLiteral("12002 Seri Nolu cihaz CEZA sınırında: İndüktif oran %19,50"));
        QVERIFY(p.alarm().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(p.horn().played.size(), 1);
        QCOMPARE(QFileInfo(p.horn().played.first()).canonicalFilePath(), QFileInfo(horn).canonicalFilePath());
        QVERIFY(p.alarm().Timer1->isActive());

        // The meter's capacitive ratio in "CEZA" while it is open: the text changes.
        p.send(message("tedassycal", {"14001", "d1", "d2", "1000", "2000", "0", "10", "0", "150"}));
        QTRY_COMPARE(p.alarm().label1->text(),
                     QStringLiteral("14001 Seri Nolu cihaz CEZA sınırında: Kapasitif oran %15,00"));
        QTRY_VERIFY_WITH_TIMEOUT(p.horn().played.size() >= 2, 10000);  // the horn repeats

        p.alarm().Button1->click();
        QVERIFY(!p.alarm().isVisible());
        QVERIFY(!p.alarm().Timer1->isActive());
        QVERIFY(p.horn().stops >= 1);
    }
};

QTEST_MAIN(EnergyRangePanelsTest)
#include "energy_range_panels.moc"
