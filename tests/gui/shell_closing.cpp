// Closing the main window ends the program, even with other windows open and
// from the tray menu, without sending anything to the server.
#include <QAction>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "app/ui/TFrmhaberlesme.h"
#include "shell_fixture.h"

using namespace izleme;

class ShellClosing : public QObject {
    Q_OBJECT

private slots:
    // One test per program run: ending the program stops every event loop.
    void trayKapatEndsTheProgramSilently() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        ShellFixture f;
        QVERIFY(f.startWithoutLogin());
        TFrmAna& a = f.ana();
        a.socket()->connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(a.socket()->waitForConnected(5000));
        QVERIFY(server.waitForNewConnection(5000));
        QTcpSocket* peer = server.nextPendingConnection();
        a.attachTrayMenu();
        f.forms.Frmhaberlesme->show();  // another window open does not keep it alive

        QEventLoop loop;
        bool ended = false;
        QTimer::singleShot(0, &a, [&] { a.Kapat1->trigger(); });
        QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
        const int code = loop.exec();
        ended = code == 0;
        QVERIFY2(ended, "the event loop went on after Kapat");
        QVERIFY(!a.isVisible());
        // Nothing was sent: give anything the client wrote time to arrive.
        QVERIFY(!peer->waitForReadyRead(300));
        QCOMPARE(peer->bytesAvailable(), qint64(0));
    }
};

QTEST_MAIN(ShellClosing)
#include "shell_closing.moc"
