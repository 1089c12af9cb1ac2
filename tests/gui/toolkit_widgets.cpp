// The shared widgets: the LED display keeps and draws its text, the power
// button toggles and shows its state.
#include <QSignalSpy>
#include <QtTest>

#include "toolkit/ui/LedDisplay.h"
#include "toolkit/ui/PowerButton.h"

using izleme::LedDisplay;
using izleme::PowerButton;

namespace {

// Pixels of an image close to a colour (anti-aliased edges excluded).
int pixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) < 24 && qAbs(c.green() - color.green()) < 24 &&
                qAbs(c.blue() - color.blue()) < 24) {
                ++count;
            }
        }
    }
    return count;
}

QImage rendered(QWidget& w) {
    w.resize(w.sizeHint());
    return w.grab().toImage();
}

}  // namespace

class ToolkitWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void ledKeepsTextExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("dashes") << QStringLiteral("---.-");
        QTest::newRow("negative zero with comma") << QStringLiteral("-000,0");
        QTest::newRow("letters") << QStringLiteral("Hatatata");
        QTest::newRow("turkish") << QStringLiteral("ÇĞİÖŞÜ çğıöşü");
        QTest::newRow("time") << QStringLiteral("12:05:09");
        QTest::newRow("date") << QStringLiteral("5.3.2001");
        QTest::newRow("stars and blanks") << QStringLiteral(" * - * ");
        QTest::newRow("optional integer") << QStringLiteral(",00");
        QTest::newRow("longer than the display") << QStringLiteral("123456789012345678901234567890");
        QTest::newRow("empty") << QString();
    }

    void ledKeepsTextExactly() {
        QFETCH(QString, text);
        LedDisplay led(QStringLiteral("8.88"), 6);
        QSignalSpy changed(&led, &LedDisplay::textChanged);
        led.setText(text);
        QCOMPARE(led.text(), text);
        QCOMPARE(led.property("text").toString(), text);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), text);
        // Drawing any text must work at any size, however cramped.
        for (const QSize size : {QSize(200, 40), QSize(20, 10), QSize(1, 1)}) {
            led.resize(size);
            QVERIFY(!led.grab().isNull());
        }
        QCOMPARE(led.text(), text);
    }

    void ledSignalsOnlyRealChanges() {
        LedDisplay led;
        QSignalSpy changed(&led, &LedDisplay::textChanged);
        led.setText(QStringLiteral("000"));
        led.setText(QStringLiteral("000"));
        led.setText(QStringLiteral("001"));
        QCOMPARE(changed.count(), 2);
    }

    void ledLightsSegmentsInItsDigitColour() {
        LedDisplay led(QString(), 4);
        const QColor digit(255, 40, 40);
        led.setDigitColor(digit);
        led.setBackgroundColor(Qt::black);
        QCOMPARE(pixelsNear(rendered(led), digit), 0);
        led.setText(QStringLiteral("1"));
        const int one = pixelsNear(rendered(led), digit);
        led.setText(QStringLiteral("8"));
        const int eight = pixelsNear(rendered(led), digit);
        led.setText(QStringLiteral("8,"));
        const int eightComma = pixelsNear(rendered(led), digit);
        QVERIFY2(one > 0, "a lit digit shows in the digit colour");
        QVERIFY2(eight > 2 * one, "8 lights seven segments, 1 only two");
        QVERIFY2(eightComma > eight, "the decimal comma lights too");
        // A glyph that seven segments cannot show is still drawn.
        led.setText(QStringLiteral("M"));
        QVERIFY(pixelsNear(rendered(led), digit) > 0);
    }

    void ledSizeHintGrowsWithCharacters() {
        LedDisplay led;
        led.setCharacterCount(3);
        const QSize small = led.sizeHint();
        led.setCharacterCount(9);
        const QSize large = led.sizeHint();
        QVERIFY(large.width() > 2 * small.width());
        QCOMPARE(large.height(), small.height());
        QVERIFY(small.width() > small.height());
    }

    void powerButtonTogglesByClick() {
        PowerButton button(QStringLiteral("Röle 1"));
        button.resize(button.sizeHint());
        QCOMPARE(button.text(), QStringLiteral("Röle 1"));
        QVERIFY(button.isCheckable());
        QVERIFY(!button.isChecked());
        QSignalSpy toggled(&button, &PowerButton::toggled);

        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
        QVERIFY(button.isChecked());
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
        QVERIFY(!button.isChecked());
        QCOMPARE(toggled.count(), 2);
        QCOMPARE(toggled.at(0).at(0).toBool(), true);
        QCOMPARE(toggled.at(1).at(0).toBool(), false);

        button.setChecked(true);
        QVERIFY(button.isChecked());
        QCOMPARE(toggled.count(), 3);
        button.setChecked(true);
        QCOMPARE(toggled.count(), 3);
    }

    void powerButtonIsGreenOnlyWhenOn() {
        PowerButton button(QStringLiteral("Röle 2"));
        const QColor green = button.onColor();
        const int off = pixelsNear(rendered(button), green);
        button.setChecked(true);
        const int on = pixelsNear(rendered(button), green);
        QCOMPARE(off, 0);
        QVERIFY2(on > 100, "the lit knob is mostly the on colour");
        QVERIFY(button.sizeHint().width() >= button.fontMetrics().horizontalAdvance(button.text()));
    }
};

QTEST_MAIN(ToolkitWidgetsTest)
#include "toolkit_widgets.moc"
