// The harmonics and over-current relay pages against the real merkez-sim: each
// phase's waveform drawn and analysed with the simulated relay's 5th and 7th
// harmonics found at their shares of the fundamental, and the over-current
// relay's clock and currents, its values request and a pull that trips them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <complex>
#include <numbers>

#include "app/ui/PageControl.h"
#include "control/ui/HarmonicsPage.h"
#include "control/ui/ImageCanvas.h"
#include "control/ui/RelayPage.h"
#include "gui/shell_fixture.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/PowerButton.h"

using namespace izleme;

namespace {

using test::steadyDemo;
const QString krt = QStringLiteral("Fabrika Ana Pano No: 12001");
const QString klm = QStringLiteral("Trafo Koruma Rölesi No: 13001");

// merkez-sim's 12001 has a rectifier share of 0.18: its voltage carries a 5th
// at 2 % + 10 % × 0.18 and a 7th at 1 % + 5 % × 0.18 of the fundamental.
constexpr double kVoltage5th = 0.02 + 0.1 * 0.18;
constexpr double kVoltage7th = 0.01 + 0.05 * 0.18;
// Its current's 5th and 7th stand in the ratio 0.65 : 0.40.
constexpr double kCurrent7thOver5th = 0.40 / 0.65;

// Peak amplitude of order k of 64 samples, worked out here on its own.
double amplitude(const std::array<double, 66>& x, int k) {
    std::complex<double> sum;
    for (int i = 0; i < 64; ++i)
        sum += x[static_cast<std::size_t>(i)] * std::polar(1.0, -2 * std::numbers::pi * i * k / 64);
    return std::abs(sum) / 32;
}

struct Client : test::SimClient {
    double number(const QString& text) const {
        QString t = text;
        t.replace(QLatin1Char(ana.state().decimalSeparator), QLatin1Char('.'));
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok ? v : std::nan("");
    }
    // The magnitude a selector and its value box show for an order.
    double shownOrder(QSpinBox* selector, QLineEdit* box, int order) const {
        selector->setValue(order);
        return number(box->text());
    }
};

}  // namespace

class ControlPagesSimTest : public QObject {
    Q_OBJECT

private slots:
    void harmonicsOfEachPhase() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.select(krt));
        QTRY_COMPARE_WITH_TIMEOUT(c.ana.pages().Label2->text(), QStringLiteral("12001 Nolu Cihaz Verileri"), 10000);
        QVERIFY(c.ana.pageControl()->isTabShown(3));
        c.ana.pageControl()->selectPage(3);
        auto* page = c.ana.findChild<HarmonicsPage*>(QStringLiteral("HarmonicsPage"));
        QVERIFY(page);

        const struct {
            QPushButton* button;
            ImageCanvas* wave;
            QSpinBox *voltageSelector, *currentSelector;
            QLineEdit *voltageBox, *currentBox;
            QLabel* voltageThd;
        } phases[] = {
            {page->VrShadowButton5, page->Image1, page->SpinEdit2, page->SpinEdit1, page->EditH22, page->EditH2,
             page->LblTHDV1},
            {page->VrShadowButton6, page->Image2, page->SpinEdit3, page->SpinEdit4, page->EditH11, page->EditH12,
             page->LblTHDV2},
            {page->VrShadowButton7, page->Image3, page->SpinEdit5, page->SpinEdit6, page->EditH31, page->EditH32,
             page->LblTHDV3},
        };
        for (const auto& p : phases) {
            c.ana.pages().Label2->clear();
            p.button->click();
            QTRY_COMPARE_WITH_TIMEOUT(c.ana.pages().Label2->text(),
                                      QStringLiteral("12001 nolu cihaz harmonik verileri"), 10000);
            const SampleBuffers& b = page->sampleBuffers();

            // The client's magnitudes are those of the samples it received.
            const double v1 = c.number(p.voltageBox->text());
            QVERIFY2(std::abs(v1 - amplitude(b.voltage, 1)) < 1e-9, qPrintable(p.voltageBox->text()));
            QVERIFY(v1 > 80 && v1 < 120);  // some 230 V at 100 counts
            const double v5 = c.shownOrder(p.voltageSelector, p.voltageBox, 5);
            const double v7 = c.shownOrder(p.voltageSelector, p.voltageBox, 7);
            QVERIFY(std::abs(v5 - amplitude(b.voltage, 5)) < 1e-9);
            // The simulated 5th and 7th at their shares, within the rounding to whole counts.
            QVERIFY2(std::abs(v5 - kVoltage5th * v1) < 0.3, qPrintable(QString::number(v5)));
            QVERIFY2(std::abs(v7 - kVoltage7th * v1) < 0.3, qPrintable(QString::number(v7)));
            // No other order stands out.
            for (int k : {2, 3, 9, 13}) QVERIFY(c.shownOrder(p.voltageSelector, p.voltageBox, k) < 0.3);

            const double i5 = c.shownOrder(p.currentSelector, p.currentBox, 5);
            const double i7 = c.shownOrder(p.currentSelector, p.currentBox, 7);
            QVERIFY2(i5 > 3, qPrintable(QString::number(i5)));
            QVERIFY2(std::abs(i7 / i5 - kCurrent7thOver5th) < 0.1, qPrintable(QString::number(i7 / i5)));
            QVERIFY(p.voltageThd->text().startsWith(QStringLiteral("THD: %")));

            // The traces were drawn: yellow voltage and lime current points.
            int yellow = 0, lime = 0;
            for (int x = 0; x < 254; ++x)
                for (int y = 0; y < p.wave->height(); ++y) {
                    const QColor px(p.wave->image().pixel(x, y));
                    yellow += px == QColor(255, 255, 0);
                    lime += px == QColor(0, 255, 0);
                }
            QVERIFY(yellow > 200);
            QVERIFY(lime > 200);
        }
    }

    void overCurrentRelayValuesAndAPull() {
        test::SimProcess sim(steadyDemo);
        QVERIFY(sim.port() != 0);
        Client c;
        QVERIFY(c.logIn(sim.port()));
        QVERIFY(c.select(klm));
        auto* page = c.ana.findChild<RelayPage*>();
        QVERIFY(page);
        // The relay's registers: its clock on the simulated 4 March 2024, and its currents.
        QTRY_COMPARE_WITH_TIMEOUT(page->Trh->text(), QStringLiteral("4.3.2024"), 10000);
        QVERIFY(page->Saat->text().startsWith(QStringLiteral("9:")));
        for (LedDisplay* d : {page->akim1, page->akim2, page->akim3})
            QVERIFY2(c.number(d->text()) > 1, qPrintable(d->text()));

        // "Değerleri Oku": the values as the relay sends them.
        page->VrShadowButton2->click();
        QTRY_COMPARE_WITH_TIMEOUT(page->Trh->text(), QStringLiteral("04.03.24"), 10000);
        QCOMPARE(page->Sno->text(), QStringLiteral("13001"));
        QVERIFY(page->akim1->text().toDouble() > 1);

        // A pull of output 1 trips the feeder: the next values show no current.
        page->role1->setChecked(true);
        page->VrShadowButton1->click();
        QCOMPARE(c.ana.LblGiden->text(), QStringLiteral(" Röle çekme isteği gönderildi"));
        page->VrShadowButton2->click();
        QTRY_COMPARE_WITH_TIMEOUT(page->akim1->text(), QStringLiteral("0.0"), 10000);
        QCOMPARE(page->akim2->text(), QStringLiteral("0.0"));
        QCOMPARE(page->akim3->text(), QStringLiteral("0.0"));
        QCOMPARE(page->akimt->text(), QStringLiteral("0.0"));
    }
};

QTEST_MAIN(ControlPagesSimTest)
#include "control_pages_sim.moc"
