// The first whole road against the real merkez-sim over 127.0.0.1: log in
// through the login window, the device list of the demo account, a
// compensation relay's instantaneous values, the relay and meter layouts, an
// off-line device, the server going away and the next selection logging in again.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>
#include <cstdint>

#include "app/ui/PageControl.h"
#include "gui/shell_fixture.h"
#include "registers/core/RegisterTable.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/ReplyRouter.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

using test::steadyDemo;

enum class Reading { U32, S32, S16 };

// Register pair r of a read reply, decoded here on its own from the bytes.
double pairValue(const QList<int>& bytes, int r, Reading reading) {
    auto reg = [&](int n) { return static_cast<std::uint32_t>(bytes.at(3 + 2 * n) * 256 + bytes.at(4 + 2 * n)); };
    const std::uint32_t pair = (reg(r) << 16) | reg(r + 1);
    switch (reading) {
        case Reading::U32:
            return pair;
        case Reading::S32:
            return static_cast<std::int32_t>(pair);
        case Reading::S16:
            return static_cast<std::int16_t>(reg(r + 1));
    }
    return 0;
}

struct Road : test::SimClient {
    LedDisplay* display(const QString& name) const { return ana.findChild<LedDisplay*>(name); }
    // The number a display shows, read with the locale decimal separator.
    double shown(const QString& name, bool* ok) const {
        QString text = display(name)->text();
        text.replace(QLatin1Char(ana.state().decimalSeparator), QLatin1Char('.'));
        text.remove(QStringLiteral("°"));
        return text.toDouble(ok);
    }
    QList<bool> tabs() const {
        QList<bool> shown;
        for (int i = 0; i <= 6; ++i) shown << ana.pageControl()->isTabShown(i);
        return shown;
    }
};

const QString krt = QStringLiteral("Fabrika Ana Pano No: 12001");
const QString klm = QStringLiteral("Trafo Koruma Rölesi No: 13001");
const QString meter = QStringLiteral("Şube Sayacı No: 14001");
const QString offline = QStringLiteral("Depo Panosu No: 12003");

}  // namespace

class FirstRoadTest : public QObject {
    Q_OBJECT

    // Selects the compensation relay and checks its values against the reply it got.
    void selectRelayAndCheckValues(Road& road) {
        road.ana.pages().Label2->clear();
        road.entry(krt)->click();
        QTRY_COMPARE_WITH_TIMEOUT(road.ana.pages().Label2->text(), QStringLiteral("12001 Nolu Cihaz Verileri"), 10000);
        checkValuesOfTheReply(road, QStringLiteral("12001"));
    }

    // The displays show the register reply that `Memo1` shows, of the device with this serial.
    void checkValuesOfTheReply(Road& road, const QString& serial) {
        const QList<int> bytes = road.shownReplyBytes();
        QVERIFY2(bytes.size() >= 3 + 2 * 66, "the reply carries registers 0 to 65");

        const struct {
            const char* name;
            int reg;
            Reading reading;
            double divisor;
            double unit;  // last digit of the mask
        } table[] = {
            {"V1", 0, Reading::U32, 10, 0.1},
            {"V2", 2, Reading::U32, 10, 0.1},
            {"V3", 4, Reading::U32, 10, 0.1},
            {"akm1", 6, Reading::U32, 1000, 0.1},
            {"akm2", 8, Reading::U32, 1000, 0.1},
            {"akm3", 10, Reading::U32, 1000, 0.1},
            {"kW1", 12, Reading::S32, 10000, 0.1},
            {"Kw2", 14, Reading::S32, 10000, 0.1},
            {"kW3", 16, Reading::S32, 10000, 0.1},
            {"kr1", 18, Reading::S32, 10000, 0.1},
            {"KVA1", 24, Reading::U32, 10000, 0.1},
            {"Cos1", 30, Reading::S16, 1000, 0.001},
            {"Cos2", 32, Reading::S16, 1000, 0.001},
            {"Cos3", 34, Reading::S16, 1000, 0.001},
            {"toplamaktif", 36, Reading::S32, 10000, 0.1},
            {"Fr", 50, Reading::S32, 100, 0.1},
            {"gracisi_s", 54, Reading::S32, 1, 1},
            {"sicaklik", 64, Reading::S32, 1, 0.01},
        };
        QMap<QString, double> v;
        for (const auto& row : table) {
            bool ok = false;
            const double got = road.shown(QString::fromLatin1(row.name), &ok);
            QVERIFY2(ok, qPrintable(QStringLiteral("%1 shows %2").arg(row.name, road.display(row.name)->text())));
            const double sent = pairValue(bytes, row.reg, row.reading) / row.divisor;
            QVERIFY2(std::abs(got - sent) <= row.unit / 2 + 1e-9,
                     qPrintable(QStringLiteral("%1: shown %2, sent %3").arg(row.name).arg(got).arg(sent)));
            v[QString::fromLatin1(row.name)] = got;
        }
        // And the plant behind it is physically sound.
        for (const char* phase : {"V1", "V2", "V3"}) QVERIFY(v[phase] > 200 && v[phase] < 260);
        for (const char* cos : {"Cos1", "Cos2", "Cos3"}) QVERIFY(std::abs(v[cos]) <= 1);
        QVERIFY(std::abs(v["Fr"] - 50) < 1);
        QVERIFY(std::abs(v["kW1"] - v["V1"] * v["akm1"] * v["Cos1"] / 1000) <= 0.1 + 0.005 * v["KVA1"]);
        QCOMPARE(road.ana.pages().Label17->text(), serial);
    }

private slots:
    void wholeRoad() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Road road;
        QVERIFY(road.typeLogin(sim.port()));
        QVERIFY(road.waitForEntry(offline));

        // Groups in order of first appearance, the last entry received on top.
        GroupBar* bar = road.ana.RzGroupBar1;
        QCOMPARE(bar->groupCount(), 2);
        const QStringList captions{QStringLiteral("FABRIKA"), QStringLiteral("ŞUBELER")};
        const QList<QStringList> entries{{klm, QStringLiteral("Atölye Kompanzasyon No: 12002"), krt}, {offline, meter}};
        const QList<QList<int>> icons{{3, 0, 0}, {0, 4}};
        for (int g = 0; g < 2; ++g) {
            QCOMPARE(bar->group(g)->caption(), captions[g]);
            QCOMPARE(bar->group(g)->entryCount(), entries[g].size());
            for (int e = 0; e < entries[g].size(); ++e) {
                QCOMPARE(bar->group(g)->entry(e)->caption(), entries[g][e]);
                QCOMPARE(bar->group(g)->entry(e)->iconIndex(), icons[g][e]);
            }
        }

        selectRelayAndCheckValues(road);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(road.tabs(), (QList<bool>{true, true, false, true, true, true, false}));

        road.entry(klm)->click();
        QCOMPARE(road.tabs(), (QList<bool>{false, false, true, false, false, false, false}));
        QCOMPARE(road.ana.pageControl()->activePage(), 2);
        QVERIFY(!road.ana.pages().Panel8->isHidden());
        QCOMPARE(road.display(QStringLiteral("Sno"))->text(), QStringLiteral(" 13001"));
        QTRY_COMPARE_WITH_TIMEOUT(road.ana.pages().Label2->text(), QStringLiteral("13001 Nolu Cihaz Verileri"), 10000);

        road.entry(meter)->click();
        QCOMPARE(road.tabs(), (QList<bool>{false, false, false, false, false, false, true}));
        QCOMPARE(road.ana.pageControl()->activePage(), 6);
        QCOMPARE(road.ana.pages().Edit111->text(), QStringLiteral("14001"));

        road.entry(offline)->click();
        QTRY_COMPARE_WITH_TIMEOUT(
            road.ana.LblMesaj->text(),
            QStringLiteral("12003 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."), 10000);
        QCOMPARE(road.ana.LblGiden->text(), QStringLiteral("Lütfen bekleyin..."));

        // The server goes away: the disconnect text, and the next selection logs in again.
        const quint16 port = sim.port();
        sim.stop();
        QTRY_COMPARE_WITH_TIMEOUT(road.ana.LblMesaj->text(),
                                  QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"), 10000);
        QVERIFY(!road.ana.state().loggedIn);

        test::SimProcess again(steadyDemo, port);
        QCOMPARE(again.port(), port);
        selectRelayAndCheckValues(road);
        QVERIFY(road.ana.state().loggedIn);
        QVERIFY(road.entry(krt) != nullptr);
        QCOMPARE(road.entry(krt)->fontColor(), QColor(Qt::red));
    }

    // A slow server: the operator clicks one relay, then another before the
    // first one's reply came. The first reply is dropped, the heading stays
    // empty until the second device's own reply is stored from register 0.
    void slowReplyIsNotShownUnderTheNextDevice() {
        test::SimProcess sim(steadyDemo + QStringList{"--delay", "2000"});
        QVERIFY(sim.port() != 0);
        Road road;
        QVERIFY(road.typeLogin(sim.port()));
        const QString second = QStringLiteral("Atölye Kompanzasyon No: 12002");
        QVERIFY(road.waitForEntry(krt));
        QVERIFY(road.waitForEntry(second));
        QLabel* heading = road.ana.pages().Label2;
        RegisterTable& table = road.shell.forms.VD1KAL->table;

        road.entry(krt)->click();
        QTest::qWait(500);
        road.entry(second)->click();
        QCOMPARE(heading->text(), QString());
        road.ana.Timer1Timer();
        const QString noValue = road.display(QStringLiteral("V1"))->text();

        QTRY_COMPARE_WITH_TIMEOUT(road.ana.router().droppedReplies(), 1, 10000);
        road.ana.Timer1Timer();
        QCOMPARE(heading->text(), QString());
        QCOMPARE(road.display(QStringLiteral("V1"))->text(), noValue);
        QCOMPARE(table.value(1, 0), kNoValue);

        QTRY_COMPARE_WITH_TIMEOUT(heading->text(), QStringLiteral("12002 Nolu Cihaz Verileri"), 10000);
        QVERIFY(table.value(1, 0) != kNoValue);
        QCOMPARE(table.value(1, 68), kNoValue);  // stored from register 0, not after the dropped reply
        QCOMPARE(table.cursor(), 68);
        checkValuesOfTheReply(road, QStringLiteral("12002"));
    }

    // Replies cut into small pieces, glued together and led by stray bytes
    // still build the whole list and show the values.
    void roadSurvivesCutAndGluedReplies() {
        test::SimProcess sim(steadyDemo +
                             QStringList{"--split-writes", "7", "--split-delay", "2", "--glue", "3", "--garbage", "3"});
        QVERIFY(sim.port() != 0);
        Road road;
        QVERIFY(road.typeLogin(sim.port()));
        QVERIFY(road.waitForEntry(offline));
        QVERIFY(road.waitForEntry(meter));
        QVERIFY(road.waitForEntry(klm));
        QVERIFY(road.waitForEntry(QStringLiteral("Atölye Kompanzasyon No: 12002")));
        selectRelayAndCheckValues(road);
    }
};

QTEST_MAIN(FirstRoadTest)
#include "first_road.moc"
