// The main window on small screens: its frame stays within the available
// area of the screen it opens on, and the pages scroll instead of squeezing
// their controls. The offscreen platform gets two screens from a config
// file: a 1366×768 laptop and an 800×600 display beside it.
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "gui/shell_fixture.h"
#include "gui/two_screens.h"

using izleme::PageControl;
using izleme::ShellFixture;

class ShellFitsScreenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens[0]->availableGeometry(), QRect(0, 0, 1366, 768));
        QCOMPARE(screens[1]->availableGeometry(), QRect(1366, 0, 800, 600));
    }

    void frameWithinTheScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QPoint>("openedAt");  // from the screen's top left corner
        QTest::newRow("1366x768 laptop") << 0 << QPoint(200, 120);
        QTest::newRow("800x600") << 1 << QPoint(40, 30);
    }
    void frameWithinTheScreen() {
        QFETCH(int, screen);
        QFETCH(QPoint, openedAt);
        QScreen* where = QGuiApplication::screens().at(screen);
        ShellFixture f;
        f.ana().setScreen(where);
        f.ana().move(where->availableGeometry().topLeft() + openedAt);
        QVERIFY(f.startWithoutLogin());
        QVERIFY(QTest::qWaitForWindowExposed(&f.ana()));
        QTest::qWait(50);  // the fit queued by the first show
        QCOMPARE(f.ana().screen(), where);
        const QRect frame = f.ana().frameGeometry();
        QVERIFY2(where->availableGeometry().contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                                            .arg(frame.x())
                                                                            .arg(frame.y())
                                                                            .arg(frame.width())
                                                                            .arg(frame.height())));

        // Every sheet keeps at least its minimum size: what does not fit scrolls.
        PageControl* pages = f.ana().pageControl();
        for (int i = 0; i < pages->count(); ++i) {
            auto* scroll = pages->scrollAreaOf(i);
            QVERIFY(scroll);
            QWidget* sheet = pages->widget(i);
            QCOMPARE(scroll->widget(), sheet);
            QCOMPARE(pages->indexOf(sheet), i);
        }
        pages->selectPage(0);
        QWidget* sheet = pages->widget(0);
        QTRY_VERIFY(sheet->width() >= sheet->minimumSizeHint().width() &&
                    sheet->height() >= sheet->minimumSizeHint().height());
    }

    // The window never grows past the screen, even when a status text is long.
    void longStatusTextDoesNotWidenTheWindow() {
        ShellFixture f;
        QVERIFY(f.startWithoutLogin());
        f.ana().setStatusLine(QString(400, QLatin1Char('W')));
        QTest::qWait(50);
        QVERIFY(f.ana().minimumSizeHint().width() <= 800);
        QVERIFY(f.ana().screen()->availableGeometry().contains(f.ana().frameGeometry()));
    }

    void namedControlsAreStillFound() {
        ShellFixture f;
        for (int i = 1; i <= 8; ++i) {
            const QString name = QStringLiteral("suiTabSheet%1").arg(i);
            QVERIFY2(f.ana().findChild<QWidget*>(name), qPrintable(name));
        }
        for (const char* name : {"Edit111", "Edit5", "Edit3", "Panel7", "Panel8", "Label2"})
            QVERIFY2(f.ana().findChild<QWidget*>(QString::fromLatin1(name)), name);
    }
};

int main(int argc, char** argv) {
    return izleme::test::runOnTwoScreens<ShellFitsScreenTest>(argc, argv, QSize(800, 600));
}

#include "shell_fits_screen.moc"
