// The messages window on the screen it opens on: its frame stays within the
// available area, smaller than its own size where the screen is smaller, and
// "Kapat" closes it. The offscreen platform gets two screens from a config
// file: a 1366×768 laptop and a 640×480 display beside it.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "gui/shell_fixture.h"
#include "gui/two_screens.h"
#include "server/ui/TFrmMesajlar.h"

using izleme::ShellFixture;
using izleme::TFrmMesajlar;

class MessagesWindowScreenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }

    void frameWithinTheScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QPoint>("openedAt");  // from the screen's top left corner
        QTest::addColumn<bool>("wholeSize");
        QTest::newRow("laptop") << 0 << QPoint(900, 400) << true;
        QTest::newRow("640x480") << 1 << QPoint(100, 50) << false;
    }
    void frameWithinTheScreen() {
        QFETCH(int, screen);
        QFETCH(QPoint, openedAt);
        QFETCH(bool, wholeSize);
        QScreen* where = QGuiApplication::screens().at(screen);
        ShellFixture f;
        TFrmMesajlar& window = *f.forms.FrmMesajlar;
        window.setScreen(where);
        window.move(where->availableGeometry().topLeft() + openedAt);
        f.ana().Oku1->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = where->availableGeometry();
        QTRY_VERIFY2(area.contains(window.frameGeometry()), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                                           .arg(window.frameGeometry().x())
                                                                           .arg(window.frameGeometry().y())
                                                                           .arg(window.frameGeometry().width())
                                                                           .arg(window.frameGeometry().height())));
        QCOMPARE(window.size() == QSize(674, 563), wholeSize);
        QCOMPARE(window.RzListBox1->height(), 161);

        QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

int main(int argc, char** argv) {
    return izleme::test::runOnTwoScreens<MessagesWindowScreenTest>(argc, argv, QSize(640, 480));
}

#include "messages_window_screen.moc"
