// The harmonics page when the operator selects another relay: the page names
// no device, so nothing of the previous relay's analysis may stay on it, and
// a short reply of the new relay is not completed with the old one's samples.
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "app/ui/PageControl.h"
#include "control/ui/HarmonicsPage.h"
#include "control/ui/ImageCanvas.h"
#include "gui/loopback_client.h"

using namespace izleme;
using izleme::test::LoopbackClient;

namespace {

// n samples of a sine of the given peak, as the signed bytes the relay sends.
QList<int> sine(int n, double peak) {
    QList<int> bytes;
    for (int i = 0; i < n; ++i) {
        const int v = static_cast<int>(std::lround(peak * std::sin(2 * std::numbers::pi * i / 64)));
        bytes << (v < 0 ? v + 256 : v);
    }
    return bytes;
}

bool blank(const ImageCanvas* canvas) {
    const QImage& image = canvas->image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) != QColor(Qt::black)) return false;
    return true;
}

// Clicks the entry, waits for the selection's register request and answers
// it with two registers; the peer's bytes start over.
bool select(LoopbackClient& c, const QString& caption, const QByteArray& serial) {
    GroupBarEntry* e = c.entry(caption);
    if (e == nullptr) return false;
    c.peer.received.clear();
    e->click();
    const QByteArray request = test::message("enertum", {serial});
    if (!QTest::qWaitFor([&] { return c.peer.received.endsWith(request); }, 5000)) return false;
    c.peer.received.clear();
    c.send(test::registerReply({0, 0, 0, 0}));
    const QString heading = QString::fromLatin1(serial) + QStringLiteral(" Nolu Cihaz Verileri");
    return QTest::qWaitFor([&] { return c.heading() == heading; }, 5000);
}

double shown(const QLineEdit* box) {
    QString t = box->text();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : std::nan("");
}

}  // namespace

class HarmonicsReselectTest : public QObject {
    Q_OBJECT
private slots:
    void anotherRelayStartsBlank() {
        LoopbackClient c;
        QVERIFY(c.logIn());
        c.send(test::cihazlar(QStringLiteral("Fabrika"), QStringLiteral("KRT100"), QStringLiteral("Ana Pano"),
                              QStringLiteral("12001")) +
               test::cihazlar(QStringLiteral("Fabrika"), QStringLiteral("KRT100"), QStringLiteral("Atölye"),
                              QStringLiteral("12002")));
        QTRY_VERIFY(c.entry(QStringLiteral("Atölye No: 12002")) != nullptr);
        QVERIFY(select(c, QStringLiteral("Ana Pano No: 12001"), "12001"));

        c.ana.pageControl()->selectPage(3);
        auto* p = c.ana.findChild<HarmonicsPage*>(QStringLiteral("HarmonicsPage"));
        QVERIFY(p != nullptr);
        // Phase 1 of the first relay: 80 peak volts, 40 peak amps.
        p->VrShadowButton5->click();
        QVERIFY(c.waitReceived(test::message("harmonikbir", {"12001"})));
        c.send(test::registerReply(sine(64, 80) + sine(64, 40) + QList<int>{1, 2}));
        QTRY_VERIFY(!p->EditH2->text().isEmpty());
        QVERIFY(std::abs(shown(p->EditH2) - 40) < 0.5);
        QVERIFY(!blank(p->Image1) && !blank(p->Image4) && !blank(p->Image5));
        QVERIFY(p->LblTHDV1->text() != QStringLiteral("THD: -"));

        // The second relay: every picture, box and distortion of the page is blank again.
        QVERIFY(select(c, QStringLiteral("Atölye No: 12002"), "12002"));
        for (const ImageCanvas* canvas : {p->Image1, p->Image4, p->Image5}) QVERIFY(blank(canvas));
        for (const QLineEdit* box : {p->EditH22, p->EditH2}) QCOMPARE(box->text(), QString());
        for (const QLabel* thd : {p->LblTHDV1, p->LblTHDI1}) QCOMPARE(thd->text(), QStringLiteral("THD: -"));
        p->SpinEdit1->setValue(3);  // an order of an analysis that is gone shows nothing
        QCOMPARE(p->EditH2->text(), QString());
        p->SpinEdit1->setValue(1);

        // Its reply stops after the voltage samples: the current is no echo of the first relay's.
        c.ana.pageControl()->selectPage(3);
        p->VrShadowButton5->click();
        QVERIFY(c.waitReceived(test::message("harmonikbir", {"12002"})));
        c.send(test::registerReply(sine(64, 60)));
        QTRY_VERIFY(!p->EditH22->text().isEmpty());
        QVERIFY(std::abs(shown(p->EditH22) - 60) < 0.5);
        QVERIFY(std::abs(shown(p->EditH2)) < 1e-9);
    }
};

QTEST_MAIN(HarmonicsReselectTest)
#include "harmonics_reselect.moc"
