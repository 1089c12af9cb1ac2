// The harmonics page on the whole client: the waveform requests, a reply
// drawn and analysed, the order selectors, and a broken reply that leaves the
// phase as it was.
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
#include "gui/loopback_client.h"

using namespace izleme;
using izleme::test::LoopbackClient;

namespace {

// 64 voltage and 64 current samples as the relay sends them: the voltage with
// a 5th harmonic, the current shifted and with a 7th, as byte values 0..255.
QList<int> waveformBytes(double v1, double v5, double i1, double i7) {
    QList<int> bytes;
    for (int quantity = 0; quantity < 2; ++quantity) {
        for (int i = 0; i < 64; ++i) {
            const double th = 2 * std::numbers::pi * i / 64;
            const double x = quantity == 0 ? v1 * std::sin(th) + v5 * std::sin(5 * th)
                                           : i1 * std::sin(th - 0.5) + i7 * std::sin(7 * (th - 0.5));
            const int n = static_cast<int>(std::lround(x));
            bytes << (n < 0 ? n + 256 : n);
        }
    }
    bytes << 17 << 42;  // check bytes
    return bytes;
}

// Peak amplitude of order k of the 64 samples from `from`, worked out on its own.
double amplitude(const QList<int>& bytes, int from, int k) {
    std::complex<double> sum;
    for (int i = 0; i < 64; ++i) {
        const int b = bytes.at(from + i);
        sum += double(b > 127 ? b - 256 : b) * std::polar(1.0, -2 * std::numbers::pi * i * k / 64);
    }
    return std::abs(sum) / 32;
}

double number(const QString& text, char separator) {
    QString t = text;
    t.replace(QLatin1Char(separator), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : std::nan("");
}

QColor at(const ImageCanvas* canvas, int x, int y) { return QColor(canvas->image().pixel(x, y)); }

// How many pixels of the area have the colour.
int count(const ImageCanvas* canvas, const QRect& area, const QColor& color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += at(canvas, x, y) == color;
    return n;
}

const QRect kHeadline(20, 10, 110, 14), kCorner(204, 2, 50, 14);

const QColor kYellow(0xFF, 0xFF, 0x00), kLime(0x00, 0xFF, 0x00), kBlue(0x00, 0x00, 0x40), kRed(0x40, 0x00, 0x00);

}  // namespace

class HarmonicsPageTest : public QObject {
    Q_OBJECT

    // The page in front (a page behind another takes no clicks).
    HarmonicsPage* page(LoopbackClient& c) {
        c.ana.pageControl()->setTabVisible(3, true);
        c.ana.pageControl()->selectPage(3);
        return c.ana.findChild<HarmonicsPage*>(QStringLiteral("HarmonicsPage"));
    }

private slots:
    void eachPhaseAsksWithItsOwnKeywordAndWaitingText() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        HarmonicsPage* p = page(c);
        QVERIFY(p);
        c.ana.pages().Edit111->setText(QStringLiteral("12001"));
        const struct {
            QPushButton* button;
            QByteArray keyword;
            const char* line;
        } phases[] = {{p->VrShadowButton5, "harmonikbir", "Faz1 harmonik değerleri istendi.Lütfen bekleyin..."},
                      {p->VrShadowButton6, "harmonikiki", "Faz2 harmonik değerleri istendi.Lütfen bekleyin..."},
                      {p->VrShadowButton7, "harmonikuc", "Faz3 harmonik değerleri istendi.Lütfen bekleyin..."}};
        for (const auto& phase : phases) {
            c.ana.LblMesaj->setText(QStringLiteral("eski"));
            phase.button->click();
            QVERIFY2(c.takeReceived(test::message(phase.keyword, {"12001"})), phase.keyword.constData());
            QCOMPARE(c.ana.LblGiden->text(), QString::fromUtf8(phase.line));
            QCOMPARE(c.ana.LblMesaj->text(), QString());
        }
        QCOMPARE(p->VrShadowButton5->text(), QStringLiteral("Faz1 Harmonik İste"));
    }

    void aReplyIsDrawnAndAnalysed() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        HarmonicsPage* p = page(c);
        const char sep = c.ana.state().decimalSeparator;
        c.ana.pages().Edit111->setText(QStringLiteral("12001"));
        // Selectors standing at another order before the reply.
        p->SpinEdit2->setValue(3);
        QCOMPARE(p->EditH22->text(), QString());  // nothing to show before the first analysis

        const QList<int> bytes = waveformBytes(100, 20, 60, 9);
        p->VrShadowButton5->click();
        QVERIFY(c.takeReceived(test::message("harmonikbir", {"12001"})));
        c.send(test::registerReply(bytes));
        QTRY_COMPARE(c.heading(), QStringLiteral("12001 nolu cihaz harmonik verileri"));

        // The value boxes show order 1 whatever their selectors stand at.
        QCOMPARE(p->EditH22->text().isEmpty(), false);
        QVERIFY(std::abs(number(p->EditH22->text(), sep) - amplitude(bytes, 0, 1)) < 1e-9);
        QVERIFY(std::abs(number(p->EditH2->text(), sep) - amplitude(bytes, 64, 1)) < 1e-9);
        // Moving a selector shows that order, an even one as well.
        p->SpinEdit2->setValue(5);
        QVERIFY(std::abs(number(p->EditH22->text(), sep) - amplitude(bytes, 0, 5)) < 1e-9);
        QVERIFY(std::abs(number(p->EditH22->text(), sep) - 20) < 0.3);
        p->SpinEdit1->setValue(7);
        QVERIFY(std::abs(number(p->EditH2->text(), sep) - 9) < 0.3);
        p->SpinEdit1->setValue(4);
        QVERIFY(std::abs(number(p->EditH2->text(), sep) - amplitude(bytes, 64, 4)) < 1e-9);
        QVERIFY(number(p->EditH2->text(), sep) < 0.3);

        // Distortion: sqrt(M2² + ... + M31²) / M1.
        double sum = 0;
        for (int k = 2; k <= 31; ++k) sum += std::pow(amplitude(bytes, 0, k), 2);
        const double thd = std::sqrt(sum) / amplitude(bytes, 0, 1) * 100;
        QCOMPARE(p->LblTHDV1->text(),
                 QStringLiteral("THD: %") + QString::number(thd, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(sep)));
        QVERIFY(p->LblTHDI1->text().startsWith(QStringLiteral("THD: %")));
        QCOMPARE(p->LblTHDV2->text(), QStringLiteral("THD: -"));

        // Waveform image: voltage half dark blue, current half dark red, the
        // traces yellow and lime through their points (2j, n + 110).
        QCOMPARE(at(p->Image1, 60, 250), kBlue);
        QCOMPARE(at(p->Image1, 200, 250), kRed);
        const int v16 = bytes.at(16) > 127 ? bytes.at(16) - 256 : bytes.at(16);
        QCOMPARE(at(p->Image1, 32, v16 + 110), kYellow);
        const int i90 = bytes.at(90) > 127 ? bytes.at(90) - 256 : bytes.at(90);
        QCOMPARE(at(p->Image1, 180, i90 + 110), kLime);

        // Voltage chart: orders 1 and 5 reach the top (M·M1/4 > 171), order 2 has no bar.
        QCOMPARE(at(p->Image4, 7, 168), kYellow);
        QCOMPARE(at(p->Image4, 35, 60), kYellow);
        QCOMPARE(at(p->Image4, 14, 168), QColor(Qt::black));
        QCOMPARE(at(p->Image4, 240, 168), QColor(Qt::black));
        // Headline in red on a yellow cell at (20, 10); phase 1 has no corner label.
        QVERIFY(count(p->Image4, kHeadline, kYellow) > 100);
        QVERIFY(count(p->Image4, kHeadline, QColor(0xFF, 0, 0)) > 30);
        QCOMPARE(count(p->Image4, kCorner, kYellow), 0);
        QCOMPARE(count(p->Image5, kCorner, kYellow), 0);
        // Phase 2's charts are untouched until phase 2 replies.
        QCOMPARE(at(p->Image6, 7, 168), QColor(Qt::black));
        QCOMPARE(p->EditH11->text(), QString());

        // Phase 2 after phase 1: phase 1 keeps what it shows; phase 2 gets its corner labels.
        const QImage phase1Chart = p->Image4->image();
        const QString phase1Box = p->EditH22->text();
        p->VrShadowButton6->click();
        QVERIFY(c.takeReceived(test::message("harmonikiki", {"12001"})));
        c.send(test::registerReply(waveformBytes(80, 0, 40, 0)));
        QTRY_VERIFY(!p->EditH11->text().isEmpty());
        QVERIFY(std::abs(number(p->EditH11->text(), sep) - 80) < 0.3);
        QCOMPARE(p->Image4->image(), phase1Chart);
        QCOMPARE(p->EditH22->text(), phase1Box);
        for (const ImageCanvas* chart : {p->Image6, p->Image7}) {
            QVERIFY(count(chart, kCorner, kYellow) > 50);
            QVERIFY(count(chart, kCorner, kLime) > 10);
        }
        QCOMPARE(p->sampleBuffers().current[64], 17.0);
        QCOMPARE(p->sampleBuffers().current[65], 42.0);
    }

    void aBrokenReplyLeavesThePhaseAsItWas() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        HarmonicsPage* p = page(c);
        c.ana.pages().Edit111->setText(QStringLiteral("12001"));
        p->VrShadowButton7->click();
        QVERIFY(c.takeReceived(test::message("harmonikuc", {"12001"})));
        c.send(test::registerReply(waveformBytes(90, 10, 50, 5)));
        QTRY_VERIFY(!p->EditH31->text().isEmpty());
        const QImage wave = p->Image3->image(), voltage = p->Image8->image(), current = p->Image9->image();
        const QString v = p->EditH31->text(), i = p->EditH32->text(), thd = p->LblTHDV3->text();
        const SampleBuffers before = p->sampleBuffers();

        // A sample that is not a number in the middle of another reply.
        QByteArray broken = test::registerReply(waveformBytes(30, 0, 20, 0));
        const int at40 = broken.indexOf('$', 20);
        broken.insert(at40 + 1, "x$");
        p->VrShadowButton7->click();
        QVERIFY(c.takeReceived(test::message("harmonikuc", {"12001"})));
        c.send(broken);
        QTRY_COMPARE(c.heading(), QStringLiteral("Harmonik alırken bir hata oluştu"));
        // The error stays, and nothing of the phase is recomputed.
        QTest::qWait(100);
        QCOMPARE(c.heading(), QStringLiteral("Harmonik alırken bir hata oluştu"));
        QCOMPARE(p->Image3->image(), wave);
        QCOMPARE(p->Image8->image(), voltage);
        QCOMPARE(p->Image9->image(), current);
        QCOMPARE(p->EditH31->text(), v);
        QCOMPARE(p->EditH32->text(), i);
        QCOMPARE(p->LblTHDV3->text(), thd);
        QCOMPARE(p->sampleBuffers().voltage, before.voltage);
        QCOMPARE(p->sampleBuffers().current, before.current);

        // A short reply that ends with its terminator is no failure: it fills
        // what it reaches and the rest keeps the earlier samples.
        p->VrShadowButton7->click();
        QVERIFY(c.takeReceived(test::message("harmonikuc", {"12001"})));
        c.send(test::registerReply({5, 6, 7}));
        QTRY_COMPARE(c.heading(), QStringLiteral("12001 nolu cihaz harmonik verileri"));
        QCOMPARE(p->sampleBuffers().voltage[0], 5.0);
        QCOMPARE(p->sampleBuffers().voltage[2], 7.0);
        QCOMPARE(p->sampleBuffers().voltage[3], before.voltage[3]);
        QCOMPARE(p->sampleBuffers().current, before.current);
        QVERIFY(p->EditH31->text() != v);
    }
};

QTEST_MAIN(HarmonicsPageTest)
#include "harmonics_page.moc"
