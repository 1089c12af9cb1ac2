// Closing from the tray while the main window lives in the tray only (minimised
// and hidden) still ends the program: one test per program run, since ending
// the program stops every event loop.
#include <QAction>
#include <QEventLoop>
#include <QTimer>

#include "shell_fixture.h"

using namespace izleme;

class ShellClosingFromTray : public QObject {
    Q_OBJECT

private slots:
    void trayKapatEndsTheProgramWhileHidden() {
        ShellFixture f;
        QVERIFY(f.startWithoutLogin());
        TFrmAna& a = f.ana();
        a.attachTrayMenu();
        a.showMinimized();
        a.hide();
        QVERIFY(!a.isVisible());

        QEventLoop loop;
        QTimer::singleShot(0, &a, [&] { a.Kapat1->trigger(); });
        QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
        QCOMPARE(loop.exec(), 0);
    }
};

QTEST_MAIN(ShellClosingFromTray)
#include "shell_closing_from_tray.moc"
